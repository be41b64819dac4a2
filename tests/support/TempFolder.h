// Files for the programs that the tests run: a folder of their own, and the
// bytes those programs leave behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace TestSupport {

// A fresh folder that any user may enter and read, removed with its contents
// at the end.
class TTempFolder {
 public:
  TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder();

  const std::filesystem::path& Path() const { return Folder; }
  // Writes Bytes to the file Name in the folder and returns its path.
  std::filesystem::path Write(const std::string& Name,
                              std::string_view Bytes) const;

 private:
  std::filesystem::path Folder;
};

// The whole content of a file; throws when it cannot be read.
std::string ReadFile(const std::filesystem::path& Path);

}  // namespace TestSupport
