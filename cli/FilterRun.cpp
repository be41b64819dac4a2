#include "FilterRun.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "PinyinFilter.h"

namespace Cli {
namespace {

constexpr std::size_t ReadBlockBytes = 256 * 1024;

// Closes an input also when the output throws.
class TInputFile {
 public:
  explicit TInputFile(int Fd) : Fd(Fd) {}
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;
  ~TInputFile() {
    if (Fd >= 0) ::close(Fd);
  }
  int Get() const { return Fd; }

 private:
  int Fd;
};

void ReportProblem(const std::string& Name, const char* What) {
  std::fprintf(stderr, "pinyin: %s: %s\n", Name.c_str(), What);
}

void ReportInvalidUtf8(const std::string& Name, std::uint64_t Line) {
  std::fprintf(stderr, "pinyin: %s:%llu: invalid UTF-8\n", Name.c_str(),
               static_cast<unsigned long long>(Line));
}

// Converts the input open on Fd. Returns false when it could not be read to
// its end or held invalid UTF-8; what was read is converted all the same.
bool FilterInput(int Fd, const std::string& Name,
                 const TFilterSettings& Settings, TOutputBuffer& Output,
                 char* Block) {
  TPinyinFilter Filter(
      Settings, [&Output](std::string_view Piece) { Output.Append(Piece); });
  bool Ok = true;
  for (;;) {
    const ssize_t Got = ::read(Fd, Block, ReadBlockBytes);
    if (Got < 0) {
      if (errno == EINTR) continue;
      ReportProblem(Name, std::strerror(errno));
      Ok = false;
      break;
    }
    if (Got == 0) break;
    const bool WasValid = Filter.FirstInvalidLine() == 0;
    Filter.Feed(std::string_view(Block, static_cast<std::size_t>(Got)));
    if (WasValid && Filter.FirstInvalidLine() != 0)
      ReportInvalidUtf8(Name, Filter.FirstInvalidLine());
    // Each block's pinyin goes out at once, so that a filter reading from a
    // terminal or a slow pipe answers line by line.
    Output.Flush();
  }
  const bool WasValid = Filter.FirstInvalidLine() == 0;
  Filter.Finish();
  if (WasValid && Filter.FirstInvalidLine() != 0)
    ReportInvalidUtf8(Name, Filter.FirstInvalidLine());
  return Ok && Filter.FirstInvalidLine() == 0;
}

}  // namespace

int RunFilter(const TFilterSettings& Settings,
              const std::vector<std::string>& Files, TOutputBuffer& Output) {
  const std::vector<std::string> StandardInput{"-"};
  const std::vector<std::string>& Inputs =
      Files.empty() ? StandardInput : Files;
  const auto Block = std::make_unique<char[]>(ReadBlockBytes);
  int Status = 0;
  for (const std::string& Name : Inputs) {
    if (Name == "-") {
      if (!FilterInput(STDIN_FILENO, Name, Settings, Output, Block.get()))
        Status = 1;
      continue;
    }
    const TInputFile File(::open(Name.c_str(), O_RDONLY | O_CLOEXEC));
    if (File.Get() < 0) {
      ReportProblem(Name, std::strerror(errno));
      Status = 1;
      continue;
    }
    ::posix_fadvise(File.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    if (!FilterInput(File.Get(), Name, Settings, Output, Block.get()))
      Status = 1;
  }
  Output.Flush();
  return Status;
}

}  // namespace Cli
