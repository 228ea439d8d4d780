// GUI platform, internal: the open popup menu. Each open level (the menu
// and every sub-menu opened from it) is a box over the form's controls,
// laid out and painted in the classic look by menus_paint.cpp; the tracker
// in menus_track.cpp opens and closes levels and takes the form's input
// while the menu is open.
#pragma once

#include <vector>

#include "vcl/forms.h"
#include "vcl/menus.h"

namespace vcl::menuview {

// One shown item: its rectangle relative to the level's top-left corner.
struct TItemBox {
  TMenuItem* Item = nullptr;
  TRect Rect;
};

struct TLevel {
  TMenuItem* Parent = nullptr; // whose sub-menu this level shows
  TRect Bounds;                // in the form's client area
  std::vector<TItemBox> Items;
  int Selected = -1; // index into Items
};

// Lays out the visible items of Parent's sub-menu; the level's size.
TPoint Layout(TMenuItem* Parent, std::vector<TItemBox>& Items);
// Paints the part of the level inside Clip (picture coordinates).
void Paint(TPixelBuffer& Target, const TRect& Clip, const TLevel& Level);

// Opens Menu at P (form client coordinates) over Form, closing any open menu.
void Open(TPopupMenu* Menu, TCustomForm* Form, const TPoint& P);
// Closes the open menu when it shows Item.
void ItemGone(const TMenuItem* Item);

} // namespace vcl::menuview
