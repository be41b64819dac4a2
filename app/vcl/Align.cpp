#include "vcl/Align.h"

#include <QRect>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "vcl/Types.h"

namespace Vcl {
namespace {

TAlign AlignOf(const QWidget& Control) {
  const QVariant Value = Control.property("Align");
  return Value.isValid() ? static_cast<TAlign>(Value.toInt()) : alNone;
}

// The direct child widgets of Parent with alignment Side, in the order in
// which that side stacks them.
std::vector<QWidget*> ChildrenAligned(QWidget& Parent, TAlign Side) {
  std::vector<QWidget*> Found;
  for (QObject* Child : Parent.children()) {
    auto* Control = qobject_cast<QWidget*>(Child);
    if (Control && !Control->isWindow() && AlignOf(*Control) == Side)
      Found.push_back(Control);
  }
  auto Key = [Side](const QWidget* Control) {
    const QRect Place = Control->geometry();
    switch (Side) {
      case alTop:
        return Place.top();
      case alBottom:
        return -Place.bottom();
      case alLeft:
        return Place.left();
      case alRight:
        return -Place.right();
      default:
        return 0;
    }
  };
  std::stable_sort(Found.begin(), Found.end(),
                   [&Key](QWidget* A, QWidget* B) { return Key(A) < Key(B); });
  return Found;
}

}  // namespace

void AlignControls(QWidget& Parent) {
  QRect Free = Parent.contentsRect();
  for (QWidget* Control : ChildrenAligned(Parent, alTop)) {
    Control->setGeometry(Free.left(), Free.top(), Free.width(),
                         Control->height());
    Free.setTop(Free.top() + Control->height());
  }
  for (QWidget* Control : ChildrenAligned(Parent, alBottom)) {
    Control->setGeometry(Free.left(), Free.bottom() + 1 - Control->height(),
                         Free.width(), Control->height());
    Free.setBottom(Free.bottom() - Control->height());
  }
  for (QWidget* Control : ChildrenAligned(Parent, alLeft)) {
    Control->setGeometry(Free.left(), Free.top(), Control->width(),
                         Free.height());
    Free.setLeft(Free.left() + Control->width());
  }
  for (QWidget* Control : ChildrenAligned(Parent, alRight)) {
    Control->setGeometry(Free.right() + 1 - Control->width(), Free.top(),
                         Control->width(), Free.height());
    Free.setRight(Free.right() - Control->width());
  }
  for (QWidget* Control : ChildrenAligned(Parent, alClient))
    Control->setGeometry(Free);
}

void AlignControlTree(QWidget& Parent) {
  AlignControls(Parent);
  for (QObject* Child : Parent.children())
    if (auto* Control = qobject_cast<QWidget*>(Child);
        Control && !Control->isWindow())
      AlignControlTree(*Control);
}

}  // namespace Vcl
