// The control model: message dispatch, the handle life cycle, parent font
// and colour, mouse capture and events, painting through BeginPaint and
// TControlCanvas, and the label.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vcl/clipbrd.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

// A window that records the messages reaching its handlers and its default handling.
class TProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Log;
  std::uint32_t ExtraStyle = 0;
  int Creations = 0;

  void DefaultHandler(TMessage& M) override {
    if (M.Msg == WM_USER)
      Log.push_back("default");
    TCustomControl::DefaultHandler(M);
  }
  using TWinControl::CreateParams;

protected:
  void CreateParams(TCreateParams& P) override {
    TCustomControl::CreateParams(P);
    P.Style |= ExtraStyle;
  }
  void CreateWnd() override {
    ++Creations;
    TCustomControl::CreateWnd();
  }
  void WMSize(TMessage& M) override {
    Log.push_back("size " + std::to_string(LoWord(M.LParam)) + "x" +
                  std::to_string(HiWord(M.LParam)));
    TCustomControl::WMSize(M);
  }
  void Paint() override {
    // Draw through a canvas bound to the control outside the paint context too.
    TPaintStruct PS;
    HDC DC = BeginPaint(Handle(), PS);
    PatBlt(DC, 0, 0, 3, 3, BLACKNESS);
    EndPaint(Handle(), PS);
  }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Probe = new TProbe(Form);
    Probe->SetBounds(10, 10, 50, 40);
  }
  void TearDown() override { delete Form; }
  TForm* Form = nullptr;
  TProbe* Probe = nullptr;
};

TEST_F(ControlTest, UnhandledMessagesEndInTheDefaultHandler) {
  EXPECT_EQ(Probe->Perform(WM_USER, 1, 2), 0);
  EXPECT_EQ(Probe->Log, std::vector<std::string>{"default"});
}

TEST_F(ControlTest, HandlesAreMadeOnDemandAndRecreatedWithFreshParameters) {
  Probe->SetParent(Form);
  EXPECT_FALSE(Probe->HandleAllocated());
  Probe->SetWidth(60); // no window yet: no WM_SIZE
  EXPECT_TRUE(Probe->Log.empty());
  HWND Wnd = Probe->Handle();
  ASSERT_NE(Wnd, nullptr);
  EXPECT_TRUE(Form->HandleAllocated()); // the parent comes first
  EXPECT_EQ(Probe->Log, std::vector<std::string>{"size 60x40"});
  EXPECT_EQ(SendMessage(Wnd, WM_USER, 0, 0), 0);
  EXPECT_EQ(Probe->Log.back(), "default");
  Probe->ExtraStyle = WS_BORDER;
  EXPECT_EQ(Probe->ClientWidth(), 60); // read from the window made before
  Probe->RecreateWnd();
  EXPECT_EQ(Probe->Creations, 2);
  EXPECT_TRUE(Probe->WindowStyle() & WS_BORDER);
  EXPECT_EQ(Probe->ClientWidth(), 58);
  EXPECT_EQ(Probe->ClientRect(), Rect(0, 0, 58, 38));
}

TEST_F(ControlTest, BeginPaintDuringPaintingDrawsIntoThePaintContext) {
  Probe->SetParent(Form);
  vt::ShowForm(Form);
  EXPECT_EQ(vt::PixelAt(Probe, 2, 2), clBlack);
  EXPECT_EQ(vt::PixelAt(Probe, 3, 3), ColorToRGB(clBtnFace));
}

TEST_F(ControlTest, ParentFontAndColourFlowDownUntilAChildSetsItsOwn) {
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  auto* Label = new TLabel(Form);
  Label->SetParent(Panel);
  Form->Font()->SetName("Times New Roman");
  Form->Font()->SetStyle({fsBold});
  EXPECT_EQ(Label->Font()->Name(), "Times New Roman");
  EXPECT_TRUE(Label->Font()->Style().Contains(fsBold));
  Label->Font()->SetHeight(-20);
  EXPECT_FALSE(Label->ParentFont());
  Form->Font()->SetName("Courier New");
  EXPECT_EQ(Label->Font()->Name(), "Times New Roman");
  Panel->SetColor(clTeal);
  EXPECT_EQ(Label->Color(), clTeal); // labels take their parent's colour
  Label->SetColor(clRed);
  Panel->SetColor(clNavy);
  EXPECT_EQ(Label->Color(), clRed);
}

TEST_F(ControlTest, MouseCaptureKeepsEventsWithTheControlThatWasPressed) {
  auto* Panel = vt::Place<TPanel>(Form, 100, 100, 50, 50);
  std::vector<std::string> Events;
  Panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    Events.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  };
  Panel->OnMouseMove = [&](TObject*, TShiftState, int X, int Y) {
    Events.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
  };
  Panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { Events.push_back("up"); };
  Panel->OnClick = [&](TObject*) { Events.push_back("click"); };
  Panel->OnDblClick = [&](TObject*) { Events.push_back("dblclick"); };
  vt::ShowForm(Form);
  Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, 105, 107);
  EXPECT_TRUE(Panel->MouseCapture());
  Form->MouseInput(WM_MOUSEMOVE, {ssLeft}, 10, 10); // outside, still the panel's
  Form->MouseInput(WM_LBUTTONUP, {}, 10, 10);       // released outside: no click
  EXPECT_EQ(GetCaptureControl(), nullptr);
  vt::Click(Panel);
  Form->MouseInput(WM_LBUTTONDBLCLK, {ssLeft}, 110, 110);
  const std::vector<std::string> Expected = {"down 5,7", "move -90,-90", "up",       "down 25,25",
                                             "click",    "up",           "dblclick", "down 10,10"};
  EXPECT_EQ(Events, Expected);
}

TEST_F(ControlTest, DisabledControlsGetNoMouseInput) {
  auto* Edit = vt::Place<TEdit>(Form, 100, 10, 80, 21);
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetTop(100);
  vt::ShowForm(Form);
  ASSERT_TRUE(vt::MoveFocus(Other));
  Edit->SetEnabled(false);
  vt::Click(Edit);
  EXPECT_TRUE(Other->Focused());
}

TEST_F(ControlTest, TheEditPaintsItsFormattingRectangleAndMasksPasswords) {
  auto* Edit = vt::Place<TEdit>(Form, 10, 60, 120, 21);
  Edit->SetTextBuf("MMMM"); // the form is not shown: no caret, no selection
  // Client pixels of the edit, from one painting of the form.
  auto EditPixels = [&] {
    const TPixelBuffer Image = vt::PaintForm(Form);
    const TPoint O = Edit->ClientOrigin(), F = Form->ClientOrigin();
    std::vector<TColor> Pixels;
    for (int X = 0; X < Edit->ClientWidth(); ++X)
      for (int Y = 0; Y < Edit->ClientHeight(); ++Y)
        Pixels.push_back(Image.Pixel(O.X - F.X + X, O.Y - F.Y + Y));
    return Pixels;
  };
  auto InkColumns = [&] {
    const std::vector<TColor> Pixels = EditPixels();
    const auto It = std::find(Pixels.begin(), Pixels.end(), clBlack);
    return It == Pixels.end() ? -1 : static_cast<int>(It - Pixels.begin()) / Edit->ClientHeight();
  };
  const int Plain = InkColumns();
  EXPECT_GE(Plain, 1);
  EXPECT_LE(Plain, 4);
  TRect R = Rect(30, 0, 100, 17);
  Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<std::intptr_t>(&R));
  EXPECT_EQ(InkColumns(), Plain + 30);
  Edit->Perform(EM_SETRECTNP, 0, 0);
  const TPixelBuffer Clear = vt::PaintForm(Form);
  Edit->SetPasswordChar('*');
  EXPECT_FALSE(vt::PaintForm(Form) == Clear);
  EXPECT_EQ(Edit->Text(), "MMMM");
  Edit->SetEnabled(false);
  const std::vector<TColor> Disabled = EditPixels();
  EXPECT_NE(std::find(Disabled.begin(), Disabled.end(), ColorToRGB(clGrayText)), Disabled.end());
}

TEST_F(ControlTest, TheCaretFollowsTheFocusedEdit) {
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  vt::ShowForm(Form);
  ASSERT_TRUE(vt::MoveFocus(Edit));
  TPoint Start, After;
  ASSERT_TRUE(GetCaretPos(Start));
  vt::TypeText("abc");
  GetCaretPos(After);
  EXPECT_GT(After.X, Start.X);
  // A recreated window gets its caret back.
  Edit->RecreateWnd();
  TPoint Recreated;
  ASSERT_TRUE(GetCaretPos(Recreated));
  EXPECT_EQ(Recreated, After);
  // A caret replaced by its own window keeps its place.
  CreateCaret(Edit->Handle(), nullptr, 2, 10);
  TPoint Replaced;
  GetCaretPos(Replaced);
  EXPECT_EQ(Replaced, After);
}

TEST_F(ControlTest, TheWholeWindowShowsFrameAndCaption) {
  Form->SetCaption("Title");
  vt::ShowForm(Form);
  TPixelBuffer Window;
  Form->PaintTo(Window);
  EXPECT_EQ(Window.Width(), 300);
  EXPECT_EQ(Window.Height(), 200);
  EXPECT_EQ(Window.Pixel(250, 8), ColorToRGB(clActiveCaption));
  EXPECT_EQ(Window.Pixel(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(Form->ClientHeight(), 200 - 8 - 19);
  Form->SetBorderStyle(bsNone); // the client area keeps its size
  EXPECT_EQ(Form->Height(), 200 - 8 - 19);
}

TEST(LabelTest, AutoSizeFollowsTheCaptionAndAmpersandsAreShownOnce) {
  TForm Form(nullptr);
  auto* Label = new TLabel(&Form);
  Label->SetParent(&Form);
  Label->SetCaption("Short");
  const int Short = Label->Width();
  Label->SetCaption("A much longer caption");
  EXPECT_GT(Label->Width(), Short);
  Label->SetCaption("&&AB");
  const int WithAmp = Label->Width();
  Label->SetShowAccelChar(false);
  EXPECT_GT(Label->Width(), WithAmp); // "&&AB" then shows both ampersands
  Label->SetShowAccelChar(true);
  Label->SetWordWrap(true);
  Label->SetWidth(40);
  Label->SetCaption("one two three four");
  EXPECT_GT(Label->Height(), 20);
}

// Every character goes through the clipboard as it is, those past U+FFFF
// and the C1 controls included (the code page the platform once used had no
// character for five of them).
TEST(ClipboardTest, TextFormatAndRoundTripOfAnyCharacter) {
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  const std::string Text = "café € 東京 👍🏽 \u0081\u008D\u008F\u0090\u009D";
  Clipboard()->SetAsText(Text);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), Text);
  // Bytes that are no UTF-8 arrive as replacement characters.
  Clipboard()->SetAsText("a\xFF");
  EXPECT_EQ(Clipboard()->AsText(), "a\uFFFD");
}

} // namespace
