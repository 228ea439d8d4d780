// The property groups the published tables of the GUI classes share: bounds,
// appearance, window and mouse properties, and the edit window's own. Units
// that publish controls of their own (the masked edit, the data-aware
// controls) build their tables from the same groups, so every control stores
// a shared property under the same name, type and default.
#pragma once

#include <string>
#include <vector>

#include "vcl/stdctrls.h"
#include "vcl/typinfo.h"

namespace vcl::publish {

// The names of the cursors in form files ("crDrag").
inline const std::vector<TIdentMapEntry>& CursorIdentMap() {
  static const std::vector<TIdentMapEntry> Map = {{crDefault, "crDefault"},
                                                  {crNone, "crNone"},
                                                  {crArrow, "crArrow"},
                                                  {crCross, "crCross"},
                                                  {crIBeam, "crIBeam"},
                                                  {crSize, "crSize"},
                                                  {crSizeNESW, "crSizeNESW"},
                                                  {crSizeNS, "crSizeNS"},
                                                  {crSizeNWSE, "crSizeNWSE"},
                                                  {crSizeWE, "crSizeWE"},
                                                  {crUpArrow, "crUpArrow"},
                                                  {crHourGlass, "crHourGlass"},
                                                  {crDrag, "crDrag"},
                                                  {crNoDrop, "crNoDrop"},
                                                  {crHSplit, "crHSplit"},
                                                  {crVSplit, "crVSplit"},
                                                  {crMultiDrag, "crMultiDrag"},
                                                  {crSQLWait, "crSQLWait"},
                                                  {crNo, "crNo"},
                                                  {crAppStart, "crAppStart"},
                                                  {crHelp, "crHelp"},
                                                  {crHandPoint, "crHandPoint"}};
  return Map;
}

using TKeySig = void(TObject*, Word&, TShiftState);
using TKeyPressSig = void(TObject*, char&);
using TMouseSig = void(TObject*, TMouseButton, TShiftState, int, int);
using TMouseMoveSig = void(TObject*, TShiftState, int, int);
using TNotifySig = void(TObject*);

// The properties every control publishes, in the classic order of the
// common ones; each concrete class lists its own after these.
template <typename T> Published<T>& Bounds(Published<T>& P) {
  return P.Int("Left", &T::Left, &T::SetLeft)
      .Int("Top", &T::Top, &T::SetTop)
      .Int("Width", &T::Width, &T::SetWidth)
      .Int("Height", &T::Height, &T::SetHeight);
}

template <typename T>
Published<T>& Appearance(Published<T>& P, TColor DefaultColor, bool DefaultParentColor) {
  return P.Int("Color", &T::Color, &T::SetColor, DefaultColor)
      .Idents(ColorIdentMap())
      .TypeName("TColor")
      .Stored([](T* C) { return !C->ParentColor(); })
      .Object("Font", &T::Font)
      .Stored([](T* C) { return !C->ParentFont(); })
      .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, DefaultParentColor)
      .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
      .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
      .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
      .Stored([](T* C) { return !C->ParentShowHint(); })
      .Str("Hint", &T::Hint, &T::SetHint, std::string())
      .Int("Cursor", &T::Cursor, &T::SetCursor, crDefault)
      .Idents(CursorIdentMap())
      .TypeName("TCursor")
      .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
      .Idents(CursorIdentMap())
      .TypeName("TCursor")
      .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
      .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
      .Bool("Visible", &T::Visible, &T::SetVisible, true);
}

template <typename T> Published<T>& MouseEvents(Published<T>& P) {
  return P.template Event<TNotifySig>("OnClick", &T::OnClick)
      .template Event<TNotifySig>("OnDblClick", &T::OnDblClick)
      .template Event<TMouseSig>("OnMouseDown", &T::OnMouseDown)
      .template Event<TMouseMoveSig>("OnMouseMove", &T::OnMouseMove)
      .template Event<TMouseSig>("OnMouseUp", &T::OnMouseUp);
}

template <typename T> Published<T>& WindowProperties(Published<T>& P, bool DefaultTabStop) {
  return P.Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
      .Stored([](T* C) { return !C->ParentCtl3D(); })
      .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
      .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
      .Bool("TabStop", &T::TabStop, &T::SetTabStop, DefaultTabStop)
      .Int("HelpContext", &T::HelpContext, &T::SetHelpContext, 0)
      .template Event<TNotifySig>("OnEnter", &T::OnEnter)
      .template Event<TNotifySig>("OnExit", &T::OnExit)
      .template Event<TKeySig>("OnKeyDown", &T::OnKeyDown)
      .template Event<TKeyPressSig>("OnKeyPress", &T::OnKeyPress)
      .template Event<TKeySig>("OnKeyUp", &T::OnKeyUp);
}

// The edit window's properties, from AutoSelect to ReadOnly; each edit class
// adds its text property and OnChange after them.
template <typename T> Published<T>& EditProperties(Published<T>& P) {
  return P.Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
      .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
      .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
      .TypeName("TBorderStyle")
      .Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal)
      .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
      .Enum("ImeMode", &T::ImeMode, &T::SetImeMode, imDontCare)
      .Str("ImeName", &T::ImeName, &T::SetImeName, std::string())
      .Int("MaxLength", &T::MaxLength, &T::SetMaxLength, 0)
      .Bool("OEMConvert", &T::OEMConvert, &T::SetOEMConvert, false)
      .Char("PasswordChar", &T::PasswordChar, &T::SetPasswordChar, '\0')
      .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false);
}

// The tables of the controls declared in their own units: the masked edit
// and the common controls (for RegisterGuiClasses), and the data-aware edit
// (for RegisterDBClasses).
void DeclareMaskEdit();
void DeclareComCtrls();
void DeclareDBEdit();

} // namespace vcl::publish
