// Readings of GB2312 level 1 and of the symbol rows that GBKPinyinIndex
// answers for, read by code.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "TableReadings.h"

namespace {

using TableTests::ReadingOf;
using TableTests::SyllableNumberOf;
using TableTests::TArea;
using TableTests::Hex;
using TableTests::TCode;

struct TReadingCase {
  TCode Code;
  std::string_view Reading;  // empty: no reading
  const char* Why;
};

const TReadingCase Level1Cases[] = {
    {0xB0A1, "a", "first cell of level 1"},
    {0xB0A2, "a", "second cell, same run"},
    {0xD7F9, "zuo", "last character of level 1"},
    {0xD7FA, "", "D7FA-D7FE are no characters"},
    {0xD7FE, "", "last cell of level 1"},
    {0xB7F0, "", "fo is no syllable of the list"},
    {0xB8F8, "", "gei is no syllable of the list"},
    {0xC1A9, "liang", "liang, not lia"},
    {0xC2BF, "lv", "first lv"},
    {0xC2CC, "lv", "last lv"},
    {0xC5AE, "nv", "nv"},
    {0xC2D3, "lue", "u-umlaut written u in lue"},
    {0xC2D4, "lue", "u-umlaut written u in lue"},
    {0xC5B0, "nue", "u-umlaut written u in nue"},
    {0xC5B1, "nue", "u-umlaut written u in nue"},
    {0xB3A3, "chang", "before the single zhang"},
    {0xB3A4, "zhang", "a run of one cell inside chang"},
    {0xB3A5, "chang", "after the single zhang"},
    {0xD0CF, "xing", "before the single hang"},
    {0xD0D0, "hang", "a run of one cell inside xing"},
    {0xD0D1, "xing", "after the single hang"},
    {0xC1CB, "le", "le"},
    {0xD7C5, "zhe", "zhe"},
    {0xB7F1, "fou", "fou"},
    {0xB7F2, "fu", "fu"},
    {0xBBF7, "ji", "ji"},
    {0xB0FE, "bao", "run going on into the next row"},
    {0xB1A1, "bao", "run coming from the row before"},
};

TEST(Level1Readings, EdgeCases) {
  for (const auto& Case : Level1Cases) {
    SCOPED_TRACE(Hex(Case.Code) + ": " + Case.Why);
    EXPECT_EQ(ReadingOf(Case.Code), Case.Reading);
  }
}

// Slots that stand outside alphabetical order keep their numbers.
TEST(Level1Readings, SyllablesOutOfAlphabeticalOrderKeepTheirSlots) {
  EXPECT_EQ(SyllableNumberOf(0xB7F1), 85);  // fou after fu
  EXPECT_EQ(SyllableNumberOf(0xB7F2), 84);  // fu
  EXPECT_EQ(SyllableNumberOf(0xBBF7), 92);  // ji between ge and gen
  EXPECT_EQ(SyllableNumberOf(0xC2BF), 404);  // lv
  EXPECT_EQ(SyllableNumberOf(0xC5AE), 405);  // nv, the largest number
}

TEST(Level1Readings, OnlyTwoCharactersAndTheUnassignedEndLackAReading) {
  const std::set<TCode> Expected = {0xB7F0, 0xB8F8, 0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE};
  std::set<TCode> WithoutReading;
  TArea{"GB2312 level 1", 0xB0A1, 0xD7FE}.ForEach([&](TCode Code) {
    if (SyllableNumberOf(Code) == 0) WithoutReading.insert(Code);
  });
  EXPECT_EQ(WithoutReading, Expected);
}

// Level 1 is ordered by pronunciation, lv and nv right after lu and nu. The
// characters whose reading breaks that order are exactly these 44, and each
// holds its own reading: a table filled from the order alone misses them.
const TReadingCase OutOfOrder[] = {
    {0xB0D2, "pa", "耙"},    {0xB1D9, "pi", "辟"},     {0xB2B6, "bu", "捕"},
    {0xB3A4, "zhang", "长"}, {0xB3D7, "shi", "匙"},    {0xB4B1, "zhuang", "幢"},
    {0xB4C2, "chao", "绰"},  {0xB5D4, "zhai", "翟"},   {0xB5F7, "tiao", "调"},
    {0xB6DA, "tun", "囤"},   {0xB8AC, "pu", "脯"},     {0xB8F2, "ha", "蛤"},
    {0xBABB, "ben", "夯"},   {0xBAD1, "mo", "貉"},     {0xBCF7, "kan", "槛"},
    {0xBDC4, "yao", "侥"},   {0xBDDB, "ju", "桔"},     {0xBDE5, "ji", "藉"},
    {0xBEF5, "jiao", "觉"},  {0xBFA9, "ge", "咯"},     {0xC1A9, "liang", "俩"},
    {0xC1CB, "le", "了"},    {0xC6D9, "bao", "瀑"},    {0xC9B2, "cha", "刹"},
    {0xCAB2, "shen", "什"},  {0xCBC6, "shi", "似"},    {0xCBDE, "xiu", "宿"},
    {0xCFB3, "xian", "铣"},  {0xCFC3, "sha", "厦"},    {0xCFF7, "xue", "削"},
    {0xD0AE, "jia", "挟"},   {0xD0D0, "hang", "行"},   {0xD0F3, "chu", "畜"},
    {0xD3F5, "xu", "吁"},    {0xD4BF, "yao", "钥"},    {0xD4F8, "ceng", "曾"},
    {0xD5A4, "shan", "栅"},  {0xD5A6, "za", "咋"},     {0xD6A1, "zhen", "帧"},
    {0xD7A6, "zhao", "爪"},  {0xD7AC, "zuan", "赚"},   {0xD7C5, "zhe", "着"},
    {0xD7D0, "zai", "仔"},   {0xD7F5, "zha", "柞"},
};

std::string OrderKey(std::string_view Syllable) {
  if (Syllable == "lv") return "lu\x01";
  if (Syllable == "nv") return "nu\x01";
  return std::string(Syllable);
}

TEST(Level1Readings, FollowPronunciationOrderExceptTheSingleCharacters) {
  std::set<TCode> Exceptions;
  for (const auto& Case : OutOfOrder) {
    SCOPED_TRACE(Hex(Case.Code) + " " + Case.Why);
    EXPECT_EQ(ReadingOf(Case.Code), Case.Reading);
    Exceptions.insert(Case.Code);
  }
  ASSERT_EQ(Exceptions.size(), 44u);

  std::string Previous;
  int Runs = 0;
  std::string_view RunSyllable = "\xFF";  // no syllable
  TArea{"GB2312 level 1", 0xB0A1, 0xD7FE}.ForEach([&](TCode Code) {
    const std::string_view Reading = ReadingOf(Code);
    if (Reading != RunSyllable) {
      ++Runs;
      RunSyllable = Reading;
    }
    if (Reading.empty() || Exceptions.count(Code)) return;
    EXPECT_GE(OrderKey(Reading), Previous) << Hex(Code) << " reads " << Reading;
    Previous = OrderKey(Reading);
  });
  // 475 runs of a syllable and 3 without reading (B7F0, B8F8, D7FA-D7FE).
  EXPECT_EQ(Runs, 478);
}

TEST(Level1Readings, NoCodeReadsLia) {
  TableTests::ForEachCode([&](TCode Code) {
    EXPECT_NE(ReadingOf(Code), "lia") << Hex(Code);
  });
}

// Symbol rows that are looked up in the table have no reading, and neither
// has any cell of trail byte 7F, which is no GBK trail byte.
TEST(ReadingTable, SymbolsAndTrail7FHaveNoReading) {
  for (const TCode Code : {0xA1A1, 0xA4A1, 0xA8A1, 0x817F, 0xB07F, 0xFE7F}) {
    EXPECT_EQ(SyllableNumberOf(Code), 0) << Hex(Code);
  }
}

}  // namespace
