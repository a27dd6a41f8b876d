#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace tockary::testing {

// An xdg-email of the test's own, in `folder`: it keeps the arguments it was started with. Put
// the folder on the PATH, or hand program() to what starts it.
class FakeMailProgram {
 public:
  explicit FakeMailProgram(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    // NUL after each argument, since a body has line breaks; renamed into place when complete.
    writeFile(program(), "#!/bin/sh\nfor a; do printf '%s' \"$a\"; printf '\\000'; done > '" +
                             record().string() + ".part'\n/bin/mv '" + record().string() +
                             ".part' '" + record().string() + "'\n");
    std::filesystem::permissions(program(), std::filesystem::perms::owner_all);
  }

  std::filesystem::path program() const { return folder_ / "xdg-email"; }

  // The arguments of the latest start, once the detached program has kept them all (waiting up
  // to ten seconds); empty when it never ran. Each start is read once.
  std::vector<std::string> arguments() const {
    for (int wait = 0; wait < 1000 && !std::filesystem::exists(record()); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<std::string> kept;
    const std::string text = readFile(record());
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find('\0', start);
      kept.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    std::filesystem::remove(record());
    return kept;
  }

 private:
  std::filesystem::path record() const { return folder_ / "arguments"; }

  std::filesystem::path folder_;
};

}  // namespace tockary::testing
