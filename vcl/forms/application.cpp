// TApplication and TScreen: starting the platform, the event loop, help
// requests, failures of input handling, deferred freeing of released forms,
// and the list of forms with the active one.
#include <algorithm>

#include "vcl/forms.h"
#include "vcl/windows/detail/backend.h"

namespace vcl {

TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  FreeReleasedForms();
}

void TApplication::Initialize(bool Headless) {
  Start(Headless, nullptr, nullptr);
}

void TApplication::Initialize(int& Argc, char** Argv, bool Headless) {
  Start(Headless, &Argc, Argv);
}

void TApplication::Start(bool Headless, int* Argc, char** Argv) {
  if (backend::PlatformStarted())
    return;
  backend::StartPlatform(Headless, Argc, Argv);
  // Headless, a modal form asks the modal handler, so a test can log in.
  SetLoginDlgHandler(ShowLoginDialog);
  if (backend::HasDisplay())
    SetMessageDlgHandler(ShowMessageDialog);
}

bool TApplication::Initialized() const {
  return backend::PlatformStarted();
}

bool TApplication::HasDisplay() const {
  return backend::PlatformStarted() && backend::HasDisplay();
}

int TApplication::Run() {
  if (!HasDisplay()) {
    MessageDlg("There is no display to show the application on.", mtError, {mbOK}, 0);
    return 1;
  }
  if (!FMainForm)
    return 0;
  FMainForm->Show();
  while (!FTerminated && FMainForm && FMainForm->Visible())
    HandleMessage();
  return 0;
}

void TApplication::ProcessMessages() {
  if (backend::PlatformStarted())
    backend::ProcessEvents(false);
  FreeReleasedForms();
}

void TApplication::HandleMessage() {
  if (backend::PlatformStarted())
    backend::ProcessEvents(true);
  FreeReleasedForms();
}

// The platform has no help viewer of its own: OnHelp is the help system. Without
// one a request does nothing and reports that no help was shown, HelpFile or not.
bool TApplication::HelpContext(int Context) {
  FLastHelpContext = Context;
  bool CallHelp = true;
  constexpr Word HELP_CONTEXT = 1;
  return OnHelp ? OnHelp(HELP_CONTEXT, Context, CallHelp) : false;
}

void TApplication::HandleInput(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const std::exception& E) {
    HandleException(E);
  }
}

void TApplication::HandleException(const std::exception& E) {
  if (dynamic_cast<const EAbort*>(&E))
    return;
  if (OnException)
    OnException(this, E);
  else
    ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
  MessageDlg(E.what(), mtError, {mbOK}, 0);
}

void TApplication::ReleaseForm(TCustomForm* Form) {
  if (std::find(FReleased.begin(), FReleased.end(), Form) == FReleased.end())
    FReleased.push_back(Form);
}

void TApplication::FreeReleasedForms() {
  while (!FReleased.empty()) {
    TCustomForm* Form = FReleased.back();
    FReleased.pop_back();
    delete Form;
  }
}

bool GrabScreenImage(TPixelBuffer& Image) {
  return backend::PlatformStarted() && backend::HasDisplay() && backend::GrabScreen(Image);
}

// ---------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

int TScreen::Width() const {
  return backend::PlatformStarted() ? backend::ScreenSize().X : 1024;
}

int TScreen::Height() const {
  return backend::PlatformStarted() ? backend::ScreenSize().Y : 768;
}

TWinControl* TScreen::ActiveControl() const {
  return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* Form) {
  FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FForms, Form);
  if (FActiveForm == Form)
    FActiveForm = nullptr;
}

} // namespace vcl
