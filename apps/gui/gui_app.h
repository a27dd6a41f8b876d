#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "gui_presenter.h"
#include "picture_provider.h"
#include "platform/assets/asset_catalog.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/notifications/pending_notifications.h"
#include "reminder_delivery.h"
#include "reminders/reminders.h"
#include "settings/collection_backup.h"
#include "settings/settings_table_view_controller.h"
#include "store/app_delegate.h"
#include "store/app_services.h"

namespace tockary::gui {

// The app's composition root: the platform, the shell, the screen models and their QML
// adapters, and the QML engine. One per process (the adapters are QML singletons).
class GuiApp {
 public:
  // Opens the preferences and the store of `dataDirectory` (created 0700 when missing); a store
  // that cannot be opened is a fatal stop. `clock` (the machine's when null) must outlive the app.
  explicit GuiApp(const std::filesystem::path& dataDirectory, const std::string& localeId = {},
                  const Clock* clock = nullptr);
  ~GuiApp();  // the termination save
  GuiApp(const GuiApp&) = delete;
  GuiApp& operator=(const GuiApp&) = delete;

  // Loads the main window; false when QML fails to load.
  bool load();

  QQmlApplicationEngine& engine() { return engine_; }
  // The main window, once loaded.
  QQuickWindow* window() const;
  AppServices& services() { return *services_; }
  GuiPresenter& presenter() { return presenter_; }
  const AssetCatalog& assets() const { return assets_; }
  Pictures& pictures() { return *pictures_; }

 private:
  // The pending reminders, what rebuilds them and what shows them when due.
  void openReminders(const std::filesystem::path& dataDirectory, const Clock& clock);
  // Rebuilds them and shows at once any that is due.
  void rebuildReminders();

  AppDelegate app_;
  std::unique_ptr<SqliteUserDefaults> defaults_;
  Formatters formatters_;
  SystemClock systemClock_;
  GuiPresenter presenter_;
  std::unique_ptr<AppServices> services_;
  // Null when the pending reminders' file cannot be opened: the app then runs without them.
  std::unique_ptr<PendingNotificationCenter> notificationCenter_;
  std::unique_ptr<Reminders> reminders_;
  std::unique_ptr<ReminderDelivery> reminderDelivery_;
  std::unique_ptr<SettingsTableViewController> settingsScreen_;
  std::unique_ptr<CollectionBackup> backup_;
  AssetCatalog assets_;
  // Outlives the engine, whose image loader may still ask for pictures while it goes.
  std::unique_ptr<Pictures> pictures_;
  QObject adapters_;  // parent of every screen adapter
  QQmlApplicationEngine engine_;
};

// Each screen family creates its adapters under `parent` and makes them the QML singletons.
// What the collection list runs for the reminders (nothing when they are off): it prints the
// pending ones on load and rebuilds them then and every minute.
struct ReminderHooks {
  std::function<void()> print;
  std::function<void()> rebuild;
};

void installCollectionScreens(AppServices& services, QObject& parent, const ReminderHooks& hooks);
void installEditorScreens(AppServices& services, QObject& parent, Pictures& pictures);
void installServiceScreens(AppServices& services, QObject& parent);
void installMeasurementScreens(AppServices& services, QObject& parent);
void installWarrantyScreens(AppServices& services, QObject& parent);

}  // namespace tockary::gui
