// The UTF-8/GBK layer on glibc's iconv. iconv stops at the first byte it
// cannot convert (and //IGNORE may stop early too), so both converters call
// it piecewise: convert up to the fault, replace the faulty bytes, go on.
#include "GBKEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "Utf8Sequence.h"

namespace IMCode {
namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view Text) {
  unsigned char Any = 0;
  for (const char C : Text) Any |= static_cast<unsigned char>(C);
  return Any < 0x80;
}

iconv_t OpenConverter(const char* To, const char* From) {
  const iconv_t Handle = iconv_open(To, From);
  if (Handle == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error(std::string("iconv cannot convert from ") + From +
                             " to " + To + ": " + std::strerror(errno));
  return Handle;
}

// What to do with the bytes at which iconv stopped.
struct TFault {
  std::size_t Skip;              // bytes to step over
  std::string_view Replacement;  // what stands for them
};

// glibc's iconv converts in two steps through an internal form, and after a
// fault it redoes the first step for all that is left of its input: a text
// with many faults would cost time in proportion to the square of its size.
// So iconv gets the input in windows, small ones right after a fault,
// growing again while the text converts cleanly.
constexpr std::size_t SmallWindow = 64;
constexpr std::size_t LargeWindow = 64 * 1024;

// Converts Input into Output as far as it goes. A sequence that is cut by
// the end of Input is left unread unless AtEnd; everything else is
// converted or replaced by OnFault. Returns the bytes read.
template <typename Classify>
std::size_t ConvertSpan(iconv_t Handle, std::string_view Input,
                        std::string& Output, bool AtEnd, std::size_t MaxGrowth,
                        Classify&& OnFault) {
  char* In = const_cast<char*>(Input.data());
  std::size_t InLeft = Input.size();
  std::size_t Written = Output.size();
  const auto MakeRoom = [&Output, &Written](std::size_t Bytes) {
    if (Output.size() - Written < Bytes) Output.resize(Written + Bytes);
  };
  std::size_t Window = LargeWindow;

  while (InLeft > 0) {
    const std::size_t Chunk = std::min(InLeft, Window);
    const bool ChunkIsRest = Chunk == InLeft;
    MakeRoom(Chunk * MaxGrowth + 16);
    char* Out = Output.data() + Written;
    std::size_t OutLeft = Output.size() - Written;
    std::size_t ChunkLeft = Chunk;
    const std::size_t Result = iconv(Handle, &In, &ChunkLeft, &Out, &OutLeft);
    const int Error = errno;
    Written = Out - Output.data();
    InLeft -= Chunk - ChunkLeft;
    if (Result != static_cast<std::size_t>(-1)) {
      Window = std::min(Window * 2, LargeWindow);
      continue;
    }
    if (Error == E2BIG) continue;  // MaxGrowth rules it out; room is made anew
    if (Error == EINVAL && !ChunkIsRest) {
      // The window cut a sequence; the next window starts with it.
      Window = std::max(Window * 2, SmallWindow);
      continue;
    }
    if (Error == EINVAL && !AtEnd) break;  // the rest comes with the next block
    const TFault Fault = OnFault(std::string_view(In, InLeft));
    MakeRoom(Fault.Replacement.size());
    std::memcpy(Output.data() + Written, Fault.Replacement.data(),
                Fault.Replacement.size());
    Written += Fault.Replacement.size();
    In += Fault.Skip;
    InLeft -= Fault.Skip;
    Window = SmallWindow;
  }
  Output.resize(Written);
  return Input.size() - InLeft;
}

// Runs ConvertSpan over a text that comes in blocks, joining a sequence that
// one block cuts with the start of the next.
template <typename Classify>
void ConvertBlocks(iconv_t Handle, std::string& Pending, std::string_view Block,
                   std::string& Output, bool AtEnd, std::size_t MaxGrowth,
                   std::size_t LongestSequence, Classify&& OnFault) {
  if (!Pending.empty()) {
    // The cut sequence and enough of this block to complete it or to show
    // that it is broken; a new sequence cut in there is kept the same way.
    const std::size_t Taken = std::min(Block.size(), LongestSequence);
    const std::size_t Held = Pending.size();
    Pending.append(Block.substr(0, Taken));
    const bool Final = AtEnd && Taken == Block.size();
    std::size_t Used =
        ConvertSpan(Handle, Pending, Output, Final, MaxGrowth, OnFault);
    if (Taken == Block.size()) {
      Pending.erase(0, Used);
      return;
    }
    if (Used < Held) {
      // Still cut although LongestSequence bytes follow: the held bytes can
      // form no character, so they are settled as faults here.
      ConvertSpan(Handle, std::string_view(Pending).substr(Used, Held - Used),
                  Output, true, MaxGrowth, OnFault);
      Used = Held;
    }
    // The pending bytes are settled; go on in the block after what was used.
    Block.remove_prefix(Used - Held);
    Pending.clear();
  }
  const std::size_t Used =
      ConvertSpan(Handle, Block, Output, AtEnd, MaxGrowth, OnFault);
  Pending.assign(Block.substr(Used));
}

}  // namespace

// ----------------------------------------------------------------- UTF-8 in

TUtf8ToGbk::TUtf8ToGbk() : Handle(OpenConverter("CP936", "UTF-8")) {}

TUtf8ToGbk::~TUtf8ToGbk() { iconv_close(static_cast<iconv_t>(Handle)); }

void TUtf8ToGbk::Convert(std::string_view Utf8, std::string& Gbk, bool AtEnd,
                         TEncodingReport* Report) {
  TEncodingReport Ignored;
  TEncodingReport& Counts = Report ? *Report : Ignored;
  // A GBK character never takes more bytes than its UTF-8 form, but the
  // stand-in for one invalid byte takes two.
  // glibc still reads the five- and six-byte forms of old UTF-8 (leads F8
  // to FD) before it rejects them, so a cut sequence may need six bytes.
  ConvertBlocks(static_cast<iconv_t>(Handle), Pending, Utf8, Gbk, AtEnd, 2, 6,
                [&Counts](std::string_view Rest) {
                  const std::size_t Length =
                      Detail::ValidUtf8SequenceLength(Rest);
                  if (Length > 0) {
                    ++Counts.Unrepresentable;  // valid, but not in GBK
                    return TFault{Length, NoReadingCharacter};
                  }
                  ++Counts.InvalidBytes;
                  return TFault{1, NoReadingCharacter};
                });
  if (AtEnd)
    iconv(static_cast<iconv_t>(Handle), nullptr, nullptr, nullptr, nullptr);
}

// ---------------------------------------------------------------- UTF-8 out

TGbkToUtf8::TGbkToUtf8() : Handle(OpenConverter("UTF-8", "CP936")) {}

TGbkToUtf8::~TGbkToUtf8() { iconv_close(static_cast<iconv_t>(Handle)); }

std::size_t TGbkToUtf8::Convert(std::string_view Gbk, std::string& Utf8,
                                bool AtEnd) {
  std::size_t Replaced = 0;
  if (Pending.empty() && IsAscii(Gbk)) {
    // Pinyin without kept bytes is all ASCII, the same in both encodings.
    Utf8.append(Gbk);
    return Replaced;
  }
  // Two GBK bytes become at most three UTF-8 bytes; one single byte (the
  // euro sign 0x80, or a replaced byte) becomes three.
  ConvertBlocks(static_cast<iconv_t>(Handle), Pending, Gbk, Utf8, AtEnd, 3, 2,
                [&Replaced](std::string_view) {
                  ++Replaced;
                  return TFault{1, ReplacementCharacter};
                });
  if (AtEnd)
    iconv(static_cast<iconv_t>(Handle), nullptr, nullptr, nullptr, nullptr);
  return Replaced;
}

// ---------------------------------------------------------------- whole text

std::string Utf8ToGbk(std::string_view Utf8, TEncodingReport* Report) {
  std::string Gbk;
  TUtf8ToGbk().Convert(Utf8, Gbk, true, Report);
  return Gbk;
}

std::string GbkToUtf8(std::string_view Gbk) {
  std::string Utf8;
  TGbkToUtf8().Convert(Gbk, Utf8, true);
  return Utf8;
}

}  // namespace IMCode
