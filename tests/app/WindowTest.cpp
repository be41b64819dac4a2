// The window as the user meets it: TForm1 built from its stored description
// by the application object, with its layout, its start state, the convert
// button, the banner's link to the home page and the error box.
#include <QDesktopServices>
#include <QFile>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <stdexcept>

#include "GBKEncoding.h"
#include "Unit1.h"
#include "vcl/Application.h"

// Stands in for the web browser: counts the pages the desktop is asked to
// open.
class TBrowser : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> Opened;

 public Q_SLOTS:
  void Open(const QUrl& Page) { Opened.append(Page); }
};

class TWindowTest : public QObject {
  Q_OBJECT

 private:
  TBrowser Browser;

  QWindow* Window() { return Form1->windowHandle(); }

  // A point of a control in the window's client coordinates.
  QPoint OnWindow(QWidget* Control, QPoint At) {
    return Control->mapTo(Form1, At);
  }

  QString Convert(const QString& Input) {
    Form1->Memo2->setPlainText(Input);
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    return Form1->Memo1->toPlainText();
  }

 private Q_SLOTS:
  void initTestCase() {
    Vcl::Application->CreateForm(Form1);
    QVERIFY(Form1);
    QVERIFY(Vcl::Application->MainForm() == Form1);
    QVERIFY(Form1->windowHandle());  // the native window exists already
    QDesktopServices::setUrlHandler("http", &Browser, "Open");
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
  }

  void cleanupTestCase() { QDesktopServices::unsetUrlHandler("http"); }

  void init() { Browser.Opened.clear(); }

  // --- start state (runs first, before any other test moves the focus) ----

  void startsWithInputTextAndFocus() {
    QCOMPARE(Form1->Memo2->Lines.Text(), IMCode::Utf8ToGbk("汉字转拼音\r\n"));
    QCOMPARE(Form1->Memo2->document()->blockCount(), 2);
    QCOMPARE(Form1->Memo1->toPlainText(), QString());
    QTRY_COMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(Form1->Memo2));
  }

  void pressingWithoutEditingConvertsTheStartText() {
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    QCOMPARE(Form1->Memo1->toPlainText(),
             QStringLiteral("han zi zhuan pin yin"));
  }

  // --- the window's settings and layout ----------------------------------

  void windowSettings() {
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Mivora汉字转拼音   1.0 "));
    QCOMPARE(Form1->pos(), QPoint(157, 6));
    QCOMPARE(Form1->size(), QSize(609, 594));
    QCOMPARE(Form1->minimumSize(), QSize(609, 594));
    QCOMPARE(Form1->maximumSize(), QSize(609, 594));
    const Qt::WindowFlags Flags = Form1->windowFlags();
    QVERIFY(!Flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(Flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(Flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(Flags.testFlag(Qt::WindowSystemMenuHint));
    QCOMPARE(Form1->Image1->cursor().shape(), Qt::PointingHandCursor);
    const QList<QSize> IconSizes = Form1->windowIcon().availableSizes();
    for (const int Side : {16, 32, 48})
      QVERIFY(IconSizes.contains(QSize(Side, Side)));
    QCOMPARE(Form1->Button1->text(), QStringLiteral("翻译成拼音"));
    QCOMPARE(Form1->Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(Form1->Memo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(Form1->Memo2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(!Form1->Button1->isDefault() && !Form1->Button1->autoDefault());
    for (QWidget* Control : Form1->findChildren<QWidget*>())
      QVERIFY2(Control->toolTip().isEmpty(), qPrintable(Control->objectName()));
  }

  // 宋体 at 12 pixels, inherited by every control, drawn by a font that has
  // the Chinese characters.
  void fontShowsChinese() {
    for (QWidget* Control :
         {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form1->Memo2),
          static_cast<QWidget*>(Form1->Button1)}) {
      QCOMPARE(Control->font().family(), QStringLiteral("宋体"));
      QCOMPARE(Control->font().pixelSize(), 12);
    }
    const QFontMetrics Metrics(Form1->Memo2->font());
    for (const QChar Character : QStringLiteral("汉字转拼音翻译成"))
      QVERIFY2(Metrics.inFont(Character), qPrintable(QString(Character)));
  }

  void layoutMatchesTheDescription_data() {
    QTest::addColumn<QString>("Name");
    QTest::addColumn<QRect>("Area");  // client coordinates, both ends included
    QTest::newRow("banner") << "Image1" << QRect(QPoint(0, 0), QPoint(608, 92));
    QTest::newRow("input box")
        << "Memo2" << QRect(QPoint(0, 93), QPoint(608, 245));
    QTest::newRow("panel") << "Panel1"
                           << QRect(QPoint(0, 246), QPoint(608, 593));
    QTest::newRow("output box")
        << "Memo1" << QRect(QPoint(1, 247), QPoint(607, 478));
    QTest::newRow("button")
        << "Button1" << QRect(QPoint(16, 494), QPoint(184, 550));
  }

  void layoutMatchesTheDescription() {
    QFETCH(QString, Name);
    QFETCH(QRect, Area);
    auto* Control = Form1->findChild<QWidget*>(Name);
    QVERIFY(Control);
    QCOMPARE(QRect(OnWindow(Control, QPoint(0, 0)), Control->size()), Area);
    QVERIFY(Control->isVisible());
  }

  void minimiseAndRestoreKeepTheLayout() {
    const QRect Output = Form1->Memo1->geometry();
    Form1->showMinimized();
    Form1->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    QCOMPARE(Form1->size(), QSize(609, 594));
    QCOMPARE(Form1->Memo1->geometry(), Output);
  }

  void tabOrderIsInputButtonOutput() {
    Form1->activateWindow();
    Form1->Memo2->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(Form1->Memo2));
    for (QWidget* Next : {static_cast<QWidget*>(Form1->Button1),
                          static_cast<QWidget*>(Form1->Memo1),
                          static_cast<QWidget*>(Form1->Memo2)}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), Next);
    }
  }

  // --- the convert button -------------------------------------------------

  void convertsTheWholeInput_data() {
    QTest::addColumn<QString>("Input");
    QTest::addColumn<QString>("Output");
    QTest::newRow("start text") << "汉字转拼音\n"
                                << "han zi zhuan pin yin";
    QTest::newRow("line break inside") << "汉字\n转拼音"
                                       << "han zi zhuan pin yin";
    QTest::newRow("empty input") << ""
                                 << "";
    QTest::newRow("blanks and breaks only") << "  \n\t \n\n "
                                            << "";
    QTest::newRow("ASCII around Chinese") << "Hello, 世界!"
                                          << "Helloshi jie";
    QTest::newRow("full-width letters") << "ＡＢ１ａ"
                                        << "A B 1 a";
    // A character GBK cannot hold has no reading but keeps its space.
    QTest::newRow("character outside GBK") << "汉😀字"
                                           << "han  zi";
  }

  void convertsTheWholeInput() {
    QFETCH(QString, Input);
    QFETCH(QString, Output);
    Form1->Memo1->setPlainText("left over from before");
    QCOMPARE(Convert(Input), Output);
  }

  void outputIsCutAt255Bytes() {
    const QString Output =
        Convert(QString(60, QChar(0x4E2D)));  // 中 sixty times
    QCOMPARE(Output.size(), 255);
    QVERIFY(Output.endsWith(" zho"));
    QVERIFY(!Output.contains('\n'));
  }

  // Each press replaces the output: a second press gives the same text, and
  // what the user typed into the output box meanwhile is gone.
  void pressReplacesTheOutput() {
    Convert("汉字转拼音");
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    QCOMPARE(Form1->Memo1->toPlainText(),
             QStringLiteral("han zi zhuan pin yin"));
    Form1->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(Form1->Memo1, " typed");
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    QCOMPARE(Form1->Memo1->toPlainText(),
             QStringLiteral("han zi zhuan pin yin"));
  }

  void keysOnTheFocusedButtonConvert_data() {
    QTest::addColumn<int>("Key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
  }

  void keysOnTheFocusedButtonConvert() {
    QFETCH(int, Key);
    Form1->Memo2->setPlainText("中国");
    Form1->Memo1->clear();
    Form1->Button1->setFocus();
    QTest::keyClick(Form1->Button1, Qt::Key(Key));
    QCOMPARE(Form1->Memo1->toPlainText(), QStringLiteral("zhong guo"));
  }

  void enterInTheInputIsALineBreak() {
    Form1->Memo2->setPlainText("汉字");
    Form1->Memo1->clear();
    Form1->Memo2->setFocus();
    Form1->Memo2->moveCursor(QTextCursor::End);
    QTest::keyClick(Form1->Memo2, Qt::Key_Return);
    QCOMPARE(Form1->Memo2->toPlainText(), QStringLiteral("汉字\n"));
    QCOMPARE(Form1->Memo1->toPlainText(), QString());
  }

  // --- the banner ---------------------------------------------------------

  void bannerClickOpensTheHomePageOnce() {
    const QPoint At = OnWindow(Form1->Image1, QPoint(300, 40));
    QTest::mouseClick(Window(), Qt::LeftButton, {}, At);
    QCOMPARE(Browser.Opened, QList<QUrl>{QUrl("http://www.mivora.example/")});
  }

  void doubleClickOnTheBannerOpensItOnce() {
    const QPoint At = OnWindow(Form1->Image1, QPoint(300, 40));
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, At);
    QCOMPARE(Browser.Opened.size(), 1);
  }

  void bannerReleasedElsewhereOpensNothing_data() {
    QTest::addColumn<QPoint>("Release");
    QTest::newRow("over the input box") << QPoint(300, 150);
    QTest::newRow("over the button") << QPoint(100, 520);
  }

  void bannerReleasedElsewhereOpensNothing() {
    QFETCH(QPoint, Release);
    const QPoint Press = OnWindow(Form1->Image1, QPoint(300, 40));
    Form1->Memo1->clear();
    QTest::mousePress(Window(), Qt::LeftButton, {}, Press);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, Release);
    QVERIFY(Browser.Opened.isEmpty());
    QCOMPARE(Form1->Memo1->toPlainText(),
             QString());  // nor did it press the button
  }

  void rightClickOnTheBannerOpensNothing() {
    QTest::mouseClick(Window(), Qt::RightButton, {},
                      OnWindow(Form1->Image1, QPoint(300, 40)));
    QVERIFY(Browser.Opened.isEmpty());
  }

  // The banner shows the picture's left 609 columns, unscaled.
  void bannerIsPainted() {
    const QImage Shown = Form1->grab().toImage();
    QVERIFY(Form1->Image1->Picture().Decoded());
    const QImage& Picture = Form1->Image1->Picture().Bitmap();
    QCOMPARE(Picture.size(), QSize(619, 93));
    for (const QPoint At : {QPoint(54, 20), QPoint(300, 10), QPoint(608, 92)})
      QCOMPARE(Shown.pixelColor(At), Picture.pixelColor(At));
  }

  // --- failures -----------------------------------------------------------

  // An exception that escapes a handler ends only that click: an error box
  // shows its message and the window goes on.
  void exceptionInAHandlerShowsTheErrorBox() {
    Vcl::TButton Thrower;
    connect(&Thrower, &Vcl::TButton::OnClick, &Thrower, [](Vcl::TObject*) {
      throw std::runtime_error("not enough memory to convert");
    });
    QString Shown;
    QTimer::singleShot(0, this, [&Shown] {
      if (auto* Box =
              qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Shown = Box->text();
        Box->accept();
      }
    });
    Thrower.click();
    QCOMPARE(Shown, QStringLiteral("not enough memory to convert"));
    QVERIFY(Form1->isVisible());
    QCOMPARE(Convert("汉字"), QStringLiteral("han zi"));
  }

  // The same for an exception out of any other event handling: the
  // application object's event dispatch catches it.
  void exceptionInEventHandlingShowsTheErrorBox() {
    struct TFailingFilter : QObject {
      bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::User)
          throw std::runtime_error("failed in an event");
        return false;
      }
    } Filter;
    QObject Receiver;
    Receiver.installEventFilter(&Filter);
    QString Shown;
    QTimer::singleShot(0, this, [&Shown] {
      if (auto* Box =
              qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Shown = Box->text();
        Box->accept();
      }
    });
    QEvent Event(QEvent::User);
    QCoreApplication::sendEvent(&Receiver, &Event);
    QCOMPARE(Shown, QStringLiteral("failed in an event"));
    QVERIFY(Form1->isVisible());
  }

  // A damaged banner leaves the banner blank and the window working.
  void damagedBannerLeavesTheWindowWorking() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath("banner.jpg");
    QFile File(Path);
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write("\xFF\xD8\xFF\xE0 not really a JPEG");
    File.close();
    const QString Original = Form1->Image1->PictureSource();
    Form1->Image1->SetPicture(Path);
    const QImage Shown = Form1->grab().toImage();
    QCOMPARE(Form1->Image1->geometry(), QRect(0, 0, 609, 93));
    QCOMPARE(Shown.pixelColor(54, 20),
             Form1->palette().color(QPalette::Window));
    QCOMPARE(Convert("汉字"), QStringLiteral("han zi"));
    Form1->Image1->SetPicture(Original);
  }

  // --- the end ------------------------------------------------------------

  // Closing the window ends the run without a question, with exit code 0.
  void closingTheWindowEndsTheRun() {
    QTimer::singleShot(0, Form1, [] { Form1->close(); });
    QCOMPARE(Vcl::Application->Run(), 0);
    QVERIFY(!Form1->isVisible());
  }
};

int main(int argc, char* argv[]) {
  Vcl::TApplication Application(argc, argv);
  Application.Initialize();
  TWindowTest Test;
  return QTest::qExec(&Test, argc, argv);
}

#include "WindowTest.moc"
