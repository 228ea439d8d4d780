// Hints as a user meets them: the mouse rests over a control, the hint
// window shows its hint after the pause and goes on a key, a click, a move
// to another control or when its time is up. Time moves by hand.
#include <gtest/gtest.h>

#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class HintTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->SetShowHint(true);
    Name = vt::Place<TEdit>(Form, 8, 8, 150, 21);
    Name->SetHint("Customer name|The name as it appears on invoices");
    City = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    City->SetHint("City");
    Plain = vt::Place<TEdit>(Form, 8, 72, 150, 21);
    vt::ShowForm(Form);
  }
  void TearDown() override {
    Application->OnShowHint = nullptr;
    Application->CancelHint();
    Application->SetHint("");
    delete Form;
  }

  bool Showing() { return Application->HintWindow()->Showing(); }
  std::string Shown() { return Showing() ? Application->HintWindow()->Caption() : ""; }
  // Pixels of the hint colour in the form's picture.
  int HintPixels() {
    const TPixelBuffer& Image = vt::PaintForm(Form);
    int N = 0;
    for (int Y = 0; Y < Image.Height(); ++Y)
      for (int X = 0; X < Image.Width(); ++X)
        N += Image.Pixel(X, Y) == ColorToRGB(clInfoBk);
    return N;
  }

  vt::TTimerClock Clock;
  TForm* Form = nullptr;
  TEdit* Name = nullptr;
  TEdit* City = nullptr;
  TEdit* Plain = nullptr;
};

TEST_F(HintTest, TheHintShowsOnceTheMouseRestsAndGoesWhenItsTimeIsUp) {
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause() - 1);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(HintPixels(), 0);
  Clock.Advance(1);
  EXPECT_EQ(Shown(), "Customer name");
  EXPECT_GT(HintPixels(), 100);
  // Under the mouse pointer, not over it.
  EXPECT_GT(Application->HintWindow()->BoundsRect().Top, Name->Top() + 5);

  Clock.Advance(Application->HintHidePause() - 1);
  EXPECT_TRUE(Showing());
  Clock.Advance(1);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(HintPixels(), 0);
  // Resting on over the same control does not bring it back.
  vt::MouseMoveTo(Name, 12, 6);
  Clock.Advance(Application->HintPause() * 2);
  EXPECT_FALSE(Showing());
}

TEST_F(HintTest, OnShowHintMayChangeAHintOrKeepItFromShowing) {
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause());
  const int Left = Application->HintWindow()->BoundsRect().Left;
  Application->CancelHint();

  Application->OnShowHint = [this](std::string& HintStr, bool& CanShow, THintInfo& Info) {
    if (Info.HintControl == City) {
      CanShow = false;
      return;
    }
    HintStr += " (F2 finds one)";
    Info.HintColor = clAqua;
    Info.HintPos.X += 40;
  };
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_EQ(Shown(), "Customer name (F2 finds one)");
  EXPECT_EQ(Application->HintWindow()->Color(), clAqua);
  EXPECT_EQ(Application->HintWindow()->BoundsRect().Left, Left + 40);
  // Ctrl+F1 asks the handler too.
  vt::MouseMoveTo(City, 10, 5);
  Clock.Advance(Application->HintPause() * 2);
  EXPECT_FALSE(Showing());
  ASSERT_TRUE(vt::MoveFocus(City));
  vt::PressKey(VK_F1, {ssCtrl});
  EXPECT_FALSE(Showing());
  EXPECT_EQ(HintPixels(), 0);
}

TEST_F(HintTest, MovingTheMouseRestartsThePause) {
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(300);
  vt::MouseMoveTo(Name, 20, 5);
  Clock.Advance(300);
  EXPECT_FALSE(Showing());
  Clock.Advance(200);
  EXPECT_TRUE(Showing());
}

TEST_F(HintTest, AKeyOrAClickHidesTheHint) {
  ASSERT_TRUE(vt::MoveFocus(Plain));
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause());
  ASSERT_TRUE(Showing());
  vt::TypeText("x");
  EXPECT_FALSE(Showing());
  EXPECT_EQ(Plain->Text(), "x"); // the key still reaches the focused control

  vt::MouseMoveTo(City, 10, 5);
  Clock.Advance(Application->HintPause());
  ASSERT_EQ(Shown(), "City");
  vt::ClickAt(City, 10, 5);
  EXPECT_FALSE(Showing());
  EXPECT_TRUE(City->Focused());
}

TEST_F(HintTest, MovingToAnotherControlBringsItsHintAfterTheShortPause) {
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause());
  ASSERT_EQ(Shown(), "Customer name");
  vt::MouseMoveTo(City, 10, 5);
  EXPECT_FALSE(Showing());
  Clock.Advance(Application->HintShortPause());
  EXPECT_EQ(Shown(), "City");
  // A control without a hint, or the form itself, has none to show.
  vt::MouseMoveTo(Plain, 10, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_FALSE(Showing());
  vt::MouseMoveTo(Form, 250, 150);
  Clock.Advance(Application->HintPause());
  EXPECT_FALSE(Showing());
}

TEST_F(HintTest, ShowHintOffOnTheControlTheFormOrTheApplicationShowsNone) {
  City->SetShowHint(false);
  vt::MouseMoveTo(City, 10, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_FALSE(Showing());

  // Controls follow their form's ShowHint (ParentShowHint).
  Form->SetShowHint(false);
  EXPECT_FALSE(Name->ShowHint());
  vt::MouseMoveTo(Name, 10, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_FALSE(Showing());
  Form->SetShowHint(true);
  EXPECT_TRUE(Name->ShowHint());

  Application->SetShowHint(false);
  vt::MouseMoveTo(Name, 12, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_FALSE(Showing());
  Application->SetShowHint(true);
  vt::MouseMoveTo(Name, 14, 5);
  Clock.Advance(Application->HintPause());
  EXPECT_TRUE(Showing());
}

TEST_F(HintTest, TheLongHintOfTheControlUnderTheMouseIsTheApplicationsHint) {
  std::vector<std::string> Seen;
  Application->SetHint("");
  Application->OnHint = [&](TObject*) { Seen.push_back(Application->Hint()); };
  vt::MouseMoveTo(Name, 10, 5);
  vt::MouseMoveTo(Name, 11, 5);
  vt::MouseMoveTo(City, 10, 5);
  vt::MouseMoveTo(Plain, 10, 5);
  Application->OnHint = nullptr;
  EXPECT_EQ(Seen, (std::vector<std::string>{"The name as it appears on invoices", "City", ""}));
}

TEST_F(HintTest, CtrlF1ShowsTheFocusedControlsHintUnderIt) {
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::PressKey(VK_F1, {ssCtrl});
  EXPECT_EQ(Shown(), "Customer name");
  const TRect R = Application->HintWindow()->BoundsRect();
  EXPECT_EQ(R.Left, Name->ClientOrigin().X - Form->ClientOrigin().X);
  EXPECT_GE(R.Top, Name->Top() + Name->Height());
  EXPECT_EQ(Name->Text(), ""); // the key is the hint's, not the edit's
  vt::PressKey(VK_ESCAPE);
  EXPECT_FALSE(Showing());
}

TEST_F(HintTest, AControlFreedWhileItsHintShowsTakesTheHintAlong) {
  vt::MouseMoveTo(City, 10, 5);
  Clock.Advance(Application->HintPause());
  ASSERT_TRUE(Showing());
  delete City;
  City = nullptr;
  EXPECT_FALSE(Showing());
  EXPECT_EQ(Application->HintControl(), nullptr);
  Clock.Advance(Application->HintHidePause());
  EXPECT_EQ(HintPixels(), 0);
}

TEST_F(HintTest, AHintNearTheFormsEdgeIsKeptOnTheForm) {
  auto* Corner = vt::Place<TEdit>(Form, 200, 150, 80, 21);
  Corner->SetHint("A hint far too long to fit to the right of this edit");
  vt::MouseMoveTo(Corner, 70, 15);
  Clock.Advance(Application->HintPause());
  ASSERT_TRUE(Showing());
  const TRect R = Application->HintWindow()->BoundsRect();
  EXPECT_LE(R.Right, Form->ClientWidth());
  EXPECT_LE(R.Bottom, Form->ClientHeight());
  EXPECT_GE(R.Left, 0);
}

} // namespace

namespace {

// Controls placed, or read from a form file, under a form whose ShowHint
// is on take it, their own children too.
TEST(HintSettings, ShowHintReachesChildrenPlacedOrReadUnderTheForm) {
  TForm Form(nullptr);
  Form.SetShowHint(true);
  auto* Panel = new TPanel(&Form);
  auto* Inner = vt::Place<TEdit>(Panel, 4, 4, 60, 21);
  EXPECT_FALSE(Inner->ShowHint());
  Panel->SetParent(&Form);
  EXPECT_TRUE(Panel->ShowHint());
  EXPECT_TRUE(Inner->ShowHint());

  TForm Read(nullptr);
  ReadComponentText(R"(object Read: TForm
  ShowHint = True
  object Box: TPanel
    object Field: TEdit
      Hint = 'A field'
    end
  end
end
)",
                    &Read);
  auto* Field = dynamic_cast<TEdit*>(Read.FindComponent("Field"));
  ASSERT_NE(Field, nullptr);
  EXPECT_TRUE(Field->ShowHint());
}

} // namespace
