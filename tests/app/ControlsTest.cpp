// The control layer under the window: the banner's JPEG decoding (at the
// first paint, by libjpeg, and harmless on damaged files), the GBK text of
// memos, and the skin component.
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <string>

#include "vcl/Button.h"
#include "vcl/Image.h"
#include "vcl/Jpeg.h"
#include "vcl/Memo.h"
#include "vcl/Panel.h"
#include "vcl/SkinData.h"

namespace {

const QString Banner = QStringLiteral(":/resources/banner.jpg");
const QString Skin = QStringLiteral(":/resources/skin.qss");

QByteArray BannerBytes() {
  QFile File(Banner);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// The banner with the size in its frame header replaced.
QByteArray BannerClaiming(quint16 Width, quint16 Height) {
  QByteArray Bytes = BannerBytes();
  const qsizetype Frame = Bytes.indexOf(QByteArray("\xFF\xC0", 2));
  if (Frame < 0) return {};
  Bytes[Frame + 5] = char(Height >> 8);
  Bytes[Frame + 6] = char(Height & 0xFF);
  Bytes[Frame + 7] = char(Width >> 8);
  Bytes[Frame + 8] = char(Width & 0xFF);
  return Bytes;
}

// Colours are compared by kind, loosely enough for JPEG's small errors.
bool Green(QColor C) {
  return C.green() > C.red() + 80 && C.green() > C.blue() + 50;
}
bool White(QColor C) {
  return C.red() >= 235 && C.green() >= 235 && C.blue() >= 235;
}
bool Red(QColor C) { return C.red() > 180 && C.green() < 80 && C.blue() < 80; }
bool Dark(QColor C) { return C.red() < 60 && C.green() < 60 && C.blue() < 60; }

bool Looks(QColor C, const QString& Kind) {
  if (Kind == "green") return Green(C);
  if (Kind == "white") return White(C);
  if (Kind == "red") return Red(C);
  if (Kind == "dark") return Dark(C);
  return false;
}

}  // namespace

class TControlsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // --- the banner picture -------------------------------------------------

  void bannerIsDecodedAtItsNaturalSize() {
    Vcl::TJPEGImage Picture;
    Picture.LoadFromFile(Banner);
    QCOMPARE(Picture.Width(), 619);
    QCOMPARE(Picture.Height(), 93);
    QVERIFY(!Picture.Decoded());
    const QImage& Bitmap = Picture.Bitmap();
    QCOMPARE(Bitmap.size(), QSize(619, 93));
    QCOMPARE(Bitmap.format(), QImage::Format_RGB888);
  }

  void bannerShowsStripMascotAndWordmark_data() {
    QTest::addColumn<QPoint>("At");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("strip is green at the top") << QPoint(600, 2) << "green";
    QTest::newRow("strip fades to white") << QPoint(600, 91) << "white";
    QTest::newRow("mascot's red head") << QPoint(54, 20) << "red";
    QTest::newRow("mascot's black belly") << QPoint(54, 62) << "dark";
    QTest::newRow("white wordmark on green") << QPoint(118, 30) << "white";
  }

  void bannerShowsStripMascotAndWordmark() {
    QFETCH(QPoint, At);
    QFETCH(QString, Expected);
    Vcl::TJPEGImage Picture;
    Picture.LoadFromFile(Banner);
    const QColor Pixel = Picture.Bitmap().pixelColor(At);
    QVERIFY2(Looks(Pixel, Expected), qPrintable(Pixel.name()));
  }

  // The picture is decoded by the first paint, drawn from the control's
  // corner unscaled and cut off at the control's right edge.
  void imageDecodesAtFirstPaintAndClips() {
    Vcl::TImage Image;
    Image.resize(609, 93);
    Image.SetPicture(Banner);
    QVERIFY(!Image.Picture().Decoded());
    const QImage Shown = Image.grab().toImage();
    QVERIFY(Image.Picture().Decoded());
    const QImage& Bitmap = Image.Picture().Bitmap();
    QCOMPARE(Shown.width(), 609);
    for (const QPoint At :
         {QPoint(0, 0), QPoint(54, 20), QPoint(608, 40), QPoint(608, 92)})
      QCOMPARE(Shown.pixelColor(At), Bitmap.pixelColor(At));
  }

  void autoSizeTakesThePictureSize() {
    Vcl::TImage Image;
    Image.resize(10, 10);
    Image.SetAutoSize(true);
    Image.SetPicture(Banner);
    QCOMPARE(Image.size(), QSize(619, 93));
  }

  // A damaged or missing picture leaves the control blank and everything
  // else working; a readable part of a truncated file is still shown.
  void damagedPictureLeavesImageBlank_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<bool>("Missing");
    QTest::addColumn<QSize>("Size");
    QTest::addColumn<bool>("Shown");
    const QByteArray Whole = BannerBytes();
    QTest::newRow("missing file") << QByteArray() << true << QSize() << false;
    QTest::newRow("empty file") << QByteArray() << false << QSize() << false;
    QTest::newRow("not a JPEG")
        << QByteArray("GIF89a and then some") << false << QSize() << false;
    QTest::newRow("header cut short")
        << Whole.left(100) << false << QSize() << false;
    QTest::newRow("scan data cut short")
        << Whole.left(Whole.size() / 3) << false << QSize(619, 93) << true;
    QTest::newRow("scan data garbled")
        << Whole.left(Whole.size() / 2) + QByteArray(4000, '\xFF') << false
        << QSize(619, 93) << true;
    // A few bytes claiming gigabytes of pixels are refused unread.
    QTest::newRow("size too large to hold")
        << BannerClaiming(30000, 30000) << false << QSize() << false;
  }

  void damagedPictureLeavesImageBlank() {
    QFETCH(QByteArray, Bytes);
    QFETCH(bool, Missing);
    QFETCH(QSize, Size);
    QFETCH(bool, Shown);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath("banner.jpg");
    if (!Missing) {
      QFile File(Path);
      QVERIFY(File.open(QIODevice::WriteOnly));
      File.write(Bytes);
    }
    Vcl::TImage Image;
    Image.resize(609, 93);
    Image.SetAutoSize(true);
    Image.SetPicture(Path);
    QCOMPARE(QSize(Image.Picture().Width(), Image.Picture().Height()),
             Size.isValid() ? Size : QSize(0, 0));
    if (!Size.isValid()) QCOMPARE(Image.size(), QSize(609, 93));
    Image.resize(609, 93);
    const QImage Before = Image.grab().toImage();  // the first paint decodes
    QCOMPARE(Image.Picture().Bitmap().isNull(), !Shown);
    QCOMPARE(Image.grab().toImage(), Before);  // and later paints reuse it
  }

  // --- memo text ----------------------------------------------------------

  void memoTextIsGbkWithCrLf() {
    Vcl::TMemo Memo;
    Memo.setPlainText(QStringLiteral("汉字转拼音\n"));
    QCOMPARE(Memo.Lines.Text(),
             std::string("\xBA\xBA\xD7\xD6\xD7\xAA\xC6\xB4\xD2\xF4\r\n"));
  }

  void memoLinesPropertyAddsWholeLines() {
    Vcl::TMemo Memo;
    Memo.setProperty("Lines", QStringList{QStringLiteral("汉字转拼音")});
    QCOMPARE(Memo.toPlainText(), QStringLiteral("汉字转拼音\n"));
    QCOMPARE(Memo.document()->blockCount(), 2);
    QCOMPARE(Memo.property("Lines").toStringList(),
             QStringList{QStringLiteral("汉字转拼音")});
  }

  void memoSetTextNormalisesLineBreaks_data() {
    QTest::addColumn<QByteArray>("Given");
    QTest::addColumn<QByteArray>("Read");
    QTest::addColumn<QString>("Shown");
    QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("a\r\nb") << "a\nb";
    QTest::newRow("lone CR")
        << QByteArray("a\rb") << QByteArray("a\r\nb") << "a\nb";
    QTest::newRow("CR LF kept")
        << QByteArray("a\r\nb") << QByteArray("a\r\nb") << "a\nb";
    QTest::newRow("LF CR is two breaks")
        << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb") << "a\n\nb";
    QTest::newRow("break at the end")
        << QByteArray("a\r") << QByteArray("a\r\n") << "a\n";
    QTest::newRow("GBK characters")
        << QByteArray("\xBA\xBA\n\xD7\xD6")
        << QByteArray("\xBA\xBA\r\n\xD7\xD6") << QStringLiteral("汉\n字");
    QTest::newRow("empty") << QByteArray() << QByteArray() << QString();
  }

  void memoSetTextNormalisesLineBreaks() {
    QFETCH(QByteArray, Given);
    QFETCH(QByteArray, Read);
    QFETCH(QString, Shown);
    Vcl::TMemo Memo;
    Memo.setPlainText("earlier text");
    Memo.Lines.SetText(Given.toStdString());
    QCOMPARE(Memo.toPlainText(), Shown);
    QCOMPARE(QByteArray::fromStdString(Memo.Lines.Text()), Read);
  }

  // Setting the text the box already holds (after normalising its line
  // breaks) changes nothing: no notification, the undo history stays.
  void memoSetTextLeavesEqualTextAlone() {
    Vcl::TMemo Memo;
    Memo.setPlainText("han\nzi");
    QTest::keyClicks(&Memo, "x");
    QVERIFY(Memo.document()->isUndoAvailable());
    const std::string Current = Memo.Lines.Text();
    QSignalSpy Changes(&Memo, &QPlainTextEdit::textChanged);
    Memo.Lines.SetText(Current);
    Memo.Lines.SetText("xhan\nzi");  // the same once LF is CR LF
    QCOMPARE(Changes.count(), 0);
    QVERIFY(Memo.document()->isUndoAvailable());
    Memo.Lines.SetText("other");
    QCOMPARE(Changes.count(), 1);
  }

  // --- the skin -----------------------------------------------------------

  void skinMarksTheControlsItDraws_data() {
    QTest::addColumn<bool>("Active");
    QTest::addColumn<int>("ButtonTag");
    QTest::addColumn<int>("Controls");
    QTest::addColumn<bool>("ButtonSkinned");
    QTest::addColumn<bool>("MemoSkinned");
    const int Every = Vcl::TSkinData::xcButton | Vcl::TSkinData::xcEdit |
                      Vcl::TSkinData::xcScrollbar | Vcl::TSkinData::xcPanel;
    QTest::newRow("active, Tag 0") << true << 0 << Every << true << true;
    QTest::newRow("Tag 99 is left alone")
        << true << 99 << Every << false << true;
    QTest::newRow("inactive skin") << false << 0 << Every << false << false;
    QTest::newRow("buttons not in SkinControls")
        << true << 0 << (Every & ~Vcl::TSkinData::xcButton) << false << true;
  }

  void skinMarksTheControlsItDraws() {
    QFETCH(bool, Active);
    QFETCH(int, ButtonTag);
    QFETCH(int, Controls);
    QFETCH(bool, ButtonSkinned);
    QFETCH(bool, MemoSkinned);
    QWidget Window;
    Window.resize(300, 200);
    auto* Button = new Vcl::TButton(&Window);
    Button->Tag = ButtonTag;
    Button->setGeometry(10, 10, 120, 40);
    auto* Plain = new Vcl::TButton(&Window);  // stays unskinned in every row
    Plain->Tag = 99;
    Plain->setGeometry(150, 10, 120, 40);
    auto* Memo = new Vcl::TMemo(&Window);
    Memo->setGeometry(10, 60, 200, 100);
    Memo->SetScrollBars(Vcl::ssBoth);
    auto* Skin = new Vcl::TSkinData(&Window);
    Skin->Active = Active;
    Skin->DisableTag = 99;
    Skin->SkinControls = Vcl::TSkinData::TSkinControls(Controls);
    Skin->SkinStream = ::Skin;
    Skin->Loaded();

    QCOMPARE(Button->property("SkinKind").toString() == "button",
             ButtonSkinned);
    QVERIFY(!Plain->property("SkinKind").isValid());
    QCOMPARE(Memo->property("SkinKind").toString() == "edit", MemoSkinned);
    QCOMPARE(Memo->verticalScrollBar()->property("SkinKind").toString() ==
                 "scrollbar",
             Active);
    QCOMPARE(Window.styleSheet().isEmpty(), !Active);

    // The sheet really paints: a skinned button is green, a plain one not.
    const QImage Shown = Window.grab().toImage();
    const QColor Skinned = Shown.pixelColor(Button->geometry().center());
    const QColor Unskinned = Shown.pixelColor(Plain->geometry().center());
    QCOMPARE(Green(Skinned), ButtonSkinned);
    QVERIFY2(!Green(Unskinned), qPrintable(Unskinned.name()));
  }

  // The skin keeps the panel's border one pixel wide, so aligned children
  // sit where they would without it.
  void skinKeepsThePanelBorder() {
    QWidget Window;
    auto* Panel = new Vcl::TPanel(&Window);
    Panel->setGeometry(0, 0, 200, 100);
    const QRect Plain = Panel->contentsRect();
    auto* Skin = new Vcl::TSkinData(&Window);
    Skin->Active = true;
    Skin->SkinControls = Vcl::TSkinData::xcPanel;
    Skin->SkinStream = ::Skin;
    Skin->Loaded();
    Panel->ensurePolished();
    QCOMPARE(Panel->property("SkinKind").toString(), QStringLiteral("panel"));
    QCOMPARE(Panel->contentsRect(), Plain);
    QCOMPARE(Plain, QRect(1, 1, 198, 98));
  }

  void unreadableSkinChangesNothing() {
    QWidget Window;
    auto* Button = new Vcl::TButton(&Window);
    auto* Skin = new Vcl::TSkinData(&Window);
    Skin->Active = true;
    Skin->SkinControls = Vcl::TSkinData::xcButton;
    Skin->SkinStream = ":/no/such/skin.qss";
    Skin->Loaded();
    QVERIFY(!Button->property("SkinKind").isValid());
    QVERIFY(Window.styleSheet().isEmpty());
  }
};

QTEST_MAIN(TControlsTest)
#include "ControlsTest.moc"
