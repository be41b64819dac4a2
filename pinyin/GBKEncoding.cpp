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
// converted or replaced by OnFault. FindDropped gives the offset of the
// first sequence in a text that iconv would drop without a word (or the
// text's size): iconv never sees those, they go to OnFault. Returns the
// bytes read.
template <typename Classify, typename Finder>
std::size_t ConvertSpan(iconv_t Handle, std::string_view Input,
                        std::string& Output, bool AtEnd, std::size_t MaxGrowth,
                        Classify&& OnFault, Finder&& FindDropped) {
  std::size_t At = 0;  // bytes of Input read so far
  std::size_t Written = Output.size();
  const auto MakeRoom = [&Output, &Written](std::size_t Bytes) {
    if (Output.size() - Written < Bytes) Output.resize(Written + Bytes);
  };
  const auto Replace = [&](const TFault& Fault) {
    MakeRoom(Fault.Replacement.size());
    std::memcpy(Output.data() + Written, Fault.Replacement.data(),
                Fault.Replacement.size());
    Written += Fault.Replacement.size();
    At += Fault.Skip;
  };
  std::size_t Window = LargeWindow;
  std::size_t Dropped = FindDropped(Input);  // offset of the next one

  while (At < Input.size()) {
    if (Dropped < At) Dropped = At + FindDropped(Input.substr(At));
    if (Dropped == At) {
      // Such a sequence is four bytes long; a cut one waits for the rest.
      if (!AtEnd && Input.size() - At < 4) break;
      Replace(OnFault(Input.substr(At)));
      continue;
    }
    const std::size_t Chunk =
        std::min({Input.size() - At, Window, Dropped - At});
    const std::size_t ChunkEnd = At + Chunk;
    MakeRoom(Chunk * MaxGrowth + 16);
    char* In = const_cast<char*>(Input.data()) + At;
    char* Out = Output.data() + Written;
    std::size_t ChunkLeft = Chunk;
    std::size_t OutLeft = Output.size() - Written;
    const std::size_t Result = iconv(Handle, &In, &ChunkLeft, &Out, &OutLeft);
    const int Error = errno;
    Written = Out - Output.data();
    At += Chunk - ChunkLeft;
    if (Result != static_cast<std::size_t>(-1)) {
      Window = std::min(Window * 2, LargeWindow);
      continue;
    }
    if (Error == E2BIG) continue;  // MaxGrowth rules it out; room is made anew
    // A sequence cut by the end of the chunk. Cut by the window, it is whole
    // in the next one (a window holds more than any sequence); cut by a
    // sequence kept from iconv, it is broken, a fault like any other.
    if (Error == EINVAL && ChunkEnd != Input.size() && ChunkEnd != Dropped)
      continue;
    if (Error == EINVAL && ChunkEnd == Input.size() && !AtEnd)
      break;  // the rest comes with the next block
    Replace(OnFault(Input.substr(At)));
    Window = SmallWindow;
  }
  Output.resize(Written);
  return At;
}

// iconv drops nothing silently from GBK text.
std::size_t NothingDropped(std::string_view Text) { return Text.size(); }

// glibc's iconv drops the tag characters U+E0000..U+E007F (F3 A0 80 80 to
// F3 A0 81 BF) from UTF-8 without reporting them.
std::size_t FindTagCharacter(std::string_view Text) {
  for (std::size_t At = Text.find('\xF3'); At != std::string_view::npos;
       At = Text.find('\xF3', At + 1)) {
    if (At + 2 < Text.size() && Text[At + 1] == '\xA0' &&
        (Text[At + 2] == '\x80' || Text[At + 2] == '\x81'))
      return At;
  }
  return Text.size();
}

// Runs ConvertSpan over a text that comes in blocks, joining a sequence that
// one block cuts with the start of the next.
template <typename Classify, typename Finder>
void ConvertBlocks(iconv_t Handle, std::string& Pending, std::string_view Block,
                   std::string& Output, bool AtEnd, std::size_t MaxGrowth,
                   std::size_t LongestSequence, Classify&& OnFault,
                   Finder&& FindDropped) {
  if (!Pending.empty()) {
    // The cut sequence and enough of this block to complete it or to show
    // that it is broken; a new sequence cut in there is kept the same way.
    const std::size_t Taken = std::min(Block.size(), LongestSequence);
    const std::size_t Held = Pending.size();
    Pending.append(Block.substr(0, Taken));
    const bool Final = AtEnd && Taken == Block.size();
    std::size_t Used = ConvertSpan(Handle, Pending, Output, Final, MaxGrowth,
                                   OnFault, FindDropped);
    if (Taken == Block.size()) {
      Pending.erase(0, Used);
      return;
    }
    if (Used < Held) {
      // Still cut although LongestSequence bytes follow: the held bytes can
      // form no character, so they are settled as faults here.
      ConvertSpan(Handle, std::string_view(Pending).substr(Used, Held - Used),
                  Output, true, MaxGrowth, OnFault, FindDropped);
      Used = Held;
    }
    // The pending bytes are settled; go on in the block after what was used.
    Block.remove_prefix(Used - Held);
    Pending.clear();
  }
  const std::size_t Used = ConvertSpan(Handle, Block, Output, AtEnd, MaxGrowth,
                                       OnFault, FindDropped);
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
  ConvertBlocks(
      static_cast<iconv_t>(Handle), Pending, Utf8, Gbk, AtEnd, 2, 6,
      [&Counts](std::string_view Rest) {
        const std::size_t Length = Detail::ValidUtf8SequenceLength(Rest);
        if (Length > 0) {
          ++Counts.Unrepresentable;  // valid, but not in GBK
          return TFault{Length, NoReadingCharacter};
        }
        ++Counts.InvalidBytes;
        return TFault{1, NoReadingCharacter};
      },
      FindTagCharacter);
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
  ConvertBlocks(
      static_cast<iconv_t>(Handle), Pending, Gbk, Utf8, AtEnd, 3, 2,
      [&Replaced](std::string_view) {
        ++Replaced;
        return TFault{1, ReplacementCharacter};
      },
      NothingDropped);
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
