// The published properties the controls share, each declared once: its name,
// type, declared default and stored-test. A class's table lists the ones it
// publishes, in its published order, as tags:
//
//   using namespace vcl::props;
//   Published<TEdit> P("TEdit");
//   P.Inherits<TComponent>();
//   Publish<Left, Top, Width, Height, Default<Color, clBtnFace>, Font, ...>(P);
//
// Only the tags a class names are instantiated for it, so a class needs the
// members of what it publishes and nothing more. Default<Prop, Value> gives
// a property the declared default of a class whose constructor sets it
// otherwise; everything else (the identifiers a TColor accepts, the
// stored-tests) is the same on every class. Units that publish controls of
// their own (the button edit, the validating edit, the data-aware controls)
// add their own tags in the same form.
#pragma once

#include <string>

#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/typinfo.h"

namespace vcl::props {

using TNotifySig = void(TObject*);
using TKeySig = void(TObject*, Word&, TShiftState);
using TKeyPressSig = void(TObject*, char32_t&);
using TMouseSig = void(TObject*, TMouseButton, TShiftState, int, int);
using TMouseMoveSig = void(TObject*, TShiftState, int, int);
using TDragDropSig = void(TObject*, TObject*, int, int);
using TDragOverSig = void(TObject*, TObject*, int, int, TDragState, bool&);
using TStartDragSig = void(TObject*, TDragObject*&);

// Declares the properties of the tags in order.
template <typename... Props, typename T> Published<T>& Publish(Published<T>& P) {
  (Props::Declare(P), ...);
  return P;
}

// Several tags under one name (Placement is Left, Top, Width, Height).
template <typename... Props> struct Group {
  template <typename T> static void Declare(Published<T>& P) { Publish<Props...>(P); }
};

// Prop with the declared default Value on this class.
template <typename Prop, auto Value> struct Default {
  template <typename T> static void Declare(Published<T>& P) {
    Prop::Declare(P);
    P.Default(Value);
  }
};

// ---------------------------------------------------------------------------
// Every control

struct Left {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("Left", &T::Left, &T::SetLeft);
  }
};
struct Top {
  template <typename T> static void Declare(Published<T>& P) { P.Int("Top", &T::Top, &T::SetTop); }
};
struct Width {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("Width", &T::Width, &T::SetWidth);
  }
};
struct Height {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("Height", &T::Height, &T::SetHeight);
  }
};
using Placement = Group<Left, Top, Width, Height>;

// The colour of an edit window unless a class declares its own.
struct Color {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("Color", &T::Color, &T::SetColor, clWindow).TypeName("TColor").Stored([](T* C) {
      return !C->ParentColor();
    });
  }
};
struct Font {
  template <typename T> static void Declare(Published<T>& P) {
    P.Object("Font", &T::Font).Stored([](T* C) { return !C->ParentFont(); });
  }
};
struct ParentColor {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ParentColor", &T::ParentColor, &T::SetParentColor, false);
  }
};
struct ParentFont {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true);
  }
};
struct ParentShowHint {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true);
  }
};
struct ShowHint {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ShowHint", &T::ShowHint, &T::SetShowHint).Stored([](T* C) {
      return !C->ParentShowHint();
    });
  }
};
struct Hint {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("Hint", &T::Hint, &T::SetHint, std::string());
  }
};
struct AccessibleName {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("AccessibleName", &T::AccessibleName, &T::SetAccessibleName, std::string());
  }
};
struct Cursor {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("Cursor", &T::Cursor, &T::SetCursor, crDefault).TypeName("TCursor");
  }
};
struct DragCursor {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag).TypeName("TCursor");
  }
};
struct DragMode {
  template <typename T> static void Declare(Published<T>& P) {
    P.Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual);
  }
};
struct Enabled {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("Enabled", &T::Enabled, &T::SetEnabled, true);
  }
};
struct Visible {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("Visible", &T::Visible, &T::SetVisible, true);
  }
};
struct Caption {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("Caption", &T::Caption, &T::SetCaption);
  }
};
struct Align {
  template <typename T> static void Declare(Published<T>& P) {
    P.Enum("Align", &T::Align, &T::SetAlign, alNone);
  }
};

struct OnClick {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TNotifySig>("OnClick", &T::OnClick);
  }
};
struct OnDblClick {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TNotifySig>("OnDblClick", &T::OnDblClick);
  }
};
struct OnMouseDown {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TMouseSig>("OnMouseDown", &T::OnMouseDown);
  }
};
struct OnMouseMove {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TMouseMoveSig>("OnMouseMove", &T::OnMouseMove);
  }
};
struct OnMouseUp {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TMouseSig>("OnMouseUp", &T::OnMouseUp);
  }
};
using MouseEvents = Group<OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp>;

// Stored by name and found once the whole form has been read.
struct PopupMenu {
  template <typename T> static void Declare(Published<T>& P) {
    P.Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  }
};
struct OnDragDrop {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TDragDropSig>("OnDragDrop", &T::OnDragDrop);
  }
};
struct OnDragOver {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TDragOverSig>("OnDragOver", &T::OnDragOver);
  }
};
struct OnEndDrag {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TDragDropSig>("OnEndDrag", &T::OnEndDrag);
  }
};
struct OnStartDrag {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TStartDragSig>("OnStartDrag", &T::OnStartDrag);
  }
};

// ---------------------------------------------------------------------------
// Windowed controls

struct Ctl3D {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D).Stored([](T* C) { return !C->ParentCtl3D(); });
  }
};
struct ParentCtl3D {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true);
  }
};
struct TabOrder {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1);
  }
};
// A control in the tab order unless a class declares otherwise.
struct TabStop {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("TabStop", &T::TabStop, &T::SetTabStop, true);
  }
};
struct HelpContext {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("HelpContext", &T::HelpContext, &T::SetHelpContext, 0);
  }
};
struct OnEnter {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TNotifySig>("OnEnter", &T::OnEnter);
  }
};
struct OnExit {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TNotifySig>("OnExit", &T::OnExit);
  }
};
struct OnKeyDown {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TKeySig>("OnKeyDown", &T::OnKeyDown);
  }
};
struct OnKeyPress {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TKeyPressSig>("OnKeyPress", &T::OnKeyPress);
  }
};
struct OnKeyUp {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TKeySig>("OnKeyUp", &T::OnKeyUp);
  }
};

// What every windowed control publishes, in the classic order of the common
// ones; each concrete class lists its own after these.
template <TColor DefaultColor, bool DefaultParentColor>
using Appearance =
    Group<Default<Color, DefaultColor>, Font, Default<ParentColor, DefaultParentColor>, ParentFont,
          ParentShowHint, ShowHint, Hint, AccessibleName, Cursor, DragCursor, DragMode, Enabled,
          Visible>;
template <bool DefaultTabStop>
using WindowProperties = Group<Ctl3D, ParentCtl3D, TabOrder, Default<TabStop, DefaultTabStop>,
                               HelpContext, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp>;

// ---------------------------------------------------------------------------
// Edit windows

struct AutoSelect {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true);
  }
};
struct AutoSize {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true);
  }
};
struct BorderStyle {
  template <typename T> static void Declare(Published<T>& P) {
    P.Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle).TypeName("TBorderStyle");
  }
};
struct CharCase {
  template <typename T> static void Declare(Published<T>& P) {
    P.Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal);
  }
};
struct HideSelection {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("HideSelection", &T::HideSelection, &T::SetHideSelection, true);
  }
};
struct ImeMode {
  template <typename T> static void Declare(Published<T>& P) {
    P.Enum("ImeMode", &T::ImeMode, &T::SetImeMode, imDontCare);
  }
};
struct ImeName {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("ImeName", &T::ImeName, &T::SetImeName, std::string());
  }
};
struct MaxLength {
  template <typename T> static void Declare(Published<T>& P) {
    P.Int("MaxLength", &T::MaxLength, &T::SetMaxLength, 0);
  }
};
struct OEMConvert {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("OEMConvert", &T::OEMConvert, &T::SetOEMConvert, false);
  }
};
struct PasswordChar {
  template <typename T> static void Declare(Published<T>& P) {
    P.Char("PasswordChar", &T::PasswordChar, &T::SetPasswordChar, '\0');
  }
};
struct ReadOnly {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false);
  }
};
struct Text {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("Text", &T::Text, &T::SetTextBuf);
  }
};
struct TextHint {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("TextHint", &T::TextHint, &T::SetTextHint, std::string());
  }
};
struct TextHintFocused {
  template <typename T> static void Declare(Published<T>& P) {
    P.Bool("TextHintFocused", &T::TextHintFocused, &T::SetTextHintFocused, true);
  }
};
struct OnChange {
  template <typename T> static void Declare(Published<T>& P) {
    P.template Event<TNotifySig>("OnChange", &T::OnChange);
  }
};

using EditProperties =
    Group<AutoSelect, AutoSize, BorderStyle, CharCase, HideSelection, ImeMode, ImeName, MaxLength,
          OEMConvert, PasswordChar, ReadOnly, TextHint, TextHintFocused>;

// ---------------------------------------------------------------------------
// Data-aware controls

struct DataField {
  template <typename T> static void Declare(Published<T>& P) {
    P.Str("DataField", &T::DataField, &T::SetDataField, std::string());
  }
};
// Stored by name and found once the whole form has been read.
struct DataSource {
  template <typename T> static void Declare(Published<T>& P) {
    P.Component("DataSource", &T::DataSource, &T::SetDataSource);
  }
};

} // namespace vcl::props

namespace vcl::publish {
// The tables of the controls declared in their own units: the masked edit
// and the common controls (for RegisterGuiClasses).
void DeclareMaskEdit();
void DeclareComCtrls();
} // namespace vcl::publish
