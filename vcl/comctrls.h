// GUI platform: the common controls the calendar dialog is made of. TUpDown
// is a pair of arrow buttons that step a position up or down; TCalendar is a
// month grid that shows one month and selects one day of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vcl/controls.h"
#include "vcl/sysutils.h"

namespace vcl {

// ---------------------------------------------------------------------------
// The up-down control

VCL_ENUM(TUDOrientation, std::uint8_t, udHorizontal, udVertical);
// btNext is the up (or right) arrow, btPrev the down (or left) one.
enum TUDBtnType : std::uint8_t { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Each press of an arrow (a mouse press on its half, or an arrow key while the
// control has the focus) moves Position by Increment within Min..Max, wrapping
// round when Wrap is set, and then reports the arrow through OnClick. OnClick
// fires also when Position is already at its limit, so that a caller that only
// wants the direction of the press hears every press. Holding the mouse down
// presses once; there is no auto-repeat.
class TCustomUpDown : public TWinControl {
public:
  explicit TCustomUpDown(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  // Kept within Min..Max.
  void SetPosition(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value) { FWrap = Value; }
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  // Whether the arrow keys press the arrows while the control has the focus.
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value) { FArrowKeys = Value; }

  // Which arrow is drawn pressed, if any.
  bool ArrowPressed(TUDBtnType Button) const { return FPressed && FPressedButton == Button; }
  // The part of the client area that is Button's arrow.
  TRect ArrowRect(TUDBtnType Button);

  // Presses Button once: steps Position (when OnChanging allows) and fires OnClick.
  void Press(TUDBtnType Button);

  using TWinControl::Click;
  TUDChangingEvent OnChanging;
  // Hides the plain click event: an up-down reports which arrow was pressed.
  TUDClickEvent OnClick;

protected:
  virtual bool CanChange();
  virtual void Click(TUDBtnType Button);
  void DefaultHandler(TMessage& Message) override;

private:
  void Paint(HDC DC);
  void PaintArrow(HDC__& DC, TUDBtnType Button);
  void ReleaseArrow();

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
  bool FWrap = false;
  TUDOrientation FOrientation = udVertical;
  bool FArrowKeys = true;
  bool FPressed = false;
  TUDBtnType FPressedButton = btNext;
};

class TUpDown : public TCustomUpDown {
public:
  using TCustomUpDown::TCustomUpDown;
};

// ---------------------------------------------------------------------------
// The month calendar

// 0 is Sunday, as in ShortDayNames.
using TDayOfWeek = int;

// A grid of seven columns: a header row of the locale's short day names, then
// the days of the month of CalendarDate, one week a row, the first row
// starting on StartOfWeek. The selected day is highlighted. A click selects a
// day, a double click fires OnDblClick; the arrow keys move by a day (left and
// right) or a week (up and down) and Home and End go to the first and the last
// day of the month, crossing into other months where the move leads.
//
// The date is read and written whole (CalendarDate) or by element: Year
// (index 1), Month (2) and Day (3), each written on its own. Writing a day the
// month lacks, a month outside 1 to 12 or a year outside 1 to 9999 is ignored.
// When a month or year change (Month, Year, PrevMonth, NextMonth, PrevYear,
// NextYear) lands on a day the new month lacks (31 January to February, 29
// February to a common year), the date becomes the new month's last day.
// A move that would leave the years 1 to 9999 is ignored.
//
// Every accepted write fires OnChange, also one from code and also one that
// leaves the date as it was; UseCurrentDate goes False with it.
class TCalendar : public TCustomControl {
public:
  explicit TCalendar(TComponent* AOwner);
  TAccessibleRole AccessibleRole() const override { return arTable; }

  TDateTime CalendarDate() const { return FDate; }
  // The date part of Value; EConvertError when it is outside the years 1 to 9999.
  void SetCalendarDate(TDateTime Value);
  int GetDateElement(int Index) const;
  void SetDateElement(int Index, int Value);
  int Year() const { return GetDateElement(1); }
  void SetYear(int Value) { SetDateElement(1, Value); }
  int Month() const { return GetDateElement(2); }
  void SetMonth(int Value) { SetDateElement(2, Value); }
  int Day() const { return GetDateElement(3); }
  void SetDay(int Value) { SetDateElement(3, Value); }
  int DaysThisMonth() const;

  TDayOfWeek StartOfWeek() const { return FStartOfWeek; }
  void SetStartOfWeek(TDayOfWeek Value);
  // True: the calendar shows today; any other date makes it False.
  bool UseCurrentDate() const { return FUseCurrentDate; }
  void SetUseCurrentDate(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  void PrevMonth() { ChangeMonth(-1); }
  void NextMonth() { ChangeMonth(1); }
  void PrevYear() { ChangeMonth(-12); }
  void NextYear() { ChangeMonth(12); }

  // The grid: 7 columns, row 0 the day names, rows 1 to 6 the weeks. The
  // text of a cell is a day name, a day number or empty; CellRect is in
  // client coordinates.
  static constexpr int ColCount = 7;
  static constexpr int RowCount = 7;
  std::string CellText(int ACol, int ARow) const;
  TRect CellRect(int ACol, int ARow);
  // The day shown in a cell, or 0.
  int CellDay(int ACol, int ARow) const;

  TNotifyEvent OnChange;

protected:
  virtual void Change();
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;

private:
  void AcceptDate(TDateTime Value);
  void ChangeMonth(int Delta);
  void MoveDays(int Delta);
  // The column of the month's first day in the first week row.
  int MonthOffset() const;
  void PaintCell(HDC__& DC, int ACol, int ARow);

  TDateTime FDate = 0;
  TDayOfWeek FStartOfWeek = 1;
  bool FUseCurrentDate = true;
  TBorderStyle FBorderStyle = bsSingle;
};

} // namespace vcl
