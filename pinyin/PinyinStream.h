// The streaming form of TextToPinyin, for texts that arrive in blocks and
// may be far larger than memory: one text is fed block by block and its
// pinyin goes to a sink as it is made.
//
// Feeding a text in blocks of any sizes and calling Finish gives the sink
// exactly the bytes of TextToPinyin(text, Mode, MaxLen): a double-byte
// character split between two blocks is joined, the MaxLen cut counts across
// blocks, and blanks at the end are held back until it is known whether
// anything follows them. TextToPinyin itself is this stream fed once.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace IMCode {

namespace Detail {
struct TModeTexts;
}

// Receives the pinyin of the text in pieces, in order.
using TPinyinSink = std::function<void(std::string_view)>;

// Holds the blanks (bytes 0x20 and below) that stand at the end of the pinyin
// so far: they go to the sink only when a byte above 0x20 follows them, and
// are dropped when the text ends. A run longer than the in-memory limit goes
// on in an anonymous temporary file, so a text of blanks only never makes
// memory grow.
class TBlankHold {
 public:
  TBlankHold() = default;
  TBlankHold(const TBlankHold&) = delete;
  TBlankHold& operator=(const TBlankHold&) = delete;
  ~TBlankHold();

  void Add(std::string_view Blanks);
  void ReleaseTo(const TPinyinSink& Sink);
  void Drop();
  bool Empty() const { return Memory.empty() && Spilled == 0; }

 private:
  static constexpr std::size_t MemoryLimit = 1 << 20;
  std::string Memory;
  std::FILE* SpillFile = nullptr;
  std::uint64_t Spilled = 0;
};

class TPinyinStream {
 public:
  // A MaxLen that never cuts: unlike any int, it also holds for a text whose
  // pinyin exceeds 2 GiB.
  static constexpr std::int64_t NoLimit = INT64_MAX;

  // MaxLen takes the values of TextToPinyin's MaxLen, and NoLimit.
  TPinyinStream(int Mode, std::int64_t MaxLen, TPinyinSink Sink);

  // Converts the next block of the current text.
  void Feed(std::string_view Block);

  // Ends the current text: a byte left over from the last block counts as a
  // single-byte character, trailing blanks are dropped, and the stream is
  // ready for the next text with the same Mode and MaxLen.
  void Finish();

  // True once the MaxLen cut has been reached: the rest of the current text
  // cannot change the result, so a caller may skip it until Finish.
  bool LimitReached() const { return Remaining <= 0; }

 private:
  void Emit(const char* Joined, std::size_t Length);
  void ConvertBlock(const unsigned char* Bytes, std::size_t Length, bool AtEnd,
                    std::size_t* Consumed);

  int Mode;
  std::int64_t MaxLen;
  TPinyinSink Sink;
  std::int64_t Remaining;     // bytes of joined text the cut still allows
  bool SeenNonBlank = false;  // the leading trim is over
  bool HasCarry = false;      // a possible lead byte ends the last block
  unsigned char Carry = 0;
  TBlankHold Held;
  const Detail::TModeTexts* Texts;  // prepared once for the text's mode
};

}  // namespace IMCode
