// TPinyinStream: the scan of TextToPinyin over a text that comes in blocks,
// with the cut and the trim applied as the pinyin is made.
#include "PinyinStream.h"

#include <algorithm>

#include "CharacterText.h"

namespace IMCode {
namespace {

bool IsBlank(char Byte) { return static_cast<unsigned char>(Byte) <= 0x20; }

// Joined text is made in slices of this size before it goes to the sink.
constexpr std::size_t SliceBytes = 16 * 1024;

}  // namespace

// ---------------------------------------------------------------- TBlankHold

TBlankHold::~TBlankHold() {
  if (SpillFile) std::fclose(SpillFile);
}

void TBlankHold::Add(std::string_view Blanks) {
  if (!SpillFile && Memory.size() + Blanks.size() > MemoryLimit)
    SpillFile = std::tmpfile();
  if (SpillFile && Memory.empty()) {
    if (std::fwrite(Blanks.data(), 1, Blanks.size(), SpillFile) ==
        Blanks.size()) {
      Spilled += Blanks.size();
      return;
    }
    // The file cannot take more: what it took stays there, and the rest is
    // kept in memory after it, so nothing is lost and the order holds.
  } else if (SpillFile) {
    if (std::fwrite(Memory.data(), 1, Memory.size(), SpillFile) ==
        Memory.size()) {
      Spilled += Memory.size();
      Memory.clear();
      Add(Blanks);
      return;
    }
  }
  Memory.append(Blanks);
}

void TBlankHold::ReleaseTo(const TPinyinSink& Sink) {
  if (SpillFile) {
    std::rewind(SpillFile);
    char Buffer[64 * 1024];
    std::uint64_t Left = Spilled;
    while (Left > 0) {
      const std::size_t Got =
          std::fread(Buffer, 1,
                     static_cast<std::size_t>(
                         std::min<std::uint64_t>(Left, sizeof Buffer)),
                     SpillFile);
      if (Got == 0) break;
      Sink(std::string_view(Buffer, Got));
      Left -= Got;
    }
  }
  if (!Memory.empty()) Sink(Memory);
  Drop();
}

void TBlankHold::Drop() {
  if (SpillFile) {
    std::fclose(SpillFile);
    SpillFile = nullptr;
  }
  Spilled = 0;
  Memory.clear();
}

// ------------------------------------------------------------- TPinyinStream

TPinyinStream::TPinyinStream(int Mode, std::int64_t MaxLen, TPinyinSink Sink)
    : Mode(Mode),
      MaxLen(MaxLen),
      Sink(std::move(Sink)),
      Remaining(MaxLen),
      // A negative mode yields the empty result and never reaches the texts.
      Texts(&Detail::TextsForMode(Mode < 0 ? 0 : Mode)) {
  if (Mode < 0) Remaining = 0;
}

void TPinyinStream::Feed(std::string_view Block) {
  if (LimitReached() || Block.empty()) return;
  const auto* Bytes = reinterpret_cast<const unsigned char*>(Block.data());
  std::size_t Length = Block.size();

  if (HasCarry) {
    // The last block ended in a possible lead byte: join it with this
    // block's first byte, which may be its trail byte.
    const unsigned char Pair[2] = {Carry, Bytes[0]};
    std::size_t Used = 0;
    ConvertBlock(Pair, 2, false, &Used);
    HasCarry = false;
    // Used is 2 for a double-byte character, 1 when the carried byte stood
    // alone; then this block's first byte starts the rest of the scan.
    Bytes += Used - 1;
    Length -= Used - 1;
  }
  std::size_t Used = 0;
  ConvertBlock(Bytes, Length, false, &Used);
  if (Used < Length && !LimitReached()) {
    Carry = Bytes[Used];
    HasCarry = true;
  }
}

void TPinyinStream::Finish() {
  if (HasCarry && !LimitReached()) {
    std::size_t Used = 0;
    ConvertBlock(&Carry, 1, true, &Used);
  }
  HasCarry = false;
  Held.Drop();  // blanks at the end fall to the trim
  SeenNonBlank = false;
  Remaining = Mode < 0 ? 0 : MaxLen;
}

void TPinyinStream::ConvertBlock(const unsigned char* Bytes, std::size_t Length,
                                 bool AtEnd, std::size_t* Consumed) {
  char Slice[SliceBytes + Detail::MaxPieceBytes];
  std::size_t At = 0;
  while (At < Length && !LimitReached()) {
    // Stop joining once the cut is reached: the rest cannot be in the result.
    const std::size_t Room =
        static_cast<std::size_t>(std::min<std::int64_t>(Remaining, SliceBytes));
    std::size_t Used = 0;
    const char* End = Detail::JoinCharacters(
        Bytes + At, Length - At, AtEnd, Slice, Slice + Room, *Texts, &Used);
    At += Used;
    Emit(Slice, static_cast<std::size_t>(
                    std::min<std::int64_t>(End - Slice, Remaining)));
    Remaining -= End - Slice;
    if (End == Slice && Used == 0) break;  // waiting for a trail byte
  }
  *Consumed = At;
}

void TPinyinStream::Emit(const char* Joined, std::size_t Length) {
  std::size_t First = 0;
  if (!SeenNonBlank) {
    // Blanks at the start of the text fall to the trim.
    while (First < Length && IsBlank(Joined[First])) ++First;
    if (First == Length) return;
  }
  std::size_t Last = Length;
  while (Last > First && IsBlank(Joined[Last - 1])) --Last;
  if (Last > First) {
    Held.ReleaseTo(Sink);
    Sink(std::string_view(Joined + First, Last - First));
    SeenNonBlank = true;
  }
  if (Last < Length) Held.Add(std::string_view(Joined + Last, Length - Last));
}

}  // namespace IMCode
