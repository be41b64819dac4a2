// Alignment of controls inside their parent, as the stored descriptions give
// it through each control's Align property.
#pragma once

class QWidget;

namespace Vcl {

// Places the aligned children of Parent in its contents rectangle (the
// parent's border stays free): top-aligned controls are stacked from the top
// in the order of their current Top, bottom-aligned ones from the bottom,
// then left and right ones, and a client-aligned control fills the rest.
// Children with alNone keep their place.
void AlignControls(QWidget& Parent);

// AlignControls for Parent and then, parents before children, for every
// widget below it.
void AlignControlTree(QWidget& Parent);

}  // namespace Vcl
