// GUI platform: what a screen reader is told about the controls. Every
// control of a form answers with a role, a name, a description, a value,
// its states, its bounds on the screen and its children in tab order; an
// edit adds its text, caret and selection. The model knows nothing of the
// windowing toolkit: the backend reads it and passes it on to the system's
// accessibility service, and the controls report what changes through
// NotifyAccessible.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vcl/classes.h"
#include "vcl/windows.h"

namespace vcl {

class TControl;

enum TAccessibleRole : std::uint8_t {
  arClient,     // a control with nothing more to say about itself
  arWindow,     // a form: the frame of a top-level window
  arDialog,     // a modal form
  arGrouping,   // a panel holding other controls
  arStaticText, // a label
  arEdit,
  arPushButton,
  arCheckBox,
  arTable,
  arCell,
  arMenu,
  arMenuItem,
  arAlert
};

enum TAccessibleStateE : std::uint8_t {
  asFocused,
  asFocusable,
  asReadOnly,
  asDisabled,
  asInvalid,
  asRequired,
  asInvisible,
  asProtected, // a password: the text interface hides the characters
  asSelected,  // a calendar's day that is the date, a menu's highlighted item
  asChecked
};
using TAccessibleStates = Set<TAccessibleStateE>;

// What a control reports to the accessibility service.
enum TAccessibleEvent : std::uint8_t {
  aeFocus,              // the control took the keyboard focus
  aeNameChanged,        // its name (AccessibleName, caption, labelling label)
  aeDescriptionChanged, // its description (Hint, an error shown in place)
  aeValueChanged,       // its value or text
  aeCaretMoved,         // the caret or the selection of its text
  aeStateChanged,       // enabled, read-only, visible...
  aeDestroyed,          // the control is going: forget it
  aeSelection,          // a table's selected cell (a calendar's day) moved
  // A popup menu opened over the form, its highlighted item changed, it
  // closed (reported for the form the menu is drawn on).
  aeMenuStart,
  aeMenuSelection,
  aeMenuEnd
};

// The text of an edit as its user sees it: positions count characters from
// 0; Caret is either end of the selection.
struct TAccessibleText {
  std::string Text;
  int Caret = 0;
  int SelStart = 0;
  int SelLength = 0;
};

// How a text changed, as few characters as tell it: at Position (characters
// from 0) Removed gave way to Inserted; the start and the end the old and the
// new text share are left out. Both empty when the texts are the same.
struct TAccessibleTextChange {
  int Position = 0;
  std::string Removed;
  std::string Inserted;
};
TAccessibleTextChange AccessibleTextChange(const std::string& Old, const std::string& New);

// A part of a control that a screen reader walks as a node of its own
// without being a control: a day of a calendar, an item of an open menu.
// Bounds are on the screen.
struct TAccessibleItem {
  std::string Name;
  TRect Bounds;
  TAccessibleStates States;
};

// A grid of cells: the header of each column and the cells row by row (a
// cell without a name is blank).
struct TAccessibleTable {
  int Rows = 0;
  int Columns = 0;
  std::vector<std::string> ColumnHeaders;
  std::vector<TAccessibleItem> Cells;
};

// The role, states and text come from the control itself (TControl's
// AccessibleRole, GetAccessibleStates, GetAccessibleText); these put them
// together with what the control's surroundings say.

// AccessibleName when set, else the caption of a label whose FocusControl
// is the control (without its accelerator ampersand), else the control's own
// caption for controls whose caption names them (buttons, labels, forms);
// a button that shows only a picture is named by its Hint.
std::string AccessibleNameOf(TControl* Control);
// The control's Hint.
std::string AccessibleDescriptionOf(TControl* Control);
// What the control holds: an edit's text (a password's masked), else empty.
std::string AccessibleValueOf(TControl* Control);
TAccessibleStates AccessibleStatesOf(TControl* Control);
// The control's rectangle in screen coordinates.
TRect AccessibleBoundsOf(TControl* Control);
// The children a screen reader walks: the visible windowed children in tab
// order, then the other visible children in their z-order.
// A window that only hosts others (unnamed, not a tab stop, no role of its
// own) is left out, its children taking its place.
std::vector<TControl*> AccessibleChildrenOf(TControl* Control);
// The control whose child Control is in that tree; nullptr for a form.
TControl* AccessibleParentOf(TControl* Control);
// False for a control without a text interface.
bool AccessibleTextOf(TControl* Control, TAccessibleText& Text);
// Where the character at Index (from 0) of an edit's text is drawn on the
// screen, empty when there is none; and the character drawn at a point of
// the screen, -1 when none is.
TRect AccessibleCharacterBoundsOf(TControl* Control, int Index);
int AccessibleOffsetAt(TControl* Control, const TPoint& Screen);
// A screen reader's selection in an edit (characters from 0; the caret goes
// to its end); ignored by other controls.
void SetAccessibleSelection(TControl* Control, int Start, int Length);

// False for a control that is not a table. A calendar is one: the day names
// head its columns, the days of its month are the cells, the date's day is
// selected (and focused while the calendar is).
bool AccessibleTableOf(TControl* Control, TAccessibleTable& Table);

// The items of the popup menu open over Form (a separator line left out),
// empty when none is; the highlighted item is selected. Choosing one closes
// the menu and clicks it, as Enter on it does; false when the menu is not
// open or the item is disabled.
std::vector<TAccessibleItem> AccessibleMenuOf(TControl* Form);
bool ChooseAccessibleMenuItem(TControl* Form, int Index);

// What a screen reader may do with a control: press a button, give the
// focus to a control that takes it. Empty names: nothing.
inline constexpr const char* PressAction = "press";
inline constexpr const char* FocusAction = "setFocus";
std::vector<std::string> AccessibleActionsOf(TControl* Control);
// False when the control does not offer the action (now).
bool DoAccessibleAction(TControl* Control, const std::string& Action);

// The one listener of the backend; returns the previous one. An empty
// function leaves the events unheard.
using TAccessibleListener = std::function<void(TControl* Control, TAccessibleEvent Event)>;
TAccessibleListener SetAccessibleListener(TAccessibleListener Listener);
void NotifyAccessible(TControl* Control, TAccessibleEvent Event);

} // namespace vcl
