// Readings of GB2312 level 2 (D8A1-F7FE), GBK/3 (8140-A0FE) and GBK/4
// (AA40-FEA0), the areas whose readings come from Unihan cell by cell.
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "TableReadings.h"

namespace {

using TableTests::Hex;
using TableTests::ReadingOf;
using TableTests::SyllableNumberOf;
using TableTests::TArea;
using TableTests::TCode;

const TArea ExtensionAreas[] = {
    {"GB2312 level 2", 0xD8A1, 0xF7FE},
    {"GBK/3", 0x8140, 0xA0FE},
    {"GBK/4", 0xAA40, 0xFEA0},
};

struct TReadingCase {
  TCode Code;
  std::string_view Reading;  // empty: no reading
  const char* Why;
};

const TReadingCase ExtensionCases[] = {
    {0xD8A1, "chu", "亍, first code of level 2"},
    {0xF7FE, "zha", "齄, last code of level 2"},
    {0xF7D4, "", "髟, the only character of level 2 without reading"},
    {0x8140, "yu", "丂, first code of GBK/3"},
    {0xA0FE, "bo", "狛, last code of GBK/3"},
    {0xAA40, "ku", "狜, first code of GBK/4"},
    {0xFD9B, "yue", "龥, last cell of the table with a reading"},
    {0xFD9C, "", "first compatibility ideograph"},
    {0xFDA0, "", "last compatibility ideograph"},
    {0xFE40, "", "first cell of the last row of GBK/4"},
    {0xFE7E, "", "last row, before trail 7F"},
    {0xFE80, "", "last row, after trail 7F"},
    {0xFEA0, "", "last cell of GBK/4"},
    {0xDF40, "", "這"},
    {0x8196, "", "仏"},
    {0x8283, "men", "們"},
    {0x87F8, "guo", "國"},
    {0xE0C5, "en", "嗯"},
    {0xE94C, "zhang", "長, as 长 B3A4"},
    {0xB3A4, "zhang", "长"},
    // Traditional forms have readings of their own.
    {0xD566, "yue", "說"},
    {0xCBB5, "shuo", "说"},
    {0xE95F, "qian", "開"},
    {0xBFAA, "kai", "开"},
    {0xEA50, "wan", "關"},
    {0xB9D8, "guan", "关"},
    {0x95FE, "kuo", "會"},
    {0xBBE1, "hui", "会"},
    {0xBD6F, "xia", "給"},
    {0xB8F8, "", "给"},
};

TEST(ExtensionReadings, EdgeCases) {
  for (const auto& Case : ExtensionCases) {
    SCOPED_TRACE(Hex(Case.Code) + " " + Case.Why);
    EXPECT_EQ(ReadingOf(Case.Code), Case.Reading);
  }
}

// ei, m, n, dia, cen and nou belong to these characters alone: no other
// cell of the whole table holds them.
TEST(ExtensionReadings, RareSyllablesOnlyInTheirCells) {
  const std::map<TCode, std::string_view> Expected = {
      {0xDAC0, "ei"},  {0x8760, "m"},   {0x8648, "n"},   {0xE0C7, "dia"}, {0xE1AF, "cen"},
      {0xE4B9, "cen"}, {0x8DDF, "cen"}, {0x9771, "cen"}, {0xC47E, "cen"}, {0xF1F1, "nou"},
      {0x868E, "nou"}, {0x9889, "nou"}, {0xC185, "nou"}, {0xD761, "nou"}, {0xD76B, "nou"},
      {0xE665, "nou"}, {0xE790, "nou"},
  };
  std::map<TCode, std::string_view> Found;
  TableTests::ForEachCode([&](TCode Code) {
    const int Number = SyllableNumberOf(Code);
    if (Number >= 395 && Number <= 400) Found[Code] = ReadingOf(Code);
  });
  EXPECT_EQ(Found, Expected);
}

// Syllables kept out of these areas, the empty slot 394 among them, and
// the spellings jv, qv and xv, which the list has but no character uses.
TEST(ExtensionReadings, NoCellHoldsAnExcludedSyllable) {
  for (const auto& Area : ExtensionAreas) {
    Area.ForEach([&](TCode Code) {
      const int Number = SyllableNumberOf(Code);
      const std::string_view Reading = ReadingOf(Code);
      EXPECT_NE(Number, 394) << Hex(Code);
      for (const std::string_view Excluded : {"lia", "nen", "sen", "jv", "qv", "xv"}) {
        EXPECT_NE(Reading, Excluded) << Hex(Code);
      }
    });
  }
}

}  // namespace
