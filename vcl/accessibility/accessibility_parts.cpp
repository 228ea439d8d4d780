// The accessibility model below the controls: the characters of an edit's
// text (how the text changed, where each character is drawn), the days of a
// calendar as a table, and the items of an open popup menu, which a screen
// reader walks as nodes although none of them is a control.
#include <algorithm>

#include "vcl/accessibility.h"
#include "vcl/accessibility/detail/spoken.h"
#include "vcl/comctrls.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

namespace vcl {

TAccessibleTextChange AccessibleTextChange(const std::string& Old, const std::string& New) {
  const std::u32string A = Utf8Decode(Old), B = Utf8Decode(New);
  std::size_t Head = 0;
  while (Head < A.size() && Head < B.size() && A[Head] == B[Head])
    ++Head;
  std::size_t Tail = 0;
  while (Tail < A.size() - Head && Tail < B.size() - Head &&
         A[A.size() - 1 - Tail] == B[B.size() - 1 - Tail])
    ++Tail;
  TAccessibleTextChange Change;
  Change.Position = static_cast<int>(Head);
  Change.Removed = Utf8Encode(std::u32string_view(A).substr(Head, A.size() - Head - Tail));
  Change.Inserted = Utf8Encode(std::u32string_view(B).substr(Head, B.size() - Head - Tail));
  return Change;
}

TRect AccessibleCharacterBoundsOf(TControl* Control, int Index) {
  auto* Edit = dynamic_cast<TCustomEdit*>(Control);
  if (!Edit)
    return {};
  TRect R = Edit->CharacterBounds(Index);
  if (IsRectEmpty(R))
    return {};
  const TPoint O = Edit->ClientOrigin();
  OffsetRect(R, O.X, O.Y);
  return R;
}

int AccessibleOffsetAt(TControl* Control, const TPoint& Screen) {
  auto* Edit = dynamic_cast<TCustomEdit*>(Control);
  if (!Edit)
    return -1;
  const TPoint O = Edit->ClientOrigin();
  return Edit->CharacterAt({Screen.X - O.X, Screen.Y - O.Y});
}

// Row 0 of the calendar's grid holds the day names: they head the columns,
// and the weeks below are the table's rows.
bool AccessibleTableOf(TControl* Control, TAccessibleTable& Table) {
  auto* Calendar = dynamic_cast<TCalendar*>(Control);
  if (!Calendar)
    return false;
  Table = {};
  Table.Columns = TCalendar::ColCount;
  Table.Rows = TCalendar::RowCount - 1;
  const TPoint O = Calendar->ClientOrigin();
  for (int Col = 0; Col < Table.Columns; ++Col)
    Table.ColumnHeaders.push_back(Calendar->CellText(Col, 0));
  for (int Row = 1; Row <= Table.Rows; ++Row)
    for (int Col = 0; Col < Table.Columns; ++Col) {
      TAccessibleItem Cell;
      Cell.Name = Calendar->CellText(Col, Row);
      Cell.Bounds = Calendar->CellRect(Col, Row);
      OffsetRect(Cell.Bounds, O.X, O.Y);
      if (const int Day = Calendar->CellDay(Col, Row); Day != 0 && Day == Calendar->Day()) {
        Cell.States.Include(asSelected);
        if (Calendar->Focused())
          Cell.States.Include(asFocused);
      }
      Table.Cells.push_back(std::move(Cell));
    }
  return true;
}

namespace {

// The items of the menu open over Form that a screen reader is told of.
std::vector<TMenuItem*> OpenMenuItems(TControl* Form) {
  std::vector<TMenuItem*> Items;
  TPopupMenu* Menu = OpenPopupMenu();
  if (!Menu || OpenMenuForm() != Form)
    return Items;
  for (int I = 0; I < Menu->Items()->Count(); ++I)
    if (TMenuItem* Item = Menu->Items()->Items(I); Item->Visible() && !Item->IsLine())
      Items.push_back(Item);
  return Items;
}

} // namespace

std::vector<TAccessibleItem> AccessibleMenuOf(TControl* Form) {
  std::vector<TAccessibleItem> Out;
  auto* F = dynamic_cast<TCustomForm*>(Form);
  if (!F)
    return Out;
  const TPoint O = F->ClientOrigin();
  for (TMenuItem* Item : OpenMenuItems(Form)) {
    TAccessibleItem A;
    A.Name = accessibility::WithoutAccelerator(Item->Caption());
    A.Bounds = OpenMenuItemRect(Item);
    OffsetRect(A.Bounds, O.X, O.Y);
    if (!Item->Enabled())
      A.States.Include(asDisabled);
    if (Item->Checked())
      A.States.Include(asChecked);
    if (Item == OpenMenuSelection())
      A.States.Include(asSelected);
    Out.push_back(std::move(A));
  }
  return Out;
}

bool ChooseAccessibleMenuItem(TControl* Form, int Index) {
  const std::vector<TMenuItem*> Items = OpenMenuItems(Form);
  if (Index < 0 || Index >= static_cast<int>(Items.size()) || !Items[Index]->Enabled())
    return false;
  TMenuItem* Item = Items[Index];
  Application->HandleInput([Item] {
    CloseOpenMenu();
    Item->Click();
  });
  return true;
}

} // namespace vcl
