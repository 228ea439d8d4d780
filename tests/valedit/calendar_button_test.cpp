// The date kind's button: the calendar dialog opens on the control's date,
// OK writes the chosen date back as a value assignment, every other way out
// leaves the control alone, and the dialog never outlives the click.
#include <functional>
#include <string>
#include <vector>

#include "calform/calform.h"
#include "valedit_fixture.h"
#include "vcl/dialogs.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using CalForm::TCalendarForm;
using vcl::TModalResult;

vcl::TDateTime D(int Y, int M, int Day) {
  return vcl::EncodeDate(static_cast<vcl::Word>(Y), static_cast<vcl::Word>(M),
                         static_cast<vcl::Word>(Day));
}

class CalendarButtonTest : public ValEditTest {
protected:
  void SetUp() override {
    ValEditTest::SetUp();
    Edit->SetKind(vkDate);
    Edit->OnButtonClick = [this](vcl::TObject*) { ButtonClicks.push_back(Edit->EditText()); };
    Changes.clear();
  }
  // Clicks the calendar button; Answer acts on the dialog and returns its
  // result (mrNone: the result the dialog's own buttons gave).
  void ClickButton(std::function<TModalResult(TCalendarForm*)> Answer) {
    Dialogs = 0;
    vt::AnswerNextModal([this, Answer](vcl::TCustomForm* Form) {
      ++Dialogs;
      auto* Dialog = dynamic_cast<TCalendarForm*>(Form);
      EXPECT_NE(Dialog, nullptr);
      Dialog->OnDestroy = [this](vcl::TObject*) { ++Freed; };
      return Answer(Dialog);
    });
    vt::Click(Edit->Button());
  }

  int Dialogs = 0;
  int Freed = 0;
  std::vector<std::string> ButtonClicks;
};

TEST_F(CalendarButtonTest, TheDialogOpensOnTheControlsDateAndOkWritesThePickBack) {
  Edit->SetAsDate(D(2024, 1, 31));
  const std::string Before = Edit->EditText();
  Changes.clear();
  ClickButton([&](TCalendarForm* Dialog) {
    EXPECT_EQ(Dialog->GetDate(), D(2024, 1, 31));
    EXPECT_EQ(Dialog->TitleDisplay->Caption(), "January, 2024");
    EXPECT_EQ(Dialog->DateDisplay->Caption(), Before);
    EXPECT_EQ(Dialog->Owner(), Form); // the control's parent owns it
    vt::PressKey(vcl::VK_RIGHT);
    vt::PressKey(vcl::VK_RETURN);
    return vcl::mrNone;
  });
  EXPECT_EQ(Dialogs, 1);
  EXPECT_EQ(Freed, 1);
  EXPECT_EQ(Edit->AsDate(), D(2024, 2, 1));
  EXPECT_EQ(Edit->EditText(), vcl::DateToStr(D(2024, 2, 1)));
  EXPECT_EQ(Changes.size(), 1u);
  EXPECT_TRUE(Edit->Focused());
  // OnButtonClick runs after the write-back and sees the new date.
  EXPECT_EQ(ButtonClicks, std::vector<std::string>{Edit->EditText()});
}

TEST_F(CalendarButtonTest, CancelEscapeTheCloseBoxAndAnyResultButOkLeaveTheControlAsItWas) {
  const std::pair<const char*, std::function<void(TCalendarForm*)>> Closers[] = {
      {"Cancel", [](TCalendarForm* F) { vt::Click(F->CancelBtn); }},
      {"Escape", [](TCalendarForm*) { vt::PressKey(vcl::VK_ESCAPE); }},
      {"close box", [](TCalendarForm* F) { F->Close(); }},
      {"a result other than OK", [](TCalendarForm* F) { F->SetModalResult(vcl::mrAbort); }},
  };
  Edit->SetAsDate(D(2024, 3, 10));
  const std::string Before = Edit->EditText();
  for (const auto& [Name, Close] : Closers) {
    SCOPED_TRACE(Name);
    Changes.clear();
    ClickButton([&](TCalendarForm* Dialog) {
      vt::PressKey(vcl::VK_NEXT); // a different date is picked, then dropped
      Close(Dialog);
      return vcl::mrNone;
    });
    EXPECT_EQ(Freed, 1);
    Freed = 0;
    EXPECT_EQ(Edit->EditText(), Before);
    EXPECT_TRUE(Changes.empty());
  }
  EXPECT_EQ(ButtonClicks.size(), 4u);
}

TEST_F(CalendarButtonTest, AnEmptyControlOpensOnTodayAndCancelLeavesItEmpty) {
  vt::TFixedClock Clock(D(2024, 6, 15) + 0.3);
  ClickButton([](TCalendarForm* Dialog) {
    EXPECT_EQ(Dialog->GetDate(), D(2024, 6, 15));
    return vcl::mrCancel;
  });
  EXPECT_EQ(Edit->EditText(), "");
  EXPECT_TRUE(Changes.empty());
  ClickButton([](TCalendarForm*) { return vcl::mrOk; });
  EXPECT_EQ(Edit->AsDate(), D(2024, 6, 15));
}

TEST_F(CalendarButtonTest, ATextThatIsNoDateIsClearedAndTheDialogOpensOnToday) {
  vt::TFixedClock Clock(D(2024, 6, 15));
  Edit->SetValidation({});
  Edit->SetEditText("soon");
  Changes.clear();
  std::string SeenText = "?";
  ClickButton([&](TCalendarForm* Dialog) {
    SeenText = Edit->EditText();
    EXPECT_EQ(Dialog->GetDate(), D(2024, 6, 15));
    return vcl::mrCancel;
  });
  EXPECT_EQ(SeenText, "");
  EXPECT_EQ(Edit->EditText(), "");
  EXPECT_EQ(Changes.size(), 1u); // the clearing
}

TEST_F(CalendarButtonTest, ADoubleClickOnADayClosesTheDialogAndWritesThatDay) {
  Edit->SetAsDate(D(2024, 2, 10));
  ClickButton([](TCalendarForm* Dialog) {
    vcl::TCalendar* C = Dialog->Calendar;
    for (int Row = 1; Row < vcl::TCalendar::RowCount; ++Row)
      for (int Col = 0; Col < vcl::TCalendar::ColCount; ++Col)
        if (C->CellDay(Col, Row) == 26) {
          const vcl::TRect R = C->CellRect(Col, Row);
          vt::DoubleClickAt(C, R.Left + 5, R.Top + 5);
        }
    return vcl::mrNone;
  });
  EXPECT_EQ(Edit->AsDate(), D(2024, 2, 26));
}

TEST_F(CalendarButtonTest, ADateTheValidatorRefusesIsReportedAfterTheDialogIsFreed) {
  auto* V = ValidatorAs<Validate::TDateValidator>();
  V->SetNoBounds(false);
  V->SetMin(D(2024, 1, 1));
  V->SetMax(D(2024, 12, 31));
  Edit->SetValidation({vtInput, vtFocus, vtSetValue});
  Edit->SetAsDate(D(2024, 12, 31));
  const std::string Before = Edit->EditText();
  Changes.clear();
  const int FormsBefore = vcl::Screen->FormCount();
  std::vector<std::string> Shown;
  const auto Previous = vcl::SetMessageDlgHandler(
      [&](const std::string& Msg, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
        Shown.push_back(Msg);
        EXPECT_EQ(Freed, 1); // the dialog is gone before the box comes
        EXPECT_EQ(vcl::Screen->FormCount(), FormsBefore);
        return vcl::mrOk;
      });
  ClickButton([](TCalendarForm*) {
    vt::PressKey(vcl::VK_RIGHT); // 1 January 2025, past the maximum
    vt::PressKey(vcl::VK_RETURN);
    return vcl::mrNone;
  });
  vcl::SetMessageDlgHandler(Previous);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_NE(Shown[0].find("2025"), std::string::npos) << Shown[0];
  EXPECT_EQ(Dialogs, 1);
  EXPECT_EQ(Freed, 1);
  EXPECT_EQ(vcl::Screen->FormCount(), FormsBefore);
  EXPECT_EQ(Edit->EditText(), Before);
  EXPECT_TRUE(Changes.empty());
  EXPECT_TRUE(ButtonClicks.empty()); // the failure ends the click
}

TEST_F(CalendarButtonTest, OnlyTheVisibleDefaultCalendarButtonOpensTheDialog) {
  const std::pair<const char*, std::function<void()>> Cases[] = {
      {"custom glyph", [this] { Edit->SetGlyphKind(BtnEdit::gkEllipsis); }},
      {"hidden button", [this] { Edit->SetButtonVisible(false); }},
      {"another kind", [this] { Edit->SetKind(vkInteger); }},
  };
  for (const auto& [Name, Change] : Cases) {
    SCOPED_TRACE(Name);
    Edit->SetKind(vkNone);
    Edit->SetKind(vkDate);
    Change();
    ButtonClicks.clear();
    bool Asked = false;
    auto Previous = vcl::SetModalHandler([&](vcl::TCustomForm*) {
      Asked = true;
      return vcl::mrCancel;
    });
    Edit->DoClick(); // the hidden button cannot be clicked with the mouse
    vcl::SetModalHandler(Previous);
    EXPECT_FALSE(Asked);
    EXPECT_EQ(ButtonClicks.size(), 1u);
  }
}

} // namespace
} // namespace valedit_test
