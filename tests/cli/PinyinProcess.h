// Runs the built `pinyin` binary the way a shell would: arguments, a folder
// to run in, standard input from bytes, standard output and error caught.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct TPinyinRun {
  std::string Stdout;
  std::string Stderr;
  int ExitStatus = -1;  // when the process exited
  int Signal = 0;       // when a signal ended it
};

// Runs `pinyin Args...` in Folder with Stdin as its standard input. Its
// standard output goes to StdoutPath when one is given (and is then not
// caught), else it is caught like standard error.
TPinyinRun RunPinyin(const std::vector<std::string>& Args,
                     const std::string& Stdin,
                     const std::filesystem::path& Folder,
                     const std::string& StdoutPath = {});

// A fresh folder under the system's temporary folder, removed with its
// contents at the end.
class TTemporaryFolder {
 public:
  TTemporaryFolder();
  TTemporaryFolder(const TTemporaryFolder&) = delete;
  TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
  ~TTemporaryFolder();

  const std::filesystem::path& Path() const { return Folder; }
  // Writes Bytes to the file Name in the folder and returns its path.
  std::filesystem::path Write(const std::string& Name,
                              const std::string& Bytes) const;

 private:
  std::filesystem::path Folder;
};

std::string ReadFile(const std::filesystem::path& Path);
