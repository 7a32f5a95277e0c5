#include "tests/support/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace {

// Both ends of a pipe, closed when the object goes.
struct TPipe {
  int Read = -1;
  int Write = -1;
  TPipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    Read = fds[0];
    Write = fds[1];
  }
  ~TPipe() {
    CloseRead();
    CloseWrite();
  }
  TPipe(const TPipe&) = delete;
  TPipe& operator=(const TPipe&) = delete;
  void CloseRead() {
    if (Read >= 0) close(Read);
    Read = -1;
  }
  void CloseWrite() {
    if (Write >= 0) close(Write);
    Write = -1;
  }
};

// Writing to a command that has stopped reading must not end the test program: SIGPIPE is
// blocked in this thread while the input is written, and a pending one is taken away after.
class TSigPipeBlock {
 public:
  TSigPipeBlock() {
    sigemptyset(&pipeOnly_);
    sigaddset(&pipeOnly_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
  }
  ~TSigPipeBlock() {
    if (!wasPending_) {
      const timespec zero{};
      while (sigtimedwait(&pipeOnly_, nullptr, &zero) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  TSigPipeBlock(const TSigPipeBlock&) = delete;
  TSigPipeBlock& operator=(const TSigPipeBlock&) = delete;

 private:
  sigset_t pipeOnly_;
  sigset_t previous_;
  bool wasPending_ = false;
};

// Appends what is ready on fd to `out`; false at the end of the data.
bool Drain(int fd, std::string& out) {
  char buffer[65536];
  ssize_t n = read(fd, buffer, sizeof buffer);
  if (n > 0) {
    out.append(buffer, size_t(n));
    return true;
  }
  return n < 0 && (errno == EINTR || errno == EAGAIN);
}

}  // namespace

TCommandResult RunCommand(const std::string& commandLine, const std::string& input, TErrorOutput errors) {
  TPipe in, out, err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in.Read, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out.Write, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors == TErrorOutput::Merged ? out.Write : err.Write, STDERR_FILENO);
  const char* argv[] = {"/bin/sh", "-c", commandLine.c_str(), nullptr};
  pid_t pid = -1;
  int spawned = posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start /bin/sh: " + std::string(std::strerror(spawned)));
  in.CloseRead();
  out.CloseWrite();
  err.CloseWrite();

  TCommandResult result;
  {
    TSigPipeBlock sigPipeBlocked;
    size_t written = 0;
    if (input.empty()) in.CloseWrite();
    else fcntl(in.Write, F_SETFL, O_NONBLOCK);
    while (out.Read >= 0 || err.Read >= 0) {
      pollfd fds[3] = {{out.Read, POLLIN, 0}, {err.Read, POLLIN, 0}, {in.Write, POLLOUT, 0}};
      if (poll(fds, 3, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (fds[0].revents && !Drain(out.Read, result.Output)) out.CloseRead();
      if (fds[1].revents && !Drain(err.Read, result.Errors)) err.CloseRead();
      if (fds[2].revents) {
        ssize_t n = (fds[2].revents & POLLOUT) ? write(in.Write, input.data() + written, input.size() - written) : -1;
        if (n > 0) written += size_t(n);
        // The command took all of it, or stopped reading (EPIPE, POLLERR): it gets no more.
        if (written == input.size() || (n < 0 && errno != EAGAIN && errno != EINTR)) in.CloseWrite();
      }
    }
    in.CloseWrite();
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string RunTool(const std::string& commandLine, const std::string& input) {
  TCommandResult r = RunCommand(commandLine, input, TErrorOutput::Separate);
  if (r.ExitCode != 0)
    throw std::runtime_error(commandLine + ": exit code " + std::to_string(r.ExitCode) + ": " + r.Errors.substr(0, 400));
  return r.Output;
}

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
