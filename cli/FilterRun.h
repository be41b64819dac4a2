// The filter over its inputs: each FILE in turn, standard input for "-" or
// when there is none, with the messages and the exit status that a Unix
// filter gives for what it could not read.
#pragma once

#include <string>
#include <vector>

#include "FilterSettings.h"
#include "OutputBuffer.h"

namespace Cli {

// Converts every input to Output and returns the exit status: 0, or 1 when
// an input could not be opened or read, or held invalid UTF-8. Each problem
// is reported on standard error and the filter goes on with the next input.
// Throws what Output throws.
int RunFilter(const TFilterSettings& Settings,
              const std::vector<std::string>& Files, TOutputBuffer& Output);

}  // namespace Cli
