// TValidEdit as a component of form files: its published properties in
// published order (their declarations are shared, valedit/detail/published.h). A
// form is read back in this order, so EditText arrives before Kind, and Kind
// (which makes the validator) before the Validator's own settings, which go
// into the validator the control already owns.
#include "valedit/detail/published.h"
#include "valedit/valedit.h"
#include "validate/published.h"

namespace ValEdit {

using namespace vcl;

TValidEdit::TValidEdit(TComponent* AOwner) : TCustomValidEdit(AOwner) {
  RegisterValEditClasses();
}

void RegisterValEditClasses() {
  static const bool Done = [] {
    vcl::RegisterGuiClasses();
    BtnEdit::RegisterBtnEditClasses();
    Validate::RegisterValidatorClasses();
    DeclareEnum<TValidationType>("TValidationType");
    DeclareEnum<TValidationErrorType>("TValidationErrorType");
    DeclareEnum<TErrorDisplay>("TErrorDisplay");
    using namespace vcl::props;
    using namespace BtnEdit::props;
    using namespace ValEdit::props;
    Published<TValidEdit> P("TValidEdit");
    P.Inherits<TComponent>();
    Publish<Placement, AccessibleName, Alignment, AllowNull, AlwaysEnable, AutoSelect,
            Default<AutoSize, false>, BorderStyle, ButtonHint, Default<ButtonVisible, false>,
            CharCase, ClickKey, Color, CompletionList, Ctl3D, DefaultDisplay, DisplayText,
            ErrorColor, ErrorDisplay, DragCursor, DragMode, EditText, Enabled, Font, GlyphKind,
            Glyph, ButtonWidth, HideSelection, Kind, ImeMode, ImeName, MaxLength, NumGlyphs,
            OEMConvert, ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PasswordChar,
            PopupMenu, ReadOnly, SelectCompletion, ShowErrors, Hint, ShowHint, TabOrder, TabStop,
            TextHint, TextHintFocused, Validation, Validator, Visible, OnButtonClick, OnChange,
            OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag, OnEnter, OnErrorChange, OnExit,
            OnFocusError, OnGetText, OnInputError, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown,
            OnMouseMove, OnMouseUp, OnNewValidator, OnSetText, OnValidatorChange, OnStartDrag>(P);
    return true;
  }();
  (void)Done;
}

} // namespace ValEdit
