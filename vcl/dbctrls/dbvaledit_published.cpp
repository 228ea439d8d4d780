// TDBValidEdit as a component of form files: its published properties in
// published order. The value lives in the field, so neither EditText nor
// Text is stored; DataSource is stored by name and found when the form has
// been read.
#include "valedit/dbvaledit.h"
#include "valedit/detail/published.h"
#include "validate/published.h"

namespace ValEdit {

using namespace vcl;

void RegisterDBValEditClasses() {
  static const bool Done = [] {
    RegisterValEditClasses();
    RegisterDBClasses();
    using namespace vcl::props;
    using namespace BtnEdit::props;
    using namespace ValEdit::props;
    Published<TDBValidEdit> P("TDBValidEdit");
    P.Inherits<TComponent>();
    // Unlike the plain edit, the data-aware one stays enabled by default.
    Publish<Placement, AccessibleName, Alignment, AllowNull, Default<AlwaysEnable, true>,
            AutoSelect, Default<AutoSize, false>, BorderStyle, ButtonHint,
            Default<ButtonVisible, false>, CharCase, ClickKey, Color, CompletionList, Ctl3D,
            DataField, DataSource, DefaultDisplay, DisplayText, ErrorColor, ErrorDisplay,
            DragCursor, DragMode, Enabled, Font, GlyphKind, Glyph, ButtonWidth, ImeMode, ImeName,
            HideSelection, Kind, MaxLength, NumGlyphs, OEMConvert, ParentColor, ParentCtl3D,
            ParentFont, ParentShowHint, PasswordChar, PopupMenu, ReadOnly, ShowErrors, Hint,
            ShowHint, TabOrder, TabStop, TextHint, TextHintFocused, Validation, Validator, Visible,
            OnButtonClick, OnChange, OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag,
            OnEnter, OnErrorChange, OnExit, OnFocusError, OnGetText, OnInputError, OnKeyDown,
            OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp, OnNewValidator, OnSetText,
            OnValidatorChange, OnStartDrag>(P);
    return true;
  }();
  (void)Done;
}

} // namespace ValEdit
