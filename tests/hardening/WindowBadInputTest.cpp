// The window, headless, fed what a user may paste into it: 20 MB of text,
// text that GBK cannot hold at all, and UTF-16 that is broken. Each press of
// the button must give the first 255 bytes' result and leave the window
// working.
#include <QClipboard>
#include <QtTest>
#include <string>

#include "Unit1.h"
#include "vcl/Application.h"

class TWindowBadInputTest : public QObject {
  Q_OBJECT

 private:
  // Pastes Text over the whole input, as the user would with Ctrl+A Ctrl+V.
  static void Paste(const QString& Text) {
    QApplication::clipboard()->setText(Text);
    Form1->Memo2->selectAll();
    Form1->Memo2->paste();
  }

  static QString Press() {
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    return Form1->Memo1->toPlainText();
  }

 private Q_SLOTS:
  void initTestCase() {
    Vcl::Application->CreateForm(Form1);
    QVERIFY(Form1);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
  }

  void init() { Form1->Memo1->setPlainText("left over from before"); }

  // The conversion stops at the cut, so the press costs no more than reading
  // the box; a hang fails the test by its CTest timeout.
  void twentyMegabytesPastedGiveTheFirst255Bytes() {
    const QString Line = QStringLiteral("汉字转拼音\n");  // 16 bytes of UTF-8
    QString Big;
    Big.reserve(20'000'000 / 16 * Line.size());
    while (Big.size() < 20'000'000 / 16 * Line.size()) Big += Line;
    Paste(Big);
    QCOMPARE(Form1->Memo2->document()->characterCount(), Big.size() + 1);

    std::string Expected;
    while (Expected.size() < 255) Expected += "han zi zhuan pin yin ";
    Expected.resize(
        255);  // "... zhuan pin yin han": the cut ends in a syllable
    QCOMPARE(Press(), QString::fromStdString(Expected));
    // The window goes on: the next press, on a small text, is an ordinary one.
    Paste(QStringLiteral("汉字"));
    QCOMPARE(Press(), QStringLiteral("han zi"));
  }

  void textThatGbkCannotHold_data() {
    QTest::addColumn<QString>("Input");
    QTest::addColumn<QString>("Output");
    // Emoji, an ideograph of extension B, a tag character: no reading each.
    const QString Outside = QString::fromUtf8("😀𠀀\xF3\xA0\x81\x81🎉");
    QTest::newRow("only characters outside GBK") << Outside << QString();
    QTest::newRow("only characters outside GBK, many lines")
        << (Outside + "\n").repeated(1000) << QString();
    QTest::newRow("outside GBK around a character")
        << Outside + "汉" + Outside << "han";
  }

  void textThatGbkCannotHold() {
    QFETCH(QString, Input);
    QFETCH(QString, Output);
    Paste(Input);
    QCOMPARE(Press(), Output);
  }

  // A surrogate without its partner is no character: it has no reading and
  // is spaced like one, whatever becomes of it on its way to GBK.
  void unpairedSurrogates_data() {
    QTest::addColumn<QString>("Input");
    QTest::addColumn<QString>("Output");
    const QChar High(0xD83D), Low(0xDE00);
    QTest::newRow("high surrogate inside") << QString("汉") + High + "字"
                                           << "han  zi";
    QTest::newRow("low surrogate inside") << QString("汉") + Low + "字"
                                          << "han  zi";
    QTest::newRow("swapped pair") << QString("汉") + Low + High + "字"
                                  << "han   zi";
    QTest::newRow("high surrogate at the end") << QString("汉") + High << "han";
    QTest::newRow("only a surrogate") << QString(Low) << "";
  }

  void unpairedSurrogates() {
    QFETCH(QString, Input);
    QFETCH(QString, Output);
    Paste(Input);
    QCOMPARE(Form1->Memo2->toPlainText(), Input);
    QCOMPARE(Press(), Output);
  }
};

int main(int argc, char* argv[]) {
  Vcl::TApplication Application(argc, argv);
  Application.Initialize();
  TWindowBadInputTest Test;
  return QTest::qExec(&Test, argc, argv);
}

#include "WindowBadInputTest.moc"
