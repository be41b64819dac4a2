// The bad-input catalogue of the filter, run against the built binary: files
// that cannot be read or hold nothing, UTF-8 that is broken in each way it
// can be, byte order marks, NUL bytes, CR-only line ends and limits that do
// not fit an int. Each row gives the whole standard output, standard error
// and exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "SameBytes.h"
#include "TempFolder.h"

namespace {

using namespace std::string_literals;
using TestSupport::RunChild;
using TestSupport::TChildRun;
using TestSupport::TTempFolder;

const std::string TryHelp = "Try 'pinyin --help'.\n";
const std::string ByteOrderMark = "\xEF\xBB\xBF";

std::string Repeated(std::string_view Piece, std::size_t Times) {
  std::string Text;
  Text.reserve(Piece.size() * Times);
  for (std::size_t I = 0; I < Times; ++I) Text += Piece;
  return Text;
}

// Old six-byte forms were never UTF-8, but iconv still reads their lead
// byte as the start of a long sequence and waits for the rest. The unit is
// 7 bytes, which divides no read block size, so in a line of 2 MB some
// block end falls right after a lead byte: every byte must still come out
// as one unknown character, none lost and none read twice.
const std::string SixByteForm =
    "\xFC\x80\x80\x80\x80\x80"
    "a";
constexpr std::size_t SixByteForms = 300'000;  // 2.1 MB, one line

// Files in the folder the filter runs in.
void WriteInputFiles(const TTempFolder& Folder) {
  Folder.Write("han.txt", "汉字\n");
  Folder.Write("zhong.txt", "中国");  // no line feed at the end
  Folder.Write("empty.txt", "");
  std::filesystem::create_directory(Folder.Path() / "dir");
  Folder.Write("locked.txt", "秘密\n");
  ::chmod((Folder.Path() / "locked.txt").c_str(), 0);
  Folder.Write("cut-end.txt", "汉\xE6\xB1");  // 汉 and two bytes of 汉
  Folder.Write("cut-rest.txt", "\x89字\n");   // the byte they lack, and 字
  Folder.Write("bom.txt", ByteOrderMark + "中国\n");
  Folder.Write("bom-only.txt", ByteOrderMark);
  Folder.Write("utf16.txt",
               "\xFF\xFE"
               "a\0\n\0"s);
  Folder.Write("nul.txt", std::string(64 * 1024, '\0'));
  Folder.Write("cr-only.txt", "汉\r字\r中国\r");
  Folder.Write("six-byte-forms.txt", Repeated(SixByteForm, SixByteForms));
}

struct TCase {
  const char* Id;
  std::vector<std::string> Args = {};
  std::string Stdin = {};
  std::string Stdout = {};
  std::string Stderr = {};
  int Status = 0;
  bool Unprivileged = false;  // run as a user that file permissions bind
};

const TCase Cases[] = {
    // Files that hold nothing or cannot be read: the others are converted.
    {.Id = "an empty file gives no line of its own",
     .Args = {"han.txt", "empty.txt", "zhong.txt"},
     .Stdout = "han zi\nzhong guo\n"},
    {.Id = "an empty file gives no line in whole mode either",
     .Args = {"-w", "empty.txt", "han.txt", "empty.txt"},
     .Stdout = "han zi\n"},
    {.Id = "a device that is empty is an empty input",
     .Args = {"/dev/null", "han.txt"},
     .Stdout = "han zi\n"},
    {.Id = "a directory between two good files",
     .Args = {"han.txt", "dir", "zhong.txt"},
     .Stdout = "han zi\nzhong guo\n",
     .Stderr = "pinyin: dir: Is a directory\n",
     .Status = 1},
    {.Id = "a file without read permission between two good files",
     .Args = {"han.txt", "locked.txt", "zhong.txt"},
     .Stdout = "han zi\nzhong guo\n",
     .Stderr = "pinyin: locked.txt: Permission denied\n",
     .Status = 1,
     .Unprivileged = true},
    {.Id = "a missing file between two good files",
     .Args = {"han.txt", "missing.txt", "zhong.txt"},
     .Stdout = "han zi\nzhong guo\n",
     .Stderr = "pinyin: missing.txt: No such file or directory\n",
     .Status = 1},

    // Truncated UTF-8 at the end of an input: each byte one unknown
    // character, never completed by what a later input starts with.
    {.Id = "truncated UTF-8 at the end of standard input",
     .Args = {"-u"},
     .Stdin = "汉\xE6\xB1",
     .Stdout = "han ? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "truncated UTF-8 at the end in whole mode",
     .Args = {"-u", "-w"},
     .Stdin = "a\n汉\xE6",
     .Stdout = "ahan ?\n",
     .Stderr = "pinyin: -:2: invalid UTF-8\n",
     .Status = 1},
    {.Id = "a file's cut sequence is not completed by the next file",
     .Args = {"-u", "cut-end.txt", "cut-rest.txt"},
     .Stdout = "han ? ?\n? zi\n",
     .Stderr = "pinyin: cut-end.txt:1: invalid UTF-8\n"
               "pinyin: cut-rest.txt:1: invalid UTF-8\n",
     .Status = 1},

    // Forms that decode to a code point but are no UTF-8.
    {.Id = "overlong encodings",
     .Args = {"-u"},
     .Stdin = "a\xC0\xAF"
              "b\xE0\x80\xAF"
              "c\xF0\x80\x80\xAF"
              "d\xC1\xBF\n",
     .Stdout = "a? ? b? ? ? c? ? ? ? d? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "overlong NUL of modified UTF-8",
     .Args = {"-u", "-k"},
     .Stdin = "x\xC0\x80y\n",
     .Stdout = "x? ? y\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "encoded surrogates, lone and paired",
     .Args = {"-u"},
     .Stdin = "\xED\xA0\x80"
              "a\n\xED\xBF\xBF\n\xED\xA0\xBD\xED\xB8\x80\n",
     .Stdout = "? ? ? a\n? ? ?\n? ? ? ? ? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "beyond U+10FFFF and the old five- and six-byte forms",
     .Args = {"-u"},
     .Stdin = "\xF4\x90\x80\x80\n\xF8\x88\x80\x80\x80\xFC\x84\x80\x80\x80\x80\n"
              "\xFE\xFF\n",
     .Stdout = "? ? ? ?\n? ? ? ? ? ? ? ? ? ? ?\n? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "old six-byte forms cut by the ends of read blocks",
     .Args = {"-u", "six-byte-forms.txt"},
     .Stdout = Repeated("? ? ? ? ? ? a", SixByteForms) + "\n",
     .Stderr = "pinyin: six-byte-forms.txt:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "UTF-16 with its byte order mark is no UTF-8",
     .Args = {"-u", "utf16.txt"},
     .Stdout = "? ? a\n\n",
     .Stderr = "pinyin: utf16.txt:1: invalid UTF-8\n",
     .Status = 1},

    // Byte order marks: each input's own is dropped, any other is text.
    {.Id = "each file's byte order mark is dropped",
     .Args = {"-u", "bom.txt", "bom.txt"},
     .Stdout = "zhong guo\nzhong guo\n"},
    {.Id = "standard input after a file has its own byte order mark",
     .Args = {"-u", "bom.txt", "-"},
     .Stdin = ByteOrderMark + "汉",
     .Stdout = "zhong guo\nhan\n"},
    {.Id = "a file of only a byte order mark is empty",
     .Args = {"bom-only.txt", "han.txt"},
     .Stdout = "han zi\n"},
    {.Id = "a second byte order mark is a character GBK lacks",
     .Args = {"-u"},
     .Stdin = ByteOrderMark + ByteOrderMark + "a\n",
     .Stdout = "? a\n"},

    // NUL bytes are single-byte characters, in either encoding.
    {.Id = "a NUL after a GBK lead byte breaks the pair",
     .Args = {"-e", "gbk", "-u"},
     .Stdin = "\xBA\0\xBA\xBA\n"s,
     .Stdout = "han\n"},
    {.Id = "a NUL inside a UTF-8 sequence",
     .Args = {"-u"},
     .Stdin = "\xE6\0\xB1\n"s,
     .Stdout = "? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "a file of NULs only is one empty line",
     .Args = {"nul.txt"},
     .Stdout = "\n"},
    {.Id = "a file of NULs only, kept, is trimmed to an empty line",
     .Args = {"-k", "nul.txt"},
     .Stdout = "\n"},

    // CR-only line ends: a CR is text, so the file is one line.
    {.Id = "CR-only line ends make one line",
     .Args = {"cr-only.txt"},
     .Stdout = "han zi zhong guo\n"},
    {.Id = "CR-only line ends, kept",
     .Args = {"-k", "cr-only.txt"},
     .Stdout = "han \rzi \rzhong guo\n"},
    {.Id = "CR-only line ends in GBK",
     .Args = {"-e", "gbk"},
     .Stdin = "\xBA\xBA\r\xD7\xD6\r",
     .Stdout = "han zi\n"},

    // --max-len: every int is a limit; nothing beyond int wraps around.
    {.Id = "max length -1",
     .Args = {"--max-len=-1"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "\n\n"},
    {.Id = "max length of the most negative int",
     .Args = {"-n", "-2147483648"},
     .Stdin = "汉字\n",
     .Stdout = "\n"},
    {.Id = "max length 2^31-1 in whole mode",
     .Args = {"-w", "-n", "2147483647"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "han zi zhong guo\n"},
    {.Id = "max length 2^32 would wrap to 0",
     .Args = {"--max-len=4294967296"},
     .Stdin = "汉\n",
     .Stderr = "pinyin: max length out of range: '4294967296'\n" + TryHelp,
     .Status = 2},
    {.Id = "max length 2^32+255 would wrap to 255",
     .Args = {"-n", "4294967551"},
     .Stdin = "汉\n",
     .Stderr = "pinyin: max length out of range: '4294967551'\n" + TryHelp,
     .Status = 2},
    {.Id = "max length beyond 64 bits",
     .Args = {"-n", "99999999999999999999999"},
     .Stdin = "汉\n",
     .Stderr = "pinyin: max length out of range: '99999999999999999999999'\n" +
               TryHelp,
     .Status = 2},
    {.Id = "max length below int",
     .Args = {"-n", "-2147483649"},
     .Stdin = "汉\n",
     .Stderr = "pinyin: max length out of range: '-2147483649'\n" + TryHelp,
     .Status = 2},
    {.Id = "max length empty",
     .Args = {"--max-len="},
     .Stdin = "汉\n",
     .Stderr = "pinyin: invalid max length: ''\n" + TryHelp,
     .Status = 2},
};

class FilterCatalogue : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Folder = new TTempFolder;
    WriteInputFiles(*Folder);
  }
  static void TearDownTestSuite() {
    delete Folder;
    Folder = nullptr;
  }

  static TChildRun Run(const TCase& Case, std::optional<unsigned> Uid = {}) {
    return RunChild({.Program = PINYIN_BINARY,
                     .Args = Case.Args,
                     .Folder = Folder->Path(),
                     .Input = TestSupport::InputOf(Case.Stdin),
                     .Uid = Uid});
  }

  static TTempFolder* Folder;
};
TTempFolder* FilterCatalogue::Folder = nullptr;

TEST_F(FilterCatalogue, Cases) {
  for (const TCase& Case : Cases) {
    if (Case.Unprivileged) continue;  // in the test below
    SCOPED_TRACE(Case.Id);
    const TChildRun Run = FilterCatalogue::Run(Case);
    EXPECT_EQ(Run.Signal, 0);
    EXPECT_TRUE(Hardening::SameBytes(Run.Stdout, Case.Stdout));
    EXPECT_EQ(Run.Stderr, Case.Stderr);
    EXPECT_EQ(Run.ExitStatus, Case.Status);
  }
}

// A file without read permission only stops a user whom permissions bind:
// as root the filter runs as an unprivileged user.
TEST_F(FilterCatalogue, CasesWithoutPrivileges) {
  const std::optional<unsigned> Uid = TestSupport::UnprivilegedUid();
  const TChildRun Probe = Run({.Id = "version", .Args = {"--version"}}, Uid);
  if (Probe.ExitStatus != 0)
    GTEST_SKIP() << "the filter cannot be run as uid " << Uid.value_or(0)
                 << " here (exit status " << Probe.ExitStatus
                 << "): is its build folder closed to other users?";
  for (const TCase& Case : Cases) {
    if (!Case.Unprivileged) continue;
    SCOPED_TRACE(Case.Id);
    const TChildRun Run = FilterCatalogue::Run(Case, Uid);
    EXPECT_EQ(Run.Signal, 0);
    EXPECT_TRUE(Hardening::SameBytes(Run.Stdout, Case.Stdout));
    EXPECT_EQ(Run.Stderr, Case.Stderr);
    EXPECT_EQ(Run.ExitStatus, Case.Status);
  }
}

}  // namespace
