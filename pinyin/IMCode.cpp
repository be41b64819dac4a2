// TextToPinyin, and the per-mode texts that its scan copies from.
#include "IMCode.h"

#include <algorithm>
#include <array>
#include <limits>

#include "CharacterText.h"
#include "PinyinStream.h"

namespace IMCode {
namespace Detail {
namespace {

bool IsAsciiLetterOrDigit(unsigned Byte) {
  return (Byte >= '0' && Byte <= '9') || (Byte >= 'A' && Byte <= 'Z') ||
         (Byte >= 'a' && Byte <= 'z');
}

// A character text followed by its separating space.
TPiece SpacedPiece(std::string_view Text) {
  TPiece Piece{};
  std::copy(Text.begin(), Text.end(), Piece.Bytes);
  Piece.Bytes[Text.size()] = ' ';
  Piece.Length = static_cast<std::uint8_t>(Text.size() + 1);
  return Piece;
}

TModeTexts PrepareMode(int Mode) {
  const bool Full = Mode & pyFullSyllable;
  const bool Keep = Mode & pyKeepNonAlnum;
  TModeTexts Texts{};

  Texts.NoReading = SpacedPiece(Mode & pyMarkUnknown ? "?" : "");
  Texts.Syllables[0] = Texts.NoReading;
  for (int Number = 1; Number <= SyllableSlotCount; ++Number) {
    const std::string_view Text = SyllableText(Number);
    // Every slot that a cell names holds letters; the one empty slot is
    // never named, and gets the empty text should that ever change.
    Texts.Syllables[Number] = SpacedPiece(Full ? Text : Text.substr(0, 1));
  }
  // Readings of the symbol rows are used whole in every mode.
  for (int Slot = 0; Slot < Row2NumberCount; ++Slot)
    Texts.Row2[Slot] = SpacedPiece(Row2Numbers[Slot].View());
  for (int Slot = 0; Slot < GreekLetterCount; ++Slot)
    Texts.Greek[Slot] = SpacedPiece(GreekLetters[Slot].View());
  // A full-width form of row A3 stands for the byte (trail - 0x80) mod 256,
  // which passes the same filter as a single-byte character.
  for (unsigned Trail = 0; Trail < 256; ++Trail) {
    const unsigned Byte = (Trail - 0x80u) & 0xFFu;
    const char Text[1] = {static_cast<char>(Byte)};
    Texts.Row3[Trail] = SpacedPiece(Keep || IsAsciiLetterOrDigit(Byte)
                                        ? std::string_view(Text, 1)
                                        : std::string_view{});
  }
  for (unsigned Byte = 0; Byte < 256; ++Byte)
    Texts.KeepSingle[Byte] = Keep || IsAsciiLetterOrDigit(Byte);
  return Texts;
}

}  // namespace

const TModeTexts& TextsForMode(int Mode) {
  static const auto AllModes = [] {
    std::array<TModeTexts, 8> Modes{};
    for (int Bits = 0; Bits < 8; ++Bits) Modes[Bits] = PrepareMode(Bits);
    return Modes;
  }();
  return AllModes[Mode & 7];
}

}  // namespace Detail

std::string TextToPinyin(std::string_view Text, int Mode, int MaxLen) {
  if (Mode < 0 || MaxLen <= 0 || Text.empty()) return {};
  // The pinyin is joined in a buffer of the calling thread's that later
  // calls reuse, then copied out at its exact size. Memory fresh from the
  // system costs a page fault for every 4 KiB on first touch, and for a
  // text of megabytes that is most of the time a call would take; a reused
  // buffer, and a result of exact size that the allocator can recycle, are
  // touched once. A buffer grown past ScratchKeep by one huge text is given
  // back, so the memory kept stays small.
  constexpr std::size_t ScratchKeep = 32u << 20;
  thread_local std::string Joined;
  // No character adds more than 3.5 bytes per input byte (a six-letter
  // syllable and its space for two bytes), and the cut bounds it too.
  const std::size_t Bound =
      Text.size() / 2 * 7 + Text.size() % 2 + Detail::MaxPieceBytes;
  Joined.clear();
  Joined.reserve(std::min({Bound, static_cast<std::size_t>(MaxLen),
                           std::max(Joined.capacity(), ScratchKeep)}));

  TPinyinStream Stream(Mode, MaxLen,
                       [](std::string_view Piece) { Joined += Piece; });
  Stream.Feed(Text);
  Stream.Finish();
  std::string Result(Joined);
  if (Joined.capacity() > ScratchKeep) std::string().swap(Joined);
  return Result;
}

}  // namespace IMCode
