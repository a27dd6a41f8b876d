#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "support/child_process.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// What the stand-in notification service received in one Notify call.
struct Posted {
  std::string app;
  std::string summary;
  std::string body;
  std::string hints;  // names, comma-separated
  friend bool operator==(const Posted&, const Posted&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Posted& posted) {
  return out << "{" << posted.app << " | " << posted.summary << " | " << posted.body << " | "
             << posted.hints << "}";
}

inline std::string percentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      decoded += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

// A session bus of the test's own (dbus-daemon, killed with this object), named by
// DBUS_SESSION_BUS_ADDRESS while it lives; startService() puts the stand-in notification service
// (TOCKARY_NOTIFICATION_RECORDER) on it. The programs are given as paths so that every test
// program can use it.
class SessionBus {
 public:
  SessionBus(std::string daemonProgram, std::string recorderProgram)
      : daemonProgram_(std::move(daemonProgram)), recorderProgram_(std::move(recorderProgram)) {}

  // Starts the bus (again: a bus started before goes away first). False when it did not start.
  bool start() {
    service_.reset();
    address_.reset();
    daemon_.reset();
    const auto config = folder_.path() / "session.conf";
    std::filesystem::remove(folder_.path() / "bus");
    writeFile(config,
              "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
              "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
              "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:path=" +
                  (folder_.path() / "bus").string() +
                  "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                  "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                  "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{daemonProgram_, "--config-file=" + config.string(),
                                 "--print-address", "--nofork"},
        /*quiet=*/true);
    const auto address = daemon_->readLine();
    if (!address) return false;
    address_ = std::make_unique<ScopedEnvironment>("DBUS_SESSION_BUS_ADDRESS", *address);
    return true;
  }

  // The stand-in service with its options (--capabilities LIST, --refuse); true once it is
  // ready on the bus.
  bool startService(std::vector<std::string> options = {}) {
    options.insert(options.begin(), recorderProgram_);
    service_ = std::make_unique<ChildProcess>(options);
    return service_->readLine() == "ready";
  }

  bool stopService() {
    const bool finished = service_->finish();
    service_.reset();
    return finished;
  }

  // The next Notify call the service received; nullopt when none came in time.
  std::optional<Posted> nextPosted(std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto line = service_->readLine(patience);
    if (!line) return std::nullopt;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t blank; (blank = line->find(' ', start)) != std::string::npos;) {
      fields.push_back(percentDecoded(line->substr(start, blank - start)));
      start = blank + 1;
    }
    fields.push_back(percentDecoded(line->substr(start)));
    if (fields.size() != 4) return Posted{"malformed: " + *line, "", "", ""};
    return Posted{fields[0], fields[1], fields[2], fields[3]};
  }

 private:
  std::string daemonProgram_;
  std::string recorderProgram_;
  TempDir folder_;
  std::unique_ptr<ChildProcess> daemon_;
  std::unique_ptr<ChildProcess> service_;
  std::unique_ptr<ScopedEnvironment> address_;
};

}  // namespace tockary::testing
