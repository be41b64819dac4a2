#include "PinyinProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Makes Fd the process's descriptor Target; used in the child only.
void Redirect(const char* Path, int Flags, int Target) {
  const int Fd = ::open(Path, Flags, 0644);
  if (Fd < 0 || ::dup2(Fd, Target) < 0) ::_exit(126);
  ::close(Fd);
}

}  // namespace

TTemporaryFolder::TTemporaryFolder() {
  std::string Template =
      (std::filesystem::temp_directory_path() / "pinyin-cli-XXXXXX").string();
  if (!::mkdtemp(Template.data()))
    throw std::runtime_error("cannot make a temporary folder");
  Folder = Template;
}

TTemporaryFolder::~TTemporaryFolder() {
  std::error_code Ignored;
  std::filesystem::remove_all(Folder, Ignored);
}

std::filesystem::path TTemporaryFolder::Write(const std::string& Name,
                                              const std::string& Bytes) const {
  const std::filesystem::path Path = Folder / Name;
  std::ofstream(Path, std::ios::binary) << Bytes;
  return Path;
}

std::string ReadFile(const std::filesystem::path& Path) {
  std::ifstream File(Path, std::ios::binary);
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  return Bytes.str();
}

TPinyinRun RunPinyin(const std::vector<std::string>& Args,
                     const std::string& Stdin,
                     const std::filesystem::path& Folder,
                     const std::string& StdoutPath) {
  // The streams go through files of their own, so that no pipe can fill up
  // and stall the child while the test waits for it.
  const TTemporaryFolder Streams;
  const std::string InPath = Streams.Write("stdin", Stdin).string();
  const std::string OutPath =
      StdoutPath.empty() ? (Streams.Path() / "stdout").string() : StdoutPath;
  const std::string ErrPath = (Streams.Path() / "stderr").string();

  std::vector<char*> Argv{const_cast<char*>(PINYIN_BINARY)};
  for (const std::string& Arg : Args)
    Argv.push_back(const_cast<char*>(Arg.c_str()));
  Argv.push_back(nullptr);

  const pid_t Child = ::fork();
  if (Child < 0) throw std::runtime_error("fork failed");
  if (Child == 0) {
    if (::chdir(Folder.c_str()) != 0) ::_exit(126);
    Redirect(InPath.c_str(), O_RDONLY, STDIN_FILENO);
    Redirect(OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    Redirect(ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
    ::execv(PINYIN_BINARY, Argv.data());
    ::_exit(127);
  }
  int Status = 0;
  while (::waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }

  TPinyinRun Run;
  if (StdoutPath.empty()) Run.Stdout = ReadFile(OutPath);
  Run.Stderr = ReadFile(ErrPath);
  if (WIFEXITED(Status)) Run.ExitStatus = WEXITSTATUS(Status);
  if (WIFSIGNALED(Status)) Run.Signal = WTERMSIG(Status);
  return Run;
}
