// The open popup menu: one tracker for the whole program, since only one
// menu is open at a time. While open it is its form's overlay: it paints its
// levels above the controls and takes every key and mouse event of the form,
// so the focused control keeps the focus and sees nothing until the menu
// closes. An item is chosen with Enter, its accelerator letter or a click;
// Escape closes one level, a click outside closes them all (and goes no
// further). The menu is closed before the chosen item's OnClick runs.
#include <algorithm>
#include <utility>

#include "vcl/accessibility.h"
#include "vcl/controls/detail/caption.h"
#include "vcl/menus/detail/menuview.h"

namespace vcl::menuview {

namespace {

class TTracker : public TFormOverlay {
public:
  TPopupMenu* Menu() const { return FMenu; }
  TCustomForm* Form() const { return FForm; }
  const std::vector<TLevel>& Levels() const { return FLevels; }

  void Open(TPopupMenu* Menu, TCustomForm* Form, const TPoint& P);
  // Closes every level and gives the form its input back.
  void Close();

  bool OverlayKey(bool Down, Word Key, TShiftState Shift, const std::string& Chars) override;
  bool OverlayMouse(unsigned Msg, TShiftState Shift, int X, int Y) override;
  void OverlayPaint(TPixelBuffer& Target, const TRect& Clip) override;
  void OverlayCancel() override { Close(); }

private:
  // Opens Parent's sub-menu as a new innermost level; Anchor is the item
  // row it hangs from (form coordinates), or the point the menu opens at.
  void OpenLevel(TMenuItem* Parent, const TRect& Anchor, bool Submenu);
  void CloseLevelsAfter(std::size_t Count);
  void Select(std::size_t Level, int Index);
  // The next enabled item of the innermost level after (or before) the
  // selection, wrapping round; -1 when there is none.
  int NextEnabled(const TLevel& Level, bool Forward) const;
  // Enter on an item (or its accelerator): opens its sub-menu with the first
  // item selected, or chooses it.
  void Activate(std::size_t Level, int Index);
  void AccelKey(char32_t Ch);
  // Closes the menu, then clicks Item.
  void Choose(TMenuItem* Item);
  void Invalidate(const TLevel& Level);
  // The level and item under P (form coordinates); false outside every level.
  bool HitTest(const TPoint& P, std::size_t& Level, int& Index) const;
  void MouseOver(std::size_t Level, int Index);

  TPopupMenu* FMenu = nullptr;
  TCustomForm* FForm = nullptr;
  std::vector<TLevel> FLevels;
};

// Never destroyed: items and forms going away at exit still ask it.
TTracker& Tracker() {
  static auto* Instance = new TTracker;
  return *Instance;
}

bool Usable(const TMenuItem* Item) {
  return Item->Enabled() && !Item->IsLine();
}

// Places a Size box at Want, inside Room; when it does not fit, it opens to
// the other side of the anchor (left of a sub-menu's parent, above the point).
int Place(int Want, int Size, int Other, int Room) {
  if (Want + Size <= Room)
    return Want;
  if (Other - Size >= 0)
    return Other - Size;
  return std::max(Room - Size, 0);
}

void TTracker::Open(TPopupMenu* Menu, TCustomForm* Form, const TPoint& P) {
  Close();
  FMenu = Menu;
  FForm = Form;
  Form->SetOverlay(this);
  OpenLevel(Menu->Items(), Rect(P.X, P.Y, P.X, P.Y), false);
  NotifyAccessible(Form, aeMenuStart);
}

void TTracker::Close() {
  if (!FForm)
    return;
  CloseLevelsAfter(0);
  FForm->SetOverlay(nullptr);
  TCustomForm* Form = std::exchange(FForm, nullptr);
  FMenu = nullptr;
  NotifyAccessible(Form, aeMenuEnd);
}

void TTracker::OpenLevel(TMenuItem* Parent, const TRect& Anchor, bool Submenu) {
  TLevel L;
  L.Parent = Parent;
  const TPoint Size = Layout(Parent, L.Items);
  const TRect Client = FForm->ClientRect();
  // A sub-menu overlaps its parent's frame and lines its first row up with
  // the parent row; the menu itself opens at the point.
  const int Overlap = Submenu ? 3 : 0;
  const int X = Place(Anchor.Right - Overlap, Size.X, Anchor.Left + Overlap, Client.Right);
  const int Y = Place(Anchor.Top - Overlap, Size.Y, Anchor.Bottom + Overlap, Client.Bottom);
  L.Bounds = Bounds(X, Y, Size.X, Size.Y);
  FLevels.push_back(std::move(L));
  Invalidate(FLevels.back());
}

void TTracker::CloseLevelsAfter(std::size_t Count) {
  while (FLevels.size() > Count) {
    Invalidate(FLevels.back());
    FLevels.pop_back();
  }
}

void TTracker::Invalidate(const TLevel& Level) {
  if (FForm)
    FForm->InvalidateRect(Level.Bounds);
}

void TTracker::Select(std::size_t Level, int Index) {
  TLevel& L = FLevels[Level];
  if (L.Selected == Index)
    return;
  L.Selected = Index;
  Invalidate(L);
  NotifyAccessible(FForm, aeMenuSelection);
}

int TTracker::NextEnabled(const TLevel& Level, bool Forward) const {
  const int N = static_cast<int>(Level.Items.size());
  if (N == 0)
    return -1;
  int I = Level.Selected;
  if (I < 0)
    I = Forward ? N - 1 : 0;
  for (int Step = 0; Step < N; ++Step) {
    I = Forward ? (I + 1) % N : (I + N - 1) % N;
    if (Usable(Level.Items[I].Item))
      return I;
  }
  return -1;
}

void TTracker::Activate(std::size_t Level, int Index) {
  TMenuItem* Item = FLevels[Level].Items[Index].Item;
  if (!Usable(Item))
    return;
  if (Item->Count() == 0) {
    Choose(Item);
    return;
  }
  CloseLevelsAfter(Level + 1);
  Select(Level, Index);
  TRect Row = FLevels[Level].Items[Index].Rect;
  OffsetRect(Row, FLevels[Level].Bounds.Left, FLevels[Level].Bounds.Top);
  Row.Left = FLevels[Level].Bounds.Left;
  Row.Right = FLevels[Level].Bounds.Right;
  OpenLevel(Item, Row, true);
  Select(FLevels.size() - 1, NextEnabled(FLevels.back(), true));
}

void TTracker::AccelKey(char32_t Ch) {
  const std::size_t Level = FLevels.size() - 1;
  const TLevel& L = FLevels[Level];
  std::vector<int> Matches;
  for (int I = 0; I < static_cast<int>(L.Items.size()); ++I)
    if (!L.Items[I].Item->IsLine() && caption::IsAccel(Ch, L.Items[I].Item->Caption()))
      Matches.push_back(I);
  if (Matches.size() == 1) {
    Activate(Level, Matches.front());
  } else if (!Matches.empty()) {
    // Several items share the letter: each press moves to the next of them.
    const auto Next = std::upper_bound(Matches.begin(), Matches.end(), L.Selected);
    Select(Level, Next == Matches.end() ? Matches.front() : *Next);
  }
}

void TTracker::Choose(TMenuItem* Item) {
  Close();
  Item->Click();
}

bool TTracker::OverlayKey(bool Down, Word Key, TShiftState, const std::string& Chars) {
  if (!Down || FLevels.empty())
    return true;
  const std::size_t Inner = FLevels.size() - 1;
  TLevel& L = FLevels[Inner];
  switch (Key) {
  case VK_UP:
  case VK_DOWN:
    if (const int I = NextEnabled(L, Key == VK_DOWN); I >= 0)
      Select(Inner, I);
    return true;
  case VK_RIGHT:
    if (L.Selected >= 0 && L.Items[L.Selected].Item->Count() > 0)
      Activate(Inner, L.Selected);
    return true;
  case VK_LEFT:
    if (Inner > 0)
      CloseLevelsAfter(Inner);
    return true;
  case VK_RETURN:
    if (L.Selected >= 0)
      Activate(Inner, L.Selected);
    return true;
  case VK_ESCAPE:
    if (Inner > 0)
      CloseLevelsAfter(Inner);
    else
      Close();
    return true;
  case VK_MENU:
  case VK_F10:
    Close();
    return true;
  default:
    break;
  }
  if (const std::u32string Typed = Utf8Decode(Chars); !Typed.empty() && Typed[0] > U' ')
    AccelKey(Typed[0]);
  return true;
}

bool TTracker::HitTest(const TPoint& P, std::size_t& Level, int& Index) const {
  for (std::size_t I = FLevels.size(); I-- > 0;) {
    const TLevel& L = FLevels[I];
    if (!PtInRect(L.Bounds, P))
      continue;
    Level = I;
    Index = -1;
    const TPoint Local{P.X - L.Bounds.Left, P.Y - L.Bounds.Top};
    for (int J = 0; J < static_cast<int>(L.Items.size()); ++J)
      if (PtInRect(L.Items[J].Rect, Local))
        Index = J;
    return true;
  }
  return false;
}

// The mouse over an item highlights it, closes the sub-menus of other items
// and opens the item's own.
void TTracker::MouseOver(std::size_t Level, int Index) {
  if (Index >= 0 && FLevels[Level].Items[Index].Item->IsLine())
    Index = -1;
  const bool OwnSubmenuOpen = Level + 1 < FLevels.size() && Index >= 0 &&
                              FLevels[Level + 1].Parent == FLevels[Level].Items[Index].Item;
  if (OwnSubmenuOpen) {
    CloseLevelsAfter(Level + 2);
    Select(Level + 1, -1);
    Select(Level, Index);
    return;
  }
  if (Index < 0 && Level + 1 < FLevels.size())
    return; // between rows, a sub-menu stays open
  CloseLevelsAfter(Level + 1);
  Select(Level, Index);
  if (Index >= 0 && Usable(FLevels[Level].Items[Index].Item) &&
      FLevels[Level].Items[Index].Item->Count() > 0) {
    Activate(Level, Index);
    Select(FLevels.size() - 1, -1);
  }
}

bool TTracker::OverlayMouse(unsigned Msg, TShiftState, int X, int Y) {
  std::size_t Level = 0;
  int Index = -1;
  const bool Inside = HitTest({X, Y}, Level, Index);
  switch (Msg) {
  case WM_MOUSEMOVE:
    if (Inside)
      MouseOver(Level, Index);
    return true;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK:
    if (Inside)
      MouseOver(Level, Index);
    else
      Close();
    return true;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
    if (Inside && Index >= 0 && FLevels[Level].Items[Index].Item->Count() == 0)
      Activate(Level, Index);
    return true;
  default:
    return true;
  }
}

void TTracker::OverlayPaint(TPixelBuffer& Target, const TRect& Clip) {
  for (const TLevel& L : FLevels)
    Paint(Target, Clip, L);
}

} // namespace

void Open(TPopupMenu* Menu, TCustomForm* Form, const TPoint& P) {
  Tracker().Open(Menu, Form, P);
}

void ItemGone(const TMenuItem* Item) {
  for (const TLevel& L : Tracker().Levels())
    if (L.Parent == Item || std::any_of(L.Items.begin(), L.Items.end(),
                                        [Item](const TItemBox& B) { return B.Item == Item; })) {
      Tracker().Close();
      return;
    }
}

} // namespace vcl::menuview

namespace vcl {

TPopupMenu* OpenPopupMenu() {
  return menuview::Tracker().Menu();
}

void CloseOpenMenu() {
  menuview::Tracker().Close();
}

TCustomForm* OpenMenuForm() {
  return menuview::Tracker().Form();
}

TRect OpenMenuItemRect(const TMenuItem* Item) {
  for (const menuview::TLevel& L : menuview::Tracker().Levels())
    for (const menuview::TItemBox& B : L.Items)
      if (B.Item == Item) {
        TRect R = B.Rect;
        OffsetRect(R, L.Bounds.Left, L.Bounds.Top);
        return R;
      }
  return {};
}

TMenuItem* OpenMenuSelection() {
  const auto& Levels = menuview::Tracker().Levels();
  if (Levels.empty() || Levels.back().Selected < 0)
    return nullptr;
  return Levels.back().Items[Levels.back().Selected].Item;
}

} // namespace vcl
