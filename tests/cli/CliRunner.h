// Runs the built kiv4cli program as a child process and collects what it
// printed and how it ended.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kiv::test {

struct CliResult {
  int status = -1;  // exit status; 128 + signal number when it was killed
  std::string out;
  std::string err;
};

// Runs kiv4cli with the arguments in the working directory `cwd`, standard
// input from /dev/null; with stdoutClosed, standard output is not open at all.
// `inChild` runs in the child just before the program starts (to drop
// privileges or set limits).
// The rest of the line after the first `label` in a report, or "(none)".
inline std::string valueAfter(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  if (at == std::string::npos) return "(none)";
  const auto start = at + label.size();
  return text.substr(start, text.find('\n', start) - start);
}

// The same with another copy of the program (see CliFaultTest).
inline CliResult runCliProgram(const std::string& programPath, const std::vector<std::string>& args,
                               const std::filesystem::path& cwd, bool stdoutClosed,
                               const std::function<void()>& inChild);

inline CliResult runCli(const std::vector<std::string>& args, const std::filesystem::path& cwd = ".",
                        bool stdoutClosed = false, const std::function<void()>& inChild = {}) {
  return runCliProgram(KIV4CLI_PATH, args, cwd, stdoutClosed, inChild);
}

inline CliResult runCliProgram(const std::string& programPath, const std::vector<std::string>& args,
                               const std::filesystem::path& cwd, bool stdoutClosed,
                               const std::function<void()>& inChild) {
  int outPipe[2];
  int errPipe[2];
  CliResult result;
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return result;

  // The arguments are laid out before the fork: tests start commands from
  // several threads, and a child must not allocate (another thread may
  // have held the allocator's lock at the fork).
  std::string program = programPath;
  std::vector<std::string> copies(args);
  std::vector<char*> argv;
  argv.push_back(program.data());
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(126);
    const int in = open("/dev/null", O_RDONLY);
    dup2(in, STDIN_FILENO);
    if (stdoutClosed) {
      close(STDOUT_FILENO);
    } else {
      dup2(outPipe[1], STDOUT_FILENO);
    }
    dup2(errPipe[1], STDERR_FILENO);
    close(outPipe[0]);
    close(errPipe[0]);
    if (inChild) inChild();
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);

  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  char buf[4096];
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  if (WIFEXITED(wstatus)) {
    result.status = WEXITSTATUS(wstatus);
  } else if (WIFSIGNALED(wstatus)) {
    result.status = 128 + WTERMSIG(wstatus);
  }
  return result;
}

}  // namespace kiv::test
