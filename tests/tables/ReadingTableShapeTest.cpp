// The shape of GBKPinyinIndex: which areas hold readings, and which slot
// numbers its cells may hold.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "TableReadings.h"

namespace {

using TableTests::ForEachCode;
using TableTests::SyllableNumberOf;
using TableTests::TArea;
using TableTests::Hex;
using TableTests::TCode;

struct TAreaFigures {
  TArea Area;
  int Cells;
  int WithReading;
};

// The areas of the table, together covering every cell once, and how many
// of their cells hold a reading. Only the four areas of Chinese characters
// have readings.
const std::array<TAreaFigures, 10> Areas = {{
    {{"GBK/1 symbol rows", 0xA1A1, 0xA9FE}, 846, 0},
    {{"GB2312 level 1", 0xB0A1, 0xD7FE}, 3760, 3753},
    {{"GB2312 level 2", 0xD8A1, 0xF7FE}, 3008, 3007},
    {{"GBK/3", 0x8140, 0xA0FE}, 6080, 5988},
    {{"GBK/4", 0xAA40, 0xFEA0}, 8160, 7997},
    {{"GBK/5", 0xA840, 0xA9A0}, 192, 0},
    {{"user-defined AAA1-AFFE", 0xAAA1, 0xAFFE}, 564, 0},
    {{"user-defined F8A1-FEFE", 0xF8A1, 0xFEFE}, 658, 0},
    {{"user-defined A140-A7A0", 0xA140, 0xA7A0}, 672, 0},
    {{"trail byte 7F", 0x817F, 0xFE7F}, 126, 0},
}};

TEST(ReadingTable, AreasCoverEveryCellOnce) {
  std::set<TCode> Seen;
  for (const auto& Figures : Areas) {
    Figures.Area.ForEach([&](TCode Code) {
      EXPECT_TRUE(Seen.insert(Code).second) << Hex(Code) << " in two areas";
    });
  }
  // The trail-7F area is a column: ForEach skips 7F, so add it by hand.
  for (int Lead = 0x81; Lead <= 0xFE; ++Lead) Seen.insert(static_cast<TCode>(Lead << 8 | 0x7F));
  EXPECT_EQ(Seen.size(), std::size_t{IMCode::GBKIndexSize});
}

TEST(ReadingTable, AreasHoldTheirCountOfReadings) {
  for (const auto& Figures : Areas) {
    if (TableTests::TrailOf(Figures.Area.First) == 0x7F) continue;  // checked below
    SCOPED_TRACE(Figures.Area.Name);
    EXPECT_EQ(Figures.Area.CellCount(), Figures.Cells);
    EXPECT_EQ(Figures.Area.ReadingCount(), Figures.WithReading);
  }
}

TEST(ReadingTable, TrailByte7FNeverHasAReading) {
  for (int Lead = 0x81; Lead <= 0xFE; ++Lead) {
    const auto Code = static_cast<TCode>(Lead << 8 | 0x7F);
    EXPECT_EQ(SyllableNumberOf(Code), 0) << Hex(Code);
  }
}

TEST(ReadingTable, WholeTableCounts) {
  int WithReading = 0;
  ForEachCode([&](TCode Code) { WithReading += SyllableNumberOf(Code) != 0; });
  EXPECT_EQ(WithReading, 20745);
  EXPECT_EQ(IMCode::GBKIndexSize - WithReading, 3321);
}

// Every number a cell holds must name a filled slot: 394 is the empty slot,
// and past 405 there is none.
TEST(ReadingTable, CellsNameFilledSlotsOnly) {
  ForEachCode([&](TCode Code) {
    const int Number = SyllableNumberOf(Code);
    EXPECT_LE(Number, IMCode::SyllableSlotCount) << Hex(Code);
    if (Number != 0) {
      EXPECT_FALSE(IMCode::SyllableText(Number).empty()) << Hex(Code);
    }
  });
}

std::set<int> SlotsUsedIn(const TArea& Area) {
  std::set<int> Used;
  Area.ForEach([&](TCode Code) { Used.insert(SyllableNumberOf(Code)); });
  Used.erase(0);
  return Used;
}

std::set<int> SlotsBut(std::set<int> Unused) {
  std::set<int> Result;
  for (int Number = 1; Number <= IMCode::SyllableSlotCount; ++Number)
    if (!Unused.count(Number)) Result.insert(Number);
  return Result;
}

// Every slot is used but lia (165), the empty slot (394) and jv, qv, xv
// (401-403), which no character has. Level 1 uses all of them but the six
// syllables that only rarer characters have: ei, m, n, dia, cen, nou.
TEST(ReadingTable, SlotsInUse) {
  EXPECT_EQ(SlotsUsedIn({"whole table", 0x8140, 0xFEFE}), SlotsBut({165, 394, 401, 402, 403}));
  EXPECT_EQ(SlotsUsedIn({"GB2312 level 1", 0xB0A1, 0xD7FE}),
            SlotsBut({165, 394, 395, 396, 397, 398, 399, 400, 401, 402, 403}));
}

}  // namespace
