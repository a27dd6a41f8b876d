#include "cli_environment.h"

#include <iostream>

#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"

namespace tockary::cli {

CliEnvironment::CliEnvironment(const GlobalOptions& options)
    : options_(options),
      dataDirectory_(options.dataDir.empty() ? defaultDataDirectory()
                                             : std::filesystem::path(options.dataDir)),
      formatters_(options.locale),
      fixedClock_(options.now.value_or(Date{})) {}

const Clock& CliEnvironment::clock() const {
  if (options_.now) return fixedClock_;
  return systemClock_;
}

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
    services_.reset(new AppServices{app(), defaults(), formatters_, clock(), presenter_});
  }
  return *services_;
}

PendingNotificationCenter& CliEnvironment::notificationCenter() {
  if (!notificationCenter_) {
    prepareDataDirectory();
    auto opened = openPendingNotifications(dataDirectory_);
    if (!opened) {
      throw WriteFailure{"the reminders cannot be kept: " + opened.status().description()};
    }
    notificationCenter_ = std::move(opened).value();
  }
  return *notificationCenter_;
}

Reminders& CliEnvironment::reminders() {
  if (!reminders_) reminders_ = std::make_unique<Reminders>(services(), notificationCenter());
  return *reminders_;
}

std::function<void()> CliEnvironment::reminderRebuild() {
  return [this] {
    try {
      reminders().initiateNotifications();
    } catch (const WriteFailure& failure) {
      std::cerr << "tockary: warning: " << failure.message << '\n';
    }
  };
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
