// The accessibility model: puts together what a control says of itself with
// what its surroundings say of it (the label that names it, the form that
// holds the focus, the parents that hide it), and carries the controls'
// change reports to the backend's one listener.
#include "vcl/accessibility.h"

#include <algorithm>

#include "vcl/accessibility/detail/spoken.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace accessibility {

std::string WithoutAccelerator(const std::string& Caption) {
  std::string Out;
  for (std::size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == '&' && I + 1 < Caption.size())
      ++I;
    else if (Caption[I] == '&')
      continue;
    Out.push_back(Caption[I]);
  }
  return Out;
}

} // namespace accessibility

using accessibility::WithoutAccelerator;

namespace {

TAccessibleListener& Listener() {
  static TAccessibleListener L;
  return L;
}

// The first label on Control's form (in creation order of the parents'
// children) whose FocusControl is Control.
TCustomLabel* LabelFor(TWinControl* Parent, const TControl* Control) {
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    TControl* Child = Parent->Controls(I);
    if (auto* Label = dynamic_cast<TCustomLabel*>(Child); Label && Label->FocusControl() == Control)
      return Label;
    if (auto* Inner = dynamic_cast<TWinControl*>(Child))
      if (TCustomLabel* Label = LabelFor(Inner, Control))
        return Label;
  }
  return nullptr;
}

// Whether the caption is the control's name: it is for the controls that
// show it as a title, not for an edit, whose "caption" is its contents.
bool CaptionNames(TAccessibleRole Role) {
  switch (Role) {
  case arWindow:
  case arAlert:
  case arDialog:
  case arGrouping:
  case arStaticText:
  case arPushButton:
  case arCheckBox:
  case arMenuItem:
    return true;
  default:
    return false;
  }
}

// A window that only holds others (a button's host inside an edit) says
// nothing itself: its children stand in its place.
bool Transparent(TControl* Control) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  return Win && Win->Parent() && Win->AccessibleRole() == arClient &&
         Win->AccessibleName().empty() && !Win->TabStop();
}

} // namespace

std::string AccessibleNameOf(TControl* Control) {
  if (!Control->AccessibleName().empty())
    return Control->AccessibleName();
  if (auto* Win = dynamic_cast<TWinControl*>(Control))
    if (TCustomForm* Form = GetParentForm(Win); Form && Form != Win)
      if (TCustomLabel* Label = LabelFor(Form, Win))
        return Label->ShowAccelChar() ? WithoutAccelerator(Label->Caption()) : Label->Caption();
  if (!CaptionNames(Control->AccessibleRole()))
    return Control->DefaultAccessibleName();
  const std::string Caption = WithoutAccelerator(Control->Caption());
  if (!Caption.empty())
    return Caption;
  // A button showing only a picture is known by its tool tip.
  if (Control->AccessibleRole() == arPushButton && !Control->Hint().empty())
    return Control->Hint();
  return Control->DefaultAccessibleName();
}

std::string AccessibleDescriptionOf(TControl* Control) {
  return Control->AccessibleDescription();
}

std::string AccessibleValueOf(TControl* Control) {
  TAccessibleText Text;
  return Control->GetAccessibleText(Text) ? Text.Text : std::string();
}

TAccessibleStates AccessibleStatesOf(TControl* Control) {
  TAccessibleStates States;
  Control->GetAccessibleStates(States);
  if (!Control->Showing())
    States.Include(asInvisible);
  bool Enabled = true;
  for (TControl* C = Control; C && Enabled; C = C->Parent())
    Enabled = C->Enabled();
  if (!Enabled)
    States.Include(asDisabled);
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (Win && dynamic_cast<TCustomForm*>(Win) == nullptr && Win->TabStop() && Win->CanFocus())
    States.Include(asFocusable);
  if (Win && Win->Focused())
    States.Include(asFocused);
  return States;
}

TRect AccessibleBoundsOf(TControl* Control) {
  if (auto* Form = dynamic_cast<TCustomForm*>(Control)) {
    const TPoint O = Form->ClientOrigin();
    return Bounds(O.X, O.Y, Form->ClientWidth(), Form->ClientHeight());
  }
  TPoint O{Control->Left(), Control->Top()};
  if (TWinControl* Parent = Control->Parent()) {
    const TPoint P = Parent->ClientOrigin();
    O = {P.X + O.X, P.Y + O.Y};
  }
  return Bounds(O.X, O.Y, Control->Width(), Control->Height());
}

std::vector<TControl*> AccessibleChildrenOf(TControl* Control) {
  std::vector<TControl*> Children;
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (!Win)
    return Children;
  std::vector<TWinControl*> TabList;
  Win->GetTabOrderList(TabList);
  // GetTabOrderList walks the whole tree; only the direct children belong here.
  std::vector<TControl*> Direct;
  for (TWinControl* C : TabList)
    if (C->Parent() == Win && C->Visible())
      Direct.push_back(C);
  for (int I = 0; I < Win->ControlCount(); ++I) {
    TControl* C = Win->Controls(I);
    if (C->Visible() && std::find(Direct.begin(), Direct.end(), C) == Direct.end())
      Direct.push_back(C);
  }
  for (TControl* C : Direct) {
    if (!Transparent(C)) {
      Children.push_back(C);
      continue;
    }
    const std::vector<TControl*> Inner = AccessibleChildrenOf(C);
    Children.insert(Children.end(), Inner.begin(), Inner.end());
  }
  return Children;
}

TControl* AccessibleParentOf(TControl* Control) {
  TControl* Parent = Control->Parent();
  while (Parent && Transparent(Parent))
    Parent = Parent->Parent();
  return Parent;
}

bool AccessibleTextOf(TControl* Control, TAccessibleText& Text) {
  return Control->GetAccessibleText(Text);
}

void SetAccessibleSelection(TControl* Control, int Start, int Length) {
  if (auto* Edit = dynamic_cast<TCustomEdit*>(Control)) {
    Edit->SetSelStart(Start);
    Edit->SetSelLength(Length);
  }
}

std::vector<std::string> AccessibleActionsOf(TControl* Control) {
  std::vector<std::string> Actions;
  if (Control->AccessibleRole() == arPushButton)
    Actions.push_back(PressAction);
  if (AccessibleStatesOf(Control).Contains(asFocusable))
    Actions.push_back(FocusAction);
  return Actions;
}

// An action is input as a key or the mouse would give it: a press takes the
// focus first (so that the control being left may refuse to let it go, as a
// validating edit does), and a failure goes to the application, not back to
// the accessibility service.
bool DoAccessibleAction(TControl* Control, const std::string& Action) {
  const std::vector<std::string> Offered = AccessibleActionsOf(Control);
  if (std::find(Offered.begin(), Offered.end(), Action) == Offered.end() ||
      AccessibleStatesOf(Control).Contains(asDisabled))
    return false;
  bool Done = false;
  Application->HandleInput([&] {
    auto* Win = dynamic_cast<TWinControl*>(Control);
    if (Win && AccessibleStatesOf(Win).Contains(asFocusable)) {
      Win->SetFocus();
      if (!Win->Focused())
        return;
    }
    if (Action == PressAction)
      Control->Click();
    Done = true;
  });
  return Done;
}

TAccessibleListener SetAccessibleListener(TAccessibleListener L) {
  std::swap(Listener(), L);
  return L;
}

void NotifyAccessible(TControl* Control, TAccessibleEvent Event) {
  if (Listener())
    Listener()(Control, Event);
}

} // namespace vcl
