#include "cli_environment.h"

#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"

namespace tockary::cli {

CliEnvironment::CliEnvironment(const GlobalOptions& options)
    : options_(options),
      dataDirectory_(options.dataDir.empty() ? defaultDataDirectory()
                                             : std::filesystem::path(options.dataDir)),
      formatters_(options.locale) {}

AppDelegate& CliEnvironment::app() {
  if (!app_)
    app_ = std::make_unique<AppDelegate>(dataDirectory_, StoreOptions{options_.busyTimeout});
  return *app_;
}

UserDefaults& CliEnvironment::defaults() {
  if (!defaults_) {
    ensurePrivateDirectory(dataDirectory_);
    auto opened = SqliteUserDefaults::open(preferencesFile());
    if (!opened) fatalStop(opened.status());
    defaults_ = std::move(opened).value();
  }
  return *defaults_;
}

AppServices& CliEnvironment::services() {
  if (!services_) {
    services_.reset(new AppServices{app(), defaults(), formatters_, clock_, presenter_});
  }
  return *services_;
}

void CliEnvironment::terminate() {
  if (app_ && app_->isStoreOpen()) app_->applicationWillTerminate();
}

void requireWritten(const Status& status, std::string_view what) {
  if (status) return;
  if (isStoreBusy(status)) throw WriteFailure{std::string(kStoreBusyLine)};
  throw WriteFailure{std::string(what) + ": " + status.description()};
}

}  // namespace tockary::cli
