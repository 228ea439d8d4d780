// TCalendar: the month grid. The date is kept as a whole day; every change
// goes through AcceptDate, which repaints and fires OnChange. The grid is
// laid out on the fly from the client area, so it always fills the control.
#include <cmath>

#include "vcl/accessibility.h"
#include "vcl/comctrls.h"
#include "vcl/controls/detail/caption.h"
#include "vcl/forms.h"

namespace vcl {

namespace {

constexpr int MinYear = 1;
constexpr int MaxYear = 9999;

void Decode(TDateTime Date, int& Year, int& Month, int& Day) {
  Word Y, M, D;
  DecodeDate(Date, Y, M, D);
  Year = Y;
  Month = M;
  Day = D;
}

} // namespace

TCalendar::TCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  FDate = Date();
}

// ---------------------------------------------------------------------------
// The date

void TCalendar::AcceptDate(TDateTime Value) {
  FDate = Value;
  FUseCurrentDate = false;
  Invalidate();
  NotifyAccessible(this, aeSelection);
  Change();
}

void TCalendar::Change() {
  if (OnChange)
    OnChange(this);
}

void TCalendar::SetCalendarDate(TDateTime Value) {
  const TDateTime Day = std::trunc(Value);
  int Y, M, D;
  Decode(Day, Y, M, D);
  if (Y < MinYear || Y > MaxYear)
    throw EConvertError("Invalid argument to date encode");
  AcceptDate(Day);
}

int TCalendar::GetDateElement(int Index) const {
  int Y, M, D;
  Decode(FDate, Y, M, D);
  switch (Index) {
  case 1:
    return Y;
  case 2:
    return M;
  case 3:
    return D;
  default:
    return 0;
  }
}

void TCalendar::SetDateElement(int Index, int Value) {
  int Y, M, D;
  Decode(FDate, Y, M, D);
  switch (Index) {
  case 1:
    if (Value < MinYear || Value > MaxYear)
      return;
    Y = Value;
    break;
  case 2:
    if (Value < 1 || Value > 12)
      return;
    M = Value;
    break;
  case 3:
    if (Value < 1 || Value > DaysInAMonth(Y, M))
      return;
    D = Value;
    break;
  default:
    return;
  }
  // A new month or year that lacks the day gets its last day instead.
  D = std::min<int>(D, DaysInAMonth(Y, M));
  AcceptDate(EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D)));
}

int TCalendar::DaysThisMonth() const {
  return DaysInAMonth(Year(), Month());
}

void TCalendar::ChangeMonth(int Delta) {
  int Y, M, D;
  Decode(FDate, Y, M, D);
  const int Months = Y * 12 + (M - 1) + Delta;
  Y = Months / 12;
  M = Months % 12 + 1;
  if (Y < MinYear || Y > MaxYear)
    return;
  D = std::min<int>(D, DaysInAMonth(Y, M));
  AcceptDate(EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D)));
}

void TCalendar::MoveDays(int Delta) {
  int Y, M, D;
  Decode(FDate + Delta, Y, M, D);
  if (Y < MinYear || Y > MaxYear)
    return;
  AcceptDate(FDate + Delta);
}

void TCalendar::SetStartOfWeek(TDayOfWeek Value) {
  if (Value < 0 || Value > 6)
    return;
  FStartOfWeek = Value;
  Invalidate();
}

void TCalendar::SetUseCurrentDate(bool Value) {
  FUseCurrentDate = Value;
  if (!Value)
    return;
  FDate = Date();
  Invalidate();
  Change();
}

void TCalendar::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCalendar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (NewStyleControls && Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

// ---------------------------------------------------------------------------
// The grid

int TCalendar::MonthOffset() const {
  int Y, M, D;
  Decode(FDate, Y, M, D);
  const int First = DayOfWeek(EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), 1)) - 1;
  return (First - FStartOfWeek + 7) % 7;
}

int TCalendar::CellDay(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= ColCount || ARow < 1 || ARow >= RowCount)
    return 0;
  const int Day = (ARow - 1) * ColCount + ACol - MonthOffset() + 1;
  return Day >= 1 && Day <= DaysThisMonth() ? Day : 0;
}

std::string TCalendar::CellText(int ACol, int ARow) const {
  if (ARow == 0 && ACol >= 0 && ACol < ColCount)
    return ShortDayNames[(FStartOfWeek + ACol) % 7];
  const int Day = CellDay(ACol, ARow);
  return Day ? IntToStr(Day) : std::string();
}

TRect TCalendar::CellRect(int ACol, int ARow) {
  const TRect C = ClientRect();
  return Rect(ACol * C.Right / ColCount, ARow * C.Bottom / RowCount,
              (ACol + 1) * C.Right / ColCount, (ARow + 1) * C.Bottom / RowCount);
}

// ---------------------------------------------------------------------------
// Painting

void TCalendar::Paint() {
  HDC DC = Canvas()->Handle();
  for (int Row = 0; Row < RowCount; ++Row)
    for (int Col = 0; Col < ColCount; ++Col)
      PaintCell(*DC, Col, Row);
}

// The day names sit on raised button-face cells; day cells are separated by
// one-pixel lines on their right and bottom; the selected day is filled with
// the highlight colour and, while the calendar has the focus, dotted inside.
void TCalendar::PaintCell(HDC__& DC, int ACol, int ARow) {
  TRect R = CellRect(ACol, ARow);
  const std::string Text = CellText(ACol, ARow);
  TColor TextColor = Font()->Color();
  if (ARow == 0) {
    gdi::FillRect(DC, R, clBtnFace);
    gdi::FillRect(DC, {R.Left, R.Top, R.Right - 1, R.Top + 1}, clBtnHighlight);
    gdi::FillRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, clBtnHighlight);
    gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, clBtnShadow);
    gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, clBtnShadow);
    TextColor = clBtnText;
  } else {
    gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, clBtnFace);
    gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, clBtnFace);
    const TRect Inner = Rect(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    const bool Selected = CellDay(ACol, ARow) == Day() && !Text.empty();
    gdi::FillRect(DC, Inner, Selected ? clHighlight : Color());
    if (Selected) {
      TextColor = clHighlightText;
      if (Focused()) {
        // Dotted, every other pixel, one pixel inside the cell.
        const TRect F = Rect(Inner.Left + 1, Inner.Top + 1, Inner.Right - 1, Inner.Bottom - 1);
        for (int X = F.Left; X < F.Right; X += 2) {
          gdi::FillRect(DC, Bounds(X, F.Top, 1, 1), clHighlightText);
          gdi::FillRect(DC, Bounds(X, F.Bottom - 1, 1, 1), clHighlightText);
        }
        for (int Y = F.Top; Y < F.Bottom; Y += 2) {
          gdi::FillRect(DC, Bounds(F.Left, Y, 1, 1), clHighlightText);
          gdi::FillRect(DC, Bounds(F.Right - 1, Y, 1, 1), clHighlightText);
        }
      }
    }
    R = Inner;
  }
  caption::Draw(DC, R, Text, Font()->Handle(), TextColor, taCenter, true, false, false, Enabled());
}

// ---------------------------------------------------------------------------
// Mouse and keyboard

void TCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus())
      SetFocus();
    if (Focused())
      for (int Row = 1; Row < RowCount; ++Row)
        for (int Col = 0; Col < ColCount; ++Col)
          if (const int Day = CellDay(Col, Row); Day && PtInRect(CellRect(Col, Row), {X, Y}))
            SetDay(Day);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCalendar::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
  case VK_LEFT:
    MoveDays(-1);
    break;
  case VK_RIGHT:
    MoveDays(1);
    break;
  case VK_UP:
    MoveDays(-7);
    break;
  case VK_DOWN:
    MoveDays(7);
    break;
  case VK_HOME:
    SetDay(1);
    break;
  case VK_END:
    SetDay(DaysThisMonth());
    break;
  default:
    return;
  }
  Key = 0;
}

void TCalendar::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
}

// The cells cover the whole client area, so there is nothing to erase.
void TCalendar::WMEraseBkgnd(TMessage& Message) {
  Message.Result = 1;
}

void TCalendar::WMSetFocus(TMessage& Message) {
  TCustomControl::WMSetFocus(Message);
  Invalidate();
}

void TCalendar::WMKillFocus(TMessage& Message) {
  TCustomControl::WMKillFocus(Message);
  Invalidate();
}

} // namespace vcl
