// TCustomEdit: the edit window's own context menu, which a right click or
// the menu key opens on an edit without a PopupMenu. Each item sends the
// message its key sends (Ctrl+Z, Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A), so a
// descendant that screens a paste or watches a cut sees the menu's as well;
// each is enabled only when it would do something.
#include "vcl/clipbrd.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace {

enum TEditMenuItem { emUndo, emLine1, emCut, emCopy, emPaste, emDelete, emLine2, emSelectAll };
constexpr const char* EditMenuCaptions[] = {"&Undo",  "-",       "Cu&t", "&Copy",
                                            "&Paste", "&Delete", "-",    "Select &All"};

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
    static constexpr unsigned Messages[] = {WM_UNDO, 0, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, 0, 0};
    for (int I = emUndo; I <= emSelectAll; ++I) {
      auto* Item = new TMenuItem(FEditMenu.get());
      Item->SetCaption(EditMenuCaptions[I]);
      const unsigned Msg = Messages[I];
      if (I == emSelectAll)
        Item->OnClick = [this](TObject*) { SelectAll(); };
      else if (Msg != 0)
        Item->OnClick = [this, Msg](TObject*) { Perform(Msg); };
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
  // A password is never handed out, so it cannot be copied or cut.
  const bool Hidden = FPasswordChar != 0;
  const bool Editable = TextEditable();
  const bool Enabled[] = {!FReadOnly && CanUndo(),
                          true,
                          Editable && Selection && !Hidden,
                          Selection && !Hidden,
                          Editable && Clipboard()->HasFormat(CF_TEXT),
                          Editable && Selection,
                          true,
                          FEngine.Length() > 0};
  TMenuItem* Items = FEditMenu->Items();
  for (int I = emUndo; I <= emSelectAll; ++I)
    Items->Items(I)->SetEnabled(Enabled[I]);
}

} // namespace vcl
