#include "vcl/Application.h"

#include <QDir>
#include <QFont>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>

namespace Vcl {

TApplication* Application = nullptr;

namespace {

bool EnvironmentSet(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value && *Value;
}

QString MessageOf(std::exception_ptr Error) {
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception& Known) {
    return QString::fromUtf8(Known.what());
  } catch (...) {
    return QStringLiteral("An unknown exception occurred.");
  }
}

}  // namespace

void ShowException(std::exception_ptr Error) {
  QMessageBox Box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                  MessageOf(Error), QMessageBox::Ok,
                  QApplication::activeWindow());
  Box.setObjectName(QStringLiteral("ExceptionBox"));
  Box.exec();
}

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
  Application = this;
}

TApplication::~TApplication() {
  FForms.clear();
  Application = nullptr;
}

bool TApplication::DisplayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return EnvironmentSet("QT_QPA_PLATFORM") || EnvironmentSet("DISPLAY") ||
         EnvironmentSet("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

void TApplication::Initialize() {
  QIcon Icon;
  const QDir Images(QStringLiteral(":/MAINICON"));
  for (const QString& Name : Images.entryList(QDir::Files))
    Icon.addFile(Images.filePath(Name));
  setWindowIcon(Icon);
  // The descriptions name the fonts of a Chinese Windows; elsewhere an
  // installed CJK font stands in for them.
  const QStringList Chinese = {QStringLiteral("SimSun"),
                               QStringLiteral("WenQuanYi Micro Hei"),
                               QStringLiteral("Noto Sans CJK SC"),
                               QStringLiteral("Droid Sans Fallback")};
  QFont::insertSubstitutions(QStringLiteral("宋体"), Chinese);
}

void TApplication::AddForm(std::unique_ptr<TForm> Form) {
  if (!FMainForm) {
    FMainForm = Form.get();
    FMainForm->winId();
  }
  FForms.push_back(std::move(Form));
}

int TApplication::Run() {
  if (!FMainForm) return 0;
  // Only the main window's closing ends the program, not that of the last
  // window (an error box, for instance).
  setQuitOnLastWindowClosed(false);
  connect(FMainForm, &TForm::Closed, this, &QCoreApplication::quit);
  FMainForm->show();
  return exec();
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (...) {
    ShowException(std::current_exception());
    return false;
  }
}

}  // namespace Vcl
