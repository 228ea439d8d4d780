// Errors shown in place: no box, a red frame, an error mark left of the
// button, the message as the control's hint and through OnErrorChange, the
// mark gone once the value is valid, and the focus kept as before.
#include "tests/valedit/valedit_fixture.h"

#include "vcl/accessibility.h"
#include "vcl/forms.h"

using namespace vcl;
using namespace ValEdit;

namespace valedit_test {
namespace {

class ErrorsInPlaceTest : public ValEditTest {
protected:
  void SetUp() override {
    ValEditTest::SetUp();
    Edit->SetKind(vkInteger);
    Edit->SetErrorDisplay(edInPlace);
    Edit->OnErrorChange = [this](TObject*) { Status.push_back(Edit->ErrorMessage()); };
  }
  void TearDown() override {
    Application->CancelHint();
    ValEditTest::TearDown();
  }
  // Pixels of Colour in the edit's whole window (frame included).
  int PixelsOf(TColor Colour, const TRect& Area) {
    const TPixelBuffer& Image = vt::PaintForm(Form);
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X)
        N += Image.Pixel(X, Y) == ColorToRGB(Colour);
    return N;
  }
  TRect Window() { return Edit->BoundsRect(); }
  // The right end of the text area, where the mark stands.
  TRect MarkArea() {
    const TRect W = Window();
    return {W.Right - 34, W.Top + 3, W.Right - 3, W.Bottom - 3};
  }
  bool HintShows(const std::string& Text) {
    return Application->HintWindow()->Showing() && Application->HintWindow()->Caption() == Text;
  }

  vt::TTimerClock Clock;
  std::vector<std::string> Status;
};

TEST_F(ErrorsInPlaceTest, ARefusedExitShowsTheMessageInPlaceAndKeepsTheFocus) {
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  EXPECT_EQ(PixelsOf(clRed, Window()), 0);
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(Edit->Focused());
  EXPECT_TRUE(Boxes.Boxes().empty());
  ASSERT_EQ(FocusErrors, std::vector<std::string>{"12a"}); // the event still fires
  const std::string Message = Edit->ErrorMessage();
  EXPECT_NE(Message.find("12a"), std::string::npos);
  EXPECT_EQ(Status, std::vector<std::string>{Message});
  // Shown at once under the control.
  EXPECT_TRUE(HintShows(Message));
  EXPECT_GE(Application->HintWindow()->BoundsRect().Top, Edit->Top() + Edit->Height());

  // The frame is red all round, and the mark stands at the right end.
  const TRect W = Window();
  EXPECT_EQ(vt::PaintForm(Form).Pixel(W.Left, W.Top + 10), ColorToRGB(clRed));
  EXPECT_EQ(vt::PaintForm(Form).Pixel(W.Right - 1, W.Top + 10), ColorToRGB(clRed));
  EXPECT_EQ(vt::PaintForm(Form).Pixel(W.Left + 50, W.Bottom - 1), ColorToRGB(clRed));
  EXPECT_GT(PixelsOf(clRed, MarkArea()), 60);
  EXPECT_GT(PixelsOf(clWhite, {W.Right - 16, W.Top + 5, W.Right - 6, W.Bottom - 5}), 5);
}

TEST_F(ErrorsInPlaceTest, TheErrorColourPaintsTheFrameAndTheMark) {
  Edit->SetErrorColor(clFuchsia);
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  EXPECT_FALSE(Leave());
  const TRect W = Window();
  EXPECT_EQ(vt::PaintForm(Form).Pixel(W.Left, W.Top + 10), ColorToRGB(clFuchsia));
  EXPECT_GT(PixelsOf(clFuchsia, MarkArea()), 60);
  EXPECT_EQ(PixelsOf(clRed, Window()), 0);
  // Changed while the error shows, it shows at once.
  Edit->SetErrorColor(clTeal);
  EXPECT_EQ(vt::PaintForm(Form).Pixel(W.Right - 1, W.Top + 10), ColorToRGB(clTeal));
  EXPECT_GT(PixelsOf(clTeal, MarkArea()), 60);
  EXPECT_EQ(PixelsOf(clFuchsia, Window()), 0);
}

TEST_F(ErrorsInPlaceTest, TheMarkGoesWhenTheValueBecomesValid) {
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  ASSERT_FALSE(Leave());
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->ErrorMessage(), "");
  ASSERT_EQ(Status.size(), 2u);
  EXPECT_EQ(Status.back(), "");
  EXPECT_EQ(PixelsOf(clRed, Window()), 0);
  EXPECT_FALSE(Application->HintWindow()->Showing());
  EXPECT_TRUE(Leave());
}

// A screen reader reads the message where it reads the hint, and hears it
// come and go.
TEST_F(ErrorsInPlaceTest, TheMessageIsTheAccessibleDescriptionWhileItShows) {
  Edit->SetHint("Whole pounds");
  std::vector<TAccessibleEvent> Heard;
  const TAccessibleListener Before = SetAccessibleListener([&](TControl* C, TAccessibleEvent E) {
    if (C == Edit && E == aeDescriptionChanged)
      Heard.push_back(E);
  });
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  EXPECT_EQ(AccessibleDescriptionOf(Edit), "Whole pounds");
  ASSERT_FALSE(Leave());
  EXPECT_EQ(AccessibleDescriptionOf(Edit), Edit->ErrorMessage());
  EXPECT_TRUE(AccessibleStatesOf(Edit).Contains(asInvalid));
  vt::PressKey(VK_BACK);
  EXPECT_EQ(AccessibleDescriptionOf(Edit), "Whole pounds");
  EXPECT_EQ(Heard.size(), 2u);
  SetAccessibleListener(Before);
}

TEST_F(ErrorsInPlaceTest, AnEditThatLeavesTheValueInvalidKeepsTheMark) {
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12ab");
  ASSERT_FALSE(Leave());
  vt::PressKey(VK_BACK);
  EXPECT_NE(Edit->ErrorMessage(), "");
  EXPECT_GT(PixelsOf(clRed, MarkArea()), 60);
}

TEST_F(ErrorsInPlaceTest, ARefusedKeyIsShownUntilTheNextAcceptedEdit) {
  Edit->SetShowErrors({veInput, veFocus});
  Enter();
  vt::TypeText("1x");
  EXPECT_EQ(Edit->Text(), "1");
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_NE(Edit->ErrorMessage(), "");
  EXPECT_EQ(InputErrors, std::vector<std::string>{"x"});
  vt::TypeText("2");
  EXPECT_EQ(Edit->ErrorMessage(), "");
  EXPECT_EQ(Edit->Text(), "12");
}

TEST_F(ErrorsInPlaceTest, AnEmptyRequiredValueIsShownInPlaceToo) {
  Edit->SetAllowNull(false);
  Enter();
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_EQ(Edit->ErrorMessage(), SValueRequired());
  EXPECT_TRUE(FocusErrors.empty());
}

TEST_F(ErrorsInPlaceTest, ShowErrorsStillSaysWhichRefusalsAreShown) {
  Edit->SetShowErrors({});
  Edit->SetValidation({vtFocus});
  Enter();
  vt::TypeText("1x");
  EXPECT_FALSE(Leave()); // refused, as ever, but shown nowhere
  EXPECT_EQ(Edit->ErrorMessage(), "");
  EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(ErrorsInPlaceTest, TheMessageIsTheHintUnderTheMouseAndOnCtrlF1) {
  Edit->SetHint("How many");
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  ASSERT_FALSE(Leave());
  const std::string Message = Edit->ErrorMessage();
  vt::PressKey(VK_END); // a key hides the hint
  EXPECT_FALSE(Application->HintWindow()->Showing());

  // Ctrl+F1 reads it again from the keyboard.
  vt::PressKey(VK_F1, {ssCtrl});
  EXPECT_TRUE(HintShows(Message));
  vt::PressKey(VK_END);

  // The mouse resting over it shows the message, not the hint, even with
  // ShowHint off.
  vt::MouseMoveTo(Edit, 20, 8);
  Clock.Advance(Application->HintPause());
  EXPECT_TRUE(HintShows(Message));
  EXPECT_EQ(Edit->Text(), "12a");
}

TEST_F(ErrorsInPlaceTest, TheMarkStandsLeftOfTheButton) {
  Edit->SetKind(vkDate); // shows the calendar button
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("1/2/3456789");
  ASSERT_FALSE(Leave());
  ASSERT_NE(Edit->ErrorMessage(), "");
  const TRect W = Window();
  const int ButtonLeft = W.Left + 2 + Edit->ButtonHost()->Left();
  EXPECT_GT(PixelsOf(clRed, {ButtonLeft - 16, W.Top + 4, ButtonLeft, W.Bottom - 4}), 60);
  EXPECT_EQ(PixelsOf(clRed, {ButtonLeft, W.Top + 3, W.Right - 3, W.Bottom - 3}), 0);
}

TEST_F(ErrorsInPlaceTest, TheModalBoxStaysTheDefault) {
  auto* Plain = new TValidEdit(Form);
  EXPECT_EQ(Plain->ErrorDisplay(), edMessageBox);
  Edit->SetErrorDisplay(edMessageBox);
  Enter();
  Edit->SetValidation({vtFocus});
  vt::TypeText("12a");
  EXPECT_FALSE(Leave());
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(Edit->ErrorMessage(), "");
}

TEST_F(ErrorsInPlaceTest, TheTextHintIsNeitherTheValueNorValidated) {
  Edit->SetTextHint("Quantity");
  Edit->SetAllowNull(false);
  Enter();
  EXPECT_EQ(Edit->EditText(), "");
  EXPECT_EQ(Edit->AsInteger(), 0);
  EXPECT_FALSE(Leave());
  EXPECT_EQ(Edit->ErrorMessage(), SValueRequired());
}

TEST(ErrorsInPlaceFormFile, ErrorDisplayAndTextHintAreStoredAndReadBack) {
  auto Holder = [](TForm& Form) {
    Form.SetName("Holder");
    auto* E = new TValidEdit(&Form);
    E->SetName("Amount");
    E->SetParent(&Form);
    return E;
  };
  TForm Source(nullptr), Copy(nullptr), Plain(nullptr);
  TValidEdit* Written = Holder(Source);
  Written->SetErrorDisplay(edInPlace);
  Written->SetErrorColor(clMaroon);
  Written->SetTextHint("Quantity");
  const std::string Text = ComponentToText(&Source);
  EXPECT_NE(Text.find("ErrorDisplay = edInPlace"), std::string::npos);
  EXPECT_NE(Text.find("ErrorColor = clMaroon"), std::string::npos);
  EXPECT_NE(Text.find("TextHint = 'Quantity'"), std::string::npos);
  TValidEdit* Read = Holder(Copy);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Read->ErrorDisplay(), edInPlace);
  EXPECT_EQ(Read->ErrorColor(), clMaroon);
  EXPECT_EQ(Read->TextHint(), "Quantity");
  EXPECT_EQ(Read->EditText(), "");
  // The defaults, the modal box and red, are not written.
  Holder(Plain);
  EXPECT_EQ(ComponentToText(&Plain).find("ErrorDisplay"), std::string::npos);
  EXPECT_EQ(ComponentToText(&Plain).find("ErrorColor"), std::string::npos);
}

} // namespace
} // namespace valedit_test
