#include "vcl/Button.h"

#include <QKeyEvent>

#include "vcl/Application.h"

namespace Vcl {

TButton::TButton(QWidget* Parent) : QPushButton(Parent) {
  // Neither default nor cancel button: Enter in another control never
  // presses it.
  setAutoDefault(false);
  setDefault(false);
  connect(this, &QPushButton::clicked, this,
          [this] { RunHandler([this] { Q_EMIT OnClick(this); }); });
}

// A focused button is pressed by Enter and Return as well as by Space.
void TButton::keyPressEvent(QKeyEvent* Event) {
  if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) &&
      Event->modifiers() == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(Event);
}

}  // namespace Vcl
