// Properties that hold for every input, checked on random byte strings made
// of the bytes at which the scan's decisions change.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

#include "IMCode.h"

namespace {

using IMCode::TextToPinyin;

std::vector<unsigned char> InterestingBytes() {
  std::vector<unsigned char> Bytes;
  for (int B = 0x00; B <= 0x20; ++B) Bytes.push_back(B);
  for (int B : std::initializer_list<int>{
           0x40,     0x7F,     0x80,     0x81,     0xA1,     0xA2,     0xA3,
           0xA6,     0xB0,     0xD7,     0xFE,     0xFF,     int('a'), int('z'),
           int('A'), int('Z'), int('0'), int('9'), int(','), int('?')})
    Bytes.push_back(B);
  return Bytes;
}

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 0x20; }

bool IsPlainOutput(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') ||
         (C >= '0' && C <= '9') || C == ' ' || C == '?';
}

TEST(TextToPinyinProperties, HoldOnRandomText) {
  const std::vector<unsigned char> Alphabet = InterestingBytes();
  std::mt19937 Random(20261211);
  std::uniform_int_distribution<std::size_t> PickByte(0, Alphabet.size() - 1);
  std::uniform_int_distribution<int> PickLength(0, 120);
  std::uniform_int_distribution<int> PickMode(-1, 9);
  std::uniform_int_distribution<int> PickLimit(-1, 300);

  for (int Round = 0; Round < 20000; ++Round) {
    std::string Text(PickLength(Random), '\0');
    for (char& C : Text) C = static_cast<char>(Alphabet[PickByte(Random)]);
    const int Mode = PickMode(Random);
    const int MaxLen = PickLimit(Random);
    const std::string Result = TextToPinyin(Text, Mode, MaxLen);

    SCOPED_TRACE(testing::Message() << "mode " << Mode << ", limit " << MaxLen);
    ASSERT_LE(static_cast<long>(Result.size()), std::max(MaxLen, 0));
    if (!Result.empty()) {
      ASSERT_FALSE(IsBlank(Result.front()));
      ASSERT_FALSE(IsBlank(Result.back()));
    }
    if (Mode < 0) {
      ASSERT_TRUE(Result.empty());
    }
    if (Mode < 0 || !(Mode & IMCode::pyKeepNonAlnum)) {
      for (char C : Result) {
        ASSERT_TRUE(IsPlainOutput(C)) << int(C);
      }
    }
    // A "?" comes only from the mark, or from a kept single byte.
    if (Mode >= 0 &&
        !(Mode & (IMCode::pyMarkUnknown | IMCode::pyKeepNonAlnum))) {
      ASSERT_EQ(Result.find('?'), std::string::npos);
    }
    // The cut only shortens: a larger limit gives a result that starts with
    // the same bytes (up to the blanks that the trim removed at the cut).
    if (MaxLen > 0 && Mode >= 0) {
      const std::string Whole = TextToPinyin(Text, Mode, 1 << 20);
      ASSERT_EQ(Whole.compare(0, Result.size(), Result), 0);
    }
  }
}

}  // namespace
