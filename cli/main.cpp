// pinyin: the command-line filter of Mivora Pinyin. Reads Chinese text from
// files or standard input and writes its toneless Hanyu Pinyin.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>

#include "CommandLine.h"
#include "FilterRun.h"
#include "OutputBuffer.h"

int main(int Argc, char** Argv) {
  using Cli::TCommandLine;
  // A closed pipe shows up as EPIPE from write, which ends the filter below.
  std::signal(SIGPIPE, SIG_IGN);
  Cli::TOutputBuffer Output(STDOUT_FILENO);
  try {
    const TCommandLine Command = Cli::ParseCommandLine(Argc, Argv);
    switch (Command.Action) {
      case TCommandLine::TAction::UsageError:
        return 2;
      case TCommandLine::TAction::ShowHelp:
        Output.Append(Cli::HelpText());
        Output.Flush();
        return 0;
      case TCommandLine::TAction::ShowVersion:
        Output.Append(Cli::VersionText());
        Output.Flush();
        return 0;
      case TCommandLine::TAction::Convert:
        return Cli::RunFilter(Command.Settings, Command.Files, Output);
    }
  } catch (const Cli::TOutputClosed&) {
    // The reader has all it wanted: end without a word, the way a filter
    // killed by SIGPIPE does, so that the shell sees the usual status.
    std::signal(SIGPIPE, SIG_DFL);
    std::raise(SIGPIPE);
    return 1;
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "pinyin: %s\n", Error.what());
    return 1;
  }
  return 1;
}
