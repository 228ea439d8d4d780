// TBtnEdit as a component of form files: its published properties in
// published order, with their declared defaults and stored-tests. Reading a
// form assigns them in this order, so ClickKey is read before GlyphKind.
#include "btnedit/btnedit.h"
#include "vcl/gui/published.h"
#include "vcl/menus.h"
#include "vcl/typinfo.h"

namespace BtnEdit {

using namespace vcl;

TBtnEdit::TBtnEdit(TComponent* AOwner) : TCustomBtnEdit(AOwner) {
  RegisterBtnEditClasses();
}

void RegisterBtnEditClasses() {
  static const bool Done = [] {
    RegisterGuiClasses();
    DeclareEnum<TBtnGlyphKind>("TBtnGlyphKind",
                               {"gkCustom", "gkDefault", "gkDropDown", "gkEllipsis"});
    using T = TBtnEdit;
    Published<TBtnEdit>("TBtnEdit")
        .Inherits<TComponent>()
        .Int("Left", &T::Left, &T::SetLeft)
        .Int("Top", &T::Top, &T::SetTop)
        .Int("Width", &T::Width, &T::SetWidth)
        .Int("Height", &T::Height, &T::SetHeight)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Bool("AlwaysEnable", &T::AlwaysEnable, &T::SetAlwaysEnable, false)
        .Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
        .TypeName("TBorderStyle")
        .Str("ButtonHint", &T::ButtonHint, &T::SetButtonHint, std::string())
        .Bool("ButtonVisible", &T::ButtonVisible, &T::SetButtonVisible)
        .Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal)
        // The key that clicks depends on the kind (Alt+Down for a drop-down,
        // Ctrl+Enter otherwise), so a single declared default would drop a
        // user's choice whenever it happened to equal the other kind's key.
        // The key is stored whenever it differs from its kind's own key, and
        // a key read from the form survives the GlyphKind read after it
        // (see SetGlyphKind): what was saved is what comes back.
        .Int("ClickKey", &T::ClickKey, &T::SetClickKey)
        .Stored(&T::IsClickKeyStored)
        .TypeName("TShortCut")
        .Int("Color", &T::Color, &T::SetColor, clWindow)
        .Idents(ColorIdentMap())
        .TypeName("TColor")
        .Stored([](T* E) { return !E->ParentColor(); })
        .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
        .Stored([](T* E) { return !E->ParentCtl3D(); })
        .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
        .Idents(publish::CursorIdentMap())
        .TypeName("TCursor")
        .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Object("Font", &T::Font)
        .Stored([](T* E) { return !E->ParentFont(); })
        .Enum("GlyphKind", &T::GlyphKind, &T::SetGlyphKind, gkCustom)
        .Object("Glyph", &T::Glyph)
        .Stored(&T::IsCustomGlyph)
        .Int("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth, 16)
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
        .Enum("ImeMode", &T::ImeMode, &T::SetImeMode, imDontCare)
        .Str("ImeName", &T::ImeName, &T::SetImeName, std::string())
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
        .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
        .Stored([](T* E) { return !E->ParentShowHint(); })
        .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
        .Bool("TabStop", &T::TabStop, &T::SetTabStop, true)
        .Str("Text", &T::Text, &T::SetTextBuf)
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
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyDown", &T::OnKeyDown)
        .Event<void(TObject*, char&)>("OnKeyPress", &T::OnKeyPress)
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyUp", &T::OnKeyUp)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseDown", &T::OnMouseDown)
        .Event<void(TObject*, TShiftState, int, int)>("OnMouseMove", &T::OnMouseMove)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseUp", &T::OnMouseUp)
        .Event<void(TObject*, TDragObject*&)>("OnStartDrag", &T::OnStartDrag);
    return true;
  }();
  (void)Done;
}

} // namespace BtnEdit
