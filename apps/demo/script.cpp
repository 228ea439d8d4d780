// Reading scripts and playing them against a form.
#include "apps/demo/script.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <thread>

#include "btnedit/btnedit.h"
#include "btnedit/dbbtnedit.h"
#include "vcl/dialogs.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

namespace Demo {

using namespace vcl;

// ---------------------------------------------------------------------------
// Reading

namespace {

struct TKeyName {
  const char* Name;
  Word Key;
};

constexpr TKeyName KeyNames[] = {
    {"Tab", VK_TAB},       {"Return", VK_RETURN}, {"Enter", VK_RETURN},   {"Escape", VK_ESCAPE},
    {"Esc", VK_ESCAPE},    {"Space", VK_SPACE},   {"BackSpace", VK_BACK}, {"Back", VK_BACK},
    {"Delete", VK_DELETE}, {"Del", VK_DELETE},    {"Insert", VK_INSERT},  {"Home", VK_HOME},
    {"End", VK_END},       {"Left", VK_LEFT},     {"Right", VK_RIGHT},    {"Up", VK_UP},
    {"Down", VK_DOWN},     {"PageUp", VK_PRIOR},  {"Prior", VK_PRIOR},    {"PageDown", VK_NEXT},
    {"Next", VK_NEXT},
};

// Splits off the first blank-separated word of S.
std::string FirstWord(std::string& S) {
  S = Trim(S);
  const auto End = S.find_first_of(" \t");
  std::string Word = S.substr(0, End);
  S = End == std::string::npos ? std::string() : S.substr(End + 1);
  return Word;
}

bool ToInt(const std::string& S, int& Value) {
  return TryStrToInt(S, Value) && !S.empty() && S[0] != '$';
}

// The rest of a line as text: as written, or, when it starts and ends with
// a double quote, what stands between them with \" and \\ read as " and \.
std::string TextArgument(const std::string& Rest) {
  const std::string S = Trim(Rest);
  if (S.size() < 2 || S.front() != '"' || S.back() != '"')
    return S;
  std::string Text;
  for (std::size_t I = 1; I + 1 < S.size(); ++I) {
    if (S[I] == '\\' && I + 2 < S.size() && (S[I + 1] == '"' || S[I + 1] == '\\'))
      ++I;
    Text += S[I];
  }
  return Text;
}

[[noreturn]] void Malformed(int Line, const std::string& Why) {
  throw EScriptError(Format("Line %d: %s", {Line, Why}));
}

TScriptStep ParseStep(int Line, const std::string& Source) {
  TScriptStep Step;
  Step.Line = Line;
  Step.Source = Trim(Source);
  std::string Rest = Source;
  const std::string Command = LowerCase(FirstWord(Rest));
  auto NeedTarget = [&] {
    Step.Target = FirstWord(Rest);
    if (Step.Target.empty())
      Malformed(Line, Command + " needs the name of a control");
  };
  if (Command == "focus" || Command == "button" || Command == "focused") {
    Step.Kind = Command == "focus" ? skFocus : Command == "button" ? skButton : skFocused;
    NeedTarget();
  } else if (Command == "click" || Command == "dblclick" || Command == "hover") {
    Step.Kind = Command == "click" ? skClick : Command == "dblclick" ? skDblClick : skHover;
    NeedTarget();
    if (!Trim(Rest).empty()) {
      const std::string X = FirstWord(Rest), Y = FirstWord(Rest);
      if (!ToInt(X, Step.X) || !ToInt(Y, Step.Y) || !Trim(Rest).empty())
        Malformed(Line, Command + " takes a control and an optional point X Y");
      Step.HasPoint = true;
    }
  } else if (Command == "type" || Command == "paste") {
    Step.Kind = Command == "type" ? skType : skPaste;
    Step.Text = TextArgument(Rest);
  } else if (Command == "key") {
    Step.Kind = skKey;
    for (std::string Name = FirstWord(Rest); !Name.empty(); Name = FirstWord(Rest)) {
      TKeyStroke Stroke;
      if (!ParseKeyName(Name, Stroke))
        Malformed(Line, "unknown key '" + Name + "'");
      Step.Keys.push_back(Stroke);
    }
    if (Step.Keys.empty())
      Malformed(Line, "key needs at least one key");
  } else if (Command == "wait") {
    Step.Kind = skWait;
    if (!ToInt(Trim(Rest), Step.Millis) || Step.Millis < 0)
      Malformed(Line, "wait takes a number of milliseconds");
  } else if (Command == "shot") {
    Step.Kind = skShot;
    Step.Text = TextArgument(Rest);
    if (Step.Text.empty())
      Malformed(Line, "shot needs a file name");
  } else if (Command == "expect") {
    Step.Kind = skExpect;
    NeedTarget();
    std::string Expected = Trim(Rest);
    Step.Contains = !Expected.empty() && Expected[0] == '~';
    if (Step.Contains)
      Expected.erase(0, 1);
    Step.Text = TextArgument(Expected);
  } else {
    Malformed(Line, "unknown step '" + Command + "'");
  }
  return Step;
}

} // namespace

bool ParseKeyName(const std::string& Name, TKeyStroke& Stroke) {
  Stroke = {};
  std::string Rest = Name;
  for (;;) {
    const auto Plus = Rest.find('+');
    if (Plus == std::string::npos || Plus + 1 == Rest.size())
      break;
    const std::string Modifier = LowerCase(Rest.substr(0, Plus));
    if (Modifier == "shift")
      Stroke.Shift.Include(ssShift);
    else if (Modifier == "ctrl")
      Stroke.Shift.Include(ssCtrl);
    else if (Modifier == "alt")
      Stroke.Shift.Include(ssAlt);
    else
      return false;
    Rest.erase(0, Plus + 1);
  }
  if (Rest.size() == 1 && std::isalnum(static_cast<unsigned char>(Rest[0]))) {
    Stroke.Key = static_cast<Word>(std::toupper(static_cast<unsigned char>(Rest[0])));
    return true;
  }
  for (const TKeyName& K : KeyNames)
    if (CompareText(Rest, K.Name) == 0) {
      Stroke.Key = K.Key;
      return true;
    }
  int F = 0;
  if (Rest.size() >= 2 && (Rest[0] == 'F' || Rest[0] == 'f') && ToInt(Rest.substr(1), F) &&
      F >= 1 && F <= 12) {
    Stroke.Key = static_cast<Word>(VK_F1 + F - 1);
    return true;
  }
  return false;
}

std::vector<TScriptStep> ParseScript(const std::string& Text) {
  std::vector<TScriptStep> Steps;
  std::istringstream In(Text);
  std::string Source;
  for (int Line = 1; std::getline(In, Source); ++Line) {
    if (!Source.empty() && Source.back() == '\r')
      Source.pop_back();
    const std::string S = Trim(Source);
    if (S.empty() || S[0] == '#')
      continue;
    Steps.push_back(ParseStep(Line, Source));
  }
  return Steps;
}

std::vector<TScriptStep> LoadScript(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In)
    throw EScriptError("Cannot read the script " + FileName);
  return ParseScript(std::string(std::istreambuf_iterator<char>(In), {}));
}

// ---------------------------------------------------------------------------
// Pictures

namespace {

// Draws Image onto Target with its top-left corner at (X, Y), clipped.
void Blit(TPixelBuffer& Target, const TPixelBuffer& Image, int X, int Y) {
  for (int Row = 0; Row < Image.Height(); ++Row) {
    if (Y + Row < 0 || Y + Row >= Target.Height())
      continue;
    const std::uint32_t* From = Image.Line(Row);
    std::uint32_t* To = Target.Line(Y + Row);
    for (int Col = 0; Col < Image.Width(); ++Col)
      if (X + Col >= 0 && X + Col < Target.Width())
        To[X + Col] = From[Col];
  }
}

} // namespace

TPixelBuffer PictureOfForms(TCustomForm* Form) {
  TPixelBuffer Picture;
  if (Application->HasDisplay() && GrabScreenImage(Picture))
    return Picture;
  Form->PaintTo(Picture);
  // Later forms stand in front; each is centred over Form, as forms that
  // open in the middle of the screen stand over a main form in its middle.
  for (int I = 0; I < Screen->FormCount(); ++I) {
    TCustomForm* Other = Screen->Forms(I);
    if (Other == Form || !Other->Visible())
      continue;
    TPixelBuffer Image;
    Other->PaintTo(Image);
    Blit(Picture, Image, (Picture.Width() - Image.Width()) / 2,
         (Picture.Height() - Image.Height()) / 2);
  }
  return Picture;
}

// ---------------------------------------------------------------------------
// Playing

namespace {

// How a control reads to the log and to expectations: an edit's text, a
// label's or a panel's caption.
std::string TextOf(TComponent* Component) {
  if (auto* Control = dynamic_cast<TControl*>(Component))
    return Control->Caption();
  return std::string();
}

std::string Quoted(const std::string& S) {
  return "\"" + S + "\"";
}

std::string FocusText() {
  TCustomForm* Active = Screen->ActiveForm();
  TWinControl* Focused = Active ? Active->FocusedControl() : nullptr;
  if (!Focused)
    return "nothing";
  return (Focused->Name().empty() ? Focused->ClassName() : Focused->Name()) + " " +
         Quoted(TextOf(Focused));
}

} // namespace

TScriptPlayer::TScriptPlayer(TCustomForm* Form, std::ostream& Log,
                             std::function<std::string()> Status)
    : FForm(Form), FLog(Log), FStatus(std::move(Status)) {
  if (!Application->HasDisplay())
    FClock = std::make_unique<testing::TTimerClock>();
  FPreviousModal = SetModalHandler([this](TCustomForm* Dialog) {
    PlayUntilClosed(Dialog);
    return Dialog->ModalResult() == mrNone ? mrCancel : mrNone;
  });
  FPreviousBox = SetMessageDlgHandler(
      [this](const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
        std::string OneLine = Msg;
        std::replace(OneLine.begin(), OneLine.end(), '\r', ' ');
        FLog << "    box: " << Quoted(OneLine) << "\n";
        return ShowMessageDialog(Msg, DlgType, Buttons, HelpCtx);
      });
}

TScriptPlayer::~TScriptPlayer() {
  SetModalHandler(FPreviousModal);
  SetMessageDlgHandler(FPreviousBox);
}

bool TScriptPlayer::Play(const std::vector<TScriptStep>& Steps) {
  FSteps = &Steps;
  FNext = 0;
  FOk = true;
  Refresh();
  while (FNext < Steps.size())
    Run(Steps[FNext++]);
  FSteps = nullptr;
  FLog << (FOk ? "script done\n" : "script FAILED\n");
  FLog.flush();
  return FOk;
}

void TScriptPlayer::PlayUntilClosed(TCustomForm* Dialog) {
  FLog << "    dialog " << Quoted(Dialog->Caption()) << " opens\n";
  Refresh();
  while (Dialog->ModalResult() == mrNone && FSteps && FNext < FSteps->size())
    Run((*FSteps)[FNext++]);
  if (Dialog->ModalResult() == mrNone)
    FLog << "    the script ended with " << Quoted(Dialog->Caption()) << " open: cancelled\n";
  else
    FLog << "    dialog " << Quoted(Dialog->Caption()) << " closes\n";
}

void TScriptPlayer::Run(const TScriptStep& Step) {
  FLog << "[" << Step.Line << "] " << Step.Source << "\n";
  const std::string Before = FStatus ? FStatus() : std::string();
  try {
    if (Step.Kind == skExpect || Step.Kind == skFocused)
      Expect(Step);
    else
      Act(Step);
  } catch (const std::exception& E) {
    Fail(E.what());
  }
  Refresh();
  if (Step.Kind == skExpect || Step.Kind == skFocused || Step.Kind == skWait || Step.Kind == skShot)
    return;
  FLog << "    focus: " << FocusText() << "\n";
  if (FStatus && FStatus() != Before)
    FLog << "    status: " << Quoted(FStatus()) << "\n";
}

void TScriptPlayer::Act(const TScriptStep& Step) {
  switch (Step.Kind) {
  case skFocus:
    if (!testing::MoveFocus(FindAs<TWinControl>(Step)))
      FLog << "    the focus did not move\n";
    break;
  case skClick:
  case skDblClick:
  case skHover: {
    auto* Control = FindAs<TControl>(Step);
    const TRect R = Control->ClientRect();
    const int X = Step.HasPoint ? Step.X : R.Right / 2;
    const int Y = Step.HasPoint ? Step.Y : R.Bottom / 2;
    if (Step.Kind == skClick)
      testing::ClickAt(Control, X, Y);
    else if (Step.Kind == skDblClick)
      testing::DoubleClickAt(Control, X, Y);
    else
      testing::MouseMoveTo(Control, X, Y);
    break;
  }
  case skButton: {
    // Button edits come in two families: on the plain edit and, bound to a
    // field, on the masked edit.
    auto* Edit = FindAs<TWinControl>(Step);
    if (auto* Bound = dynamic_cast<BtnEdit::TDBBtnEdit*>(Edit))
      testing::Click(Bound->Button());
    else
      testing::Click(FindAs<BtnEdit::TCustomBtnEdit>(Step)->Button());
    break;
  }
  case skType:
    testing::TypeText(Step.Text);
    break;
  case skKey:
    for (const TKeyStroke& K : Step.Keys)
      testing::PressKey(K.Key, K.Shift);
    break;
  case skPaste:
    testing::PasteText(Step.Text);
    break;
  case skWait:
    Wait(Step.Millis);
    break;
  case skShot:
    Shot(Step.Text);
    break;
  case skExpect:
  case skFocused:
    break;
  }
}

void TScriptPlayer::Expect(const TScriptStep& Step) {
  if (Step.Kind == skFocused) {
    auto* Control = FindAs<TWinControl>(Step);
    if (!Control->Focused())
      Fail(Step.Target + " does not have the focus; " + FocusText() + " has it");
    return;
  }
  const std::string Actual = TextOf(FindAs<TComponent>(Step));
  const bool Held =
      Step.Contains ? Actual.find(Step.Text) != std::string::npos : Actual == Step.Text;
  if (!Held)
    Fail(Step.Target + " reads " + Quoted(Actual) + ", not " + (Step.Contains ? "~" : "") +
         Quoted(Step.Text));
}

void TScriptPlayer::Wait(int Millis) {
  if (!Application->HasDisplay()) {
    FClock->Advance(static_cast<unsigned>(Millis));
    return;
  }
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Millis);
  while (std::chrono::steady_clock::now() < Until) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void TScriptPlayer::Shot(const std::string& FileName) {
  PictureOfForms(FForm).SaveToPng(FileName);
  FLog << "    picture " << FileName << "\n";
}

void TScriptPlayer::Refresh() {
  for (int I = 0; I < Screen->FormCount(); ++I)
    if (Screen->Forms(I)->Visible())
      Screen->Forms(I)->Flush();
  Application->ProcessMessages();
}

TComponent* TScriptPlayer::Find(const std::string& Name, bool Anywhere) const {
  // A user acts on the active form only (a dialog while one is open), but
  // may read every form on the screen.
  TCustomForm* Active = Screen->ActiveForm() ? Screen->ActiveForm() : FForm;
  if (TComponent* Found = Active->FindComponent(Name))
    return Found;
  return Anywhere ? FForm->FindComponent(Name) : nullptr;
}

template <typename T> T* TScriptPlayer::FindAs(const TScriptStep& Step) const {
  const bool Reading = Step.Kind == skExpect || Step.Kind == skFocused;
  TComponent* Found = Find(Step.Target, Reading);
  if (!Found)
    throw EScriptError("no control is named " + Step.Target +
                       (Reading ? std::string() : " on the active form"));
  auto* Result = dynamic_cast<T*>(Found);
  if (!Result)
    throw EScriptError(Step.Target + " is a " + Found->ClassName() + ", which cannot do that");
  return Result;
}

void TScriptPlayer::Fail(const std::string& Why) {
  FOk = false;
  FLog << "    FAILED: " << Why << "\n";
}

} // namespace Demo
