// Scripted sessions: a small text format of user actions (typed text, keys,
// pastes, clicks, focus moves, waits, pictures and expectations), played
// against a form and the dialogs it opens, each step written to a log.
//
// One step a line; blank lines and lines starting with # are skipped.
//
//   focus NAME           moves the focus to the control NAME
//   click NAME [X Y]     clicks the control's centre (or X, Y of its client area)
//   dblclick NAME [X Y]  double-clicks it
//   button NAME          clicks the embedded button of the button edit NAME
//   type TEXT            types TEXT into the focused control
//   key KEY...           presses keys: Tab, Shift+Tab, Return, Escape, Ctrl+Enter,
//                        Alt+Down, PageDown, Left, F2, A, Ctrl+Z, ...
//   paste TEXT           puts TEXT on the clipboard and presses Ctrl+V
//   hover NAME [X Y]     moves the mouse over the control's centre (or X, Y)
//   wait MS              lets MS milliseconds pass, handling window events
//                        (without a display the timers' clock moves on by MS,
//                        so a hint shows as it would on screen)
//   shot FILE.png        saves a picture: the screen when there is a display,
//                        else the open forms as they would stand on it
//   expect NAME TEXT     the control's text must be TEXT (~TEXT: must contain it)
//   focused NAME         the control NAME must have the focus
//
// TEXT is the rest of the line; when it starts and ends with a double quote
// the quotes are taken off, so it may start or end with blanks, and \" and
// \\ inside stand for " and \. NAME is a component of the active form (a
// dialog while one is open); expect and focused also find the components
// of the form the script plays against while a dialog covers it.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "vcl/forms.h"
#include "vcl/sysutils.h"
#include "vcl/testing.h"

namespace Demo {

// A script that cannot be read; the message names the line.
class EScriptError : public vcl::Exception {
public:
  using Exception::Exception;
};

struct TKeyStroke {
  vcl::Word Key = 0;
  vcl::TShiftState Shift;
  bool operator==(const TKeyStroke&) const = default;
};

// "Ctrl+Enter" as a key and its shift state; false for a name it does not know.
bool ParseKeyName(const std::string& Name, TKeyStroke& Stroke);

enum TStepKind : std::uint8_t {
  skFocus,
  skClick,
  skDblClick,
  skHover,
  skButton,
  skType,
  skKey,
  skPaste,
  skWait,
  skShot,
  skExpect,
  skFocused
};

struct TScriptStep {
  int Line = 0;
  std::string Source; // the line as written
  TStepKind Kind = skFocus;
  std::string Target; // the control's name
  std::string Text;   // typed, pasted or expected text; the picture's file
  bool Contains = false;
  bool HasPoint = false;
  int X = 0, Y = 0;
  int Millis = 0;
  std::vector<TKeyStroke> Keys;
};

// Reads a script; raises EScriptError for a line it cannot read.
std::vector<TScriptStep> ParseScript(const std::string& Text);
std::vector<TScriptStep> LoadScript(const std::string& FileName);

// Plays steps against a shown form. While it plays, message boxes and modal
// dialogs are shown as forms and answered by the steps that follow, so a
// script dismisses the box a refused value brings up as a user would.
class TScriptPlayer {
public:
  // Status, when given, is logged whenever a step changes it.
  TScriptPlayer(vcl::TCustomForm* Form, std::ostream& Log,
                std::function<std::string()> Status = {});
  ~TScriptPlayer();
  TScriptPlayer(const TScriptPlayer&) = delete;
  TScriptPlayer& operator=(const TScriptPlayer&) = delete;

  // True when every step ran and every expectation held.
  bool Play(const std::vector<TScriptStep>& Steps);

private:
  void PlayUntilClosed(vcl::TCustomForm* Dialog);
  void Run(const TScriptStep& Step);
  void Act(const TScriptStep& Step);
  void Expect(const TScriptStep& Step);
  void Wait(int Millis);
  void Shot(const std::string& FileName);
  void Refresh();
  vcl::TComponent* Find(const std::string& Name, bool Anywhere) const;
  template <typename T> T* FindAs(const TScriptStep& Step) const;
  void Fail(const std::string& Why);

  vcl::TCustomForm* FForm;
  std::ostream& FLog;
  std::function<std::string()> FStatus;
  const std::vector<TScriptStep>* FSteps = nullptr;
  std::size_t FNext = 0;
  bool FOk = true;
  vcl::TModalHandler FPreviousModal;
  vcl::TMessageDlgHandler FPreviousBox;
  // Without a display, time moves only as wait steps say.
  std::unique_ptr<vcl::testing::TTimerClock> FClock;
};

// The picture a person would see: with a display the screen; without one
// the open forms, the dialogs centred over Form as they open on screen.
vcl::TPixelBuffer PictureOfForms(vcl::TCustomForm* Form);

} // namespace Demo
