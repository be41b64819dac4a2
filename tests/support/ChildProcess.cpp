#include "ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <system_error>

namespace TestSupport {
namespace {

[[noreturn]] void Fail(const char* What) {
  throw std::system_error(errno, std::generic_category(), What);
}

struct TPipe {
  int Read = -1, Write = -1;
  TPipe() {
    int Fds[2];
    if (::pipe2(Fds, O_CLOEXEC) != 0) Fail("pipe2");
    Read = Fds[0];
    Write = Fds[1];
  }
};

void CloseFd(int& Fd) {
  if (Fd >= 0) ::close(Fd);
  Fd = -1;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void StartChild(const TChildLaunch& Launch, char* const* Argv,
                             const TPipe& In, const TPipe& Out,
                             const TPipe& Err) {
  if (!Launch.Folder.empty() && ::chdir(Launch.Folder.c_str()) != 0)
    ::_exit(127);
  int OutFd = Out.Write;
  if (!Launch.OutputFile.empty()) {
    OutFd = ::open(Launch.OutputFile.c_str(),
                   O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (OutFd < 0) ::_exit(127);
  }
  if (::dup2(In.Read, STDIN_FILENO) < 0 || ::dup2(OutFd, STDOUT_FILENO) < 0 ||
      ::dup2(Err.Write, STDERR_FILENO) < 0)
    ::_exit(127);
  if (Launch.Uid) {
    const gid_t Gid = *Launch.Uid;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(Gid, Gid, Gid) != 0 ||
        ::setresuid(*Launch.Uid, *Launch.Uid, *Launch.Uid) != 0)
      ::_exit(126);
  }
  ::signal(SIGPIPE, SIG_DFL);
  ::execv(Argv[0], Argv);
  ::_exit(127);
}

}  // namespace

TChildRun RunChild(const TChildLaunch& Launch) {
  std::vector<std::string> Words{Launch.Program.string()};
  Words.insert(Words.end(), Launch.Args.begin(), Launch.Args.end());
  std::vector<char*> Argv;
  for (std::string& Word : Words) Argv.push_back(Word.data());
  Argv.push_back(nullptr);

  TPipe In, Out, Err;
  const pid_t Pid = ::fork();
  if (Pid < 0) Fail("fork");
  if (Pid == 0) StartChild(Launch, Argv.data(), In, Out, Err);
  CloseFd(In.Read);
  CloseFd(Out.Write);
  CloseFd(Err.Write);
  // The child may stop reading early (an error, a closed pipe): writing to
  // its input must give EPIPE, not kill the test.
  struct sigaction Ignore {
  }, Previous{};
  Ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &Ignore, &Previous);
  ::fcntl(In.Write, F_SETFL, O_NONBLOCK);

  TChildRun Run;
  std::string_view Pending = Launch.Input ? Launch.Input() : std::string_view{};
  if (Pending.empty()) CloseFd(In.Write);
  char Buffer[64 * 1024];
  while (In.Write >= 0 || Out.Read >= 0 || Err.Read >= 0) {
    pollfd Fds[3] = {
        {In.Write, POLLOUT, 0}, {Out.Read, POLLIN, 0}, {Err.Read, POLLIN, 0}};
    if (::poll(Fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      Fail("poll");
    }
    if (Fds[0].revents) {
      const ssize_t Written = ::write(In.Write, Pending.data(), Pending.size());
      if (Written < 0 && errno != EAGAIN && errno != EINTR) {
        CloseFd(In.Write);  // the child has closed its input
      } else if (Written > 0) {
        Pending.remove_prefix(static_cast<std::size_t>(Written));
        if (Pending.empty()) Pending = Launch.Input();
        if (Pending.empty()) CloseFd(In.Write);
      }
    }
    for (int Which : {1, 2}) {
      if (!Fds[Which].revents) continue;
      int& Fd = Which == 1 ? Out.Read : Err.Read;
      const ssize_t Got = ::read(Fd, Buffer, sizeof Buffer);
      if (Got < 0 && errno == EINTR) continue;
      if (Got <= 0) {
        CloseFd(Fd);
        continue;
      }
      const std::string_view Piece(Buffer, static_cast<std::size_t>(Got));
      if (Which == 2)
        Run.Stderr.append(Piece);
      else if (Launch.Output)
        Launch.Output(Piece);
      else
        Run.Stdout.append(Piece);
    }
  }
  ::sigaction(SIGPIPE, &Previous, nullptr);

  int Status = 0;
  while (::waitpid(Pid, &Status, 0) < 0)
    if (errno != EINTR) Fail("waitpid");
  if (WIFEXITED(Status)) Run.ExitStatus = WEXITSTATUS(Status);
  if (WIFSIGNALED(Status)) Run.Signal = WTERMSIG(Status);
  return Run;
}

TInputSource InputOf(std::string_view Bytes) {
  return [Bytes, Given = false]() mutable {
    if (Given) return std::string_view{};
    Given = true;
    return Bytes;
  };
}

std::optional<unsigned> UnprivilegedUid() {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* Nobody = ::getpwnam("nobody");
  return Nobody ? Nobody->pw_uid : 65534u;
}

}  // namespace TestSupport
