// The month calendar: element writes and the missing-day rule, month and year
// moves, change notifications, keys and clicks on the grid, the painted
// selection and its form file.
#include <gtest/gtest.h>

#include "vcl/comctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

TDateTime D(int Y, int M, int Day) {
  return EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(Day));
}

std::string Shown(TDateTime Date) {
  return FormatDateTime("yyyy-mm-dd", Date);
}

class CalendarTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 320, 220);
    Edit = vt::Place<TEdit>(Form, 8, 8, 80, 21);
    Calendar = vt::Place<TCalendar>(Form, 8, 40, 298, 150);
    Calendar->OnChange = [this](TObject*) { ++Changes; };
    Calendar->OnDblClick = [this](TObject*) { ++DoubleClicks; };
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  void Start(TDateTime Date) {
    Calendar->SetCalendarDate(Date);
    Changes = 0;
  }
  // The client point at the centre of the cell showing Day.
  TPoint DayPoint(int Day) {
    for (int Row = 1; Row < TCalendar::RowCount; ++Row)
      for (int Col = 0; Col < TCalendar::ColCount; ++Col)
        if (Calendar->CellDay(Col, Row) == Day) {
          const TRect R = Calendar->CellRect(Col, Row);
          return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
        }
    ADD_FAILURE() << "no cell shows day " << Day;
    return {};
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TCalendar* Calendar = nullptr;
  int Changes = 0;
  int DoubleClicks = 0;
};

struct TWriteCase {
  TDateTime Start;
  int Index, Value;
  TDateTime Expected; // the start itself when the write is ignored
};

TEST_F(CalendarTest, ElementWritesIgnoreMissingDaysAndClampAMonthOrYearChange) {
  const TWriteCase Cases[] = {
      {D(2024, 1, 15), 3, 31, D(2024, 1, 31)},   {D(2024, 2, 10), 3, 29, D(2024, 2, 29)},
      {D(2023, 2, 10), 3, 29, D(2023, 2, 10)},   {D(2024, 4, 10), 3, 31, D(2024, 4, 10)},
      {D(2024, 4, 10), 3, 0, D(2024, 4, 10)},    {D(2024, 1, 31), 2, 2, D(2024, 2, 29)},
      {D(2023, 1, 31), 2, 2, D(2023, 2, 28)},    {D(2024, 3, 31), 2, 4, D(2024, 4, 30)},
      {D(2024, 5, 5), 2, 13, D(2024, 5, 5)},     {D(2024, 5, 5), 2, 0, D(2024, 5, 5)},
      {D(2024, 2, 29), 1, 2023, D(2023, 2, 28)}, {D(2024, 2, 29), 1, 2028, D(2028, 2, 29)},
      {D(2024, 5, 5), 1, 0, D(2024, 5, 5)},      {D(2024, 5, 5), 1, 10000, D(2024, 5, 5)},
  };
  for (const TWriteCase& C : Cases) {
    SCOPED_TRACE(::testing::Message()
                 << Shown(C.Start) << " element " << C.Index << " := " << C.Value);
    Start(C.Start);
    Calendar->SetDateElement(C.Index, C.Value);
    EXPECT_EQ(Shown(Calendar->CalendarDate()), Shown(C.Expected));
    // An ignored write is no change; an accepted one is exactly one.
    EXPECT_EQ(Changes, C.Expected == C.Start ? 0 : 1);
  }
}

struct TMoveCase {
  TDateTime Start;
  void (*Move)(TCalendar*);
  TDateTime Expected;
};

TEST_F(CalendarTest, MonthAndYearMovesTakeTheLastDayWhenTheNewMonthLacksTheDay) {
  const TMoveCase Cases[] = {
      {D(2024, 1, 31), [](TCalendar* C) { C->NextMonth(); }, D(2024, 2, 29)},
      {D(2024, 3, 31), [](TCalendar* C) { C->PrevMonth(); }, D(2024, 2, 29)},
      {D(2023, 3, 30), [](TCalendar* C) { C->PrevMonth(); }, D(2023, 2, 28)},
      {D(2024, 12, 31), [](TCalendar* C) { C->NextMonth(); }, D(2025, 1, 31)},
      {D(2024, 1, 15), [](TCalendar* C) { C->PrevMonth(); }, D(2023, 12, 15)},
      {D(2024, 2, 29), [](TCalendar* C) { C->NextYear(); }, D(2025, 2, 28)},
      {D(2024, 2, 29), [](TCalendar* C) { C->PrevYear(); }, D(2023, 2, 28)},
      {D(2024, 7, 4), [](TCalendar* C) { C->NextYear(); }, D(2025, 7, 4)},
      {D(9999, 12, 1), [](TCalendar* C) { C->NextMonth(); }, D(9999, 12, 1)},
      {D(9999, 6, 1), [](TCalendar* C) { C->NextYear(); }, D(9999, 6, 1)},
      {D(1, 1, 20), [](TCalendar* C) { C->PrevMonth(); }, D(1, 1, 20)},
  };
  for (const TMoveCase& C : Cases) {
    SCOPED_TRACE(Shown(C.Start));
    Start(C.Start);
    C.Move(Calendar);
    EXPECT_EQ(Shown(Calendar->CalendarDate()), Shown(C.Expected));
    EXPECT_EQ(Changes, C.Expected == C.Start ? 0 : 1);
  }
}

TEST_F(CalendarTest, EveryAssignmentFiresOnChangeAndEndsUseCurrentDate) {
  vt::TFixedClock Clock(D(2024, 6, 15) + 0.75);
  TCalendar Fresh(nullptr);
  EXPECT_TRUE(Fresh.UseCurrentDate());
  EXPECT_EQ(Fresh.CalendarDate(), D(2024, 6, 15)); // today, without the time
  int FreshChanges = 0;
  Fresh.OnChange = [&](TObject*) { ++FreshChanges; };
  // The same date again is still an assignment: a dialog that opens on the
  // date the calendar holds hears of it.
  Fresh.SetCalendarDate(D(2024, 6, 15));
  EXPECT_EQ(FreshChanges, 1);
  EXPECT_FALSE(Fresh.UseCurrentDate());
  Fresh.SetDay(15);
  EXPECT_EQ(FreshChanges, 2);
  Fresh.SetCalendarDate(D(2020, 1, 2) + 0.5);
  EXPECT_EQ(Fresh.CalendarDate(), D(2020, 1, 2));
  Fresh.SetUseCurrentDate(true);
  EXPECT_EQ(Fresh.CalendarDate(), D(2024, 6, 15));
  EXPECT_EQ(FreshChanges, 4);
  // A date no calendar month holds is refused and changes nothing.
  EXPECT_THROW(Fresh.SetCalendarDate(-700000), EConvertError);
  EXPECT_THROW(Fresh.SetCalendarDate(D(9999, 12, 31) + 1), EConvertError);
  EXPECT_EQ(Fresh.CalendarDate(), D(2024, 6, 15));
  EXPECT_EQ(FreshChanges, 4);
}

TEST_F(CalendarTest, TheGridShowsTheDayNamesFromStartOfWeekAndTheMonthBelowThem) {
  Start(D(2024, 2, 10)); // 1 February 2024 is a Thursday
  Calendar->SetStartOfWeek(0);
  EXPECT_EQ(Calendar->CellText(0, 0), "Sun");
  EXPECT_EQ(Calendar->CellText(6, 0), "Sat");
  EXPECT_EQ(Calendar->CellText(3, 1), "");
  EXPECT_EQ(Calendar->CellText(4, 1), "1");
  EXPECT_EQ(Calendar->CellText(4, 5), "29");
  EXPECT_EQ(Calendar->CellText(5, 5), "");
  Calendar->SetStartOfWeek(1);
  EXPECT_EQ(Calendar->CellText(0, 0), "Mon");
  EXPECT_EQ(Calendar->CellText(6, 0), "Sun");
  EXPECT_EQ(Calendar->CellText(3, 1), "1");
  // A month that starts on the first column begins in the first week row.
  Start(D(2024, 9, 1)); // a Sunday
  Calendar->SetStartOfWeek(0);
  EXPECT_EQ(Calendar->CellText(0, 1), "1");
  EXPECT_EQ(Calendar->CellText(1, 5), "30");
}

struct TKeyCase {
  TDateTime Start;
  Word Key;
  TDateTime Expected;
};

TEST_F(CalendarTest, ArrowKeysMoveByADayOrAWeekAcrossMonthsAndHomeEndStayInTheMonth) {
  const TKeyCase Cases[] = {
      {D(2024, 3, 1), VK_LEFT, D(2024, 2, 29)}, {D(2024, 1, 31), VK_RIGHT, D(2024, 2, 1)},
      {D(2024, 3, 5), VK_UP, D(2024, 2, 27)},   {D(2024, 12, 28), VK_DOWN, D(2025, 1, 4)},
      {D(2024, 2, 17), VK_HOME, D(2024, 2, 1)}, {D(2024, 2, 17), VK_END, D(2024, 2, 29)},
      {D(1, 1, 1), VK_LEFT, D(1, 1, 1)},        {D(9999, 12, 30), VK_DOWN, D(9999, 12, 30)},
  };
  ASSERT_TRUE(vt::MoveFocus(Calendar));
  for (const TKeyCase& C : Cases) {
    SCOPED_TRACE(::testing::Message() << Shown(C.Start) << " key " << C.Key);
    Start(C.Start);
    vt::PressKey(C.Key);
    EXPECT_EQ(Shown(Calendar->CalendarDate()), Shown(C.Expected));
    EXPECT_TRUE(Calendar->Focused()); // arrows are the calendar's, not the form's
  }
  // A key its OnKeyDown handler consumes does not move the date.
  Calendar->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
  Start(D(2024, 5, 5));
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(Calendar->CalendarDate(), D(2024, 5, 5));
  EXPECT_EQ(Changes, 0);
}

TEST_F(CalendarTest, AClickSelectsADayAndADoubleClickFiresOnDblClick) {
  Start(D(2024, 2, 10));
  vt::MoveFocus(Edit);
  const TPoint P = DayPoint(22);
  vt::ClickAt(Calendar, P.X, P.Y);
  EXPECT_EQ(Calendar->CalendarDate(), D(2024, 2, 22));
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(Calendar->Focused());
  EXPECT_EQ(DoubleClicks, 0);
  // The header and the cells without a day select nothing.
  const TRect Header = Calendar->CellRect(2, 0);
  vt::ClickAt(Calendar, Header.Left + 5, Header.Top + 5);
  const TRect Empty = Calendar->CellRect(0, 1);
  vt::ClickAt(Calendar, Empty.Left + 5, Empty.Top + 5);
  EXPECT_EQ(Calendar->CalendarDate(), D(2024, 2, 22));
  EXPECT_EQ(Changes, 1);
  const TPoint Q = DayPoint(3);
  vt::DoubleClickAt(Calendar, Q.X, Q.Y);
  EXPECT_EQ(Calendar->CalendarDate(), D(2024, 2, 3));
  EXPECT_EQ(DoubleClicks, 1);
}

TEST_F(CalendarTest, TheSelectedDayIsPaintedInTheHighlightWithAFocusFrame) {
  Start(D(2024, 2, 10));
  auto CellPixel = [&](int Day, int DX, int DY) {
    for (int Row = 1; Row < TCalendar::RowCount; ++Row)
      for (int Col = 0; Col < TCalendar::ColCount; ++Col)
        if (Calendar->CellDay(Col, Row) == Day) {
          const TRect R = Calendar->CellRect(Col, Row);
          return vt::PixelAt(Calendar, R.Left + DX, R.Top + DY);
        }
    return clNone;
  };
  const TColor Highlight = ColorToRGB(clHighlight), Window = ColorToRGB(clWindow);
  const TColor Frame = ColorToRGB(clHighlightText);
  vt::MoveFocus(Edit);
  EXPECT_EQ(CellPixel(10, 3, 3), Highlight);
  EXPECT_EQ(CellPixel(10, 1, 1), Highlight); // no focus frame while unfocused
  EXPECT_EQ(CellPixel(11, 3, 3), Window);
  // The day number is drawn in the highlight text colour.
  bool TextSeen = false;
  for (int X = 10; X < 30; ++X)
    for (int Y = 4; Y < 16; ++Y)
      TextSeen |= CellPixel(10, X, Y) == Frame;
  EXPECT_TRUE(TextSeen);
  vt::MoveFocus(Calendar);
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(CellPixel(10, 3, 3), Window);
  EXPECT_EQ(CellPixel(11, 3, 3), Highlight);
  EXPECT_EQ(CellPixel(11, 1, 1), Frame);
  EXPECT_EQ(CellPixel(11, 2, 1), Highlight); // dotted
  // The header cells are raised button faces.
  const TRect H = Calendar->CellRect(0, 0);
  EXPECT_EQ(vt::PixelAt(Calendar, H.Left, H.Top), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(vt::PixelAt(Calendar, H.Left + 2, H.Top + 2), ColorToRGB(clBtnFace));
}

TEST_F(CalendarTest, AFormFileKeepsTheSettingsButNeverTheDate) {
  Calendar->SetName("Cal");
  Calendar->SetStartOfWeek(0);
  Calendar->SetUseCurrentDate(false);
  Start(D(2024, 2, 10));
  const std::string Text = ComponentToText(Calendar);
  EXPECT_NE(Text.find("StartOfWeek = 0"), std::string::npos);
  EXPECT_NE(Text.find("UseCurrentDate = False"), std::string::npos);
  EXPECT_EQ(Text.find("Day"), std::string::npos);
  EXPECT_EQ(Text.find("Year"), std::string::npos);
  TCalendar Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Copy.StartOfWeek(), 0);
  EXPECT_FALSE(Copy.UseCurrentDate());
  EXPECT_THROW(ReadComponentText("object Cal: TCalendar\n  StartOfWeek = 7\nend\n", &Copy),
               EReadError);
}

} // namespace
