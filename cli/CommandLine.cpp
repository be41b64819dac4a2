#include "CommandLine.h"

#include <getopt.h>
#include <strings.h>

#include <charconv>
#include <cstdio>
#include <optional>

namespace Cli {
namespace {

constexpr std::string_view Help =
    "Usage: pinyin [OPTION]... [FILE]...\n"
    "Write the toneless Hanyu Pinyin of each FILE to standard output: one\n"
    "line of pinyin for each line of input.\n"
    "With no FILE, or when FILE is -, read standard input.\n"
    "\n"
    "  -e, --encoding=ENC   encoding of the input, utf-8 (the default) or gbk\n"
    "                       (also cp936); the output is in the same encoding\n"
    "  -i, --initials       first letter of each syllable only\n"
    "  -u, --mark-unknown   write \"?\" for a character without reading\n"
    "  -k, --keep           keep punctuation, spaces and every other\n"
    "                       single-byte character\n"
    "      --mode=N         the mode bits as one signed number: 1 whole\n"
    "                       syllables, 2 mark unknown, 4 keep; a negative N\n"
    "                       gives empty results; overrides -i, -u and -k\n"
    "  -n, --max-len=N      cut each result to N bytes before trimming it\n"
    "                       (default: no limit)\n"
    "  -w, --whole          convert each input as one text, as the window\n"
    "                       does; line breaks vanish unless kept\n"
    "  -h, --help           show this help and exit\n"
    "  -V, --version        show the version and exit\n"
    "\n"
    "Syllables are separated by one space, by two where a character has no\n"
    "reading; ASCII letters and digits pass through. Every result ends with\n"
    "a line feed. A UTF-8 byte order mark is dropped; characters that GBK\n"
    "cannot hold count as characters without reading.\n"
    "\n"
    "Lines are converted one by one and independently, so the work can be\n"
    "spread over all cores with GNU parallel:  parallel --pipe -k pinyin\n"
    "\n"
    "Exit status: 0 if all went well, 1 if a FILE could not be read or held\n"
    "invalid UTF-8, 2 for a bad option.\n";

constexpr std::string_view Version =
    "pinyin (Mivora Pinyin) " MIVORA_VERSION "\n";

enum : int { ModeOption = 256 };

const option LongOptions[] = {
    {"encoding", required_argument, nullptr, 'e'},
    {"initials", no_argument, nullptr, 'i'},
    {"mark-unknown", no_argument, nullptr, 'u'},
    {"keep", no_argument, nullptr, 'k'},
    {"mode", required_argument, nullptr, ModeOption},
    {"max-len", required_argument, nullptr, 'n'},
    {"whole", no_argument, nullptr, 'w'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

// A whole decimal int, or nothing: no blanks, no trailing text, nothing
// that would wrap around beyond the range of int.
std::optional<int> ParseInt(const char* Text, const char* What) {
  const std::string_view Digits(Text);
  int Value = 0;
  const auto [End, Error] =
      std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value);
  if (Error == std::errc::result_out_of_range) {
    std::fprintf(stderr, "pinyin: %s out of range: '%s'\n", What, Text);
    return std::nullopt;
  }
  if (Error != std::errc{} || End != Digits.data() + Digits.size() ||
      Digits.empty()) {
    std::fprintf(stderr, "pinyin: invalid %s: '%s'\n", What, Text);
    return std::nullopt;
  }
  return Value;
}

std::optional<TEncoding> ParseEncoding(const char* Name) {
  for (const char* Utf8 : {"utf-8", "utf8"})
    if (strcasecmp(Name, Utf8) == 0) return TEncoding::Utf8;
  for (const char* Gbk : {"gbk", "cp936"})
    if (strcasecmp(Name, Gbk) == 0) return TEncoding::Gbk;
  std::fprintf(stderr, "pinyin: unknown encoding: '%s' (use utf-8 or gbk)\n",
               Name);
  return std::nullopt;
}

TCommandLine UsageError() {
  std::fputs("Try 'pinyin --help'.\n", stderr);
  TCommandLine Command;
  Command.Action = TCommandLine::TAction::UsageError;
  return Command;
}

}  // namespace

TCommandLine ParseCommandLine(int Argc, char* const* Argv) {
  // getopt_long names the program by Argv[0] in its messages; give it the
  // filter's name, whatever path it was started by.
  static char ProgramName[] = "pinyin";
  std::vector<char*> Args{ProgramName};
  for (int I = 1; I < Argc; ++I) Args.push_back(Argv[I]);
  Args.push_back(nullptr);

  TCommandLine Command;
  TFilterSettings& Settings = Command.Settings;
  int FlagMode = IMCode::pyFullSyllable;
  std::optional<int> RawMode;
  optind = 0;  // start a fresh scan
  for (;;) {
    const int Option =
        getopt_long(static_cast<int>(Args.size() - 1), Args.data(),
                    "e:iukn:whV", LongOptions, nullptr);
    if (Option == -1) break;
    switch (Option) {
      case 'e': {
        const auto Encoding = ParseEncoding(optarg);
        if (!Encoding) return UsageError();
        Settings.Encoding = *Encoding;
        break;
      }
      case 'i':
        FlagMode &= ~IMCode::pyFullSyllable;
        break;
      case 'u':
        FlagMode |= IMCode::pyMarkUnknown;
        break;
      case 'k':
        FlagMode |= IMCode::pyKeepNonAlnum;
        break;
      case ModeOption:
        RawMode = ParseInt(optarg, "mode");
        if (!RawMode) return UsageError();
        break;
      case 'n': {
        const auto MaxLen = ParseInt(optarg, "max length");
        if (!MaxLen) return UsageError();
        Settings.MaxLen = *MaxLen;
        break;
      }
      case 'w':
        Settings.Whole = true;
        break;
      case 'h':
        Command.Action = TCommandLine::TAction::ShowHelp;
        return Command;
      case 'V':
        Command.Action = TCommandLine::TAction::ShowVersion;
        return Command;
      default:  // getopt_long has said what is wrong
        return UsageError();
    }
  }
  Settings.Mode = RawMode.value_or(FlagMode);
  for (int I = optind; I < static_cast<int>(Args.size() - 1); ++I)
    Command.Files.emplace_back(Args[I]);
  return Command;
}

std::string_view HelpText() { return Help; }
std::string_view VersionText() { return Version; }

}  // namespace Cli
