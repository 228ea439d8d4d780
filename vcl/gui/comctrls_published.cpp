// The published property tables of the up-down control and the month
// calendar, so that forms holding them are stored in and built from form files.
#include "vcl/comctrls.h"
#include "vcl/typinfo.h"

namespace vcl {

namespace {

using TNotifySig = void(TObject*);
using TKeySig = void(TObject*, Word&, TShiftState);
using TMouseSig = void(TObject*, TMouseButton, TShiftState, int, int);
using TMouseMoveSig = void(TObject*, TShiftState, int, int);

void DeclareUpDown() {
  using T = TUpDown;
  Published<T>("TUpDown")
      .Inherits<TComponent>()
      .Int("Left", &T::Left, &T::SetLeft)
      .Int("Top", &T::Top, &T::SetTop)
      .Int("Width", &T::Width, &T::SetWidth)
      .Int("Height", &T::Height, &T::SetHeight)
      .Bool("ArrowKeys", &T::ArrowKeys, &T::SetArrowKeys, true)
      .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
      .Str("Hint", &T::Hint, &T::SetHint, std::string())
      .Int("Increment", &T::Increment, &T::SetIncrement, 1)
      .Int("Max", &T::Max, &T::SetMax, 100)
      .Int("Min", &T::Min, &T::SetMin, 0)
      .Enum("Orientation", &T::Orientation, &T::SetOrientation, udVertical)
      .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
      .Int("Position", &T::Position, &T::SetPosition, 0)
      .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
      .Stored([](T* C) { return !C->ParentShowHint(); })
      .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
      .Bool("TabStop", &T::TabStop, &T::SetTabStop, false)
      .Bool("Visible", &T::Visible, &T::SetVisible, true)
      .Bool("Wrap", &T::Wrap, &T::SetWrap, false)
      .Event<void(TObject*, bool&)>("OnChanging", &T::OnChanging)
      .Event<void(TObject*, TUDBtnType)>("OnClick", &T::OnClick)
      .Event<TNotifySig>("OnEnter", &T::OnEnter)
      .Event<TNotifySig>("OnExit", &T::OnExit)
      .Event<TMouseSig>("OnMouseDown", &T::OnMouseDown)
      .Event<TMouseMoveSig>("OnMouseMove", &T::OnMouseMove)
      .Event<TMouseSig>("OnMouseUp", &T::OnMouseUp);
}

void DeclareCalendar() {
  using T = TCalendar;
  Published<T>("TCalendar")
      .Inherits<TComponent>()
      .Int("Left", &T::Left, &T::SetLeft)
      .Int("Top", &T::Top, &T::SetTop)
      .Int("Width", &T::Width, &T::SetWidth)
      .Int("Height", &T::Height, &T::SetHeight)
      .Enum("Align", &T::Align, &T::SetAlign, alNone)
      .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
      .TypeName("TBorderStyle")
      .Int("Color", &T::Color, &T::SetColor, clWindow)
      .Idents(ColorIdentMap())
      .TypeName("TColor")
      .Stored([](T* C) { return !C->ParentColor(); })
      .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
      .Stored([](T* C) { return !C->ParentCtl3D(); })
      // The date is the program's to set: its elements are never stored.
      .Int("Day", &T::Day, &T::SetDay)
      .Stored(false)
      .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
      .Object("Font", &T::Font)
      .Stored([](T* C) { return !C->ParentFont(); })
      .Int("Month", &T::Month, &T::SetMonth)
      .Stored(false)
      .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, false)
      .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
      .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
      .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
      .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
      .Stored([](T* C) { return !C->ParentShowHint(); })
      .Int("StartOfWeek", &T::StartOfWeek, &T::SetStartOfWeek, 1)
      .Range(0, 6)
      .TypeName("TDayOfWeek")
      .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
      .Bool("TabStop", &T::TabStop, &T::SetTabStop, true)
      .Bool("UseCurrentDate", &T::UseCurrentDate, &T::SetUseCurrentDate, true)
      .Bool("Visible", &T::Visible, &T::SetVisible, true)
      .Int("Year", &T::Year, &T::SetYear)
      .Stored(false)
      .Event<TNotifySig>("OnClick", &T::OnClick)
      .Event<TNotifySig>("OnChange", &T::OnChange)
      .Event<TNotifySig>("OnDblClick", &T::OnDblClick)
      .Event<TNotifySig>("OnEnter", &T::OnEnter)
      .Event<TNotifySig>("OnExit", &T::OnExit)
      .Event<TKeySig>("OnKeyDown", &T::OnKeyDown)
      .Event<void(TObject*, char&)>("OnKeyPress", &T::OnKeyPress)
      .Event<TKeySig>("OnKeyUp", &T::OnKeyUp)
      .Event<TMouseSig>("OnMouseDown", &T::OnMouseDown)
      .Event<TMouseMoveSig>("OnMouseMove", &T::OnMouseMove)
      .Event<TMouseSig>("OnMouseUp", &T::OnMouseUp);
}

} // namespace

void RegisterComCtrlsClasses() {
  static const bool Done = [] {
    RegisterGuiClasses();
    DeclareEnum<TUDOrientation>("TUDOrientation", {"udHorizontal", "udVertical"});
    DeclareUpDown();
    DeclareCalendar();
    return true;
  }();
  (void)Done;
}

} // namespace vcl
