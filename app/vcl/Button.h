// TButton: a push button that reports clicks, by mouse or from the keyboard.
#pragma once

#include <QPushButton>

#include "vcl/Types.h"

namespace Vcl {

class TButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(Vcl::TAlign Align MEMBER Align)
  Q_PROPERTY(int Tag MEMBER Tag)

 public:
  explicit TButton(QWidget* Parent = nullptr);

  TAlign Align = alNone;
  int Tag = 0;

 Q_SIGNALS:
  // The button was clicked, or pressed with Space, Enter or Return while it
  // had the focus.
  void OnClick(Vcl::TObject* Sender);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
};

}  // namespace Vcl
