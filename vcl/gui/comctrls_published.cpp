// The published property tables of the up-down control and the month
// calendar, so that forms holding them are stored in and built from form
// files; RegisterGuiClasses declares them with the other controls.
#include "vcl/comctrls.h"
#include "vcl/gui/published.h"

namespace vcl::publish {

namespace {

void DeclareUpDown() {
  using T = TUpDown;
  Published<T> P("TUpDown");
  P.Inherits<TComponent>();
  Bounds(P);
  P.Bool("ArrowKeys", &T::ArrowKeys, &T::SetArrowKeys, true)
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
  Published<T> P("TCalendar");
  P.Inherits<TComponent>();
  Bounds(P);
  Appearance(P, clWindow, false);
  WindowProperties(P, true);
  MouseEvents(P);
  P.Enum("Align", &T::Align, &T::SetAlign, alNone)
      .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
      .TypeName("TBorderStyle")
      // The date is the program's to set: its elements are never stored.
      .Int("Day", &T::Day, &T::SetDay)
      .Stored(false)
      .Int("Month", &T::Month, &T::SetMonth)
      .Stored(false)
      .Int("StartOfWeek", &T::StartOfWeek, &T::SetStartOfWeek, 1)
      .Range(0, 6)
      .TypeName("TDayOfWeek")
      .Bool("UseCurrentDate", &T::UseCurrentDate, &T::SetUseCurrentDate, true)
      .Int("Year", &T::Year, &T::SetYear)
      .Stored(false)
      .Event<TNotifySig>("OnChange", &T::OnChange);
}

} // namespace

void DeclareComCtrls() {
  DeclareEnum<TUDOrientation>("TUDOrientation", {"udHorizontal", "udVertical"});
  DeclareUpDown();
  DeclareCalendar();
}

} // namespace vcl::publish
