#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace TestSupport {

TTempFolder::TTempFolder() {
  std::string Template =
      (std::filesystem::temp_directory_path() / "mivora-test-XXXXXX").string();
  if (!::mkdtemp(Template.data()))
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  Folder = Template;
  // Open to every user, so that a child run without privileges can enter it.
  std::filesystem::permissions(Folder, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec |
                                           std::filesystem::perms::others_read |
                                           std::filesystem::perms::others_exec);
}

TTempFolder::~TTempFolder() {
  std::error_code Ignored;
  std::filesystem::remove_all(Folder, Ignored);
}

std::filesystem::path TTempFolder::Write(const std::string& Name,
                                         std::string_view Bytes) const {
  const std::filesystem::path Path = Folder / Name;
  std::ofstream File(Path, std::ios::binary);
  File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  if (!File) throw std::runtime_error("cannot write " + Path.string());
  return Path;
}

std::string ReadFile(const std::filesystem::path& Path) {
  std::ifstream File(Path, std::ios::binary);
  if (!File) throw std::runtime_error("cannot read " + Path.string());
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  return Bytes.str();
}

}  // namespace TestSupport
