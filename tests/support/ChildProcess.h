// Runs a program as a child process the way a shell pipeline would: its
// standard input written from the test (possibly far more than fits in
// memory), its standard output caught, streamed to a checker or sent to a
// file, its standard error caught, and its exit status.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace TestSupport {

// Gives the next piece of standard input; an empty piece ends it.
using TInputSource = std::function<std::string_view()>;
// Receives standard output piece by piece.
using TOutputSink = std::function<void(std::string_view)>;

struct TChildRun {
  int ExitStatus = -1;  // when the process exited
  int Signal = 0;       // when a signal ended it
  std::string Stdout;   // unless a sink or a file took it
  std::string Stderr;
};

struct TChildLaunch {
  std::filesystem::path Program = {};
  std::vector<std::string> Args = {};
  std::filesystem::path Folder = {};  // where it runs
  TInputSource Input = {};            // none: empty standard input
  TOutputSink Output = {};            // none: caught into TChildRun::Stdout
  // Standard output written straight to this file (opened in Folder), as
  // `program > file` does, so that the program meets the file's own errors;
  // neither caught nor given to Output.
  std::filesystem::path OutputFile = {};
  std::optional<unsigned> Uid = {};  // run as this user and group (needs root)
};

TChildRun RunChild(const TChildLaunch& Launch);

// Standard input from one string.
TInputSource InputOf(std::string_view Bytes);

// A uid without privileges that can run programs here, or none when the
// tests do not run as root (then file permissions already bind them).
std::optional<unsigned> UnprivilegedUid();

}  // namespace TestSupport
