// The test helpers of vcl/testing.h.
#include "vcl/testing.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "vcl/clipbrd.h"
#include "vcl/controls/detail/guistate.h"
#include "vcl/menus.h"
#include "vcl/windows/detail/timers.h"

namespace vcl::testing {

namespace {

constexpr char Unshifted[] = "`1234567890-=[]\\;',./";
constexpr char Shifted[] = "~!@#$%^&*()_+{}|:\"<>?";
constexpr Word PunctuationKeys[] = {0xC0, '1',  '2',  '3',  '4',  '5',  '6',  '7',  '8',  '9', '0',
                                    0xBD, 0xBB, 0xDB, 0xDD, 0xDC, 0xBA, 0xDE, 0xBC, 0xBE, 0xBF};

// The key (and Shift) that types Ch on a US keyboard; 0 for characters it
// has no key for (an input method or a keyboard of another language types
// those).
Word KeyFor(char32_t Ch, bool& Shift) {
  Shift = false;
  if (Ch >= 0x80)
    return 0;
  const auto C = static_cast<unsigned char>(Ch);
  if (std::isupper(C)) {
    Shift = true;
    return C;
  }
  if (std::islower(C))
    return static_cast<Word>(std::toupper(C));
  if (C == ' ')
    return VK_SPACE;
  if (const char* P = std::strchr(Unshifted, C); P && C)
    return PunctuationKeys[P - Unshifted];
  if (const char* P = std::strchr(Shifted, C); P && C) {
    Shift = true;
    return PunctuationKeys[P - Shifted];
  }
  return 0;
}

// The character a key makes, as the keyboard layout would translate it.
std::string CharFor(Word Key, TShiftState Shift) {
  const bool Up = Shift.Contains(ssShift);
  if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt))
    return Key >= 'A' && Key <= 'Z' ? std::string(1, static_cast<char>(Key - 'A' + 1)) : "";
  if (Key >= 'A' && Key <= 'Z')
    return std::string(1, static_cast<char>(Up ? Key : std::tolower(Key)));
  switch (Key) {
  case VK_SPACE:
    return " ";
  case VK_BACK:
    return "\b";
  case VK_RETURN:
    return "\r";
  case VK_ESCAPE:
    return "\x1b";
  case VK_TAB:
    return "\t";
  default:
    break;
  }
  for (std::size_t I = 0; I < std::size(PunctuationKeys); ++I)
    if (PunctuationKeys[I] == Key)
      return std::string(1, Up ? Shifted[I] : Unshifted[I]);
  return "";
}

TCustomForm* ActiveForm() {
  TCustomForm* Form = Screen->ActiveForm();
  if (!Form)
    throw EInvalidOperation("No active form to send input to");
  return Form;
}

} // namespace

void StartHeadless() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Application->Initialize(true);
}

int BeepCount() {
  return detail::GuiState().Beeps;
}

void ShowForm(TCustomForm* Form) {
  Form->Show();
  Form->Activate();
}

void TypeText(const std::string& Text) {
  for (const char32_t Ch : Utf8Decode(Text)) {
    bool Shift;
    const Word Key = KeyFor(Ch, Shift);
    const TShiftState State = Shift ? TShiftState{ssShift} : TShiftState{};
    Application->HandleInput([&] { ActiveForm()->KeyInput(true, Key, State, Utf8Encode(Ch)); });
    Application->HandleInput([&] { ActiveForm()->KeyInput(false, Key, State, ""); });
  }
}

void PressKey(Word Key, TShiftState Shift) {
  Application->HandleInput([&] { ActiveForm()->KeyInput(true, Key, Shift, CharFor(Key, Shift)); });
  Application->HandleInput([&] { ActiveForm()->KeyInput(false, Key, Shift, ""); });
  SetKeyboardShiftState({});
}

void PasteText(const std::string& Text) {
  Clipboard()->SetAsText(Text);
  PressKey('V', {ssCtrl});
}

bool MoveFocus(TWinControl* Control) {
  if (!Control->CanFocus())
    return false;
  Application->HandleInput([Control] { Control->SetFocus(); });
  return Control->Focused();
}

namespace {

// Control's form, and (X, Y) of Control's client area in the form's.
TCustomForm* FormPoint(TControl* Control, int& X, int& Y) {
  TCustomForm* Form = GetParentForm(Control);
  if (!Form)
    throw EInvalidOperation("The control is not on a form");
  const TPoint Origin = Control->ClientOrigin();
  const TPoint FormOrigin = Form->ClientOrigin();
  X += Origin.X - FormOrigin.X;
  Y += Origin.Y - FormOrigin.Y;
  return Form;
}

// Sends mouse messages to Control's form at (X, Y) of Control's client area.
void MouseAt(TControl* Control, int X, int Y, std::initializer_list<unsigned> Messages) {
  TCustomForm* Form = FormPoint(Control, X, Y);
  for (unsigned Msg : Messages) {
    TShiftState Buttons;
    if (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK)
      Buttons = {ssLeft};
    else if (Msg == WM_RBUTTONDOWN)
      Buttons = {ssRight};
    Application->HandleInput([&] { Form->MouseInput(Msg, Buttons, X, Y); });
  }
}

} // namespace

void Click(TControl* Control) {
  const TRect R = Control->ClientRect();
  ClickAt(Control, R.Right / 2, R.Bottom / 2);
}

void ClickAt(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_LBUTTONDOWN, WM_LBUTTONUP});
}

void DoubleClickAt(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
}

void MouseDownAt(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_LBUTTONDOWN});
}

void MouseMoveTo(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_MOUSEMOVE});
}

void MouseUpAt(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_LBUTTONUP});
}

void WheelAt(TControl* Control, int X, int Y, int Notches) {
  TCustomForm* Form = FormPoint(Control, X, Y);
  Application->HandleInput([&] { Form->WheelInput(Notches * 120, {}, X, Y); });
}

void DragAndDrop(TControl* Source, int X, int Y, TControl* Target, int TX, int TY) {
  MouseDownAt(Source, X, Y);
  MouseMoveTo(Target, TX, TY);
  MouseMoveTo(Target, TX, TY);
  MouseUpAt(Target, TX, TY);
}

void RightClick(TControl* Control) {
  const TRect R = Control->ClientRect();
  RightClickAt(Control, R.Right / 2, R.Bottom / 2);
}

void RightClickAt(TControl* Control, int X, int Y) {
  MouseAt(Control, X, Y, {WM_RBUTTONDOWN, WM_RBUTTONUP});
}

namespace {
TMenuItem* FindShown(TMenuItem* Parent, const std::string& Caption) {
  for (int I = 0; I < Parent->Count(); ++I) {
    TMenuItem* Item = Parent->Items(I);
    if (!IsRectEmpty(OpenMenuItemRect(Item)) && Parent->Find(Caption) == Item)
      return Item;
    if (TMenuItem* Found = FindShown(Item, Caption))
      return Found;
  }
  return nullptr;
}
} // namespace

bool ClickMenuItem(const std::string& Caption) {
  TPopupMenu* Menu = OpenPopupMenu();
  TMenuItem* Item = Menu ? FindShown(Menu->Items(), Caption) : nullptr;
  if (!Item)
    return false;
  const TRect R = OpenMenuItemRect(Item);
  const int X = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
  TCustomForm* Form = OpenMenuForm();
  Application->HandleInput([&] {
    Form->MouseInput(WM_MOUSEMOVE, {}, X, Y);
    Form->MouseInput(WM_LBUTTONDOWN, {ssLeft}, X, Y);
    Form->MouseInput(WM_LBUTTONUP, {}, X, Y);
  });
  return true;
}

TMessageBoxRecorder::TMessageBoxRecorder(int Answer) : FAnswer(Answer) {
  FPrevious = SetMessageDlgHandler(
      [this](const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
        FBoxes.push_back({Msg, DlgType, Buttons, HelpCtx});
        return FAnswer;
      });
}

TMessageBoxRecorder::~TMessageBoxRecorder() {
  SetMessageDlgHandler(FPrevious);
}

void AnswerNextModal(std::function<TModalResult(TCustomForm* Form)> Handler) {
  auto Previous = std::make_shared<TModalHandler>();
  *Previous = SetModalHandler([Handler, Previous](TCustomForm* Form) {
    // Hand later modal forms back before answering: the answer may open one.
    SetModalHandler(*Previous);
    return Handler(Form);
  });
}

THelpRecorder::THelpRecorder() {
  FPrevious = Application->OnHelp;
  Application->OnHelp = [this](Word, std::intptr_t Data, bool& CallHelp) {
    FContexts.push_back(static_cast<int>(Data));
    CallHelp = false;
    return true;
  };
}

THelpRecorder::~THelpRecorder() {
  Application->OnHelp = FPrevious;
}

TFixedClock::TFixedClock(TDateTime Now) {
  FPrevious = SetNowFunction([Now] { return Now; });
}

TFixedClock::~TFixedClock() {
  SetNowFunction(FPrevious);
}

TTimerClock::TTimerClock() : FNow(detail::Ticks()) {
  FPrevious = detail::SetTickSource([this] { return FNow; });
}

TTimerClock::~TTimerClock() {
  detail::SetTickSource(FPrevious);
}

void TTimerClock::Advance(unsigned Milliseconds) {
  const std::int64_t Until = FNow + Milliseconds;
  std::int64_t Due;
  while (detail::NextTimerDue(Due) && Due <= Until) {
    FNow = std::max(FNow, Due);
    detail::RunDueTimers();
  }
  FNow = Until;
}

TPixelBuffer PaintForm(TCustomForm* Form) {
  return Form->RenderClient();
}

TColor PixelAt(TControl* Control, int X, int Y) {
  TCustomForm* Form = GetParentForm(Control);
  if (!Form)
    return clNone;
  const TPixelBuffer& Image = Form->RenderClient();
  const TPoint O = Control->ClientOrigin();
  const TPoint F = Form->ClientOrigin();
  return Image.Pixel(O.X - F.X + X, O.Y - F.Y + Y);
}

} // namespace vcl::testing
