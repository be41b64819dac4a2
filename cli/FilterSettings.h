// What the filter was asked to do: the encoding of its input and output, the
// conversion's mode and cut, and whether an input is one text or many lines.
#pragma once

#include <climits>

#include "IMCode.h"

namespace Cli {

enum class TEncoding { Utf8, Gbk };

// MaxLen when no -n is given. The cut counts bytes of one line's (or one
// input's) pinyin, and the core takes it as an int.
inline constexpr int NoMaxLen = INT_MAX;

struct TFilterSettings {
  TEncoding Encoding = TEncoding::Utf8;
  int Mode = IMCode::pyFullSyllable;  // the window's mode
  int MaxLen = NoMaxLen;
  bool Whole = false;  // each input is one text, not one text per line
};

}  // namespace Cli
