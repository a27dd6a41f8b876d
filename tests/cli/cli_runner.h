#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace tockary::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the real `tockary` binary with standard input closed and TZ=UTC.
inline CliRun runTockary(const std::vector<std::string>& arguments,
                         const std::filesystem::path& scratch) {
  const auto outFile = scratch / "stdout.txt";
  const auto errFile = scratch / "stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::vector<std::string> args{TOCKARY_CLI};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  CliRun run;
  if (posix_spawn(&pid, TOCKARY_CLI, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = readFile(outFile);
  run.err = readFile(errFile);
  return run;
}

// What a run printed with --json, parsed; a parse failure fails the test and gives null.
inline nlohmann::ordered_json parsedJson(const CliRun& run) {
  try {
    return nlohmann::ordered_json::parse(run.out);
  } catch (const nlohmann::json::exception& e) {
    ADD_FAILURE() << "not JSON: " << e.what() << "\n" << run.out;
    return nullptr;
  }
}

// A run refused as bad input: exit status 2, nothing printed, one line on standard error.
inline void expectRefusal(const CliRun& run, const std::string& line) {
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tockary: " + line + "\n");
}

// A fresh data dir per test; tockary() runs the binary on it.
class CliTest : public ::testing::Test {
 protected:
  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string()});
    return runTockary(arguments, scratch.path());
  }
  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
};

}  // namespace tockary::testing
