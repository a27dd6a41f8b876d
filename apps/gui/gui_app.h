#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <filesystem>
#include <memory>
#include <string>

#include "gui_presenter.h"
#include "picture_provider.h"
#include "platform/assets/asset_catalog.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
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
  AppDelegate app_;
  std::unique_ptr<SqliteUserDefaults> defaults_;
  Formatters formatters_;
  SystemClock systemClock_;
  GuiPresenter presenter_;
  std::unique_ptr<AppServices> services_;
  std::unique_ptr<SettingsTableViewController> settingsScreen_;
  AssetCatalog assets_;
  // Outlives the engine, whose image loader may still ask for pictures while it goes.
  std::unique_ptr<Pictures> pictures_;
  QObject adapters_;  // parent of every screen adapter
  QQmlApplicationEngine engine_;
};

// Each screen family creates its adapters under `parent` and makes them the QML singletons.
void installCollectionScreens(AppServices& services, QObject& parent);
void installEditorScreens(AppServices& services, QObject& parent, Pictures& pictures);
void installServiceScreens(AppServices& services, QObject& parent);
void installMeasurementScreens(AppServices& services, QObject& parent);
void installWarrantyScreens(AppServices& services, QObject& parent);

}  // namespace tockary::gui
