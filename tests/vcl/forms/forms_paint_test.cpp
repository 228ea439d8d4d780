// Painting only what is out of date: a control's Invalidate repaints its own
// rectangle, and after any user action the picture painted piece by piece is
// the picture painted whole.
#include <gtest/gtest.h>

#include <functional>

#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class InvalidRegionTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 320, 240);
    First = vt::Place<TEdit>(Form, 10, 10, 120, 21);
    Second = vt::Place<TEdit>(Form, 10, 40, 120, 21);
    Panel = vt::Place<TPanel>(Form, 150, 10, 150, 100);
    Caption = vt::Place<TLabel>(Panel, 8, 8, 100, 13);
    Caption->SetCaption("Inside the panel");
    Speed = vt::Place<TSpeedButton>(Panel, 8, 40, 60, 25);
    Speed->SetCaption("Speed");
    Speed->SetGroupIndex(1);
    Speed->SetAllowAllUp(true);
    OK = vt::Place<TButton>(Form, 10, 130, 75, 25);
    OK->SetCaption("OK");
    OK->SetDefault(true);
    vt::ShowForm(Form);
    vt::MoveFocus(First);
  }
  void TearDown() override { delete Form; }

  // Plants a colour no control paints at (X, Y) of the form's picture.
  void Mark(int X, int Y) { Form->ClientImage().SetPixel(X, Y, Marker); }
  bool Marked(int X, int Y) { return Form->ClientImage().Pixel(X, Y) == Marker; }

  static constexpr TColor Marker = 0x123456;
  TForm* Form = nullptr;
  TEdit* First = nullptr;
  TEdit* Second = nullptr;
  TPanel* Panel = nullptr;
  TLabel* Caption = nullptr;
  TSpeedButton* Speed = nullptr;
  TButton* OK = nullptr;
};

TEST_F(InvalidRegionTest, AControlsInvalidateRepaintsItsOwnRectangleOnly) {
  vt::PaintForm(Form);
  EXPECT_FALSE(Form->NeedsPaint());
  Mark(60, 20);  // inside the first edit, left of where the text goes
  Mark(60, 50);  // inside the second edit
  Mark(5, 200);  // the form's own background
  Mark(160, 90); // inside the panel
  vt::TypeText("abc");
  EXPECT_TRUE(Form->NeedsPaint());
  vt::PaintForm(Form);
  EXPECT_FALSE(Marked(60, 20));
  EXPECT_TRUE(Marked(60, 50));
  EXPECT_TRUE(Marked(5, 200));
  EXPECT_TRUE(Marked(160, 90));
  // A graphic control inside the panel repaints its own rectangle too.
  Mark(20, 70);
  Caption->SetCaption("Changed");
  vt::PaintForm(Form);
  EXPECT_TRUE(Marked(160, 90));
  EXPECT_TRUE(Marked(20, 70));
  Form->InvalidateForm();
  vt::PaintForm(Form);
  EXPECT_FALSE(Marked(60, 50));
  EXPECT_FALSE(Marked(5, 200));
  EXPECT_FALSE(Marked(160, 90));
}

// Each step is something a user (or the program) does; after each one the
// picture as painted from the invalid region alone must equal the picture
// painted whole, or something changed without saying so.
TEST_F(InvalidRegionTest, PaintingOnlyWhatChangedGivesTheWholePicture) {
  const std::vector<std::pair<const char*, std::function<void()>>> Steps = {
      {"typing", [] { vt::TypeText("Hello world"); }},
      {"caret left", [] { vt::PressKey(VK_LEFT); }},
      {"selecting with Shift", [] { vt::PressKey(VK_HOME, {ssShift}); }},
      {"backspace over the selection", [] { vt::PressKey(VK_BACK); }},
      {"text scrolling past the right edge", [] { vt::TypeText(std::string(40, 'W')); }},
      {"Home scrolls back", [] { vt::PressKey(VK_HOME); }},
      {"Tab to the second edit", [] { vt::PressKey(VK_TAB); }},
      {"clicking the button", [this] { vt::Click(OK); }},
      {"clicking the speed button down", [this] { vt::Click(Speed); }},
      {"a caption changing", [this] { Caption->SetCaption("Another caption"); }},
      {"a control hidden", [this] { Caption->Hide(); }},
      {"a control moved", [this] { Second->SetBounds(20, 70, 100, 21); }},
      {"a control disabled", [this] { First->SetEnabled(false); }},
      {"a panel's colour", [this] { Panel->SetColor(clYellow); }},
      {"a font", [this] { Second->Font()->SetHeight(-16); }},
      {"a control shown again", [this] { Caption->Show(); }},
      {"a control brought to the front", [this] { Panel->BringToFront(); }},
      {"the form resized", [this] { Form->SetBounds(0, 0, 280, 200); }},
      {"the form's colour", [this] { Form->SetColor(clWhite); }},
      {"a control freed", [this] { delete OK; }},
  };
  vt::PaintForm(Form);
  for (const auto& [Name, Step] : Steps) {
    Step();
    const TPixelBuffer Pieces = vt::PaintForm(Form);
    Form->InvalidateForm();
    const TPixelBuffer Whole = vt::PaintForm(Form);
    EXPECT_TRUE(Pieces == Whole) << "after " << Name;
  }
}

} // namespace

// A form painted at a pixel ratio of 2: sizes double, and text is drawn at
// the device's resolution rather than enlarged, so some glyph edge falls
// inside an aligned 2x2 block of device pixels.
TEST(PixelRatioTest, TextIsDrawnAtTheDeviceResolution) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 80);
  auto* Edit = vt::Place<TEdit>(&Form, 10, 10, 150, 21);
  Edit->SetTextBuf("Wavy quill");
  TPixelBuffer Single, Double;
  Form.PaintTo(Single);
  Form.SetPixelRatio(2);
  EXPECT_EQ(Form.PixelRatio(), 2);
  Form.PaintTo(Double);
  ASSERT_EQ(Double.Width(), 2 * Single.Width());
  ASSERT_EQ(Double.Height(), 2 * Single.Height());
  EXPECT_EQ(Double.Scale(), 2);

  // Outside the text the picture is the same, each pixel as a 2x2 block.
  const TPoint Client = Edit->ClientOrigin();
  for (const TPoint P : {TPoint{2, 2}, TPoint{Client.X + 1, Client.Y + 30}, TPoint{100, 70}})
    for (int DY = 0; DY < 2; ++DY)
      for (int DX = 0; DX < 2; ++DX)
        EXPECT_EQ(Double.Pixel(2 * P.X + DX, 2 * P.Y + DY), Single.Pixel(P.X, P.Y));

  int SplitBlocks = 0, Ink = 0;
  for (int Y = 0; Y < Single.Height(); ++Y)
    for (int X = 0; X < Single.Width(); ++X) {
      const TColor C = Double.Pixel(2 * X, 2 * Y);
      Ink += C == clBlack;
      SplitBlocks += C != Double.Pixel(2 * X + 1, 2 * Y) || C != Double.Pixel(2 * X, 2 * Y + 1) ||
                     C != Double.Pixel(2 * X + 1, 2 * Y + 1);
    }
  EXPECT_GT(Ink, 0);
  EXPECT_GT(SplitBlocks, 10);
}
