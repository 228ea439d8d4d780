// The open menu's levels: layout and painting in the classic look. A level
// is a raised box in the menu colour; each row has a column for the check
// mark, the caption with its accelerator underlined, the shortcut text in a
// column of its own and, for an item with a sub-menu, an arrow at the right.
// The highlighted row is filled with the highlight colour; disabled rows are
// embossed (plain grey where highlighted); separators are an etched line.
#include <algorithm>

#include "vcl/controls/detail/caption.h"
#include "vcl/menus/detail/menuview.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl::menuview {

namespace {

constexpr int Frame = 3;        // two edge lines and one pixel of face
constexpr int CheckColumn = 16; // the check mark's column, left of the captions
constexpr int TextGap = 3;      // from the check column to the caption
constexpr int ShortCutGap = 16; // between the captions and the shortcut column
constexpr int ArrowColumn = 16; // the sub-menu arrow's column at the right
constexpr int SeparatorHeight = 9;

// The classic 7x7 check mark, one string per row.
constexpr const char* CheckMark[] = {"......X", ".....XX", "X...XXX", "XX.XXX.",
                                     "XXXXX..", ".XXX...", "..X...."};

HFONT MenuFont() {
  static TFont Font;
  return Font.Handle();
}

int ItemHeight() {
  return std::max(backend::MeasureFont(MenuFont()->Face).Height + 4, 17);
}

int TextWidth(const std::string& Text) {
  return backend::TextWidth(MenuFont()->Face, Text);
}

void Edge(HDC__& DC, const TRect& R, TColor TopLeft, TColor BottomRight) {
  gdi::FillRect(DC, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
  gdi::FillRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, TopLeft);
  gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
  gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
}

// The captions' and the shortcut texts' columns of one level.
struct TColumns {
  int Caption = 0;
  int ShortCut = 0;
};

TColumns Measure(TMenuItem* Parent) {
  TColumns C;
  for (int I = 0; I < Parent->Count(); ++I) {
    TMenuItem* Item = Parent->Items(I);
    if (!Item->Visible() || Item->IsLine())
      continue;
    C.Caption =
        std::max(C.Caption, caption::Measure(Item->Caption(), MenuFont(), true, false, 0).X);
    C.ShortCut = std::max(C.ShortCut, TextWidth(ShortCutToText(Item->ShortCut())));
  }
  return C;
}

// The row one pixel down and right: where an embossed mark's light copy goes.
TRect Shifted(TRect R) {
  OffsetRect(R, 1, 1);
  return R;
}

void PaintCheck(HDC__& DC, const TRect& Row, TColor Color) {
  const int X0 = Frame + (CheckColumn - 7) / 2 + 1;
  const int Y0 = Row.Top + (Row.Height() - 7) / 2;
  for (int Y = 0; Y < 7; ++Y)
    for (int X = 0; X < 7; ++X)
      if (CheckMark[Y][X] == 'X')
        gdi::FillRect(DC, Bounds(X0 + X, Y0 + Y, 1, 1), Color);
}

// A solid triangle pointing right, 4 pixels wide and 7 high.
void PaintArrow(HDC__& DC, const TRect& Row, int Right, TColor Color) {
  const int X0 = Right - ArrowColumn / 2 - 2;
  const int Y0 = Row.Top + (Row.Height() - 7) / 2;
  for (int I = 0; I < 4; ++I)
    gdi::FillRect(DC, {X0 + I, Y0 + I, X0 + I + 1, Y0 + 7 - I}, Color);
}

void PaintSeparator(HDC__& DC, const TRect& Row) {
  const int Y = Row.Top + Row.Height() / 2 - 1;
  gdi::FillRect(DC, {Row.Left + 1, Y, Row.Right - 1, Y + 1}, clBtnShadow);
  gdi::FillRect(DC, {Row.Left + 1, Y + 1, Row.Right - 1, Y + 2}, clBtnHighlight);
}

void PaintItem(HDC__& DC, const TItemBox& Box, const TColumns& Columns, bool Selected) {
  TMenuItem* Item = Box.Item;
  const TRect& Row = Box.Rect;
  if (Item->IsLine()) {
    PaintSeparator(DC, Row);
    return;
  }
  if (Selected)
    gdi::FillRect(DC, Row, clHighlight);
  const bool Enabled = Item->Enabled();
  // A disabled row is embossed on the face, plain grey on the highlight.
  const TColor Color = !Enabled ? clGrayText : Selected ? clHighlightText : clMenuText;
  const bool Emboss = !Enabled && !Selected;
  auto Text = [&](const TRect& R, const std::string& S, bool Accel) {
    caption::Draw(DC, R, S, MenuFont(), Emboss ? clBtnShadow : Color, taLeftJustify, true, Accel,
                  false, !Emboss);
  };
  const int TextLeft = Frame + CheckColumn + TextGap;
  Text({TextLeft, Row.Top, TextLeft + Columns.Caption + 1, Row.Bottom}, Item->Caption(), true);
  if (Item->ShortCut() != 0) {
    const int Left = TextLeft + Columns.Caption + ShortCutGap;
    Text({Left, Row.Top, Left + Columns.ShortCut + 1, Row.Bottom}, ShortCutToText(Item->ShortCut()),
         false);
  }
  if (Item->Checked()) {
    if (Emboss)
      PaintCheck(DC, Shifted(Row), clBtnHighlight);
    PaintCheck(DC, Row, Emboss ? clBtnShadow : Color);
  }
  if (Item->Count() > 0) {
    if (Emboss)
      PaintArrow(DC, Shifted(Row), Row.Right + 1, clBtnHighlight);
    PaintArrow(DC, Row, Row.Right, Emboss ? clBtnShadow : Color);
  }
}

} // namespace

TPoint Layout(TMenuItem* Parent, std::vector<TItemBox>& Items) {
  const TColumns Columns = Measure(Parent);
  int Width = Frame + CheckColumn + TextGap + Columns.Caption + ArrowColumn + Frame;
  if (Columns.ShortCut > 0)
    Width += ShortCutGap + Columns.ShortCut;
  Items.clear();
  int Y = Frame;
  for (int I = 0; I < Parent->Count(); ++I) {
    TMenuItem* Item = Parent->Items(I);
    if (!Item->Visible())
      continue;
    const int H = Item->IsLine() ? SeparatorHeight : ItemHeight();
    Items.push_back({Item, {Frame, Y, Width - Frame, Y + H}});
    Y += H;
  }
  return {Width, Y + Frame};
}

void Paint(TPixelBuffer& Target, const TRect& Clip, const TLevel& Level) {
  HDC__ DC{&Target, {Level.Bounds.Left, Level.Bounds.Top}, {}, MenuFont(), false, nullptr};
  if (!IntersectRect(DC.Clip, Clip, Level.Bounds))
    return;
  const TRect Box = Rect(0, 0, Level.Bounds.Width(), Level.Bounds.Height());
  gdi::FillRect(DC, Box, clMenu);
  Edge(DC, Box, cl3DLight, cl3DDkShadow);
  Edge(DC, {1, 1, Box.Right - 1, Box.Bottom - 1}, clBtnHighlight, clBtnShadow);
  const TColumns Columns = Measure(Level.Parent);
  for (std::size_t I = 0; I < Level.Items.size(); ++I)
    PaintItem(DC, Level.Items[I], Columns, static_cast<int>(I) == Level.Selected);
}

} // namespace vcl::menuview
