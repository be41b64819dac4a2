// TPanel: a container with a raised bevel, one pixel wide, that stays free of
// its aligned children.
#pragma once

#include <QFrame>

#include "vcl/Types.h"

namespace Vcl {

class TPanel : public QFrame {
  Q_OBJECT
  Q_PROPERTY(Vcl::TAlign Align MEMBER Align)
  Q_PROPERTY(int Tag MEMBER Tag)

 public:
  explicit TPanel(QWidget* Parent = nullptr);

  TAlign Align = alNone;
  int Tag = 0;

 protected:
  bool event(QEvent* Event) override;
};

}  // namespace Vcl
