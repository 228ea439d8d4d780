// TBtnEdit as a component of form files: its published properties in
// published order (their declarations are shared, btnedit/detail/published.h).
// Reading a form assigns them in this order, so ClickKey is read before
// GlyphKind.
#include "btnedit/btnedit.h"
#include "btnedit/detail/published.h"

namespace BtnEdit {

using namespace vcl;

TBtnEdit::TBtnEdit(TComponent* AOwner) : TCustomBtnEdit(AOwner) {
  RegisterBtnEditClasses();
}

void RegisterBtnEditClasses() {
  static const bool Done = [] {
    RegisterGuiClasses();
    DeclareEnum<TBtnGlyphKind>("TBtnGlyphKind");
    using namespace vcl::props;
    using namespace BtnEdit::props;
    Published<TBtnEdit> P("TBtnEdit");
    P.Inherits<TComponent>();
    Publish<Placement, AccessibleName, Alignment, AlwaysEnable, AutoSelect,
            Default<AutoSize, false>, BorderStyle, ButtonHint, ButtonVisible, CharCase, ClickKey,
            Color, Ctl3D, DragCursor, DragMode, Enabled, Font, GlyphKind, Glyph, ButtonWidth,
            HideSelection, ImeMode, ImeName, MaxLength, NumGlyphs, OEMConvert, ParentColor,
            ParentCtl3D, ParentFont, ParentShowHint, PasswordChar, PopupMenu, ReadOnly, Hint,
            ShowHint, TabOrder, TabStop, Text, TextHint, TextHintFocused, Visible, OnButtonClick,
            OnChange, OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag, OnEnter, OnExit,
            OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp, OnStartDrag>(P);
    return true;
  }();
  (void)Done;
}

} // namespace BtnEdit
