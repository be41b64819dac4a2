// The filter's command line: `pinyin [OPTION]... [FILE]...`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FilterSettings.h"

namespace Cli {

struct TCommandLine {
  enum class TAction { Convert, ShowHelp, ShowVersion, UsageError };
  TAction Action = TAction::Convert;
  TFilterSettings Settings;
  std::vector<std::string> Files;  // empty: standard input
};

// Reads the options and the FILE names. A bad option or value is reported
// on standard error, with the hint to --help, and gives UsageError.
TCommandLine ParseCommandLine(int Argc, char* const* Argv);

std::string_view HelpText();
std::string_view VersionText();

}  // namespace Cli
