// TextToPinyin on the cases that show each rule of the scan, the dispatch by
// row, the mode bits, the cut and the trim.
#include <gtest/gtest.h>

#include <climits>

#include "HexBytes.h"
#include "IMCode.h"

namespace {

using IMCode::TextToPinyin;

struct TCase {
  const char* Id;
  std::string Input;  // GBK bytes
  int Mode;
  int MaxLen;
  std::string Expected;
};

const TCase Cases[] = {
    {"two characters", HexBytes("BA BA D7 D6"), 1, 255, "han zi"},
    {"initials", HexBytes("BA BA D7 D6"), 0, 255, "h z"},
    {"zhong guo", HexBytes("D6 D0 B9 FA"), 1, 255, "zhong guo"},
    {"zhong guo initials", HexBytes("D6 D0 B9 FA"), 0, 255, "z g"},
    {"letters before join the syllable", "abc" + HexBytes("BA BA D7 D6"), 1,
     255, "abchan zi"},
    {"letters after are spaced", HexBytes("BA BA D7 D6") + "abc", 1, 255,
     "han zi abc"},
    {"letters between", HexBytes("BA BA") + "abc" + HexBytes("D7 D6"), 1, 255,
     "han abczi"},
    {"punctuation dropped", "Hello, " + HexBytes("CA C0 BD E7") + "!", 1, 255,
     "Helloshi jie"},
    {"punctuation kept", "Hello, " + HexBytes("CA C0 BD E7") + "!", 5, 255,
     "Hello, shi jie !"},
    {"spaces dropped", "a b", 1, 255, "ab"},
    {"no reading leaves two spaces", HexBytes("BA BA A1 A3 D7 D6"), 1, 255,
     "han  zi"},
    {"no reading marked", HexBytes("BA BA A1 A3 D7 D6"), 3, 255, "han ? zi"},
    {"no reading marked, initials", HexBytes("BA BA A1 A3 D7 D6"), 2, 255,
     "h ? z"},
    {"leading no reading trimmed", HexBytes("A1 A3 BA BA"), 1, 255, "han"},
    {"leading mark stays", HexBytes("A1 A3 BA BA"), 3, 255, "? han"},
    {"only characters without reading", HexBytes("A1 A3 A1 A3"), 1, 255, ""},
    {"marks spaced singly", HexBytes("A1 A3 A1 A3"), 3, 255, "? ?"},
    {"full-width letters and digits", HexBytes("A3 C1 A3 C2 A3 B1 A3 E1"), 0,
     255, "A B 1 a"},
    {"full-width letters, full mode", HexBytes("A3 C1 A3 C2 A3 B1 A3 E1"), 1,
     255, "A B 1 a"},
    {"full-width comma dropped", HexBytes("BA BA A3 AC D7 D6"), 1, 255,
     "han  zi"},
    {"full-width comma never marked", HexBytes("BA BA A3 AC D7 D6"), 3, 255,
     "han  zi"},
    {"full-width comma kept", HexBytes("BA BA A3 AC D7 D6"), 5, 255,
     "han , zi"},
    {"line break dropped", HexBytes("BA BA 0D 0A D7 D6"), 1, 255, "han zi"},
    {"line break kept", HexBytes("BA BA 0D 0A D7 D6"), 5, 255, "han \r\nzi"},
    {"greek and numbers stay whole in initials", HexBytes("A6 A8 BA BA A2 E2"),
     0, 255, "th h 10"},
    {"greek and numbers", HexBytes("A6 A8 BA BA A2 E2"), 1, 255, "th han 10"},
    {"circled numbers", HexBytes("A2 D9 A2 DA"), 1, 255, "1 2"},
    {"unassigned row 2 cell is empty, not unknown",
     HexBytes("BA BA A2 AB D7 D6"), 3, 255, "han  zi"},
    {"row 2 below the numbers is unknown", HexBytes("BA BA A2 40 D7 D6"), 3,
     255, "han ? zi"},
    {"vertical form without reading", HexBytes("BA BA A6 E0 D7 D6"), 1, 255,
     "han  zi"},
    {"vertical form marked", HexBytes("BA BA A6 E0 D7 D6"), 3, 255, "han ? zi"},
    {"trail 0x7F still pairs", HexBytes("BA BA B0 7F D7 D6"), 3, 255,
     "han ? zi"},
    {"lone lead byte at the end", HexBytes("BA BA BA"), 1, 255, "han"},
    {"lone lead byte kept", HexBytes("BA BA BA"), 5, 255, "han \xBA"},
    {"lead byte before a digit", HexBytes("BA 31"), 1, 255, "1"},
    {"lead byte before a digit, kept", HexBytes("BA 31"), 5, 255,
     "\xBA"
     "1"},
    {"byte 0x80 alone", HexBytes("61 80 62"), 1, 255, "ab"},
    {"byte 0x80 kept", HexBytes("61 80 62"), 5, 255,
     "a\x80"
     "b"},
    {"kept spaces trimmed", "  a  ", 5, 255, "a"},
    {"cut inside a syllable", Repeated(HexBytes("D6 D0"), 43), 1, 255,
     Repeated("zhong ", 42) + "zho"},
    {"cut at a space, then trimmed", Repeated(HexBytes("D7 D6"), 100), 1, 255,
     Repeated("zi ", 84) + "zi"},
    {"leading spaces count against the cut", HexBytes("A1 A3 A1 A3 BA BA"), 1,
     4, "ha"},
    {"limit 1", HexBytes("BA BA D7 D6"), 1, 1, "h"},
    {"limit 0", HexBytes("BA BA D7 D6"), 1, 0, ""},
    {"negative limit", HexBytes("BA BA D7 D6"), 1, -1, ""},
    {"most negative limit", HexBytes("BA BA D7 D6"), 1, INT_MIN, ""},
    {"largest limit", HexBytes("BA BA D7 D6"), 1, INT_MAX, "han zi"},
    {"negative mode", HexBytes("BA BA D7 D6"), -1, 255, ""},
    {"bit 3 ignored", HexBytes("BA BA D7 D6"), 8, 255, "h z"},
    {"bit 3 ignored with full", HexBytes("BA BA D7 D6"), 9, 255, "han zi"},
    {"all three bits", HexBytes("BA BA D7 D6"), 7, 255, "han zi"},
    {"empty text", "", 7, 255, ""},
    {"empty text, no limit", "", 1, INT_MAX, ""},
    {"full-width trail 0x80 keeps a NUL inside", HexBytes("61 A3 80 78"), 5,
     255, std::string("a\0 x", 4)},
    {"full-width NUL at the start falls to the trim", HexBytes("A3 80 78"), 5,
     255, "x"},
    {"full-width trail 0xFF gives DEL when kept", HexBytes("A3 FF 61"), 5, 255,
     "\x7F a"},
    {"capitals are never changed", "ABC" + HexBytes("BA BA"), 1, 255, "ABChan"},
    {"lead 0xFF has no reading", HexBytes("BA BA FF 41 D7 D6"), 3, 255,
     "han ? zi"},
    {"trail 0xFF has no reading", HexBytes("BA BA B0 FF D7 D6"), 3, 255,
     "han ? zi"},
    {"row 2 trail 0xFF has no reading", HexBytes("A2 FF"), 3, 255, "?"},
    {"greek trail 0xFF has no reading", HexBytes("A6 FF"), 3, 255, "?"},
    {"trail byte is never a lead byte", HexBytes("B0 B0 A1"), 1, 255, "an"},
};

TEST(TextToPinyin, GivesTheResultOfEachCase) {
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Id);
    EXPECT_EQ(TextToPinyin(Case.Input, Case.Mode, Case.MaxLen), Case.Expected);
  }
}

TEST(TextToPinyin, NegativeModeOverridesEveryOtherBit) {
  const std::string Text = HexBytes("BA BA D7 D6");
  for (int Mode : {-1, -2, -8, INT_MIN, INT_MIN | 7})
    EXPECT_EQ(TextToPinyin(Text, Mode, 255), "") << Mode;
}

TEST(TextToPinyin, DoesNotReadPastTheTextItIsGiven) {
  // A view that ends in a lead byte inside a longer buffer: the byte after
  // the view's end must count as 0x00, not as the buffer's next byte.
  const std::string Buffer = HexBytes("BA BA BA BA");
  EXPECT_EQ(TextToPinyin(std::string_view(Buffer).substr(0, 3), 5, 255),
            "han \xBA");
}

TEST(TextToPinyin, StopsAtTheCutOnAHugeText) {
  // The cut bounds the result whatever the input's size; the scan stops there.
  const std::string Huge = Repeated(HexBytes("D6 D0"), 4 << 20);
  const std::string Result = TextToPinyin(Huge, 1, 255);
  EXPECT_EQ(Result.size(), 255u);
  EXPECT_EQ(Result.substr(250), "g zho");
}

}  // namespace
