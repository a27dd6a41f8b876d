#include "measurement_screen_models.h"

#include <QJSEngine>

#include "app_shell.h"
#include "collection/collection_captions.h"
#include "gui_app.h"
#include "qt_text.h"

namespace tockary::gui {

namespace {

MeasurementList* listInstance = nullptr;
Measurement* measurementInstance = nullptr;

}  // namespace

MeasurementList::MeasurementList(std::unique_ptr<AccuracyTableViewController> screen,
                                 QObject* parent)
    : TableListModel(parent), screen_(std::move(screen)) {
  follow(screen_->tableView, [this] { emit screenChanged(); });
  screen_->viewDidLoad();
  screen_->viewWillAppear();
}

int MeasurementList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : screen_->numberOfRowsInSection(0);
}

QVariant MeasurementList::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto cell = screen_->cellForRowAt({0, index.row()});
  if (!cell) return {};
  switch (role) {
    case WatchRole:
      return QString::fromStdString(cell->mitattuKelloLabel);
    case EnvironmentRole:
      return QString::fromStdString(cell->mittausTapa);
    case ResultRole:
      return QString::fromStdString(cell->tulosLabel);
    case StartDateRole:
      return QString::fromStdString(cell->mittausPVMLabel);
    case DurationRole:
      return QString::fromStdString(cell->mittauksenKestoLabel);
    case ObjectIdRole:
      return QString::fromStdString(cell->mittausID.text());
    default:
      return {};
  }
}

QHash<int, QByteArray> MeasurementList::roleNames() const {
  return {{WatchRole, "watch"},       {EnvironmentRole, "environment"},
          {ResultRole, "result"},     {StartDateRole, "startDate"},
          {DurationRole, "duration"}, {ObjectIdRole, "objectId"}};
}

QString MeasurementList::title() const { return tabTitle("measurements"); }

QStringList MeasurementList::summary() const {
  QStringList lines;
  for (const WatchAccuracy& watch : screen_->summary())
    lines << QString::fromStdString(watch.text());
  return lines;
}

int MeasurementList::refreshInterval() {
  return static_cast<int>(
      std::chrono::milliseconds(AccuracyTableViewController::kRefreshInterval).count());
}

QVariantMap MeasurementList::captions() {
  return {{"delete", qs(kDeleteActionTitle)},
          {"sort", qs(kSortButtonTitle)},
          {"empty", qs(AccuracyTableViewController::kEmptyListHint)}};
}

void MeasurementList::viewWillAppear() { screen_->viewWillAppear(); }

void MeasurementList::reloadCollection() { screen_->reloadCollection(); }

void MeasurementList::select(int row) { screen_->didSelectRowAt({0, row}); }

void MeasurementList::insertNewMeasurement() { screen_->insertNewMeasurement(); }

void MeasurementList::orderRowsBy() { screen_->orderRowsBy(); }

void MeasurementList::deleteRow(int row) {
  screen_->commitEditingStyle(EditingStyle::Delete, {0, row});
}

void MeasurementList::setInstance(MeasurementList* model) { listInstance = model; }

MeasurementList* MeasurementList::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(listInstance, QJSEngine::CppOwnership);
  return listInstance;
}

Measurement::Measurement(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

void Measurement::open(const QString& objectId) {
  screen_ = std::make_unique<InsertAccuracyTableViewController>(services_);
  const auto id = ObjectID::fromText(objectId.toStdString());
  if (id) {
    (void)screen_->openStored(*id);
  } else {
    screen_->openForInsert();
  }
  screen_->viewDidLoad();
  // The screen only asks; granting it is the front end's part.
  if (const std::string_view first = screen_->firstResponder(); !first.empty())
    screen_->textFieldDidBeginEditing(first);
  refresh();
}

void Measurement::refresh() {
  const ShownWheel::Change wheel = wheel_.update(screen_ ? screen_->shownWheel() : std::nullopt);
  emit changed();
  if (wheel.another) emit wheelChanged();
  if (wheel.turned) emit wheelColumnsChanged();
}

QString Measurement::clockText() const {
  return screen_ ? QString::fromStdString(screen_->clockText()) : QString();
}

void Measurement::beginEditing(const QString& outlet) {
  if (!screen_) return;
  screen_->textFieldDidBeginEditing(outlet.toStdString());
  refresh();
}

void Measurement::selectRow(int column, int row) {
  if (screen_ && screen_->pickerViewDidSelectRow(row, column)) refresh();
}

void Measurement::pressToolbarButton() {
  if (screen_ && screen_->pressToolbarButton()) refresh();
}

void Measurement::startAccuracyMetering() {
  if (!screen_) return;
  // A failed store is the screen's to report (the busy alert, the diagnostics).
  (void)screen_->startAccuracyMetering();
  refresh();
}

void Measurement::increaseAccuracyMinute() {
  if (!screen_) return;
  screen_->increaseAccuracyMinute();
  refresh();
}

void Measurement::decreaseAccuracyMinute() {
  if (!screen_) return;
  screen_->decreaseAccuracyMinute();
  refresh();
}

void Measurement::ohje() {
  if (screen_) screen_->ohje();
}

void Measurement::goBack() {
  if (screen_ && !screen_->editedField().empty()) {
    screen_->endEditing();
    refresh();
  }
  services_.presenter.pop(1);
}

QString Measurement::title() { return qs(InsertAccuracyTableViewController::kTitle); }

QVariantList Measurement::fields() {
  QVariantList list;
  for (const FieldDescriptor& field : InsertAccuracyTableViewController::formFields()) {
    list << QVariantMap{{"outlet", qs(field.outlet)},
                        {"caption", qs(field.caption)},
                        {"placeholder", qs(field.placeholder)},
                        {"kind", qs(fieldKindName(field.kind))}};
  }
  return list;
}

QVariantMap Measurement::texts() const {
  QVariantMap map;
  if (!screen_) return map;
  for (const FieldDescriptor& field : InsertAccuracyTableViewController::formFields())
    map.insert(qs(field.outlet), QString::fromStdString(screen_->text(field.outlet)));
  return map;
}

QString Measurement::editedOutlet() const {
  return screen_ ? qs(screen_->editedField()) : QString();
}

bool Measurement::readOnly() const { return screen_ && screen_->isReadOnly(); }

QVariantList Measurement::labels() const {
  QVariantList list;
  if (!screen_) return list;
  const AccuracyOutputs& outputs = screen_->outputs();
  for (const AccuracyLabel& label : kAccuracyLabels) {
    list << QVariantMap{{"outlet", qs(label.outlet)},
                        {"caption", qs(label.caption)},
                        {"text", QString::fromStdString(outputs.*label.text)},
                        {"shown", labelShown(outputs, label)}};
  }
  return list;
}

QString Measurement::startButtonImage() const {
  return screen_ ? QString::fromStdString(screen_->outputs().startButtonImage) : QString();
}

bool Measurement::startButtonShown() const {
  return screen_ && !screen_->outputs().startButtonHidden;
}

bool Measurement::plusShown() const { return screen_ && !screen_->outputs().plusMinButtonHidden; }

bool Measurement::minusShown() const { return screen_ && !screen_->outputs().minusMinButtonHidden; }

bool Measurement::panelShown() const {
  return screen_ && !screen_->outputs().kelloTaustaViewHidden;
}

QVariantMap Measurement::captions() {
  return {{"clock", qs(InsertAccuracyTableViewController::kClockCaption)},
          {"instructions", qs(InsertAccuracyTableViewController::kInstructionsButtonTitle)}};
}

void Measurement::setInstance(Measurement* model) { measurementInstance = model; }

Measurement* Measurement::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(measurementInstance, QJSEngine::CppOwnership);
  return measurementInstance;
}

void installMeasurementScreens(AppServices& services, QObject& parent) {
  MeasurementList::setInstance(
      new MeasurementList(std::make_unique<AccuracyTableViewController>(services), &parent));
  Measurement::setInstance(new Measurement(services, &parent));
}

}  // namespace tockary::gui
