// The up-down control: stepping within its range, mouse presses on either
// arrow, arrow keys while focused, the painted arrows, and its form file.
#include <gtest/gtest.h>

#include <vector>

#include "vcl/comctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class UpDownTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 200, 150);
    Edit = vt::Place<TEdit>(Form, 10, 10, 80, 21);
    UpDown = vt::Place<TUpDown>(Form, 100, 10, 16, 24);
    UpDown->OnClick = [this](TObject*, TUDBtnType B) { Clicks.push_back(B); };
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TUpDown* UpDown = nullptr;
  std::vector<TUDBtnType> Clicks;
};

struct TStepCase {
  int Min, Max, Position, Increment;
  bool Wrap;
  TUDBtnType Button;
  int Expected;
};

TEST_F(UpDownTest, EachPressStepsWithinTheRangeAndReportsTheArrow) {
  const TStepCase Cases[] = {
      {0, 100, 5, 1, false, btNext, 6},         {0, 100, 5, 1, false, btPrev, 4},
      {0, 100, 100, 1, false, btNext, 100},     {0, 100, 0, 1, false, btPrev, 0},
      {0, 100, 100, 1, true, btNext, 0},        {0, 100, 0, 1, true, btPrev, 100},
      {0, 100, 98, 5, false, btNext, 100},      {0, 100, 98, 5, true, btNext, 0},
      {-30000, 30000, 0, 1, false, btPrev, -1}, {-30000, 30000, 30000, 1, false, btNext, 30000},
  };
  for (const TStepCase& C : Cases) {
    SCOPED_TRACE(::testing::Message() << C.Min << ".." << C.Max << " at " << C.Position << " by "
                                      << C.Increment << (C.Wrap ? " wrapping" : ""));
    UpDown->SetMin(C.Min);
    UpDown->SetMax(C.Max);
    UpDown->SetPosition(C.Position);
    UpDown->SetIncrement(C.Increment);
    UpDown->SetWrap(C.Wrap);
    Clicks.clear();
    UpDown->Press(C.Button);
    EXPECT_EQ(UpDown->Position(), C.Expected);
    // Also at a limit the press is reported: callers may want only its direction.
    EXPECT_EQ(Clicks, std::vector<TUDBtnType>{C.Button});
  }
}

TEST_F(UpDownTest, OnChangingMayRefuseTheStepButThePressIsStillReported) {
  UpDown->OnChanging = [](TObject*, bool& Allow) { Allow = false; };
  UpDown->SetPosition(50);
  UpDown->Press(btNext);
  EXPECT_EQ(UpDown->Position(), 50);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(UpDownTest, AMousePressOnAnArrowClicksItOnceAndKeepsTheFocusWhereItWas) {
  vt::MoveFocus(Edit);
  vt::ClickAt(UpDown, 8, 3);
  vt::ClickAt(UpDown, 8, 20);
  EXPECT_EQ(Clicks, (std::vector<TUDBtnType>{btNext, btPrev}));
  EXPECT_TRUE(Edit->Focused());
  // Held down, the arrow clicks once and shows pressed until released.
  const TPoint O = UpDown->ClientOrigin(), F = Form->ClientOrigin();
  Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, O.X - F.X + 8, O.Y - F.Y + 3);
  EXPECT_TRUE(UpDown->ArrowPressed(btNext));
  EXPECT_FALSE(UpDown->ArrowPressed(btPrev));
  Form->MouseInput(WM_MOUSEMOVE, {ssLeft}, O.X - F.X + 8, O.Y - F.Y + 4);
  EXPECT_EQ(Clicks.size(), 3u);
  Form->MouseInput(WM_LBUTTONUP, {}, O.X - F.X + 8, O.Y - F.Y + 4);
  EXPECT_FALSE(UpDown->ArrowPressed(btNext));
  EXPECT_EQ(Clicks.size(), 3u);
  // A double click is two presses.
  Clicks.clear();
  vt::DoubleClickAt(UpDown, 8, 20);
  EXPECT_EQ(Clicks, (std::vector<TUDBtnType>{btPrev, btPrev}));
}

TEST_F(UpDownTest, HorizontallyTheLeftArrowStepsBack) {
  UpDown->SetBounds(100, 10, 24, 16);
  UpDown->SetOrientation(udHorizontal);
  vt::ClickAt(UpDown, 3, 8);
  vt::ClickAt(UpDown, 20, 8);
  EXPECT_EQ(Clicks, (std::vector<TUDBtnType>{btPrev, btNext}));
}

TEST_F(UpDownTest, ArrowKeysPressTheArrowsWhileFocusedUnlessArrowKeysIsOff) {
  UpDown->SetTabStop(true);
  ASSERT_TRUE(vt::MoveFocus(UpDown));
  vt::PressKey(VK_UP);
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_DOWN);
  EXPECT_EQ(Clicks, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));
  EXPECT_TRUE(UpDown->Focused());
  // Without them, an arrow key is a dialog key that moves the focus on.
  UpDown->SetArrowKeys(false);
  vt::PressKey(VK_UP);
  EXPECT_EQ(Clicks.size(), 3u);
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(UpDownTest, TheArrowsArePaintedRaisedOrPressedWithATrianglePointingTheirWay) {
  const TColor Face = ColorToRGB(clBtnFace), Text = ColorToRGB(clBtnText);
  // Each half is a raised button: light top-left, dark bottom-right.
  EXPECT_EQ(vt::PixelAt(UpDown, 0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(vt::PixelAt(UpDown, 15, 11), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(vt::PixelAt(UpDown, 0, 12), ColorToRGB(cl3DLight));
  // The up triangle widens downwards, the down triangle upwards.
  auto RowWidth = [&](int Y) {
    int N = 0;
    for (int X = 2; X < 14; ++X) // inside the bevels, which are black at the right
      N += vt::PixelAt(UpDown, X, Y) == Text;
    return N;
  };
  std::vector<int> Up, Down;
  for (int Y = 1; Y < 11; ++Y)
    if (RowWidth(Y))
      Up.push_back(RowWidth(Y));
  for (int Y = 13; Y < 23; ++Y)
    if (RowWidth(Y))
      Down.push_back(RowWidth(Y));
  EXPECT_EQ(Up, (std::vector<int>{1, 3, 5, 7}));
  EXPECT_EQ(Down, (std::vector<int>{7, 5, 3, 1}));
  // Pressed, the upper half sinks: a shadow frame and no highlight.
  const TPoint O = UpDown->ClientOrigin(), F = Form->ClientOrigin();
  Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, O.X - F.X + 8, O.Y - F.Y + 3);
  EXPECT_EQ(vt::PixelAt(UpDown, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(vt::PixelAt(UpDown, 1, 1), Face);
  EXPECT_EQ(vt::PixelAt(UpDown, 0, 12), ColorToRGB(cl3DLight)); // the other stays up
  Form->MouseInput(WM_LBUTTONUP, {}, O.X - F.X + 8, O.Y - F.Y + 3);
  // Disabled arrows are grey.
  UpDown->SetEnabled(false);
  EXPECT_EQ(RowWidth(5) + RowWidth(6) + RowWidth(7) + RowWidth(8), 0);
}

TEST_F(UpDownTest, AFormFileKeepsTheRangeAndTheClickHandler) {
  UpDown->SetName("Spin");
  UpDown->SetMin(-30000);
  UpDown->SetMax(30000);
  UpDown->SetWrap(true);
  const std::string Text = ComponentToText(UpDown);
  EXPECT_NE(Text.find("Min = -30000"), std::string::npos);
  EXPECT_NE(Text.find("Wrap = True"), std::string::npos);
  EXPECT_EQ(Text.find("Position"), std::string::npos); // 0 is the default
  TUpDown Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Copy.Min(), -30000);
  EXPECT_EQ(Copy.Max(), 30000);
  EXPECT_TRUE(Copy.Wrap());
  EXPECT_EQ(Copy.Width(), 16);
}

} // namespace
