// TMemo: an editable box of several lines whose text the program reads and
// replaces whole, as a GBK string with CR LF line ends.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <string>
#include <string_view>

#include "vcl/Types.h"

namespace Vcl {

class TMemo;

// The text of a memo, in code page 936.
class TMemoLines {
 public:
  explicit TMemoLines(TMemo& Box) : FBox(Box) {}

  // The box's whole text as GBK, lines separated by CR LF, nothing added or
  // removed. A character GBK has no code for becomes the core's no-reading
  // character.
  std::string Text() const;
  // Replaces the box's whole text at once, after turning every CR, LF and
  // CR LF of Gbk into CR LF. When that equals the current text the box is
  // left alone, so its undo history and change notification stay untouched.
  void SetText(std::string_view Gbk);

 private:
  TMemo& FBox;
};

class TMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(Vcl::TAlign Align MEMBER Align)
  Q_PROPERTY(int Tag MEMBER Tag)
  Q_PROPERTY(QStringList Lines READ LineList WRITE SetLineList)
  Q_PROPERTY(Vcl::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

 public:
  explicit TMemo(QWidget* Parent = nullptr);

  TAlign Align = alNone;
  int Tag = 0;
  TMemoLines Lines{*this};

  // The lines as a list; setting it makes each entry a whole line, ended by
  // a line break (so the box shows one more, empty line).
  QStringList LineList() const;
  void SetLineList(const QStringList& Value);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

  bool WordWrap() const;
  void SetWordWrap(bool Value);

 private:
  TScrollStyle FScrollBars = ssNone;
};

}  // namespace Vcl
