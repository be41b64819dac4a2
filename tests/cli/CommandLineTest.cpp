// The filter as a user meets it: command lines run against the built binary,
// each with its standard input, and the expected standard output, standard
// error and exit status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "IMCode.h"
#include "TempFolder.h"

namespace {

using namespace std::string_literals;
using TestSupport::TChildRun;
using TestSupport::TTempFolder;

const std::string TryHelp = "Try 'pinyin --help'.\n";

// Files in the folder the binary runs in. GBK bytes: 汉 BABA, 字 D7D6,
// 转 D7AA, 拼 C6B4, 音 D2F4, 中 D6D0, 国 B9FA.
void WriteInputFiles(const TTempFolder& Folder) {
  Folder.Write("gbk.txt",
               "\xBA\xBA\xD7\xD6\xD7\xAA\xC6\xB4\xD2\xF4\r\n"
               "\xD6\xD0\xB9\xFA\n");
  Folder.Write("utf8.txt", "汉字\n拼音");  // no line feed at the end
  Folder.Write("bad.txt", "ok\n汉\xFF字\n\xFF\n");
  Folder.Write("empty.txt", "");
  std::filesystem::create_directory(Folder.Path() / "sub");
}

struct TCase {
  const char* Id;
  std::vector<std::string> Args;
  std::string Stdin;
  std::string Stdout;
  std::string Stderr = {};
  int Status = 0;
  std::string StdoutPath = {};  // standard output goes there, not caught
};

const TCase Cases[] = {
    // Modes: the window's mode 1 by default, the flags, and --mode.
    {.Id = "whole syllables by default",
     .Args = {},
     .Stdin = "汉字转拼音\n",
     .Stdout = "han zi zhuan pin yin\n"},
    {.Id = "initials",
     .Args = {"-i"},
     .Stdin = "汉字转拼音\n",
     .Stdout = "h z z p y\n"},
    {.Id = "no reading leaves two spaces",
     .Args = {},
     .Stdin = "汉。字\n",
     .Stdout = "han  zi\n"},
    {.Id = "mark unknown",
     .Args = {"--mark-unknown"},
     .Stdin = "汉。字\n",
     .Stdout = "han ? zi\n"},
    {.Id = "initials and mark unknown combined",
     .Args = {"-iu"},
     .Stdin = "汉。字\n",
     .Stdout = "h ? z\n"},
    {.Id = "punctuation and spaces dropped",
     .Args = {},
     .Stdin = "Hello, 世界!\n",
     .Stdout = "Helloshi jie\n"},
    {.Id = "keep",
     .Args = {"--keep"},
     .Stdin = "Hello, 世界!\n",
     .Stdout = "Hello, shi jie !\n"},
    {.Id = "mode overrides a flag given after it",
     .Args = {"--mode=0", "-k"},
     .Stdin = "Hello, 世界!\n",
     .Stdout = "Hellos j\n"},
    {.Id = "mode overrides a flag given before it",
     .Args = {"-u", "--mode=5"},
     .Stdin = "汉。字\n",
     .Stdout = "han  zi\n"},
    {.Id = "mode bits above 4 are ignored",
     .Args = {"--mode=9"},
     .Stdin = "汉字\n",
     .Stdout = "han zi\n"},
    {.Id = "negative mode gives empty results",
     .Args = {"--mode=-1"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "\n\n"},

    // The cut, counted for each line before the trim.
    {.Id = "cut per line",
     .Args = {"-n", "3"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "han\nzho\n"},
    {.Id = "cut counts the spaces that the trim removes",
     .Args = {"--max-len=4"},
     .Stdin = "。。汉\n",
     .Stdout = "ha\n"},
    {.Id = "cut of zero", .Args = {"-n0"}, .Stdin = "汉字\n", .Stdout = "\n"},
    {.Id = "negative cut",
     .Args = {"-n", "-5"},
     .Stdin = "汉字\n",
     .Stdout = "\n"},
    {.Id = "largest cut",
     .Args = {"--max-len=2147483647"},
     .Stdin = "汉字\n",
     .Stdout = "han zi\n"},

    // Lines.
    {.Id = "CR LF belongs to the line break",
     .Args = {"-k"},
     .Stdin = "a b\r\nc\r\n",
     .Stdout = "a b\nc\n"},
    {.Id = "a lone CR is text, dropped",
     .Args = {},
     .Stdin = "a\rb\n",
     .Stdout = "ab\n"},
    {.Id = "a lone CR is text, kept",
     .Args = {"-k"},
     .Stdin = "a\rb\r\r\n",
     .Stdout = "a\rb\n"},
    {.Id = "last line without line feed",
     .Args = {},
     .Stdin = "汉字\n中国",
     .Stdout = "han zi\nzhong guo\n"},
    {.Id = "empty lines stay lines",
     .Args = {},
     .Stdin = "\n\r\n汉\n",
     .Stdout = "\n\nhan\n"},
    {.Id = "empty input gives no output",
     .Args = {},
     .Stdin = "",
     .Stdout = ""},
    {.Id = "NUL kept inside, trimmed at the end",
     .Args = {"-k"},
     .Stdin = "a\0b\0\n"s,
     .Stdout = "a\0b\n"s},
    {.Id = "NUL dropped", .Args = {}, .Stdin = "\0a\0\n"s, .Stdout = "a\n"},
    {.Id = "byte order mark dropped, never converted",
     .Args = {"-u"},
     .Stdin = "\xEF\xBB\xBF汉字\n",
     .Stdout = "han zi\n"},
    {.Id = "byte order mark only at the start of an input",
     .Args = {"-u"},
     .Stdin = "a\n\xEF\xBB\xBF"
              "b\n",
     .Stdout = "a\n? b\n"},
    {.Id = "byte order mark alone is an empty input",
     .Args = {},
     .Stdin = "\xEF\xBB\xBF",
     .Stdout = ""},
    {.Id = "start of a byte order mark is text",
     .Args = {"-u"},
     .Stdin = "\xEF\xBB",
     .Stdout = "? ?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},

    // Whole mode: one text per input, as the window converts its box.
    {.Id = "whole input as one text",
     .Args = {"-w"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "han zi zhong guo\n"},
    {.Id = "whole input keeps its line breaks under keep",
     .Args = {"-w", "-k"},
     .Stdin = "汉\r\n字\n",
     .Stdout = "han \r\nzi\n"},
    {.Id = "whole input with a cut",
     .Args = {"-w", "-n", "8"},
     .Stdin = "汉字\n中国\n",
     .Stdout = "han zi z\n"},
    {.Id = "whole mode on an empty input",
     .Args = {"--whole"},
     .Stdin = "",
     .Stdout = ""},
    {.Id = "whole mode gives one result for each file",
     .Args = {"-w", "utf8.txt", "utf8.txt"},
     .Stdin = "",
     .Stdout = "han zi pin yin\nhan zi pin yin\n"},

    // Encodings.
    {.Id = "GBK file in, GBK out",
     .Args = {"-e", "gbk", "gbk.txt"},
     .Stdin = "",
     .Stdout = "han zi zhuan pin yin\nzhong guo\n"},
    {.Id = "cp936 is GBK",
     .Args = {"--encoding=CP936"},
     .Stdin = "\xBA\xBA\xD7\xD6\n",
     .Stdout = "han zi\n"},
    {.Id = "GBK output keeps single bytes as they are",
     .Args = {"-e", "gbk", "-k"},
     .Stdin = "a\x80"
              "b\xBA\n",
     .Stdout = "a\x80"
               "b\xBA\n"},
    {.Id = "GBK input has no byte order mark: EF BB is a character",
     .Args = {"-e", "gbk", "-k"},
     .Stdin = "\xEF\xBB\xBF\n",
     .Stdout = IMCode::TextToPinyin("\xEF\xBB\xBF", 5, 255) + "\n"},
    {.Id = "UTF-8 output of kept bytes",
     .Args = {"-k"},
     .Stdin = "€ 汉，\n",
     .Stdout = "€ han ,\n"},
    {.Id = "characters outside GBK have no reading and raise no warning",
     .Args = {"-u"},
     .Stdin = "汉😀字𠀀\n",
     .Stdout = "han ? zi ?\n"},

    // Invalid UTF-8: each bad byte is a character without reading, one
    // warning for the input, the rest converted.
    {.Id = "invalid UTF-8 on standard input",
     .Args = {"-u"},
     .Stdin = "汉\n字\xFF\xFE中\n\xFF\n",
     .Stdout = "han\nzi ? ? zhong\n?\n",
     .Stderr = "pinyin: -:2: invalid UTF-8\n",
     .Status = 1},
    {.Id = "a sequence cut by the line break never joins the next line",
     .Args = {"-u"},
     .Stdin = "\xE6\xB1\n\x89\n",
     .Stdout = "? ?\n?\n",
     .Stderr = "pinyin: -:1: invalid UTF-8\n",
     .Status = 1},
    {.Id = "invalid UTF-8 in a file, warned once for each input",
     .Args = {"bad.txt", "utf8.txt", "bad.txt"},
     .Stdin = "",
     .Stdout = "ok\nhan  zi\n\nhan zi\npin yin\nok\nhan  zi\n\n",
     .Stderr = "pinyin: bad.txt:2: invalid UTF-8\n"
               "pinyin: bad.txt:2: invalid UTF-8\n",
     .Status = 1},

    {.Id = "invalid UTF-8 past the cut is still reported",
     .Args = {"-n", "1"},
     .Stdin = "汉\n字\xFF\n",
     .Stdout = "h\nz\n",
     .Stderr = "pinyin: -:2: invalid UTF-8\n",
     .Status = 1},
    {.Id = "invalid UTF-8 in whole mode is named by its line",
     .Args = {"-w", "-u"},
     .Stdin = "汉\n字\n\xFF\n",
     .Stdout = "han zi ?\n",
     .Stderr = "pinyin: -:3: invalid UTF-8\n",
     .Status = 1},

    // Files.
    {.Id = "a file that cannot be opened, then the next",
     .Args = {"missing.txt", "utf8.txt"},
     .Stdin = "",
     .Stdout = "han zi\npin yin\n",
     .Stderr = "pinyin: missing.txt: No such file or directory\n",
     .Status = 1},
    {.Id = "a directory cannot be read",
     .Args = {"sub", "empty.txt"},
     .Stdin = "",
     .Stdout = "",
     .Stderr = "pinyin: sub: Is a directory\n",
     .Status = 1},
    {.Id = "dash reads standard input among the files",
     .Args = {"utf8.txt", "-", "utf8.txt"},
     .Stdin = "中国",
     .Stdout = "han zi\npin yin\nzhong guo\nhan zi\npin yin\n"},
    {.Id = "double dash ends the options",
     .Args = {"--", "-n"},
     .Stdin = "",
     .Stdout = "",
     .Stderr = "pinyin: -n: No such file or directory\n",
     .Status = 1},

    // Bad options and values: nothing is read.
    {.Id = "max length not a number",
     .Args = {"-n", "abc"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: invalid max length: 'abc'\n" + TryHelp,
     .Status = 2},
    {.Id = "max length beyond int",
     .Args = {"--max-len=2147483648"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: max length out of range: '2147483648'\n" + TryHelp,
     .Status = 2},
    {.Id = "max length with trailing text",
     .Args = {"-n", "12k"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: invalid max length: '12k'\n" + TryHelp,
     .Status = 2},
    {.Id = "mode without a number",
     .Args = {"--mode="},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: invalid mode: ''\n" + TryHelp,
     .Status = 2},
    {.Id = "mode below int",
     .Args = {"--mode=-2147483649"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: mode out of range: '-2147483649'\n" + TryHelp,
     .Status = 2},
    {.Id = "unknown encoding",
     .Args = {"--encoding=latin1"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr =
         "pinyin: unknown encoding: 'latin1' (use utf-8 or gbk)\n" + TryHelp,
     .Status = 2},
    {.Id = "unknown option",
     .Args = {"-x", "utf8.txt"},
     .Stdin = "",
     .Stdout = "",
     .Stderr = "pinyin: invalid option -- 'x'\n" + TryHelp,
     .Status = 2},
    {.Id = "option without its value",
     .Args = {"-n"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: option requires an argument -- 'n'\n" + TryHelp,
     .Status = 2},
    {.Id = "flag with a value",
     .Args = {"--whole=yes"},
     .Stdin = "汉\n",
     .Stdout = "",
     .Stderr = "pinyin: option '--whole' doesn't allow an argument\n" + TryHelp,
     .Status = 2},

    // Help, version, and a failing output.
    {.Id = "version",
     .Args = {"-V"},
     .Stdin = "",
     .Stdout = "pinyin (Mivora Pinyin) 1.0.0\n"},
    {.Id = "a full disk is an error",
     .Args = {"utf8.txt"},
     .Stdin = "",
     .Stdout = "",
     .Stderr = "pinyin: write error: No space left on device\n",
     .Status = 1,
     .StdoutPath = "/dev/full"},
};

class CommandLine : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Folder = new TTempFolder;
    WriteInputFiles(*Folder);
  }
  static void TearDownTestSuite() {
    delete Folder;
    Folder = nullptr;
  }

  // Runs `pinyin Args...` in the folder of input files with Stdin as its
  // standard input; its standard output goes to StdoutPath when one is given.
  static TChildRun RunPinyin(const std::vector<std::string>& Args,
                             const std::string& Stdin,
                             const std::string& StdoutPath = {}) {
    return TestSupport::RunChild({.Program = PINYIN_BINARY,
                                  .Args = Args,
                                  .Folder = Folder->Path(),
                                  .Input = TestSupport::InputOf(Stdin),
                                  .OutputFile = StdoutPath});
  }

  static TTempFolder* Folder;
};
TTempFolder* CommandLine::Folder = nullptr;

TEST_F(CommandLine, Cases) {
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Id);
    const TChildRun Run = RunPinyin(Case.Args, Case.Stdin, Case.StdoutPath);
    EXPECT_EQ(Run.Stdout, Case.Stdout);
    EXPECT_EQ(Run.Stderr, Case.Stderr);
    EXPECT_EQ(Run.ExitStatus, Case.Status);
  }
}

TEST_F(CommandLine, HelpNamesEveryOption) {
  const TChildRun Run = RunPinyin({"--help"}, "");
  EXPECT_EQ(Run.ExitStatus, 0);
  EXPECT_EQ(Run.Stderr, "");
  EXPECT_TRUE(Run.Stdout.starts_with("Usage: pinyin [OPTION]... [FILE]...\n"));
  for (const char* Option :
       {"-e, --encoding=ENC", "-i, --initials", "-u, --mark-unknown",
        "-k, --keep", "--mode=N", "-n, --max-len=N", "-w, --whole",
        "-h, --help", "-V, --version", "parallel --pipe -k pinyin"}) {
    EXPECT_NE(Run.Stdout.find(Option), std::string::npos) << Option;
  }
}

// `pinyin big.txt | head -1`: once the reader has gone, the filter ends
// without a word on standard error, the way a filter that SIGPIPE kills does.
TEST_F(CommandLine, ClosedPipeEndsQuietly) {
  std::string Big;
  while (Big.size() < 8 * 1024 * 1024) Big += "汉字转拼音 Hello, 世界!\n";
  const std::string BigPath = Folder->Write("big.txt", Big).string();
  const std::string ErrPath = (Folder->Path() / "pipe-stderr").string();

  int Pipe[2];
  ASSERT_EQ(::pipe(Pipe), 0);
  const pid_t Child = ::fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    ::dup2(Pipe[1], STDOUT_FILENO);
    ::close(Pipe[0]);
    ::close(Pipe[1]);
    const int Err = ::open(ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(Err, STDERR_FILENO);
    // The test runner may ignore SIGPIPE; the filter must not rely on it.
    std::signal(SIGPIPE, SIG_IGN);
    ::execl(PINYIN_BINARY, PINYIN_BINARY, BigPath.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(Pipe[1]);
  char First[16];
  const ssize_t Got = ::read(Pipe[0], First, sizeof First);
  ASSERT_GT(Got, 0);
  EXPECT_TRUE(std::string_view("han zi zhuan pin yin Helloshi jie\n")
                  .starts_with(std::string_view(First, Got)));
  ::close(Pipe[0]);
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);

  EXPECT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGPIPE)
      << "wait status " << Status;
  EXPECT_EQ(TestSupport::ReadFile(ErrPath), "");
}

}  // namespace
