// TForm: a top-level window whose layout and settings come from a stored
// description, read once when the application creates the window.
#pragma once

#include <QString>
#include <QWidget>

namespace Vcl {

class TForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Left READ Left WRITE SetLeft)
  Q_PROPERTY(int Top READ Top WRITE SetTop)
  Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
  Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
  Q_PROPERTY(Vcl::TForm::TFormBorderStyle BorderStyle READ BorderStyle WRITE
                 SetBorderStyle)
  Q_PROPERTY(Vcl::TForm::TBorderIcons BorderIcons READ BorderIcons WRITE
                 SetBorderIcons)
  Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)

 public:
  // bsSingle is a frame of fixed size; bsSizeable one the user may resize.
  enum TFormBorderStyle { bsNone, bsSingle, bsSizeable };
  Q_ENUM(TFormBorderStyle)
  // Buttons of the caption bar: biSystemMenu stands for the window menu and
  // the close button.
  enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
  Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
  Q_FLAG(TBorderIcons)

  explicit TForm(QWidget* Owner = nullptr);

  // Builds the window from the description stored as the Qt resource
  // ":/Name": its settings, its controls and their settings, the handlers of
  // their events. Then fills the fields the window class declares as
  // properties with the components of the same name, and aligns the
  // controls. Throws std::runtime_error when the description is missing or
  // does not fit the class.
  void ReadDescription(const QString& Name);

  // The native window, created on demand.
  WId Handle() { return winId(); }

  // The outer top-left corner, frame included, on the screen.
  int Left() const { return pos().x(); }
  void SetLeft(int Value) { move(Value, pos().y()); }
  int Top() const { return pos().y(); }
  void SetTop(int Value) { move(pos().x(), Value); }
  // The size of the area inside the frame.
  int ClientWidth() const { return width(); }
  void SetClientWidth(int Value);
  int ClientHeight() const { return height(); }
  void SetClientHeight(int Value);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);

  // The font's character height in pixels, given as a negative number (a
  // positive one would include the internal leading; it is taken as the
  // pixel size as well). The controls inherit the window's font.
  int FontHeight() const { return -font().pixelSize(); }
  void SetFontHeight(int Value);

 Q_SIGNALS:
  // The window was closed (and stays closed).
  void Closed();

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

 private:
  void BindFields();
  void SetClientSize(const QSize& Value);
  void ApplyFrame();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons =
      TBorderIcons(biSystemMenu | biMinimize | biMaximize);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TForm::TBorderIcons)

}  // namespace Vcl
