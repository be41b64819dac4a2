// UTF-8 to GBK (code page 936) and back, through iconv, for the window and
// the filter. Neither direction ever stops early or drops text: what cannot
// be converted is replaced, counted, and the conversion goes on after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace IMCode {

// The double-byte character that stands in for text GBK cannot hold (a
// character outside GBK, a byte of invalid UTF-8). TextToPinyin gives it no
// reading, so it yields "?" under pyMarkUnknown and is spaced like any other
// character. Lead byte 0xFF is no GBK lead byte, so real text never holds it.
inline constexpr std::string_view NoReadingCharacter = "\xFF\xFF";

// What a conversion to GBK had to replace.
struct TEncodingReport {
  std::size_t InvalidBytes = 0;     // bytes that are not valid UTF-8
  std::size_t Unrepresentable = 0;  // valid characters that GBK has no code for

  bool Clean() const { return InvalidBytes == 0 && Unrepresentable == 0; }
};

// UTF-8 to GBK in blocks. Each invalid byte and each character outside GBK
// becomes NoReadingCharacter. A sequence cut by the end of a block is kept
// and completed by the next block; at the end of the text it is invalid.
class TUtf8ToGbk {
 public:
  TUtf8ToGbk();
  TUtf8ToGbk(const TUtf8ToGbk&) = delete;
  TUtf8ToGbk& operator=(const TUtf8ToGbk&) = delete;
  ~TUtf8ToGbk();

  // Appends the GBK form of Utf8 to Gbk and adds what it replaced to Report
  // (which may be null). AtEnd says that no more text follows.
  void Convert(std::string_view Utf8, std::string& Gbk, bool AtEnd,
               TEncodingReport* Report = nullptr);

 private:
  void* Handle;         // iconv_t
  std::string Pending;  // an incomplete sequence from the end of the last block
};

// GBK to UTF-8 in blocks. A byte that forms no GBK character becomes U+FFFD.
// Returns the number of bytes replaced so.
class TGbkToUtf8 {
 public:
  TGbkToUtf8();
  TGbkToUtf8(const TGbkToUtf8&) = delete;
  TGbkToUtf8& operator=(const TGbkToUtf8&) = delete;
  ~TGbkToUtf8();

  std::size_t Convert(std::string_view Gbk, std::string& Utf8, bool AtEnd);

 private:
  void* Handle;         // iconv_t
  std::string Pending;  // a lead byte from the end of the last block
};

// Whole-text forms of the two converters.
std::string Utf8ToGbk(std::string_view Utf8, TEncodingReport* Report = nullptr);
std::string GbkToUtf8(std::string_view Gbk);

}  // namespace IMCode
