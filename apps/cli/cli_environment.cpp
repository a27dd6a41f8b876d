#include "cli_environment.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/ui/diagnostics.h"

namespace tockary::cli {

std::filesystem::path defaultDataDirectory() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return std::filesystem::path(xdg) / "tockary";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "tockary";
}

CliEnvironment::CliEnvironment(const GlobalOptions& options)
    : options_(options),
      dataDirectory_(options.dataDir.empty() ? defaultDataDirectory()
                                             : std::filesystem::path(options.dataDir)),
      formatters_(options.locale) {}

void CliEnvironment::ensureDataDirectory() {
  std::error_code ec;
  if (std::filesystem::exists(dataDirectory_, ec)) return;
  std::filesystem::create_directories(dataDirectory_, ec);
  if (!ec) ::chmod(dataDirectory_.c_str(), 0700);
}

AppDelegate& CliEnvironment::app() {
  if (!app_) app_ = std::make_unique<AppDelegate>(dataDirectory_);
  return *app_;
}

UserDefaults& CliEnvironment::defaults() {
  if (!defaults_) {
    ensureDataDirectory();
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

}  // namespace tockary::cli
