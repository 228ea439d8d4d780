// The published property tables of the up-down control and the month
// calendar, so that forms holding them are stored in and built from form
// files; RegisterGuiClasses declares them with the other controls.
#include "vcl/comctrls.h"
#include "vcl/props.h"

namespace vcl::publish {

namespace {

using namespace props;

void DeclareUpDown() {
  using T = TUpDown;
  Published<T> P("TUpDown");
  P.Inherits<TComponent>();
  Publish<Placement, AccessibleName>(P);
  P.Bool("ArrowKeys", &T::ArrowKeys, &T::SetArrowKeys, true);
  Publish<Enabled, Hint>(P);
  P.Int("Increment", &T::Increment, &T::SetIncrement, 1)
      .Int("Max", &T::Max, &T::SetMax, 100)
      .Int("Min", &T::Min, &T::SetMin, 0)
      .Enum("Orientation", &T::Orientation, &T::SetOrientation, udVertical);
  Publish<ParentShowHint>(P);
  P.Int("Position", &T::Position, &T::SetPosition, 0);
  Publish<ShowHint, TabOrder, Default<TabStop, false>, Visible>(P);
  P.Bool("Wrap", &T::Wrap, &T::SetWrap, false)
      .Event<void(TObject*, bool&)>("OnChanging", &T::OnChanging)
      .Event<void(TObject*, TUDBtnType)>("OnClick", &T::OnClick);
  Publish<OnEnter, OnExit, OnMouseDown, OnMouseMove, OnMouseUp>(P);
}

void DeclareCalendar() {
  using T = TCalendar;
  Published<T> P("TCalendar");
  P.Inherits<TComponent>();
  Publish<Placement, Appearance<clWindow, false>, WindowProperties<true>, MouseEvents, Align,
          BorderStyle>(P);
  // The date is the program's to set: its elements are never stored.
  P.Int("Day", &T::Day, &T::SetDay)
      .Stored(false)
      .Int("Month", &T::Month, &T::SetMonth)
      .Stored(false)
      .Int("StartOfWeek", &T::StartOfWeek, &T::SetStartOfWeek, 1)
      .Range(0, 6)
      .TypeName("TDayOfWeek")
      .Bool("UseCurrentDate", &T::UseCurrentDate, &T::SetUseCurrentDate, true)
      .Int("Year", &T::Year, &T::SetYear)
      .Stored(false);
  Publish<OnChange>(P);
}

} // namespace

void DeclareComCtrls() {
  DeclareEnum<TUDOrientation>("TUDOrientation");
  DeclareUpDown();
  DeclareCalendar();
}

} // namespace vcl::publish
