// Names the window's code shares with its controls: the object type event
// handlers receive and the enumerations its stored description uses.
#pragma once

#include <QObject>

namespace Vcl {
Q_NAMESPACE

// What an event handler receives as its Sender.
using TObject = QObject;

// How a control sits in its parent: alNone keeps the stored position and
// size; the others dock the control to a side of the parent's free area, or
// fill what is left (alClient).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

// Which scroll bars a memo shows; a shown bar is always there, greyed out
// while the text fits.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

}  // namespace Vcl
