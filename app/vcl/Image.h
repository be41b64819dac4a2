// TImage: a control that shows a picture and reports clicks on it.
#pragma once

#include <QString>
#include <QWidget>

#include "vcl/Jpeg.h"
#include "vcl/Types.h"

namespace Vcl {

class TImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(Vcl::TAlign Align MEMBER Align)
  Q_PROPERTY(int Tag MEMBER Tag)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(QString Picture READ PictureSource WRITE SetPicture)

 public:
  explicit TImage(QWidget* Parent = nullptr);

  TAlign Align = alNone;
  int Tag = 0;

  // With AutoSize the control takes the picture's size; an alignment then
  // overrides the sides it docks.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // The picture is read from the file (or Qt resource) Source. A file that
  // is missing or no JPEG leaves the control blank.
  const QString& PictureSource() const { return FPictureSource; }
  void SetPicture(const QString& Source);
  TJPEGImage& Picture() { return FPicture; }

 Q_SIGNALS:
  // The left button was pressed over the control and released over it. The
  // second press of a double click does not count.
  void OnClick(Vcl::TObject* Sender);

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;

 private:
  void AdjustToPicture();

  bool FAutoSize = false;
  QString FPictureSource;
  TJPEGImage FPicture;
  bool FPressed = false;
};

}  // namespace Vcl
