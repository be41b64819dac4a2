// TApplication: the program's application object. It creates the windows
// from their stored descriptions, runs the message loop until the main
// window closes, and shows an exception that escapes an event handler in an
// error box instead of ending the program.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <memory>
#include <vector>

#include "vcl/Form.h"

namespace Vcl {

// Shows the message of Error in an error box over the active window and
// returns when the user closes it.
void ShowException(std::exception_ptr Error);

// Runs an event handler. An exception it lets out is shown by ShowException
// here, in the control that raised the event, rather than unwinding through
// Qt's event delivery; the click ends and the window goes on.
template <class THandler>
void RunHandler(THandler&& Handler) {
  try {
    Handler();
  } catch (...) {
    ShowException(std::current_exception());
  }
}

class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& Argc, char** Argv);
  ~TApplication() override;

  // True when a window can be shown: on X11 or Wayland, DISPLAY or
  // WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM names a platform outright.
  static bool DisplayAvailable();

  // Gives the program its icon (the images of the resource folder MAINICON)
  // and maps the Windows font names the descriptions use to installed fonts.
  void Initialize();

  // Creates a window of class TFormClass from the stored description named
  // after the class in capitals (TForm1 reads :/TFORM1) and stores it in
  // Reference. The first window created becomes the main window; its native
  // window exists when this returns. The application owns the window.
  template <class TFormClass>
  void CreateForm(TFormClass*& Reference) {
    auto Form = std::make_unique<TFormClass>();
    Reference = Form.get();
    Form->ReadDescription(
        QString::fromLatin1(TFormClass::staticMetaObject.className())
            .toUpper());
    AddForm(std::move(Form));
  }

  TForm* MainForm() const { return FMainForm; }

  // Shows the main window and handles events until the application ends,
  // which closing the main window brings about. Returns the exit code: 0
  // after the main window closed.
  int Run();

  // An exception that escapes the handling of any other event is caught
  // here and shown like one from an event handler.
  bool notify(QObject* Receiver, QEvent* Event) override;

 private:
  void AddForm(std::unique_ptr<TForm> Form);

  std::vector<std::unique_ptr<TForm>> FForms;
  TForm* FMainForm = nullptr;
};

// The one application object, set while it exists.
extern TApplication* Application;

}  // namespace Vcl
