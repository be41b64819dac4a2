// Reads a stored window description (a Qt Designer .ui file) into an
// existing window, creating the window layer's controls for their class
// names.
#pragma once

#include <QUiLoader>

namespace Vcl {

class TForm;

class TFormReader : public QUiLoader {
 public:
  explicit TFormReader(TForm& Form);

  // The description's top-level widget is Form itself; TMemo, TButton,
  // TPanel, TImage and TSkinData are this layer's classes; any other class
  // is Qt's.
  QWidget* createWidget(const QString& ClassName, QWidget* Parent,
                        const QString& Name) override;

 private:
  TForm& FForm;
  bool FFormTaken = false;
};

}  // namespace Vcl
