// Qt side of the backend, internal: what the accessibility interfaces of
// the controls (qt_accessible.cpp) and of the parts that are not controls
// (qt_accessible_parts.cpp: a calendar's days, an open menu and its items)
// share.
#pragma once

#include <QAccessible>
#include <QRect>

#include <vector>

#include "vcl/controls.h"

namespace vcl::backend::accessible {

// The interface of a control; nullptr while its form is not in the tree.
QAccessibleInterface* InterfaceOf(TControl* Control);

// The model places a form's controls on the screen where the form thinks it
// stands; the window manager or a hosting widget may have put it elsewhere.
// These move a rectangle of Control's form from the model's screen to Qt's,
// and a point of Qt's screen to the model's (empty or null without a host).
QRect ToQt(TControl* Control, const TRect& R);
TPoint FromQt(TControl* Control, const QPoint& P);

enum TPartKind { pkCell, pkMenu, pkMenuItem };
// The interface of a part of Owner (a calendar's day by its index in the
// table, the menu open over a form, an item of that menu by its index),
// made on first use.
QAccessibleInterface* PartOf(TControl* Owner, TPartKind Kind, int Index);
// Frees the interfaces of Owner's parts (of every kind, or of the menu and
// its items only).
void ForgetParts(TControl* Owner, bool MenuOnly);

// The nodes under a control as a screen reader walks them: its children,
// then the cells of its table, then the menu open over it.
std::vector<QAccessibleInterface*> NodesOf(TControl* Control);

} // namespace vcl::backend::accessible
