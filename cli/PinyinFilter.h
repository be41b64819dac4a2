// The filter's conversion of one input that arrives in blocks of any size:
// it drops a UTF-8 byte order mark, cuts the input into lines, turns UTF-8
// into GBK for the core and the pinyin back into UTF-8, and runs each line
// (or, with Whole, the whole input) through one TPinyinStream. Memory stays
// bounded whatever the length of a line or of the input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "FilterSettings.h"
#include "GBKEncoding.h"
#include "PinyinStream.h"

namespace Cli {

// Receives the output in pieces, in order.
using TOutputSink = std::function<void(std::string_view)>;

class TPinyinFilter {
 public:
  TPinyinFilter(const TFilterSettings& Settings, TOutputSink Output);
  TPinyinFilter(const TPinyinFilter&) = delete;
  TPinyinFilter& operator=(const TPinyinFilter&) = delete;

  // Converts the next block of the input. Everything that the block
  // completes has gone to the sink when this returns.
  void Feed(std::string_view Block);

  // Ends the input: a last line without line feed is still a line. An input
  // of no bytes (after a byte order mark) gives no output at all.
  void Finish();

  // The number, counted from 1, of the first line of the input that held
  // invalid UTF-8, or 0 while there is none.
  std::uint64_t FirstInvalidLine() const { return InvalidLine; }

 private:
  void Accept(std::string_view Bytes);
  void DecodeInput(std::string_view Block);
  void CarryLinePart(std::string_view Part);
  void Decode(std::string_view Utf8, bool OneLine, bool AtEnd);
  std::uint64_t LocateInvalidLine(std::string_view Lines) const;
  void SplitLines(std::string_view Block);
  void EndText();
  void TakePinyin(std::string_view Piece);
  void FlushPinyin(bool AtEnd);

  const bool Whole;
  TOutputSink Output;
  IMCode::TPinyinStream Stream;
  std::optional<IMCode::TUtf8ToGbk> Decoder;  // UTF-8 input only
  std::optional<IMCode::TGbkToUtf8> Encoder;  // UTF-8 output only
  IMCode::TEncodingReport Report;

  std::string Carry;  // UTF-8 of a line begun at the end of the last block
  bool RawLineOpen = false;  // that line has begun (in Carry or decoded)
  std::string Gbk;           // decoded text on its way to the stream
  std::string Pinyin;        // GBK pinyin on its way to the sink, in batches
  std::string Utf8;          // the batch in UTF-8

  bool ExpectBom;         // UTF-8 input whose first bytes are still to come
  std::string BomProbe;   // first bytes that may yet be a byte order mark
  bool HeldCr = false;    // a CR ended the last block; an LF may follow it
  bool TextOpen = false;  // the current line (or input) has begun
  std::uint64_t Line = 1;
  std::uint64_t InvalidLine = 0;
};

}  // namespace Cli
