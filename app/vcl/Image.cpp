#include "vcl/Image.h"

#include <QMouseEvent>
#include <QPainter>

#include "vcl/Align.h"
#include "vcl/Application.h"

namespace Vcl {

TImage::TImage(QWidget* Parent) : QWidget(Parent) {}

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustToPicture();
}

void TImage::SetPicture(const QString& Source) {
  FPictureSource = Source;
  FPicture.LoadFromFile(Source);
  AdjustToPicture();
  update();
}

void TImage::AdjustToPicture() {
  if (!FAutoSize || FPicture.Empty()) return;
  resize(FPicture.Width(), FPicture.Height());
  if (parentWidget()) AlignControls(*parentWidget());
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter Canvas(this);
  FPicture.Draw(Canvas, QPoint(0, 0));
}

void TImage::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) FPressed = true;
}

void TImage::mouseReleaseEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton || !FPressed) return;
  FPressed = false;
  if (rect().contains(Event->position().toPoint()))
    RunHandler([this] { Q_EMIT OnClick(this); });
}

// Qt's default handles the second press of a double click as a press; here
// it starts no click.
void TImage::mouseDoubleClickEvent(QMouseEvent*) {}

}  // namespace Vcl
