// What the filter was asked to do: the encoding of its input and output, the
// conversion's mode and cut, and whether an input is one text or many lines.
#pragma once

#include <cstdint>

#include "IMCode.h"
#include "PinyinStream.h"

namespace Cli {

enum class TEncoding { Utf8, Gbk };

// MaxLen when no -n is given: no cut at all, also for an input whose pinyin
// exceeds what an int counts. The cut counts bytes of one line's (or one
// input's) pinyin.
inline constexpr std::int64_t NoMaxLen = IMCode::TPinyinStream::NoLimit;

struct TFilterSettings {
  TEncoding Encoding = TEncoding::Utf8;
  int Mode = IMCode::pyFullSyllable;  // the window's mode
  std::int64_t MaxLen = NoMaxLen;
  bool Whole = false;  // each input is one text, not one text per line
};

}  // namespace Cli
