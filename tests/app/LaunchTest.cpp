// Starting mivora-pinyin where no window can be shown: one line that says so
// and points to the filter and the screenshot script, and a failing exit
// code, instead of Qt's abort.
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

class TLaunchTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void withoutDisplaySaysSoInOneLine_data() {
    QTest::addColumn<QString>("Display");
    QTest::newRow("nothing set") << QString();
    // An empty variable names no display either.
    QTest::newRow("empty DISPLAY") << QString("");
  }

  void withoutDisplaySaysSoInOneLine() {
    QFETCH(QString, Display);
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      Environment.remove(QString::fromLatin1(Name));
    if (!Display.isNull()) Environment.insert("DISPLAY", Display);

    QProcess Program;
    Program.setProcessEnvironment(Environment);
    Program.start(MIVORA_PINYIN_BINARY, QStringList());
    QVERIFY(Program.waitForFinished(30000));

    QCOMPARE(Program.exitStatus(), QProcess::NormalExit);
    QVERIFY(Program.exitCode() != 0);
    QVERIFY(Program.readAllStandardOutput().isEmpty());
    const QString Message = QString::fromUtf8(Program.readAllStandardError());
    QCOMPARE(Message.count('\n'), 1);
    QVERIFY(Message.endsWith('\n'));
    QVERIFY2(Message.contains("DISPLAY"), qPrintable(Message));
    QVERIFY2(Message.contains("echo 汉字转拼音 | pinyin"), qPrintable(Message));
    QVERIFY2(Message.contains("tools/screenshot.sh"), qPrintable(Message));
  }
};

QTEST_GUILESS_MAIN(TLaunchTest)
#include "LaunchTest.moc"
