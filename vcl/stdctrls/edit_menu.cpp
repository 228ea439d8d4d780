// TCustomEdit: the edit window's own context menu, which a right click or
// the menu key opens on an edit without a PopupMenu. Each item sends the
// message its key sends (Ctrl+Z, Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A), so a
// descendant that screens a paste or watches a cut sees the menu's as well;
// each is enabled only when it would do something.
#include <iterator>

#include "vcl/clipbrd.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace {

// What decides which items can do something.
struct TEditMenuState {
  bool ReadOnly;
  bool Editable; // its text may be changed (TextEditable)
  bool CanUndo;
  bool Selection;
  bool Hidden; // a password is never handed out, so it cannot be copied or cut
  bool ClipboardText;
  bool HasText;
};

// The menu, item by item: its caption, the message it sends (none for a
// line) and when it is enabled (a line always is).
struct TEditMenuEntry {
  const char* Caption;
  unsigned Msg;
  std::intptr_t WParam;
  std::intptr_t LParam;
  bool (*Enabled)(const TEditMenuState&);
};

constexpr TEditMenuEntry EditMenu[] = {
    {"&Undo", WM_UNDO, 0, 0, [](const TEditMenuState& S) { return !S.ReadOnly && S.CanUndo; }},
    {"-", 0, 0, 0, nullptr},
    {"Cu&t", WM_CUT, 0, 0,
     [](const TEditMenuState& S) { return S.Editable && S.Selection && !S.Hidden; }},
    {"&Copy", WM_COPY, 0, 0, [](const TEditMenuState& S) { return S.Selection && !S.Hidden; }},
    {"&Paste", WM_PASTE, 0, 0,
     [](const TEditMenuState& S) { return S.Editable && S.ClipboardText; }},
    {"&Delete", WM_CLEAR, 0, 0, [](const TEditMenuState& S) { return S.Editable && S.Selection; }},
    {"-", 0, 0, 0, nullptr},
    {"Select &All", EM_SETSEL, 0, -1, [](const TEditMenuState& S) { return S.HasText; }},
};

} // namespace

void TCustomEdit::ShowEditMenu(std::intptr_t Where) {
  // The menu acts on the focused edit: a right click focuses it first, and
  // an edit that cannot get the focus shows no menu.
  if (!Focused()) {
    if (CanFocus())
      SetFocus();
    if (!Focused())
      return;
  }
  if (!FEditMenu) {
    FEditMenu = std::make_unique<TPopupMenu>(nullptr);
    for (const TEditMenuEntry& Entry : EditMenu) {
      auto* Item = new TMenuItem(FEditMenu.get());
      Item->SetCaption(Entry.Caption);
      if (Entry.Msg != 0)
        Item->OnClick = [this, &Entry](TObject*) {
          Perform(Entry.Msg, Entry.WParam, Entry.LParam);
        };
      FEditMenu->Items()->Add(Item);
    }
  }
  UpdateEditMenu();
  TPoint P{SmallX(Where), SmallY(Where)};
  if (Where == -1) {
    const TRect R = ClientRect();
    P = ClientToScreen({R.Right / 2, R.Bottom / 2});
  }
  FEditMenu->SetPopupComponent(this);
  FEditMenu->Popup(P.X, P.Y);
}

void TCustomEdit::UpdateEditMenu() {
  const bool Selection = SelLength() > 0;
  const TEditMenuState State{FReadOnly,           TextEditable(),
                             CanUndo(),           Selection,
                             FPasswordChar != 0,  Clipboard()->HasFormat(CF_TEXT),
                             FEngine.Length() > 0};
  TMenuItem* Items = FEditMenu->Items();
  for (int I = 0; I < static_cast<int>(std::size(EditMenu)); ++I)
    Items->Items(I)->SetEnabled(!EditMenu[I].Enabled || EditMenu[I].Enabled(State));
}

} // namespace vcl
