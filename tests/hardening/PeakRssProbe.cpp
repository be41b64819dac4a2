// peak_rss_probe RESULT PROGRAM [ARG]...: runs PROGRAM as its only child,
// writes the child's peak resident size in KiB (ru_maxrss from wait4) to the
// file RESULT, and exits with the child's exit status, or 128 + the signal
// that ended it.
//
// A forked child's ru_maxrss starts at the resident size of the process it
// was forked from, so a test that forks the filter itself would measure its
// own pages too. This small program, exec'd fresh, has few pages to give.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

int main(int Argc, char** Argv) {
  if (Argc < 3) {
    std::fputs("usage: peak_rss_probe RESULT PROGRAM [ARG]...\n", stderr);
    return 125;
  }
  const pid_t Child = ::fork();
  if (Child < 0) return 125;
  if (Child == 0) {
    ::execv(Argv[2], Argv + 2);
    ::_exit(127);
  }
  int Status = 0;
  rusage Usage{};
  while (::wait4(Child, &Status, 0, &Usage) < 0)
    if (errno != EINTR) return 125;
  std::FILE* Result = std::fopen(Argv[1], "w");
  if (!Result || std::fprintf(Result, "%ld\n", Usage.ru_maxrss) < 0 ||
      std::fclose(Result) != 0)
    return 125;
  if (WIFEXITED(Status)) return WEXITSTATUS(Status);
  return 128 + WTERMSIG(Status);
}
