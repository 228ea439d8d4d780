// TValidEdit as a component of form files: its published properties in
// published order, with their declared defaults. A form is read back in this
// order, so EditText arrives before Kind, and Kind (which makes the
// validator) before the Validator's own settings, which go into the
// validator the control already owns.
#include "valedit/valedit.h"
#include "validate/published.h"
#include "vcl/gui/published.h"
#include "vcl/menus.h"
#include "vcl/typinfo.h"

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
    DeclareEnum<TValidationType>("TValidationType", {"vtInput", "vtFocus", "vtSetValue"});
    DeclareEnum<TValidationErrorType>("TValidationErrorType", {"veInput", "veFocus"});
    using T = TValidEdit;
    Published<TValidEdit>("TValidEdit")
        .Inherits<TComponent>()
        .Int("Left", &T::Left, &T::SetLeft)
        .Int("Top", &T::Top, &T::SetTop)
        .Int("Width", &T::Width, &T::SetWidth)
        .Int("Height", &T::Height, &T::SetHeight)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Bool("AllowNull", &T::AllowNull, &T::SetAllowNull, true)
        .Bool("AlwaysEnable", &T::AlwaysEnable, &T::SetAlwaysEnable, false)
        .Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
        .Str("ButtonHint", &T::ButtonHint, &T::SetButtonHint)
        .Bool("ButtonVisible", &T::ButtonVisible, &T::SetButtonVisible, false)
        .Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal)
        // As on the button edit: stored whenever it differs from the key its
        // GlyphKind sets, so that what was saved comes back.
        .Int("ClickKey", &T::ClickKey, &T::SetClickKey)
        .Stored(&T::IsClickKeyStored)
        .TypeName("TShortCut")
        .Int("Color", &T::Color, &T::SetColor, clWindow)
        .Idents(ColorIdentMap())
        .TypeName("TColor")
        .Stored([](T* E) { return !E->ParentColor(); })
        .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
        .Stored([](T* E) { return !E->ParentCtl3D(); })
        .Bool("DefaultDisplay", &T::DefaultDisplay, &T::SetDefaultDisplay, true)
        .Str("DisplayText", &T::DisplayText, nullptr)
        .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
        .Idents(publish::CursorIdentMap())
        .TypeName("TCursor")
        .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
        .Str("EditText", &T::EditText, &T::SetEditText)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Object("Font", &T::Font)
        .Stored([](T* E) { return !E->ParentFont(); })
        .Enum("GlyphKind", &T::GlyphKind, &T::SetGlyphKind, BtnEdit::gkCustom)
        .Object("Glyph", &T::Glyph)
        .Stored(&T::IsCustomGlyph)
        .Int("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth, 16)
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
        .Int("Kind", &T::Kind, &T::SetKind, vkNone)
        .Enum("ImeMode", &T::ImeMode, &T::SetImeMode, imDontCare)
        .Str("ImeName", &T::ImeName, &T::SetImeName)
        .Int("MaxLength", &T::MaxLength, &T::SetMaxLength, 0)
        .Int("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
        .Range(1, 4)
        .Bool("OEMConvert", &T::OEMConvert, &T::SetOEMConvert, false)
        .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
        .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
        .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
        .Char("PasswordChar", &T::PasswordChar, &T::SetPasswordChar, '\0')
        .Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false)
        .Bool("SelectCompletion", &T::SelectCompletion, &T::SetSelectCompletion, false)
        .Set("ShowErrors", &T::ShowErrors, &T::SetShowErrors, TValidationError{veFocus})
        .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
        .Stored([](T* E) { return !E->ParentShowHint(); })
        .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
        .Bool("TabStop", &T::TabStop, &T::SetTabStop, true)
        .Set("Validation", &T::Validation, &T::SetValidation, TValidation{vtInput, vtFocus})
        .Object("Validator", &T::Validator)
        .Bool("Visible", &T::Visible, &T::SetVisible, true)
        .Event<void(TObject*)>("OnButtonClick", &T::OnButtonClick)
        .Event<void(TObject*)>("OnChange", &T::OnChange)
        .Event<void(TObject*)>("OnClick", &T::OnClick)
        .Event<void(TObject*)>("OnDblClick", &T::OnDblClick)
        .Event<void(TObject*, TObject*, int, int)>("OnDragDrop", &T::OnDragDrop)
        .Event<void(TObject*, TObject*, int, int, TDragState, bool&)>("OnDragOver", &T::OnDragOver)
        .Event<void(TObject*, TObject*, int, int)>("OnEndDrag", &T::OnEndDrag)
        .Event<void(TObject*)>("OnEnter", &T::OnEnter)
        .Event<void(TObject*)>("OnExit", &T::OnExit)
        .Event<void(TObject*, const std::string&)>("OnFocusError", &T::OnFocusError)
        .Event<void(TCustomValidEdit*, std::string&, bool)>("OnGetText", &T::OnGetText)
        .Event<void(TObject*, const std::string&)>("OnInputError", &T::OnInputError)
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyDown", &T::OnKeyDown)
        .Event<void(TObject*, char&)>("OnKeyPress", &T::OnKeyPress)
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyUp", &T::OnKeyUp)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseDown", &T::OnMouseDown)
        .Event<void(TObject*, TShiftState, int, int)>("OnMouseMove", &T::OnMouseMove)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseUp", &T::OnMouseUp)
        .Event<void(TCustomValidEdit*, Byte, Validate::TValidator*&)>("OnNewValidator",
                                                                      &T::OnNewValidator)
        .Event<void(TCustomValidEdit*, std::string&)>("OnSetText", &T::OnSetText)
        .Event<void(TObject*)>("OnValidatorChange", &T::OnValidatorChange)
        .Event<void(TObject*, TDragObject*&)>("OnStartDrag", &T::OnStartDrag);
    return true;
  }();
  (void)Done;
}

} // namespace ValEdit
