// The calendar dialog driven as a user drives it: its layout as read from
// the embedded form file, the two date displays, the spin buttons across
// month and year ends, Page Up and Page Down, Today, Help, and every way of
// closing it.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "calform/calform.h"
#include "resources/resources.h"
#include "vcl/testing.h"

using namespace vcl;
using CalForm::TCalendarForm;
namespace vt = vcl::testing;

namespace {

TDateTime D(int Y, int M, int Day) {
  return EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(Day));
}

std::string Shown(TDateTime Date) {
  return FormatDateTime("yyyy-mm-dd", Date);
}

class CalendarFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Dialog = new TCalendarForm(nullptr);
  }
  void TearDown() override { delete Dialog; }

  // Shows the dialog (not modally) on Date, with the calendar focused.
  void Open(TDateTime Date) {
    Dialog->SetDate(Date);
    vt::ShowForm(Dialog);
  }
  // Clicks the upper (btNext) or lower (btPrev) arrow of an up-down.
  static void Spin(TUpDown* UpDown, TUDBtnType Button) {
    vt::ClickAt(UpDown, 8, Button == btNext ? 4 : 19);
  }
  TPoint DayPoint(int Day) {
    for (int Row = 1; Row < TCalendar::RowCount; ++Row)
      for (int Col = 0; Col < TCalendar::ColCount; ++Col)
        if (Dialog->Calendar->CellDay(Col, Row) == Day) {
          const TRect R = Dialog->Calendar->CellRect(Col, Row);
          return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
        }
    ADD_FAILURE() << "no cell shows day " << Day;
    return {};
  }

  TCalendarForm* Dialog = nullptr;
};

struct TPlace {
  const char* Name;
  const char* Parent;
  int Left, Top, Width, Height;
};

TEST_F(CalendarFormTest, TheFormFileLaysTheDialogOut) {
  EXPECT_EQ(
      std::string(Resources::Find("TCalendarForm")).rfind("object CalendarForm: TCalendarForm", 0),
      0u);
  EXPECT_EQ(Dialog->Caption(), "Select a Date");
  EXPECT_EQ(Dialog->ClientWidth(), 313);
  EXPECT_EQ(Dialog->ClientHeight(), 301);
  EXPECT_EQ(Dialog->BorderStyle(), bsDialog);
  EXPECT_EQ(Dialog->Position(), poScreenCenter);
  EXPECT_EQ(Dialog->HelpContext(), 21);
  const TPlace Places[] = {
      {"OKBtn", "CalendarForm", 94, 269, 57, 22},
      {"CancelBtn", "CalendarForm", 170, 269, 57, 22},
      {"TodayBtn", "CalendarForm", 10, 270, 48, 21},
      {"HelpBtn", "CalendarForm", 244, 269, 57, 22},
      {"BorderPanel", "CalendarForm", 5, 5, 302, 250},
      {"TitleDisplay", "BorderPanel", 2, 2, 298, 24},
      {"SpinPanel", "BorderPanel", 2, 26, 298, 46},
      {"Calendar", "BorderPanel", 2, 72, 298, 150},
      {"DateDisplay", "BorderPanel", 2, 222, 298, 26},
      {"DayLabel", "SpinPanel", 17, 17, 22, 15},
      {"DayUpDown", "SpinPanel", 50, 12, 16, 24},
      {"MonthLabel", "SpinPanel", 106, 17, 37, 15},
      {"MonthUpDown", "SpinPanel", 155, 12, 16, 24},
      {"YearLabel", "SpinPanel", 223, 17, 24, 15},
      {"YearUpDown", "SpinPanel", 260, 12, 16, 24},
  };
  for (const TPlace& P : Places) {
    SCOPED_TRACE(P.Name);
    auto* C = dynamic_cast<TControl*>(Dialog->FindComponent(P.Name));
    ASSERT_NE(C, nullptr);
    ASSERT_NE(C->Parent(), nullptr);
    EXPECT_EQ(C->Parent()->Name(), P.Parent);
    EXPECT_EQ(C->BoundsRect(), Bounds(P.Left, P.Top, P.Width, P.Height));
    EXPECT_EQ(C->Font()->Name(), "Times New Roman");
    EXPECT_EQ(C->Font()->Height(), -13);
  }
  EXPECT_EQ(Dialog->TitleDisplay->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(Dialog->TodayBtn->Font()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(Dialog->OKBtn->Font()->Style(), TFontStyles{});
  EXPECT_EQ(Dialog->Calendar->StartOfWeek(), 0);
  EXPECT_FALSE(Dialog->Calendar->UseCurrentDate());
  for (TUpDown* U : {Dialog->DayUpDown, Dialog->MonthUpDown, Dialog->YearUpDown}) {
    EXPECT_EQ(U->Min(), -30000);
    EXPECT_EQ(U->Max(), 30000);
    EXPECT_EQ(U->Position(), 0);
    EXPECT_FALSE(U->Wrap());
  }
  EXPECT_EQ(Dialog->DayLabel->Alignment(), taRightJustify);
  EXPECT_TRUE(Dialog->OKBtn->Default());
  EXPECT_EQ(Dialog->OKBtn->ModalResult(), mrOk);
  EXPECT_TRUE(Dialog->CancelBtn->Cancel());
  EXPECT_EQ(Dialog->CancelBtn->ModalResult(), mrCancel);
  EXPECT_TRUE(Dialog->HelpBtn->Cancel());
  // Tab order: the calendar first (inside the border panel), then Today, OK, Cancel, Help.
  Open(D(2024, 2, 10));
  EXPECT_TRUE(Dialog->Calendar->Focused());
  for (TButton* B : {Dialog->TodayBtn, Dialog->OKBtn, Dialog->CancelBtn, Dialog->HelpBtn}) {
    vt::PressKey(VK_TAB);
    EXPECT_TRUE(B->Focused()) << B->Name();
  }
}

TEST_F(CalendarFormTest, EveryDateChangeSpellsTheDateOutAboveAndBelowTheCalendar) {
  EXPECT_EQ(Dialog->TitleDisplay->Caption(), "Month, Year"); // placeholders until a date comes
  Dialog->SetDate(D(2024, 2, 29));
  EXPECT_EQ(Dialog->TitleDisplay->Caption(), "February, 2024");
  EXPECT_EQ(Dialog->DateDisplay->Caption(), DateToStr(D(2024, 2, 29)));
  EXPECT_EQ(Dialog->GetDate(), D(2024, 2, 29));
  // The same date again still fills the displays (a dialog opening on the
  // date its calendar starts with).
  TCalendarForm Other(nullptr);
  Other.SetDate(Other.GetDate());
  EXPECT_EQ(Other.DateDisplay->Caption(), DateToStr(Other.GetDate()));
  // A change made in the calendar itself, by the user.
  Open(D(2024, 2, 29));
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(Dialog->TitleDisplay->Caption(), "March, 2024");
  EXPECT_EQ(Dialog->DateDisplay->Caption(), DateToStr(D(2024, 3, 1)));
}

struct TPageCase {
  TDateTime Start;
  Word Key;
  TShiftState Shift;
  TDateTime Expected;
};

TEST_F(CalendarFormTest, PageUpAndDownMoveByAMonthOrWithCtrlByAYear) {
  const TPageCase Cases[] = {
      {D(2024, 3, 15), VK_PRIOR, {}, D(2024, 2, 15)},
      {D(2024, 3, 31), VK_PRIOR, {}, D(2024, 2, 29)},
      {D(2024, 12, 10), VK_NEXT, {}, D(2025, 1, 10)},
      {D(2024, 3, 15), VK_PRIOR, {ssCtrl}, D(2023, 3, 15)},
      {D(2024, 2, 29), VK_NEXT, {ssCtrl}, D(2025, 2, 28)},
      {D(2024, 2, 29), VK_PRIOR, {ssCtrl}, D(2023, 2, 28)},
      {D(2024, 1, 31), VK_NEXT, {ssShift}, D(2024, 2, 29)}, // Shift is not consulted
      {D(2024, 1, 31), VK_NEXT, {ssCtrl, ssShift}, D(2025, 1, 31)},
  };
  Open(D(2024, 1, 1));
  for (const TPageCase& C : Cases) {
    SCOPED_TRACE(::testing::Message() << Shown(C.Start) << " key " << C.Key);
    Dialog->SetDate(C.Start);
    vt::PressKey(C.Key, C.Shift);
    EXPECT_EQ(Shown(Dialog->GetDate()), Shown(C.Expected));
    EXPECT_TRUE(Dialog->Visible());
  }
}

struct TSpinCase {
  TDateTime Start;
  const char* UpDown;
  TUDBtnType Button;
  TDateTime Expected;
};

TEST_F(CalendarFormTest, TheSpinButtonsStepTheDayMonthAndYearAcrossTheirEnds) {
  const TSpinCase Cases[] = {
      {D(2024, 1, 15), "DayUpDown", btNext, D(2024, 1, 16)},
      {D(2024, 1, 15), "DayUpDown", btPrev, D(2024, 1, 14)},
      {D(2024, 1, 31), "DayUpDown", btNext, D(2024, 2, 1)},
      {D(2024, 2, 29), "DayUpDown", btNext, D(2024, 3, 1)},
      {D(2024, 12, 31), "DayUpDown", btNext, D(2025, 1, 1)},
      {D(2024, 3, 1), "DayUpDown", btPrev, D(2024, 2, 29)},
      {D(2023, 3, 1), "DayUpDown", btPrev, D(2023, 2, 28)},
      {D(2024, 5, 1), "DayUpDown", btPrev, D(2024, 4, 30)},
      {D(2024, 1, 1), "DayUpDown", btPrev, D(2023, 12, 31)},
      {D(2024, 1, 31), "MonthUpDown", btNext, D(2024, 2, 29)},
      {D(2024, 1, 15), "MonthUpDown", btPrev, D(2023, 12, 15)},
      {D(2024, 2, 29), "YearUpDown", btNext, D(2025, 2, 28)},
      {D(2024, 7, 4), "YearUpDown", btPrev, D(2023, 7, 4)},
      // At the ends of the calendar's range every spinner leaves the date as it is.
      {D(9999, 12, 31), "DayUpDown", btNext, D(9999, 12, 31)},
      {D(1, 1, 1), "DayUpDown", btPrev, D(1, 1, 1)},
      {D(9999, 12, 31), "MonthUpDown", btNext, D(9999, 12, 31)},
      {D(1, 1, 1), "MonthUpDown", btPrev, D(1, 1, 1)},
      {D(9999, 12, 31), "YearUpDown", btNext, D(9999, 12, 31)},
      {D(1, 1, 1), "YearUpDown", btPrev, D(1, 1, 1)},
      {D(9999, 12, 30), "DayUpDown", btNext, D(9999, 12, 31)},
      {D(1, 1, 2), "DayUpDown", btPrev, D(1, 1, 1)},
  };
  Open(D(2024, 1, 1));
  for (const TSpinCase& C : Cases) {
    SCOPED_TRACE(::testing::Message()
                 << Shown(C.Start) << " " << C.UpDown << (C.Button == btNext ? " up" : " down"));
    Dialog->SetDate(C.Start);
    Spin(static_cast<TUpDown*>(Dialog->FindComponent(C.UpDown)), C.Button);
    EXPECT_EQ(Shown(Dialog->GetDate()), Shown(C.Expected));
    EXPECT_EQ(Dialog->DateDisplay->Caption(), DateToStr(C.Expected));
  }
  // Only the direction counts: a spinner at its limit still steps the date.
  Dialog->DayUpDown->SetPosition(30000);
  Dialog->SetDate(D(2024, 6, 1));
  Spin(Dialog->DayUpDown, btNext);
  EXPECT_EQ(Dialog->GetDate(), D(2024, 6, 2));
}

TEST_F(CalendarFormTest, TodayMovesTheCalendarToTodayWithoutClosing) {
  vt::TFixedClock Clock(D(2024, 6, 15) + 0.4);
  Dialog->SetDate(D(2020, 1, 1));
  TModalResult Seen = mrNone;
  vt::AnswerNextModal([&](TCustomForm*) {
    vt::Click(Dialog->TodayBtn);
    Seen = Dialog->ModalResult();
    EXPECT_TRUE(Dialog->Visible());
    return mrCancel;
  });
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  EXPECT_EQ(Seen, mrNone);
  EXPECT_EQ(Dialog->GetDate(), D(2024, 6, 15));
  EXPECT_EQ(Dialog->TitleDisplay->Caption(), "June, 2024");
}

// Under a German locale the dialog speaks German and its weeks start on
// Monday; the defaults are English and Sunday.
TEST_F(CalendarFormTest, CaptionsAndTheFirstWeekdayFollowTheLocale) {
  EXPECT_EQ(Dialog->TodayBtn->Caption(), "&Today");
  EXPECT_EQ(Dialog->Calendar->CellText(0, 0), "Sun");
  delete Dialog;
  ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  FormatSettings.FirstDayOfWeek = 1;
  SysLocale.PriLangID = 0x07; // as LoadSystemLocale sets them under de_DE
  Dialog = new TCalendarForm(nullptr);
  const struct {
    TControl* Control;
    const char* Caption;
  } Captions[] = {{Dialog, "Datum wählen"},         {Dialog->OKBtn, "OK"},
                  {Dialog->CancelBtn, "Abbrechen"}, {Dialog->TodayBtn, "&Heute"},
                  {Dialog->HelpBtn, "&Hilfe"},      {Dialog->DayLabel, "Tag"},
                  {Dialog->MonthLabel, "Monat"},    {Dialog->YearLabel, "Jahr"}};
  for (const auto& C : Captions)
    EXPECT_EQ(C.Control->Caption(), C.Caption) << C.Control->Name();
  EXPECT_EQ(Dialog->Calendar->CellText(0, 0), "Mo");
  EXPECT_EQ(Dialog->Calendar->CellText(6, 0), "So");
  ResetLocale();
}

TEST_F(CalendarFormTest, HelpAsksForContext21AndLeavesTheDialogOpen) {
  vt::THelpRecorder Help;
  TModalResult Seen = mrNone;
  vt::AnswerNextModal([&](TCustomForm*) {
    vt::Click(Dialog->HelpBtn);
    vt::PressKey(VK_F1);
    Seen = Dialog->ModalResult();
    return mrCancel;
  });
  Dialog->ShowModal();
  EXPECT_EQ(Help.Contexts(), (std::vector<int>{21, 21}));
  EXPECT_EQ(Seen, mrNone);
}

struct TCloseCase {
  const char* Name;
  std::function<void(TCalendarForm*)> Act;
  TModalResult Expected;
};

TEST_F(CalendarFormTest, EnterAndADoubleClickCloseWithOkEscapeAndTheCloseBoxCancel) {
  const TCloseCase Cases[] = {
      {"Enter on the calendar", [](TCalendarForm*) { vt::PressKey(VK_RETURN); }, mrOk},
      {"OK", [](TCalendarForm* F) { vt::Click(F->OKBtn); }, mrOk},
      {"Cancel", [](TCalendarForm* F) { vt::Click(F->CancelBtn); }, mrCancel},
      // Help is a cancel button too, but Escape reaches Cancel first.
      {"Escape", [](TCalendarForm*) { vt::PressKey(VK_ESCAPE); }, mrCancel},
      {"close box", [](TCalendarForm* F) { F->Close(); }, mrCancel},
  };
  vt::THelpRecorder Help;
  for (const TCloseCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    vt::AnswerNextModal([&](TCustomForm* F) {
      C.Act(static_cast<TCalendarForm*>(F));
      return mrNone; // the dialog's own result
    });
    EXPECT_EQ(Dialog->ShowModal(), C.Expected);
    EXPECT_FALSE(Dialog->Visible());
  }
  EXPECT_TRUE(Help.Contexts().empty());
  // A double click on a day picks it and closes as OK does.
  Dialog->SetDate(D(2024, 2, 10));
  vt::AnswerNextModal([&](TCustomForm*) {
    const TPoint P = DayPoint(22);
    vt::DoubleClickAt(Dialog->Calendar, P.X, P.Y);
    return mrNone;
  });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_EQ(Dialog->GetDate(), D(2024, 2, 22));
}

} // namespace
