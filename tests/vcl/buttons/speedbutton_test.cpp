// Speed buttons (glyph images, transparency, layout, states, clicks) and panels.
#include <gtest/gtest.h>

#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class SpeedButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 200, 150);
    Button = vt::Place<TSpeedButton>(Form, 20, 20, 30, 30);
    Button->OnClick = [this](TObject*) { ++Clicks; };
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  // A glyph of Count images of 8x8, image I filled with Colors[I] around a
  // 2x2 olive-free centre, on an olive background in its bottom-left pixel.
  static void MakeGlyph(TBitmap& B, int Count, const std::vector<TColor>& Colors) {
    B.SetSize(8 * Count, 8);
    B.Canvas()->Brush()->SetColor(clOlive);
    B.Canvas()->FillRect(Rect(0, 0, 8 * Count, 8));
    for (int I = 0; I < Count; ++I) {
      B.Canvas()->Brush()->SetColor(Colors[I]);
      B.Canvas()->FillRect(Rect(8 * I + 2, 2, 8 * I + 6, 6));
    }
  }

  TForm* Form = nullptr;
  TSpeedButton* Button = nullptr;
  int Clicks = 0;
};

TEST_F(SpeedButtonTest, GlyphImagesFollowTheStateAndTheBottomLeftColourIsTransparent) {
  TBitmap Glyph;
  MakeGlyph(Glyph, 3, {clRed, clGray, clBlue});
  Button->SetGlyph(&Glyph);
  EXPECT_EQ(Button->NumGlyphs(), 3); // the width is three times the height
  TPoint At;
  TRect TextRect;
  TRect Paint = Button->ClientRect();
  InflateRect(Paint, -2, -2);
  Button->CalcLayout(Paint, At, TextRect);
  EXPECT_EQ(vt::PixelAt(Button, At.X + 3, At.Y + 3), clRed);
  EXPECT_EQ(vt::PixelAt(Button, At.X, At.Y), ColorToRGB(clBtnFace)); // olive left out
  Button->SetEnabled(false);
  EXPECT_EQ(vt::PixelAt(Button, At.X + 3, At.Y + 3), clGray);
  Button->SetEnabled(true);
  // Held down, the down image shows one pixel lower and to the right.
  vt::ShowForm(Form);
  const TPoint O = Button->ClientOrigin(), F = Form->ClientOrigin();
  Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, O.X - F.X + 15, O.Y - F.Y + 15);
  EXPECT_EQ(Button->State(), bsDown);
  EXPECT_EQ(vt::PixelAt(Button, At.X + 4, At.Y + 4), clBlue);
  Form->MouseInput(WM_LBUTTONUP, {}, O.X - F.X + 15, O.Y - F.Y + 15);
  EXPECT_EQ(Button->State(), bsUp);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButtonTest, ADisabledButtonWithoutADisabledImageEmbossesTheUpImage) {
  TBitmap Glyph;
  MakeGlyph(Glyph, 1, {clBlack});
  Button->SetGlyph(&Glyph);
  Button->SetEnabled(false);
  TPoint At;
  TRect TextRect;
  TRect Paint = Button->ClientRect();
  InflateRect(Paint, -2, -2);
  Button->CalcLayout(Paint, At, TextRect);
  EXPECT_EQ(vt::PixelAt(Button, At.X + 2, At.Y + 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(vt::PixelAt(Button, At.X + 6, At.Y + 6), ColorToRGB(clBtnHighlight));
  vt::Click(Button);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(SpeedButtonTest, LayoutPlacesTheGlyph) {
  TBitmap Glyph;
  Glyph.SetSize(12, 12);
  Button->SetGlyph(&Glyph);
  const TRect R = Rect(0, 0, 16, 13);
  struct Case {
    TButtonLayout Layout;
    TPoint Expected;
  };
  for (const Case& C : {Case{blGlyphLeft, {2, 1}}, Case{blGlyphRight, {2, 1}},
                        Case{blGlyphTop, {2, 1}}, Case{blGlyphBottom, {2, 0}}}) {
    Button->SetLayout(C.Layout);
    TPoint At;
    TRect TextRect;
    Button->CalcLayout(R, At, TextRect);
    EXPECT_EQ(At, C.Expected) << static_cast<int>(C.Layout);
  }
  // With a caption the glyph sits below the text under blGlyphBottom.
  Button->SetCaption("Go");
  TPoint At;
  TRect TextRect;
  Button->CalcLayout(Rect(0, 0, 40, 40), At, TextRect);
  EXPECT_LE(TextRect.Bottom + 4, At.Y + 1);
}

TEST_F(SpeedButtonTest, ReleasingOutsideDoesNotClickAndGroupedButtonsStayDown) {
  const TPoint O = Button->ClientOrigin(), F = Form->ClientOrigin();
  Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, O.X - F.X + 5, O.Y - F.Y + 5);
  Form->MouseInput(WM_MOUSEMOVE, {ssLeft}, 150, 120);
  EXPECT_EQ(Button->State(), bsUp);
  Form->MouseInput(WM_LBUTTONUP, {}, 150, 120);
  EXPECT_EQ(Clicks, 0);

  auto* Second = vt::Place<TSpeedButton>(Form, 60, 20, 30, 30);
  Button->SetGroupIndex(1);
  Second->SetGroupIndex(1);
  vt::Click(Button);
  EXPECT_TRUE(Button->Down());
  vt::Click(Second);
  EXPECT_TRUE(Second->Down());
  EXPECT_FALSE(Button->Down());
  vt::Click(Second); // without AllowAllUp one button stays down
  EXPECT_TRUE(Second->Down());
  Second->SetAllowAllUp(true);
  vt::Click(Second);
  EXPECT_FALSE(Second->Down());
}

TEST(PanelTest, AlignedChildrenShareTheSpaceInsideTheBevels) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 200);
  auto* Top = new TPanel(&Form);
  Top->SetParent(&Form);
  Top->SetHeight(30);
  Top->SetAlign(alTop);
  auto* Bottom = new TPanel(&Form);
  Bottom->SetParent(&Form);
  Bottom->SetHeight(40);
  Bottom->SetAlign(alBottom);
  auto* Client = new TPanel(&Form);
  Client->SetParent(&Form);
  Client->SetAlign(alClient);
  Client->SetBevelInner(bvLowered);
  Client->SetBorderWidth(2);
  auto* Inner = new TPanel(&Form);
  Inner->SetParent(Client);
  Inner->SetAlign(alClient);
  const TRect C = Form.ClientRect();
  EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, C.Right, 30));
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, C.Bottom - 40, C.Right, C.Bottom));
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, C.Right, C.Bottom - 40));
  EXPECT_EQ(Inner->BoundsRect(), Rect(4, 4, C.Right - 4, C.Bottom - 70 - 4));
  // Resizing the form realigns.
  Form.SetWidth(400);
  EXPECT_EQ(Top->Width(), Form.ClientWidth());
  // A raised outer bevel: highlight top-left, shadow bottom-right.
  EXPECT_EQ(vt::PixelAt(Top, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(vt::PixelAt(Top, Top->Width() - 1, 29), ColorToRGB(clBtnShadow));
  EXPECT_EQ(vt::PixelAt(Client, 3, 3), ColorToRGB(clBtnShadow)); // the lowered inner bevel
}

} // namespace

namespace {

TEST_F(SpeedButtonTest, AGroupedButtonThatStaysDownShowsTheFourthImage) {
  TBitmap Glyph;
  MakeGlyph(Glyph, 4, {clRed, clGray, clBlue, clLime});
  Button->SetGlyph(&Glyph);
  EXPECT_EQ(Button->NumGlyphs(), 4);
  Button->SetGroupIndex(3);
  Button->SetDown(true);
  EXPECT_EQ(Button->State(), bsExclusive);
  TPoint At;
  TRect TextRect;
  TRect Paint = Button->ClientRect();
  InflateRect(Paint, -2, -2);
  OffsetRect(Paint, 1, 1); // drawn sunken
  Button->CalcLayout(Paint, At, TextRect);
  EXPECT_EQ(vt::PixelAt(Button, At.X + 3, At.Y + 3), clLime);
  // An ungrouped button never stays down.
  Button->SetGroupIndex(0);
  Button->SetAllowAllUp(true);
  Button->SetDown(false);
  Button->SetDown(true);
  EXPECT_FALSE(Button->Down());
}

TEST(ButtonTest, DisabledOrHiddenButtonsIgnoreEnterAndEscape) {
  TForm Form(nullptr);
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  auto* OK = new TButton(&Form);
  OK->SetParent(&Form);
  OK->SetTop(40);
  OK->SetDefault(true);
  OK->SetModalResult(mrOk);
  auto* Cancel = new TButton(&Form);
  Cancel->SetParent(&Form);
  Cancel->SetTop(80);
  Cancel->SetCancel(true);
  Cancel->SetModalResult(mrCancel);
  vt::ShowForm(&Form);
  OK->SetEnabled(false);
  Cancel->Hide();
  vt::PressKey(VK_RETURN);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Form.ModalResult(), mrNone);
}

TEST(LabelFocusTest, TheLabelForgetsAFreedFocusControl) {
  TForm Form(nullptr);
  auto* Label = new TLabel(&Form);
  Label->SetParent(&Form);
  Label->SetCaption("&Name");
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  Label->SetFocusControl(Edit);
  delete Edit;
  EXPECT_EQ(Label->FocusControl(), nullptr);
  vt::ShowForm(&Form);
  vt::PressKey('N', {ssAlt}); // nothing to focus, nothing breaks
}

} // namespace
