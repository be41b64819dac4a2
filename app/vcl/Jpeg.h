// TJPEGImage: a JPEG picture held as its file bytes and decoded by libjpeg
// the first time it is drawn.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QPoint;

namespace Vcl {

class TJPEGImage {
 public:
  // Takes the bytes of a JPEG file and reads its header for the size. Bytes
  // without a readable header leave the picture empty. Decoding waits for
  // the first Draw or Bitmap.
  void LoadFromBytes(QByteArray Bytes);
  // LoadFromBytes with a file's content (a Qt resource path works too); a
  // file that cannot be read leaves the picture empty.
  void LoadFromFile(const QString& Path);

  bool Empty() const { return FSize.isEmpty(); }
  int Width() const { return FSize.width(); }
  int Height() const { return FSize.height(); }

  // The decoded picture in 24-bit RGB at full size, decoded on the first
  // call and kept for later ones. A null image when the data is corrupt.
  const QImage& Bitmap();
  bool Decoded() const { return FDecodeDone; }

  // Draws the picture at its natural size with its top-left corner at At.
  // Draws nothing when the picture is empty or corrupt.
  void Draw(QPainter& Canvas, const QPoint& At);

 private:
  QByteArray FBytes;
  QSize FSize{0, 0};
  QImage FBitmap;
  bool FDecodeDone = false;
};

}  // namespace Vcl
