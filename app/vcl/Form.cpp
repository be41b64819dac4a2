#include "vcl/Form.h"

#include <QCloseEvent>
#include <QFile>
#include <QMetaProperty>
#include <QVariant>
#include <cstdlib>
#include <stdexcept>

#include "vcl/Align.h"
#include "vcl/FormReader.h"
#include "vcl/SkinData.h"

namespace Vcl {

TForm::TForm(QWidget* Owner) : QWidget(Owner, Qt::Window) { ApplyFrame(); }

void TForm::ReadDescription(const QString& Name) {
  QFile Description(QStringLiteral(":/") + Name);
  if (!Description.open(QIODevice::ReadOnly))
    throw std::runtime_error("no stored window description " +
                             Name.toStdString());
  TFormReader Reader(*this);
  if (Reader.load(&Description) != this)
    throw std::runtime_error(
        "window description " + Name.toStdString() +
        " cannot be read: " + Reader.errorString().toStdString());
  BindFields();
  for (TSkinData* Skin : findChildren<TSkinData*>()) Skin->Loaded();
  AlignControlTree(*this);
}

// The fields a window class declares as properties of its own (beyond those
// of TForm) receive the components of the same name.
void TForm::BindFields() {
  const QMetaObject* Class = metaObject();
  for (int I = TForm::staticMetaObject.propertyCount();
       I < Class->propertyCount(); ++I) {
    const QMetaProperty Field = Class->property(I);
    QObject* Component = findChild<QObject*>(QString::fromLatin1(Field.name()));
    if (!Component || !Field.write(this, QVariant::fromValue(Component)))
      throw std::runtime_error(
          std::string("window description has no component ") + Field.name() +
          " of class " + Field.typeName());
  }
}

void TForm::SetClientWidth(int Value) { SetClientSize(QSize(Value, height())); }

void TForm::SetClientHeight(int Value) { SetClientSize(QSize(width(), Value)); }

// A window of fixed size keeps minimum and maximum at its size.
void TForm::SetClientSize(const QSize& Value) {
  if (FBorderStyle == bsSizeable)
    resize(Value);
  else
    setFixedSize(Value);
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  ApplyFrame();
}

void TForm::SetBorderIcons(TBorderIcons Value) {
  FBorderIcons = Value;
  ApplyFrame();
}

void TForm::SetFontHeight(int Value) {
  QFont Font = font();
  Font.setPixelSize(std::abs(Value));
  setFont(Font);
}

// Frame and caption buttons follow BorderStyle and BorderIcons. A window of
// fixed size gets no maximise button whatever BorderIcons says.
void TForm::ApplyFrame() {
  Qt::WindowFlags Flags = Qt::Window;
  if (FBorderStyle == bsNone) {
    Flags |= Qt::FramelessWindowHint;
  } else {
    Flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (FBorderIcons.testFlag(biSystemMenu))
      Flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (FBorderIcons.testFlag(biMinimize))
      Flags |= Qt::WindowMinimizeButtonHint;
    if (FBorderIcons.testFlag(biMaximize) && FBorderStyle == bsSizeable)
      Flags |= Qt::WindowMaximizeButtonHint;
  }
  if (windowFlags() != Flags) setWindowFlags(Flags);
  if (FBorderStyle == bsSizeable) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setFixedSize(size());
  }
}

void TForm::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  AlignControls(*this);
}

void TForm::closeEvent(QCloseEvent* Event) {
  QWidget::closeEvent(Event);
  if (Event->isAccepted()) Q_EMIT Closed();
}

}  // namespace Vcl
