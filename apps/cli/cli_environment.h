#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli_presenter.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/notifications/pending_notifications.h"
#include "reminders/reminders.h"
#include "store/app_delegate.h"
#include "store/app_services.h"

namespace tockary::cli {

// The global options, as parsed.
struct GlobalOptions {
  std::string dataDir;
  std::string locale;
  bool json = false;
  bool verbose = false;
  // How long a change waits for another program writing the store.
  std::chrono::milliseconds busyTimeout = StoreOptions{}.busyTimeout;
  // The moment taken as now, when the environment sets one; the machine's clock otherwise.
  std::optional<Date> now;
};

// The CLI's composition root: the platform and the shell, built once per run, opened on first use.
class CliEnvironment {
 public:
  explicit CliEnvironment(const GlobalOptions& options);

  const GlobalOptions& options() const { return options_; }
  const std::filesystem::path& dataDirectory() const { return dataDirectory_; }
  std::filesystem::path preferencesFile() const { return dataDirectory_ / kPreferencesFileName; }

  // Opening either store may end the program with the fatal message.
  AppDelegate& app();
  UserDefaults& defaults();
  const Formatters& formatters() const { return formatters_; }
  const Clock& clock() const;
  CliPresenter& presenter() { return presenter_; }

  // What the screens take: built on first use (opens the store and the defaults).
  AppServices& services();

  // The reminders over the store and the pending set kept in the data folder, opened on first
  // use; a pending set that cannot be opened is a WriteFailure.
  Reminders& reminders();
  PendingNotificationCenter& notificationCenter();
  // What the screens that rebuild the reminders run (the list on load, the reminder switches):
  // a pending set that cannot be opened is only a warning there.
  std::function<void()> reminderRebuild();

  // Saves what a command left unsaved, as the app does when it quits.
  void terminate();

 private:
  void prepareDataDirectory();

  GlobalOptions options_;
  std::filesystem::path dataDirectory_;
  Formatters formatters_;
  SystemClock systemClock_;
  FixedClock fixedClock_;
  CliPresenter presenter_;
  std::unique_ptr<AppDelegate> app_;
  std::unique_ptr<SqliteUserDefaults> defaults_;
  std::unique_ptr<AppServices> services_;
  std::unique_ptr<PendingNotificationCenter> notificationCenter_;
  std::unique_ptr<Reminders> reminders_;
  bool dataDirectoryPrepared_ = false;
};

// Bad input: one line on standard error, exit status 2. Thrown by commands before they write.
struct UsageError {
  std::string message;
};

// Ends a command whose screen was answered with an action its sheet does not have: nothing was
// pressed, so nothing was written.
void refuseUnansweredAction(const CliPresenter& presenter);

// A change the store did not take: one line on standard error, exit status 1, and nothing of the
// command is written (what it left pending is dropped, not saved at the end).
struct WriteFailure {
  std::string message;
};

inline constexpr std::string_view kStoreBusyLine =
    "the collection is busy (another program is writing to it); nothing was changed";

// Throws WriteFailure for a failed `status`: kStoreBusyLine when another program held the store
// beyond the busy timeout, else `what` + ": " + the store's description.
void requireWritten(const Status& status, std::string_view what = "the change could not be saved");

}  // namespace tockary::cli
