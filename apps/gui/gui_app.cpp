#include "gui_app.h"

#include <iostream>

#include "app_shell.h"
#include "backup_model.h"
#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"
#include "settings_model.h"

namespace tockary::gui {

namespace {

// What the desktop app alone keeps between runs (the picture dialog's last folder).
constexpr std::string_view kAppStateFileName = "tockary-app.ini";

// The first to open anything in the folder, so it also makes the folder private. A folder that
// cannot be created is reported by the open that follows, in the fatal form.
std::unique_ptr<SqliteUserDefaults> openDefaults(const std::filesystem::path& directory) {
  const PrivateDirectory folder = ensurePrivateDirectory(directory);
  if (!folder.warning.empty()) std::cerr << "tockary-app: warning: " << folder.warning << '\n';
  auto opened = SqliteUserDefaults::open(directory / kPreferencesFileName);
  if (!opened) fatalStop(opened.status());
  return std::move(opened).value();
}

}  // namespace

GuiApp::GuiApp(const std::filesystem::path& dataDirectory, const std::string& localeId,
               const Clock* clock)
    : app_(dataDirectory), defaults_(openDefaults(dataDirectory)), formatters_(localeId) {
  services_.reset(new AppServices{app_, *defaults_, formatters_,
                                  clock != nullptr ? *clock : systemClock_, presenter_});
  // The store opens with the first screen, as the app always has.
  (void)app_.persistentContainer();
  pictures_ = std::make_unique<Pictures>(services_->context(), assets_);
  presenter_.servePictures(*pictures_);
  presenter_.keepPictureFolderIn(
      QString::fromStdString((dataDirectory / std::string(kAppStateFileName)).string()));

  GuiPresenter::setInstance(&presenter_);
  AppShell::setInstance(new AppShell(*services_, &adapters_));
  openReminders(dataDirectory, clock != nullptr ? *clock : systemClock_);
  settingsScreen_ = std::make_unique<SettingsTableViewController>(*services_);
  ReminderHooks hooks;
  if (reminders_) {
    hooks.print = [this] { reminders_->printPendingRequests(); };
    hooks.rebuild = [this] { rebuildReminders(); };
  }
  settingsScreen_->initiateNotifications = hooks.rebuild;
  SettingsModel::setInstance(new SettingsModel(*settingsScreen_, &adapters_));
  backup_ = std::make_unique<CollectionBackup>(*services_, dataDirectory / kPreferencesFileName,
                                               StoreOptions{}.busyTimeout);
  BackupModel::setInstance(new BackupModel(*backup_, presenter_, &adapters_));
  installCollectionScreens(*services_, adapters_, hooks);
  installServiceScreens(*services_, adapters_);
  installMeasurementScreens(*services_, adapters_);
  installWarrantyScreens(*services_, adapters_);
  installEditorScreens(*services_, adapters_, *pictures_);
}

GuiApp::~GuiApp() { app_.applicationWillTerminate(); }

void GuiApp::rebuildReminders() {
  reminders_->initiateNotifications();
  reminderDelivery_->deliverSoon();
}

void GuiApp::openReminders(const std::filesystem::path& dataDirectory, const Clock& clock) {
  auto opened = openPendingNotifications(dataDirectory);
  if (!opened) {
    std::cerr << "tockary-app: warning: the reminders are off: " << opened.status().description()
              << '\n';
    return;
  }
  notificationCenter_ = std::move(opened).value();
  reminders_ = std::make_unique<Reminders>(*services_, *notificationCenter_);
  reminderDelivery_ =
      std::make_unique<ReminderDelivery>(dataDirectory, clock, formatters_.calendar());
}

bool GuiApp::load() {
  // The engine owns its providers.
  engine_.addImageProvider(Pictures::kProviderId, pictures_->createProvider());
  engine_.load(QUrl("qrc:/Tockary/qml/Main.qml"));
  return window() != nullptr;
}

QQuickWindow* GuiApp::window() const {
  if (engine_.rootObjects().isEmpty()) return nullptr;
  return qobject_cast<QQuickWindow*>(engine_.rootObjects().first());
}

}  // namespace tockary::gui
