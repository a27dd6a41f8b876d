#include "detail_screen_model.h"

#include <QJSEngine>

#include "detail/detail_captions.h"
#include "detail/watch_report.h"
#include "gui_presenter.h"
#include "picture_provider.h"
#include "platform/share/desktop_share.h"

namespace tockary::gui {

namespace {

WatchDetail* instance = nullptr;

QString text(std::string_view value) {
  return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

QVariantMap frame(const Frame& f) {
  return {{"x", f.x}, {"y", f.y}, {"width", f.width}, {"height", f.height}};
}

template <std::size_t N>
QVariantList captionList(const std::array<OutletCaption, N>& captions) {
  QVariantList list;
  for (const OutletCaption& entry : captions) {
    list.append(QVariantMap{{"outlet", text(entry.outlet)}, {"caption", text(entry.caption)}});
  }
  return list;
}

}  // namespace

WatchDetail::WatchDetail(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {
  // The screen's sheets run their actions (the confirmed wear, the reset) after the call that
  // presented them has returned: redraw once a sheet's action has run (queued, because the
  // sheet closes before its action runs).
  if (auto* sheets = dynamic_cast<GuiPresenter*>(&services.presenter)) {
    connect(
        sheets, &GuiPresenter::changed, this,
        [this] {
          if (screen_) emit changed();
        },
        Qt::QueuedConnection);
  }
}

template <typename Operation>
void WatchDetail::run(Operation operation) {
  if (!screen_) return;
  // The operation may present a sheet or leave the screen; the outlets change either way.
  operation(*screen_);
  emit changed();
}

void WatchDetail::open(const QString& objectId, double screenWidth) {
  const auto id = ObjectID::fromText(objectId.toStdString());
  screen_ = std::make_unique<TarkasteleKelloaTableViewController>(
      services_, id.value_or(ObjectID{"Kello", 0}));
  if (screenWidth > 0) screen_->setScreenCentreX(screenWidth / 2);
  ++pictureRevision_;
  screen_->viewDidLoad();
  emit changed();
}

void WatchDetail::flipWatchPhoto() {
  run([](auto& screen) { screen.flipWatchPhoto(); });
}

void WatchDetail::changeWatchStatus() {
  run([](auto& screen) { screen.changeWatchStatus(); });
}

void WatchDetail::selectStatusRow(int row) {
  run([row](auto& screen) { screen.pickerViewDidSelectRow(row); });
}

void WatchDetail::doneStatusPicker() {
  run([](auto& screen) { screen.doneStatusPicker(); });
}

void WatchDetail::increaseTimesWornCounter() {
  run([](auto& screen) { screen.increaseTimesWornCounter(); });
}

void WatchDetail::wearStatsReset() {
  run([](auto& screen) { screen.wearStatsReset(); });
}

void WatchDetail::editSelectedWatch() {
  run([](auto& screen) { screen.editSelectedWatch(); });
}

QString WatchDetail::objectId() const {
  return screen_ ? QString::fromStdString(screen_->kelloID().text()) : QString();
}

QString WatchDetail::title() const {
  return screen_ && screen_->title() ? QString::fromStdString(*screen_->title()) : QString();
}

QVariantMap WatchDetail::outlets() const {
  QVariantMap map;
  if (screen_) {
    for (const auto& [name, value] : screen_->textOutlets()) {
      map.insert(text(name), QString::fromStdString(*value));
    }
  } else {
    // Before any watch is opened: the outlets as a fresh screen shows them.
    TarkasteleKelloaTableViewController blank(services_, ObjectID{"Kello", 0});
    for (const auto& [name, value] : blank.textOutlets()) {
      map.insert(text(name), QString::fromStdString(*value));
    }
  }
  return map;
}

QString WatchDetail::picture() const {
  // Before any watch is opened: the picture a fresh screen shows.
  return Pictures::url(
      screen_ ? screen_->outputs().kelloImageView : WatchDetailOutputs{}.kelloImageView,
      pictureRevision_);
}

QString WatchDetail::pictureText() const {
  return screen_ ? text(screen_->pictureText()) : QString();
}

QVariantMap WatchDetail::diagram() const {
  if (!diagramShown()) return {};
  const DiagramOverlay& overlay = *screen_->outputs().tekstiView;
  QVariantList texts;
  for (const DiagramText& entry : overlay.texts) {
    QVariantMap item = frame(entry.frame);
    item.insert("role", text(entry.role));
    item.insert("text", QString::fromStdString(entry.text));
    texts.append(item);
  }
  return {
      {"frame", frame(overlay.frame)},    {"fontName", QString::fromStdString(overlay.fontName)},
      {"fontSize", overlay.fontSize},     {"shadowX", overlay.shadowOffsetX},
      {"shadowY", overlay.shadowOffsetY}, {"texts", texts}};
}

QString WatchDetail::statusIcon() const {
  return screen_ ? QString::fromStdString(screen_->outputs().statusButtonOutlet)
                 : QString::fromStdString(WatchDetailOutputs{}.statusButtonOutlet);
}

QStringList WatchDetail::statusNames() const {
  QStringList names;
  for (const WatchStatus& status : kWatchStatuses) names << text(status.name);
  return names;
}

QString WatchDetail::statusToolbarTitle() const {
  return text(TarkasteleKelloaTableViewController::kStatusToolbarTitle);
}

int WatchDetail::flipMilliseconds() const {
  return static_cast<int>(TarkasteleKelloaTableViewController::kFlipDuration * 1000);
}

QVariantList WatchDetail::fieldCaptions() const { return captionList(kDetailFieldCaptions); }

QVariantList WatchDetail::wearCaptions() const { return captionList(kDetailWearCaptions); }

QVariantMap WatchDetail::captions() const {
  return {{"wear", text(kWearButtonTitle)},   {"reset", text(kResetButtonTitle)},
          {"edit", text(kEditButtonTitle)},   {"status", text(kStatusCaption)},
          {"share", text(kShareButtonTitle)}, {"reports", text(kReportsCaption)}};
}

QVariantList WatchDetail::reportButtons() const {
  QVariantList buttons;
  for (const ReportLayoutName& name : kReportLayouts) {
    buttons.append(QVariantMap{{"action", text(name.action)}, {"title", text(name.title)}});
  }
  return buttons;
}

void WatchDetail::showRefusal(const Status& outcome) {
  if (!outcome) services_.presenter.present(shareFailureSheet(outcome));
}

void WatchDetail::report(const QString& action) {
  for (const ReportLayoutName& name : kReportLayouts) {
    if (text(name.action) != action) continue;
    run([&](auto& screen) { showRefusal(screen.report(name.layout).status()); });
  }
}

void WatchDetail::shareWatchInfo() {
  run([this](auto& screen) { showRefusal(screen.shareWatchInfo()); });
}

void WatchDetail::shareInfo() {
  run([this](auto& screen) { showRefusal(screen.shareInfo()); });
}

void WatchDetail::setInstance(WatchDetail* model) { instance = model; }

WatchDetail* WatchDetail::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
