#include "service_screen_models.h"

#include <QJSEngine>

#include "detail/detail_captions.h"
#include "gui_app.h"
#include "qt_text.h"
#include "service/service_form.h"

namespace tockary::gui {

namespace {

ServiceList* listInstance = nullptr;
ServiceDetail* detailInstance = nullptr;

constexpr std::string_view kEmptyListHint = "No service records yet. Tap + to add one.";
constexpr std::string_view kDetailTitle = "Service";

}  // namespace

ServiceList::ServiceList(std::unique_ptr<MyServicesTableViewController> screen, QObject* parent)
    : RecordListModel(*screen, "services", kEmptyListHint, parent), screen_(std::move(screen)) {}

std::optional<RecordListModel::Row> ServiceList::rowAt(int row) const {
  const auto cell = screen_->cellForRowAt({0, row});
  if (!cell) return std::nullopt;
  return Row{cell->textLabel, cell->detailTextLabel, cell->huoltoID};
}

void ServiceList::insertNewService() { screen_->insertNewService(); }

void ServiceList::setInstance(ServiceList* model) { listInstance = model; }

ServiceList* ServiceList::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(listInstance, QJSEngine::CppOwnership);
  return listInstance;
}

ServiceDetail::ServiceDetail(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

void ServiceDetail::open(const QString& objectId) {
  const auto id = ObjectID::fromText(objectId.toStdString());
  screen_ =
      std::make_unique<TarkasteleHuoltoaTableViewController>(services_, id.value_or(ObjectID{}));
  screen_->viewDidLoad();
  emit changed();
}

void ServiceDetail::editSelectedService() {
  if (screen_) screen_->editSelectedService();
}

QString ServiceDetail::title() const { return qs(kDetailTitle); }

QVariantList ServiceDetail::fields() const {
  QVariantList list;
  if (!screen_) return list;
  for (const auto& [caption, text] : screen_->captionedOutputs()) {
    const FieldDescriptor* field = nullptr;
    for (const FieldDescriptor& f : serviceFormFields()) {
      if (f.caption == caption) field = &f;
    }
    list << QVariantMap{{"caption", qs(caption)},
                        {"text", QString::fromStdString(*text)},
                        {"multiline", field != nullptr && field->kind == FieldKind::Notes}};
  }
  return list;
}

QVariantMap ServiceDetail::captions() const { return {{"edit", qs(kEditButtonTitle)}}; }

void ServiceDetail::setInstance(ServiceDetail* model) { detailInstance = model; }

ServiceDetail* ServiceDetail::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(detailInstance, QJSEngine::CppOwnership);
  return detailInstance;
}

void installServiceScreens(AppServices& services, QObject& parent) {
  auto* list = new ServiceList(std::make_unique<MyServicesTableViewController>(services), &parent);
  ServiceList::setInstance(list);
  ServiceDetail::setInstance(new ServiceDetail(services, &parent));
}

}  // namespace tockary::gui
