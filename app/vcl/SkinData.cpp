#include "vcl/SkinData.h"

#include <QFile>
#include <QScrollBar>
#include <QVariant>

#include "vcl/Button.h"
#include "vcl/Memo.h"
#include "vcl/Panel.h"

namespace Vcl {
namespace {

void MarkKind(QWidget& Control, const char* Kind) {
  Control.setProperty("SkinKind", QString::fromLatin1(Kind));
}

}  // namespace

TSkinData::TSkinData(QWidget* Parent) : QWidget(Parent) {
  setVisible(false);
  setFocusPolicy(Qt::NoFocus);
}

void TSkinData::Loaded() {
  QWidget* Form = parentWidget();
  if (!Active || !Form) return;
  QFile Skin(SkinStream);
  if (!Skin.open(QIODevice::ReadOnly)) return;
  const QString Sheet = QString::fromUtf8(Skin.readAll());

  for (QWidget* Control : Form->findChildren<QWidget*>()) {
    if (Control->property("Tag").toInt() == DisableTag) continue;
    if (qobject_cast<TButton*>(Control) && SkinControls.testFlag(xcButton)) {
      MarkKind(*Control, "button");
    } else if (auto* Memo = qobject_cast<TMemo*>(Control)) {
      if (SkinControls.testFlag(xcEdit)) MarkKind(*Memo, "edit");
      if (SkinControls.testFlag(xcScrollbar)) {
        MarkKind(*Memo->horizontalScrollBar(), "scrollbar");
        MarkKind(*Memo->verticalScrollBar(), "scrollbar");
      }
    } else if (qobject_cast<TPanel*>(Control) &&
               SkinControls.testFlag(xcPanel)) {
      MarkKind(*Control, "panel");
    }
  }
  Form->setStyleSheet(Sheet);
}

}  // namespace Vcl
