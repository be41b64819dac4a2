// TPinyinFilter: the line structure and the encodings around the core's
// stream. Every line is handed to the stream as the exact GBK bytes between
// two line breaks, so each output line is TextToPinyin of its input line.
//
// UTF-8 input is decoded in runs of whole lines, one decoder call for most
// of a block, rather than line by line: a short line would otherwise cost a
// call of its own. A run always starts at the start of a line and ends with
// its line feed, so the decoder holds nothing back between runs, and LF and
// CR come out of it unchanged (no GBK character contains either byte); the
// lines are then cut in the GBK text.
#include "PinyinFilter.h"

#include <algorithm>

namespace Cli {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Pinyin is handed on (and turned into UTF-8) in batches of about this size,
// so that short lines do not cost one conversion call each.
constexpr std::size_t PinyinBatchBytes = 64 * 1024;

// The start of a line at the end of a block is kept until its line feed
// comes, up to this size; a longer line is decoded as it comes.
constexpr std::size_t CarryLimit = 64 * 1024;

}  // namespace

TPinyinFilter::TPinyinFilter(const TFilterSettings& Settings,
                             TOutputSink Output)
    : Whole(Settings.Whole),
      Output(std::move(Output)),
      Stream(Settings.Mode, Settings.MaxLen,
             [this](std::string_view Piece) { TakePinyin(Piece); }),
      ExpectBom(Settings.Encoding == TEncoding::Utf8) {
  if (Settings.Encoding == TEncoding::Utf8) {
    Decoder.emplace();
    Encoder.emplace();
  }
  Pinyin.reserve(PinyinBatchBytes + 16 * 1024);
}

void TPinyinFilter::Feed(std::string_view Block) {
  if (ExpectBom) {
    // The mark may come split over blocks: collect its three bytes first.
    const std::size_t Take =
        std::min(ByteOrderMark.size() - BomProbe.size(), Block.size());
    BomProbe.append(Block.substr(0, Take));
    Block.remove_prefix(Take);
    if (!ByteOrderMark.starts_with(BomProbe)) {
      // Not a mark: what was collected is the start of the text.
      ExpectBom = false;
      const std::string Probe = std::move(BomProbe);
      BomProbe.clear();
      Accept(Probe);
    } else if (BomProbe.size() == ByteOrderMark.size()) {
      ExpectBom = false;  // the mark is dropped, never converted
      BomProbe.clear();
    }
  }
  Accept(Block);
  FlushPinyin(false);
}

void TPinyinFilter::Finish() {
  if (ExpectBom) {
    // The input ended within what could have begun a mark: it is text.
    ExpectBom = false;
    const std::string Probe = std::move(BomProbe);
    BomProbe.clear();
    Accept(Probe);
  }
  if (Decoder) {
    // The last line has no line feed; a sequence it ends in is invalid.
    Decode(Carry, true, true);
    Carry.clear();
  }
  if (HeldCr) {
    HeldCr = false;
    Stream.Feed("\r");  // a CR with no LF after it is part of the text
  }
  if (TextOpen) EndText();
  FlushPinyin(true);
}

void TPinyinFilter::Accept(std::string_view Bytes) {
  if (Bytes.empty()) return;
  if (Decoder)
    DecodeInput(Bytes);
  else
    SplitLines(Bytes);
}

void TPinyinFilter::DecodeInput(std::string_view Block) {
  while (!Block.empty()) {
    const std::size_t Lf = Block.find('\n');
    if (Lf == std::string_view::npos) {
      CarryLinePart(Block);
      return;
    }
    if (RawLineOpen) {
      // The end of the line begun in an earlier block.
      const std::string_view Rest = Block.substr(0, Lf + 1);
      if (Carry.empty()) {
        Decode(Rest, true, false);
      } else {
        Carry.append(Rest);
        Decode(Carry, true, false);
        Carry.clear();
      }
      RawLineOpen = false;
      Block.remove_prefix(Lf + 1);
      continue;
    }
    const std::size_t LastLf = Block.rfind('\n');
    Decode(Block.substr(0, LastLf + 1), false, false);
    Block.remove_prefix(LastLf + 1);
  }
}

void TPinyinFilter::CarryLinePart(std::string_view Part) {
  RawLineOpen = true;
  if (Carry.size() + Part.size() <= CarryLimit) {
    Carry.append(Part);
    return;
  }
  // A line this long is decoded as it comes; a sequence that a block cuts
  // waits in the decoder, which only ever sees this one line until its LF.
  if (!Carry.empty()) {
    Decode(Carry, true, false);
    Carry.clear();
  }
  Decode(Part, true, false);
}

void TPinyinFilter::Decode(std::string_view Utf8, bool OneLine, bool AtEnd) {
  // Decoding goes on past the cut, so that invalid UTF-8 is reported
  // whatever MaxLen is; the stream ignores what the cut has removed.
  Gbk.clear();
  const std::size_t InvalidBefore = Report.InvalidBytes;
  Decoder->Convert(Utf8, Gbk, AtEnd, &Report);
  if (InvalidLine == 0 && Report.InvalidBytes > InvalidBefore)
    InvalidLine = OneLine ? Line : LocateInvalidLine(Utf8);
  SplitLines(Gbk);
}

std::uint64_t TPinyinFilter::LocateInvalidLine(std::string_view Lines) const {
  // Lines is a run of whole lines, the first of them line number Line: a
  // decoder of its own, fed one line at a time, finds the one at fault.
  // This happens once per input at most.
  IMCode::TUtf8ToGbk Locator;
  IMCode::TEncodingReport Found;
  std::string Scratch;
  std::uint64_t Number = Line;
  while (!Lines.empty()) {
    const std::size_t Lf = std::min(Lines.find('\n'), Lines.size() - 1);
    Scratch.clear();
    Locator.Convert(Lines.substr(0, Lf + 1), Scratch, false, &Found);
    if (Found.InvalidBytes > 0) break;
    Lines.remove_prefix(Lf + 1);
    ++Number;
  }
  return Number;
}

void TPinyinFilter::SplitLines(std::string_view Block) {
  while (!Block.empty()) {
    // A CR held back at the end of the last block belongs to the line break
    // if this block starts with its LF, else it is text.
    if (HeldCr) {
      HeldCr = false;
      if (Block.front() != '\n') Stream.Feed("\r");
    }
    TextOpen = true;
    const std::size_t Lf = Block.find('\n');
    if (Lf == std::string_view::npos) {
      std::string_view Text = Block;
      if (!Whole && Text.back() == '\r') {
        HeldCr = true;
        Text.remove_suffix(1);
      }
      Stream.Feed(Text);
      return;
    }
    if (Whole) {
      Stream.Feed(
          Block.substr(0, Lf + 1));  // line breaks are text of the input
    } else {
      std::string_view Text = Block.substr(0, Lf);
      if (!Text.empty() && Text.back() == '\r') Text.remove_suffix(1);
      Stream.Feed(Text);
      EndText();
    }
    ++Line;
    Block.remove_prefix(Lf + 1);
  }
}

void TPinyinFilter::EndText() {
  Stream.Finish();
  TakePinyin("\n");
  TextOpen = false;
}

void TPinyinFilter::TakePinyin(std::string_view Piece) {
  Pinyin.append(Piece);
  if (Pinyin.size() >= PinyinBatchBytes) FlushPinyin(false);
}

void TPinyinFilter::FlushPinyin(bool AtEnd) {
  if (!Encoder) {
    if (!Pinyin.empty()) Output(Pinyin);
    Pinyin.clear();
    return;
  }
  if (Pinyin.empty() && !AtEnd) return;
  // A lead byte at the end of a batch waits in the encoder for its trail.
  Utf8.clear();
  Encoder->Convert(Pinyin, Utf8, AtEnd);
  Pinyin.clear();
  if (!Utf8.empty()) Output(Utf8);
}

}  // namespace Cli
