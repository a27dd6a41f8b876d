#include "cli_environment.h"

#include <iostream>

#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"

namespace tockary::cli {

CliEnvironment::CliEnvironment(const GlobalOptions& options)
    : options_(options),
      dataDirectory_(options.dataDir.empty() ? defaultDataDirectory()
                                             : std::filesystem::path(options.dataDir)),
      formatters_(options.locale) {}

// Before either store opens. A folder that cannot be created is reported by the open that
// follows, in the fatal form; one that stays open to others is said once, where the user sees it.
void CliEnvironment::prepareDataDirectory() {
  if (dataDirectoryPrepared_) return;
  dataDirectoryPrepared_ = true;
  const PrivateDirectory folder = ensurePrivateDirectory(dataDirectory_);
  if (!folder.warning.empty()) std::cerr << "tockary: warning: " << folder.warning << '\n';
}

AppDelegate& CliEnvironment::app() {
  if (!app_) {
    prepareDataDirectory();
    app_ = std::make_unique<AppDelegate>(dataDirectory_, StoreOptions{options_.busyTimeout});
  }
  return *app_;
}

UserDefaults& CliEnvironment::defaults() {
  if (!defaults_) {
    prepareDataDirectory();
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

void refuseUnansweredAction(const CliPresenter& presenter) {
  if (presenter.refusal()) throw UsageError{*presenter.refusal()};
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
