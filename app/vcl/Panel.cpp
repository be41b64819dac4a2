#include "vcl/Panel.h"

#include <QEvent>

#include "vcl/Align.h"

namespace Vcl {

TPanel::TPanel(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
}

// The children follow when the panel's size or its border (a skin may draw
// it) changes.
bool TPanel::event(QEvent* Event) {
  const bool Handled = QFrame::event(Event);
  if (Event->type() == QEvent::Resize ||
      Event->type() == QEvent::ContentsRectChange)
    AlignControls(*this);
  return Handled;
}

}  // namespace Vcl
