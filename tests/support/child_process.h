#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace tockary::testing {

// A program the test talks to through its standard input and output, such as a bus daemon or a
// stand-in service. It is killed when this goes, and by the system if the test process dies
// first, so that a failing test never leaves it behind.
class ChildProcess {
 public:
  // Starts `arguments` (the program's path first) in the current environment; standard error is
  // kept, or thrown away when `quiet`.
  explicit ChildProcess(const std::vector<std::string>& arguments, bool quiet = false) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
      ::close(in[0]);
      ::close(in[1]);
      return;
    }
    // Everything the child needs is made before fork: after it, only exec-safe calls.
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int devnull = quiet ? ::open("/dev/null", O_WRONLY | O_CLOEXEC) : -1;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::dup2(in[0], STDIN_FILENO);
      ::dup2(out[1], STDOUT_FILENO);
      if (devnull >= 0) ::dup2(devnull, STDERR_FILENO);
      ::execve(argv[0], argv.data(), environ);
      ::_exit(127);
    }
    if (devnull >= 0) ::close(devnull);
    ::close(in[0]);
    ::close(out[1]);
    input_ = in[1];
    output_ = out[0];
  }

  ~ChildProcess() {
    closeInput();
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) ::close(output_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of its standard output without the line break; nullopt when the output ends
  // or nothing comes within `patience`.
  std::optional<std::string> readLine(
      std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (true) {
      if (const auto end = buffer_.find('\n'); end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          giveUp - std::chrono::steady_clock::now());
      pollfd ready{output_, POLLIN, 0};
      if (output_ < 0 || left.count() <= 0 ||
          ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
        return std::nullopt;
      }
      char chunk[4096];
      const ssize_t got = ::read(output_, chunk, sizeof chunk);
      if (got <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<std::size_t>(got));
    }
  }

  // Closes its standard input, which tells a stand-in to end.
  void closeInput() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }

  // Waits for it to end (after closeInput()); false when it had to be killed after `patience`.
  bool finish(std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    closeInput();
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (pid_ > 0 && std::chrono::steady_clock::now() < giveUp) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return true;
      }
      ::usleep(10'000);
    }
    return pid_ <= 0;
  }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string buffer_;
};

}  // namespace tockary::testing
