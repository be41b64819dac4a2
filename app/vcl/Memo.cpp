#include "vcl/Memo.h"

#include <QStringEncoder>

#include "GBKEncoding.h"

namespace Vcl {
namespace {

// CR, LF and CR LF all become CR LF. Neither byte can be the trail byte of a
// GBK character, so the bytes can be rewritten one by one.
std::string WithCrLf(std::string_view Text) {
  std::string Result;
  Result.reserve(Text.size() + Text.size() / 8);
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\r' || Text[I] == '\n') {
      Result += "\r\n";
      if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    } else {
      Result += Text[I];
    }
  }
  return Result;
}

}  // namespace

std::string TMemoLines::Text() const {
  QString Content = FBox.toPlainText();
  Content.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  // QString::toStdString writes an unpaired surrogate as "?", which the
  // conversion would take for the user's question mark; the encoder writes
  // U+FFFD, which GBK lacks, so it becomes a character without reading.
  QStringEncoder ToUtf8(QStringEncoder::Utf8);
  const QByteArray Utf8 = ToUtf8(Content);
  return IMCode::Utf8ToGbk(std::string_view(
      Utf8.constData(), static_cast<std::size_t>(Utf8.size())));
}

void TMemoLines::SetText(std::string_view Gbk) {
  const std::string Normalised = WithCrLf(Gbk);
  if (Normalised == Text()) return;
  QString Content = QString::fromStdString(IMCode::GbkToUtf8(Normalised));
  Content.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  FBox.setPlainText(Content);
}

TMemo::TMemo(QWidget* Parent) : QPlainTextEdit(Parent) {
  // Tab moves the focus on; Enter stays a line break.
  setTabChangesFocus(true);
  SetScrollBars(ssNone);
}

QStringList TMemo::LineList() const {
  QStringList Result = toPlainText().split(QLatin1Char('\n'));
  if (!Result.isEmpty() && Result.back().isEmpty()) Result.removeLast();
  return Result;
}

void TMemo::SetLineList(const QStringList& Value) {
  QString Content;
  for (const QString& Line : Value) Content += Line + QLatin1Char('\n');
  setPlainText(Content);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  const bool Horizontal = Value == ssHorizontal || Value == ssBoth;
  const bool Vertical = Value == ssVertical || Value == ssBoth;
  setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAlwaysOn
                                          : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAlwaysOn
                                      : Qt::ScrollBarAlwaysOff);
}

bool TMemo::WordWrap() const {
  return lineWrapMode() == QPlainTextEdit::WidgetWidth;
}

void TMemo::SetWordWrap(bool Value) {
  setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

}  // namespace Vcl
