// Text in traditional characters converts through the readings of GBK/3 and
// GBK/4: the case users notice first when they paste such text.
#include <gtest/gtest.h>

#include <string>

#include "IMCode.h"

namespace {

struct TTextCase {
  const char* Name;
  const char* Gbk;
  const char* Pinyin;
};

const TTextCase Cases[] = {
    // 開會說話: three traditional forms whose readings differ from their
    // simplified forms' (kai hui shuo).
    {"kaihui shuohua", "\xE9\x5F\x95\xFE\xD5\x66\xD4\x92", "qian kuo yue hua"},
    // 們國學東車馬語書電話: everyday traditional characters.
    {"everyday characters",
     "\x82\x83\x87\xF8\x8C\x57\x96\x7C\xDC\x87\xF1\x52\xD5\x5A\x95\xF8\xEB\x8A\xD4\x92",
     "men guo xue dong che ma yu shu dian hua"},
    // 臺灣的體育: mixed with a level-1 character.
    {"mixed with simplified", "\xC5\x5F\x9E\xB3\xB5\xC4\xF3\x77\xD3\xFD", "tai wan de ti yu"},
};

TEST(TraditionalText, ConvertsInTheWindowsMode) {
  for (const auto& Case : Cases) {
    EXPECT_EQ(IMCode::TextToPinyin(Case.Gbk, IMCode::pyFullSyllable, 255), Case.Pinyin)
        << Case.Name;
  }
}

}  // namespace
