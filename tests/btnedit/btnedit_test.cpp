// The button edit driven as a user drives it: clicks on the button, the
// click key, Enter and Escape on a form with default and cancel buttons,
// focus changes, and the pixels it paints.
#include <gtest/gtest.h>

#include <vector>

#include "btnedit/btnedit.h"
#include "vcl/testing.h"

using namespace vcl;
using namespace BtnEdit;
namespace vt = vcl::testing;

namespace {

// Records the keys and characters that reach the edit window itself.
class TProbeEdit : public TBtnEdit {
public:
  using TBtnEdit::TBtnEdit;
  std::vector<Word> WindowKeys;
  std::vector<char> WindowChars;

protected:
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN)
      WindowKeys.push_back(static_cast<Word>(Message.WParam));
    else if (Message.Msg == WM_CHAR)
      WindowChars.push_back(static_cast<char>(Message.WParam));
    TBtnEdit::DefaultHandler(Message);
  }
};

class BtnEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 320, 200);
    Edit = vt::Place<TProbeEdit>(Form, 8, 8, 150, 21);
    Edit->OnButtonClick = [this](TObject* Sender) {
      ++Clicks;
      ClickSender = Sender;
    };
    Other = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    OK = vt::Place<TButton>(Form, 8, 80, 75, 25);
    OK->SetCaption("OK");
    OK->SetDefault(true);
    OK->OnClick = [this](TObject*) { ++OKClicks; };
    Cancel = vt::Place<TButton>(Form, 90, 80, 75, 25);
    Cancel->SetCaption("Cancel");
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Edit));
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  TProbeEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  TButton* OK = nullptr;
  TButton* Cancel = nullptr;
  int Clicks = 0;
  TObject* ClickSender = nullptr;
  int OKClicks = 0;
  int CancelClicks = 0;
};

// ---------------------------------------------------------------------------
// Clicks

enum TClickWay { cwMouse, cwClickKey, cwDoClick };

struct TGateCase {
  bool ReadOnly;
  bool AlwaysEnable;
  bool Fires;
};

TEST_F(BtnEditTest, EveryWayOfClickingIsGatedByReadOnlyAndAlwaysEnable) {
  const TGateCase Cases[] = {
      {false, false, true},
      {false, true, true},
      {true, false, false},
      {true, true, true},
  };
  for (const TGateCase& C : Cases)
    for (TClickWay Way : {cwMouse, cwClickKey, cwDoClick}) {
      SCOPED_TRACE(::testing::Message() << "ReadOnly " << C.ReadOnly << ", AlwaysEnable "
                                        << C.AlwaysEnable << ", way " << Way);
      Edit->SetReadOnly(C.ReadOnly);
      Edit->SetAlwaysEnable(C.AlwaysEnable);
      Clicks = 0;
      ClickSender = nullptr;
      switch (Way) {
      case cwMouse:
        vt::Click(Edit->Button());
        break;
      case cwClickKey:
        vt::PressKey(VK_RETURN, {ssCtrl});
        break;
      case cwDoClick:
        Edit->DoClick();
        break;
      }
      EXPECT_EQ(Clicks, C.Fires ? 1 : 0);
      if (C.Fires) {
        EXPECT_EQ(ClickSender, Edit); // the control, never the button
      }
    }
}

TEST_F(BtnEditTest, AMouseClickOnTheButtonFocusesTheEditFirst) {
  ASSERT_TRUE(vt::MoveFocus(Other));
  vt::Click(Edit->Button());
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(BtnEditTest, AClickIsLostWhenAnotherControlKeepsTheFocus) {
  ASSERT_TRUE(vt::MoveFocus(Other));
  // A control that refuses to let go takes the focus back while it is left.
  Other->OnExit = [this](TObject*) { Other->SetFocus(); };
  vt::Click(Edit->Button());
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Clicks, 0);
  Other->OnExit = nullptr;
}

TEST_F(BtnEditTest, TheClickKeyIsConsumedOnlyWhenItClicks) {
  Edit->SetClickKey(ShortCut(VK_F4, {}));
  Edit->WindowKeys.clear();
  vt::PressKey(VK_F4);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Edit->WindowKeys.empty());

  // Another key with the same code but other shift keys is not the click key.
  vt::PressKey(VK_F4, {ssShift});
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Edit->WindowKeys, std::vector<Word>{VK_F4});
}

TEST_F(BtnEditTest, TheClickKeyIsIgnoredAndPassedOnWhileTheButtonCannotBeSeen) {
  Edit->SetClickKey(ShortCut(VK_F4, {}));
  struct TSetup {
    const char* Name;
    bool Visible;
    int Width;
  };
  const TSetup Setups[] = {{"hidden", false, 16}, {"zero width", true, 0}};
  for (const TSetup& S : Setups) {
    SCOPED_TRACE(S.Name);
    Edit->SetButtonVisible(S.Visible);
    Edit->SetButtonWidth(S.Width);
    ASSERT_EQ(Edit->ButtonWidth(), S.Width);
    Edit->WindowKeys.clear();
    vt::PressKey(VK_F4);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Edit->WindowKeys, std::vector<Word>{VK_F4});
    // DoClick does not look at the button at all.
    Edit->DoClick();
    EXPECT_EQ(Clicks, 1);
    Clicks = 0;
    Edit->SetButtonVisible(true);
    Edit->SetButtonWidth(16);
  }
}

TEST_F(BtnEditTest, AKeyAnOnKeyDownHandlerConsumedClicksNothing) {
  Edit->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
    if (Key == 'A' || Key == VK_RETURN)
      Key = 0;
  };
  // ClickKey 0 is no key at all; the default Ctrl+Enter is consumed first.
  for (TShortCut Key : {TShortCut(0), scCtrlEnter}) {
    Edit->SetClickKey(Key);
    vt::PressKey('A');
    vt::PressKey(VK_RETURN, {ssCtrl});
    EXPECT_EQ(Clicks, 0) << Key;
  }
}

TEST_F(BtnEditTest, CtrlTabIsSwallowed) {
  Edit->WindowKeys.clear();
  vt::PressKey(VK_TAB, {ssCtrl});
  EXPECT_TRUE(Edit->Focused());
  EXPECT_TRUE(Edit->WindowKeys.empty());
}

// ---------------------------------------------------------------------------
// Enter and Escape

TEST_F(BtnEditTest, EnterClicksTheDefaultButtonAndNeverReachesTheEditWindow) {
  std::u32string Seen;
  Edit->OnKeyPress = [&Seen](TObject*, char32_t& Key) { Seen.push_back(Key); };
  vt::TypeText("ab");
  Edit->WindowChars.clear();
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OKClicks, 1);
  EXPECT_EQ(CancelClicks, 0);
  EXPECT_EQ(Seen.back(), U'\r'); // OnKeyPress still hears it
  EXPECT_TRUE(Edit->WindowChars.empty());
  EXPECT_EQ(Edit->Text(), "ab");
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(BtnEditTest, EscapeClicksTheCancelButtonAndStillReachesTheEdit) {
  Edit->WindowChars.clear();
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(CancelClicks, 1);
  EXPECT_EQ(OKClicks, 0);
  EXPECT_EQ(Edit->WindowChars, std::vector<char>{'\x1b'});
}

TEST(BtnEditWithoutForm, EnterAndEscapeGoNowhereWithoutAParentForm) {
  TProbeEdit Edit(nullptr);
  Edit.Perform(WM_CHAR, '\r');
  Edit.Perform(WM_CHAR, '\x1b');
  EXPECT_EQ(Edit.WindowChars, std::vector<char>{'\x1b'});
}

// ---------------------------------------------------------------------------
// Layout

TEST_F(BtnEditTest, TheTextAreaStopsShortOfTheButton) {
  TRect Area;
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<std::intptr_t>(&Area));
  const int ButtonLeft = Edit->ButtonHost()->Left();
  EXPECT_EQ(ButtonLeft, Edit->ClientWidth() - Edit->ButtonWidth());
  EXPECT_LE(Area.Right, ButtonLeft - 2);

  // A long text scrolls inside the area: the two columns before the button stay blank.
  vt::TypeText(std::string(40, 'W'));
  for (int Y = 0; Y < Edit->ClientHeight(); ++Y)
    for (int X = ButtonLeft - 2; X < ButtonLeft; ++X)
      ASSERT_EQ(vt::PixelAt(Edit, X, Y), ColorToRGB(clWindow)) << X << "," << Y;

  // Without the button the text may use the whole width.
  Edit->SetButtonVisible(false);
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<std::intptr_t>(&Area));
  EXPECT_GT(Area.Right, ButtonLeft);
  EXPECT_EQ(Edit->GetEditWidth(), Edit->ClientWidth());
}

struct TBoundsCase {
  bool NewStyle;
  bool Ctl3D;
  int Width, Height, ButtonWidth;
  TRect Expected; // Left, Top, Width, Height as bounds
};

TEST_F(BtnEditTest, TheButtonHostSitsAtTheRightEdgeForEachStyle) {
  const TBoundsCase Cases[] = {
      {true, true, 150, 21, 16, Bounds(150 - 16 - 4, 0, 16, 21 - 4)},
      {true, false, 150, 21, 16, Bounds(150 - 16 - 2, 2, 16, 21 - 4)},
      {true, true, 200, 30, 24, Bounds(200 - 24 - 4, 0, 24, 30 - 4)},
      {true, false, 200, 30, 24, Bounds(200 - 24 - 2, 2, 24, 30 - 4)},
      {false, true, 150, 21, 16, Bounds(150 - 16, 1, 16, 21 - 1)},
      {false, false, 150, 21, 16, Bounds(150 - 16, 1, 16, 21 - 1)},
  };
  const bool SavedStyle = NewStyleControls;
  for (const TBoundsCase& C : Cases) {
    SCOPED_TRACE(::testing::Message() << "new style " << C.NewStyle << ", Ctl3D " << C.Ctl3D << ", "
                                      << C.Width << "x" << C.Height);
    NewStyleControls = C.NewStyle;
    Edit->SetCtl3D(C.Ctl3D);
    Edit->SetButtonWidth(C.ButtonWidth);
    Edit->SetBounds(8, 8, C.Width + 1, C.Height + 1); // every case resizes
    Edit->SetBounds(8, 8, C.Width, C.Height);
    EXPECT_EQ(Edit->ButtonHost()->BoundsRect(), C.Expected);
    EXPECT_EQ(Edit->Button()->Height(), C.Expected.Height());
    EXPECT_EQ(Edit->Button()->Width(), C.ButtonWidth);
  }
  NewStyleControls = SavedStyle;
}

TEST_F(BtnEditTest, Ctl3DChangeMovesTheButtonAtOnce) {
  Edit->SetCtl3D(false);
  EXPECT_EQ(Edit->ButtonHost()->BoundsRect(), Bounds(150 - 16 - 2, 2, 16, 17));
  Edit->SetCtl3D(true);
  EXPECT_EQ(Edit->ButtonHost()->BoundsRect(), Bounds(150 - 16 - 4, 0, 16, 17));
}

TEST_F(BtnEditTest, HeightSnapsBackToTheMinimumHeight) {
  const int Min = Edit->GetMinHeight();
  EXPECT_EQ(Min, Edit->GetTextHeight() + 4 * GetSystemMetrics(SM_CYBORDER) + 1);
  Edit->SetHeight(5);
  EXPECT_EQ(Edit->Height(), Min);
  Edit->SetHeight(Min + 10); // taller is fine
  EXPECT_EQ(Edit->Height(), Min + 10);

  // The text height is the smaller of the system font's and the control's.
  TTextMetric System;
  HDC DC = GetDC(nullptr);
  GetTextMetrics(DC, System);
  ReleaseDC(nullptr, DC);
  Edit->Font()->SetSize(24);
  EXPECT_EQ(Edit->GetTextHeight(), System.tmHeight);
  Edit->SetHeight(5);
  EXPECT_EQ(Edit->Height(), System.tmHeight + 4 * GetSystemMetrics(SM_CYBORDER) + 1);
  Edit->Font()->SetSize(6);
  EXPECT_LT(Edit->GetTextHeight(), System.tmHeight);
}

TEST_F(BtnEditTest, ButtonWidthIgnoresValuesThatLeaveNoRoomForText) {
  Edit->SetButtonWidth(Edit->ClientWidth());
  EXPECT_EQ(Edit->ButtonWidth(), 16);
  Edit->SetButtonWidth(-3);
  EXPECT_EQ(Edit->ButtonWidth(), 16);
  Edit->SetButtonWidth(30);
  EXPECT_EQ(Edit->ButtonWidth(), 30);
  EXPECT_EQ(Edit->ButtonHost()->Width(), 30);
  EXPECT_EQ(Edit->GetEditWidth(), Edit->ClientWidth() - 30);
}

TEST_F(BtnEditTest, TheButtonFollowsTheEditsEnabling) {
  Edit->SetEnabled(false);
  EXPECT_FALSE(Edit->Button()->Enabled());
  Edit->SetEnabled(true);
  EXPECT_TRUE(Edit->Button()->Enabled());
}

// ---------------------------------------------------------------------------
// Painting

// The columns and rows where Control's client area differs from Background,
// within the first Width columns.
struct TInk {
  int Left = -1, Right = -1, Top = -1, Bottom = -1;
  bool operator==(const TInk&) const = default;
};

TInk InkOf(TControl* Control, int Width, int Height, TColor Background) {
  // One painting of the form, read in the control's client coordinates.
  TCustomForm* Form = GetParentForm(Control);
  const TPixelBuffer Image = vt::PaintForm(Form);
  const TPoint O = Control->ClientOrigin();
  const TPoint F = Form->ClientOrigin();
  TInk Ink;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      if (Image.Pixel(O.X - F.X + X, O.Y - F.Y + Y) != ColorToRGB(Background)) {
        if (Ink.Left < 0 || X < Ink.Left)
          Ink.Left = X;
        Ink.Right = std::max(Ink.Right, X);
        if (Ink.Top < 0)
          Ink.Top = Y;
        Ink.Bottom = Y;
      }
  return Ink;
}

// Where S drawn with Font at (0, 0) leaves ink, measured on a bitmap.
TInk InkOfText(TFont* Font, const std::string& S) {
  TBitmap B;
  B.SetSize(400, 60);
  B.Canvas()->SetFont(Font);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->TextOut(0, 0, S);
  TInk Ink;
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X)
      if (B.Pixel(X, Y) != clWhite) {
        if (Ink.Left < 0 || X < Ink.Left)
          Ink.Left = X;
        Ink.Right = std::max(Ink.Right, X);
        if (Ink.Top < 0)
          Ink.Top = Y;
        Ink.Bottom = Y;
      }
  return Ink;
}

TInk Shifted(TInk Ink, int DX, int DY) {
  return {Ink.Left + DX, Ink.Right + DX, Ink.Top + DY, Ink.Bottom + DY};
}

class BtnEditPaintTest : public BtnEditTest {
protected:
  TInk EditInk() { return InkOf(Edit, Edit->GetEditWidth(), Edit->ClientHeight(), clWindow); }
  int TextWidth(const std::string& S) {
    TBitmap B;
    B.Canvas()->SetFont(Edit->Font());
    return B.Canvas()->TextWidth(S);
  }
};

TEST_F(BtnEditPaintTest, AlignedTextIsPaintedByTheControlWhileUnfocused) {
  const std::string S = "HIH";
  Edit->SetTextBuf(S);
  const TPoint M = Edit->GetTextMargins();
  const int EditWidth = Edit->GetEditWidth();
  const TInk Glyphs = InkOfText(Edit->Font(), S);
  struct TCase {
    TAlignment Alignment;
    int Left;
  };
  const TCase Cases[] = {
      {taRightJustify, EditWidth - TextWidth(S) - M.X - 1},
      {taCenter, (EditWidth - TextWidth(S)) / 2},
  };
  ASSERT_TRUE(vt::MoveFocus(Other));
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Alignment);
    Edit->SetAlignment(C.Alignment);
    EXPECT_EQ(EditInk(), Shifted(Glyphs, C.Left, M.Y));
  }
  // Right-aligned text ends X + 1 pixels before the button.
  Edit->SetAlignment(taRightJustify);
  EXPECT_EQ(EditWidth - (Cases[0].Left + TextWidth(S)), M.X + 1);
}

TEST_F(BtnEditPaintTest, TheFocusedEditShowsItsOwnLeftAlignedText) {
  Edit->SetTextBuf("HIH");
  Edit->SetAlignment(taRightJustify);
  ASSERT_TRUE(vt::MoveFocus(Other));
  const TInk Unfocused = EditInk();
  ASSERT_TRUE(vt::MoveFocus(Edit));
  Edit->SetSelLength(0); // no selection highlight
  const TInk Focused = InkOf(Edit, Edit->GetEditWidth(), Edit->ClientHeight(), clWindow);
  const TPoint M = Edit->GetTextMargins();
  const TInk Glyphs = InkOfText(Edit->Font(), "HIH");
  // The caret is ink too, so compare the text's right end and rows only.
  EXPECT_EQ(Focused.Right, M.X + Glyphs.Right);
  EXPECT_LT(Focused.Right, Unfocused.Left);
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(EditInk(), Unfocused);
}

TEST_F(BtnEditPaintTest, APasswordCharacterMasksThePaintedText) {
  Edit->SetTextBuf("hello");
  Edit->SetPasswordChar('*');
  Edit->SetAlignment(taRightJustify);
  ASSERT_TRUE(vt::MoveFocus(Other));
  const TPoint M = Edit->GetTextMargins();
  const int Left = Edit->GetEditWidth() - TextWidth("*****") - M.X - 1;
  EXPECT_EQ(EditInk(), Shifted(InkOfText(Edit->Font(), "*****"), Left, M.Y));
}

TEST_F(BtnEditPaintTest, LeftAlignedTextLooksTheSameFocusedOrNot) {
  Edit->SetTextBuf("HIH");
  ASSERT_TRUE(vt::MoveFocus(Other));
  const TInk Unfocused = EditInk();
  const TPoint M = Edit->GetTextMargins();
  EXPECT_EQ(Unfocused, Shifted(InkOfText(Edit->Font(), "HIH"), M.X, M.Y));
}

// Whoever draws the text of a disabled edit, the edit window (left-aligned)
// or the control itself (aligned and unfocused), draws it grey.
TEST_F(BtnEditPaintTest, ADisabledEditShowsGreyTextInEveryAlignment) {
  Edit->SetTextBuf("HIH");
  ASSERT_TRUE(vt::MoveFocus(Other));
  Edit->SetEnabled(false);
  for (TAlignment A : {taLeftJustify, taRightJustify, taCenter}) {
    SCOPED_TRACE(A);
    Edit->SetAlignment(A);
    int Grey = 0, Black = 0;
    for (int Y = 0; Y < Edit->ClientHeight(); ++Y)
      for (int X = 0; X < Edit->GetEditWidth(); ++X) {
        const TColor C = vt::PixelAt(Edit, X, Y);
        Grey += C == ColorToRGB(clGrayText);
        Black += C == ColorToRGB(clWindowText);
      }
    EXPECT_GT(Grey, 10);
    EXPECT_EQ(Black, 0);
  }
}

// The flat border: one pixel, whether the edit window or the control paints,
// with the button a pixel clear of it at the top, right and bottom.
TEST_F(BtnEditPaintTest, AFlatBorderIsOnePixelInEveryStateAndTheButtonKeepsClearOfIt) {
  Edit->SetCtl3D(false);
  Edit->SetTextBuf("HIH");
  const int W = Edit->Width(), H = Edit->Height();
  struct TState {
    const char* Name;
    TAlignment Alignment;
    bool Focused;
  };
  const TState States[] = {{"right-aligned, unfocused", taRightJustify, false},
                           {"centred, unfocused", taCenter, false},
                           {"left-aligned, unfocused", taLeftJustify, false},
                           {"right-aligned, focused", taRightJustify, true}};
  for (const TState& S : States) {
    SCOPED_TRACE(S.Name);
    Edit->SetAlignment(S.Alignment);
    ASSERT_TRUE(vt::MoveFocus(S.Focused ? static_cast<TWinControl*>(Edit) : Other));
    Edit->SetSelLength(0);
    const TPixelBuffer Image = vt::PaintForm(Form);
    auto At = [&](int X, int Y) { return Image.Pixel(Edit->Left() + X, Edit->Top() + Y); };
    const TColor Frame = ColorToRGB(clWindowFrame), Window = ColorToRGB(clWindow);
    int Outer = 0, Inner = 0;
    for (int X = 0; X < W; ++X) {
      Outer += (At(X, 0) == Frame) + (At(X, H - 1) == Frame);
      if (X > 0 && X < W - 1)
        Inner += (At(X, 1) == Window) + (At(X, H - 2) == Window);
    }
    for (int Y = 1; Y < H - 1; ++Y) {
      Outer += (At(0, Y) == Frame) + (At(W - 1, Y) == Frame);
      if (Y > 1 && Y < H - 2)
        Inner += (At(1, Y) == Window) + (At(W - 2, Y) == Window);
    }
    EXPECT_EQ(Outer, 2 * W + 2 * (H - 2));
    EXPECT_EQ(Inner, 2 * (W - 2) + 2 * (H - 4));
  }
  EXPECT_EQ(Edit->ButtonHost()->BoundsRect(), Bounds(W - 16 - 2, 2, 16, H - 4));
}

// Old-style controls put the button against the border, inside the client area.
TEST_F(BtnEditTest, AnOldStyleButtonStaysInsideTheClientArea) {
  const bool SavedStyle = NewStyleControls;
  NewStyleControls = false;
  Edit->SetCtl3D(false);
  Edit->SetBounds(8, 8, 151, 22);
  Edit->SetBounds(8, 8, 150, 21);
  TRect Inside;
  IntersectRect(Inside, Edit->ButtonHost()->BoundsRect(), Edit->ClientRect());
  EXPECT_EQ(Inside, Edit->ButtonHost()->BoundsRect());
  EXPECT_EQ(Edit->ButtonHost()->BoundsRect(), Bounds(150 - 16, 1, 16, 20));
  NewStyleControls = SavedStyle;
}

TEST_F(BtnEditPaintTest, TheCaretIsWiderForABoldFont) {
  ASSERT_TRUE(vt::MoveFocus(Other));
  Edit->Font()->SetStyle({fsBold});
  ASSERT_TRUE(vt::MoveFocus(Edit));
  const TInk Caret = EditInk(); // an empty edit shows only the caret
  EXPECT_EQ(Caret.Right - Caret.Left + 1, 2);
  EXPECT_EQ(Caret.Bottom - Caret.Top + 1, Edit->GetTextHeight());
}

} // namespace

namespace {

// The button's hint is its own: resting the mouse on the button shows
// ButtonHint, resting on the text shows the edit's Hint, and a painted
// picture of the form shows the hint window under the button.
TEST_F(BtnEditTest, TheButtonShowsButtonHintAndTheTextTheEditsHint) {
  vt::TTimerClock Clock;
  Form->SetShowHint(true);
  Edit->SetHint("Where the order goes");
  Edit->SetButtonHint("Pick a region (Ctrl+Enter)");
  vt::MouseMoveTo(Edit->Button(), 5, 5);
  Clock.Advance(Application->HintPause());
  ASSERT_TRUE(Application->HintWindow()->Showing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Pick a region (Ctrl+Enter)");
  const TRect R = Application->HintWindow()->BoundsRect();
  EXPECT_EQ(vt::PaintForm(Form).Pixel(R.Left + 2, R.Top + 1), ColorToRGB(clInfoBk));

  vt::MouseMoveTo(Edit, 10, 5);
  Clock.Advance(Application->HintShortPause());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Where the order goes");

  // Without a ButtonHint the button offers the edit's hint.
  Edit->SetButtonHint("");
  vt::MouseMoveTo(Edit->Button(), 6, 6);
  Clock.Advance(Application->HintShortPause());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Where the order goes");
  Application->CancelHint();
}

} // namespace
