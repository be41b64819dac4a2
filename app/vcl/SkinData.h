// TSkinData: gives the controls of its window the look of a stored skin, a
// Qt style sheet. It is placed on the window like a control but never shown.
#pragma once

#include <QString>
#include <QWidget>

namespace Vcl {

class TSkinData : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Active MEMBER Active)
  Q_PROPERTY(int DisableTag MEMBER DisableTag)
  Q_PROPERTY(Vcl::TSkinData::TSkinControls SkinControls MEMBER SkinControls)
  Q_PROPERTY(QString SkinStream MEMBER SkinStream)
  Q_PROPERTY(int Tag MEMBER Tag)

 public:
  // The kinds of control a skin can draw. Of these the window layer has
  // buttons (xcButton), memos (xcEdit) with their scroll bars (xcScrollbar)
  // and panels (xcPanel); the other kinds are kept so that stored settings
  // read as they were written.
  enum TSkinControl {
    xcMainMenu = 1 << 0,
    xcPopupMenu = 1 << 1,
    xcToolbar = 1 << 2,
    xcControlbar = 1 << 3,
    xcCombo = 1 << 4,
    xcCheckBox = 1 << 5,
    xcRadioButton = 1 << 6,
    xcProgress = 1 << 7,
    xcScrollbar = 1 << 8,
    xcEdit = 1 << 9,
    xcButton = 1 << 10,
    xcBitBtn = 1 << 11,
    xcSpeedButton = 1 << 12,
    xcSpin = 1 << 13,
    xcPanel = 1 << 14,
    xcGroupBox = 1 << 15,
    xcStatusBar = 1 << 16,
    xcTab = 1 << 17,
    xcTrackBar = 1 << 18,
    xcSystemMenu = 1 << 19,
    xcMenuItem = 1 << 20,
    xcFastReport = 1 << 21,
  };
  Q_DECLARE_FLAGS(TSkinControls, TSkinControl)
  Q_FLAG(TSkinControls)

  explicit TSkinData(QWidget* Parent = nullptr);

  bool Active = false;
  // A control whose Tag equals this keeps the platform's look.
  int DisableTag = 99;
  TSkinControls SkinControls;
  // Where the skin is stored: a style sheet file or Qt resource.
  QString SkinStream;
  int Tag = 0;

  // Skins the window this component sits on, once its stored settings have
  // been read: marks each control the skin draws with its kind (the style
  // sheet selects on the property SkinKind) and gives the window the sheet.
  // Does nothing when Active is off or the skin cannot be read.
  void Loaded();
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSkinData::TSkinControls)

}  // namespace Vcl
