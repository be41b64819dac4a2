#include "vcl/Jpeg.h"

#include <jpeglib.h>

#include <QFile>
#include <QPainter>
#include <QPoint>
#include <csetjmp>
#include <cstdio>
#include <utility>

namespace Vcl {
namespace {

// libjpeg reports a fatal error through error_exit, whose default ends the
// process. This one jumps back into JpegRun, which gives up on the picture.
struct TJpegErrorExit {
  jpeg_error_mgr Manager;  // first member: libjpeg hands back its address
  std::jmp_buf Return;
};

[[noreturn]] void LeaveDecoder(j_common_ptr Info) {
  std::longjmp(reinterpret_cast<TJpegErrorExit*>(Info->err)->Return, 1);
}

// Warnings about damaged data (a truncated file, say) are not worth a line on
// the terminal: libjpeg goes on and the damaged part comes out grey.
void IgnoreMessage(j_common_ptr) {}

// The largest decoded picture accepted, in bytes: a header may claim up to
// 65,500 x 65,500 pixels, which would take gigabytes for a few bytes of
// file. The limit is the one Qt's own image readers use. A larger picture
// counts as unreadable.
constexpr long long DecodedLimit = 256LL * 1024 * 1024;

bool Acceptable(const jpeg_decompress_struct& Info) {
  return 3LL * Info.image_width * Info.image_height <= DecodedLimit;
}

// Reads the header of the JPEG in Bytes into Size and, when Pixels is not
// null, decodes the whole picture into it with libjpeg's default settings
// and RGB output. Returns false, with Pixels null, when libjpeg cannot read
// the data or the picture is too large. Only plain C data lives in this frame,
// so the jump back from LeaveDecoder skips no destructor.
bool JpegRun(const QByteArray& Bytes, QSize& Size, QImage* Pixels) {
  jpeg_decompress_struct Info{};
  TJpegErrorExit Error{};
  Info.err = jpeg_std_error(&Error.Manager);
  Error.Manager.error_exit = LeaveDecoder;
  Error.Manager.output_message = IgnoreMessage;
  if (setjmp(Error.Return)) {
    jpeg_destroy_decompress(&Info);
    if (Pixels) *Pixels = QImage();
    return false;
  }
  jpeg_create_decompress(&Info);
  jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.constData()),
               static_cast<unsigned long>(Bytes.size()));
  jpeg_read_header(&Info, TRUE);
  Size = QSize(static_cast<int>(Info.image_width),
               static_cast<int>(Info.image_height));
  bool Complete = Acceptable(Info);
  if (Pixels && Complete) {
    Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    *Pixels =
        QImage(static_cast<int>(Info.output_width),
               static_cast<int>(Info.output_height), QImage::Format_RGB888);
    Complete = !Pixels->isNull();  // null when memory ran out
    while (Complete && Info.output_scanline < Info.output_height) {
      JSAMPROW Row = Pixels->scanLine(static_cast<int>(Info.output_scanline));
      jpeg_read_scanlines(&Info, &Row, 1);
    }
    if (Complete) jpeg_finish_decompress(&Info);
  }
  jpeg_destroy_decompress(&Info);
  if (!Complete && Pixels) *Pixels = QImage();
  return Complete;
}

}  // namespace

void TJPEGImage::LoadFromBytes(QByteArray Bytes) {
  FBytes = std::move(Bytes);
  FSize = QSize(0, 0);
  FBitmap = QImage();
  FDecodeDone = false;
  if (!JpegRun(FBytes, FSize, nullptr)) FSize = QSize(0, 0);
}

void TJPEGImage::LoadFromFile(const QString& Path) {
  QFile File(Path);
  LoadFromBytes(File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray());
}

const QImage& TJPEGImage::Bitmap() {
  if (!FDecodeDone) {
    FDecodeDone = true;
    QSize Decoded;
    if (!Empty()) JpegRun(FBytes, Decoded, &FBitmap);
  }
  return FBitmap;
}

void TJPEGImage::Draw(QPainter& Canvas, const QPoint& At) {
  const QImage& Picture = Bitmap();
  if (!Picture.isNull()) Canvas.drawImage(At, Picture);
}

}  // namespace Vcl
