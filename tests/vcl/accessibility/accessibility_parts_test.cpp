// What a screen reader reads below the controls: how an edit's text
// changed, where its characters are drawn, a calendar's days as a table
// with the date's day selected, and the items of an edit's context menu
// while it is open.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "vcl/accessibility.h"
#include "vcl/comctrls.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

TEST(AccessibleTextChange, KeepsWhatTheTextsShare) {
  struct Row {
    const char* Old;
    const char* New;
    int Position;
    const char* Removed;
    const char* Inserted;
  };
  const Row Rows[] = {
      {"Ann", "Anne", 3, "", "e"},                   // typed at the end
      {"Anne", "Ane", 2, "n", ""},                   // a Backspace inside
      {"Ann", "Anna", 3, "", "a"},                   // the repeated letter is not mistaken
      {"12.50", "12.75", 3, "50", "75"},             // a selection typed over
      {"aa", "aaa", 2, "", "a"},                     // a run: the change goes last
      {"x\U0001F600y", "x\U0001F600zy", 2, "", "z"}, // positions count characters
      {"cafe", "cafe\u0301", 4, "", "\u0301"},       // a combining mark is a character
      {"same", "same", 4, "", ""},
      {"", "new", 0, "", "new"},
  };
  for (const Row& R : Rows) {
    const TAccessibleTextChange C = AccessibleTextChange(R.Old, R.New);
    EXPECT_EQ(C.Position, R.Position) << R.Old << " -> " << R.New;
    EXPECT_EQ(C.Removed, R.Removed) << R.Old << " -> " << R.New;
    EXPECT_EQ(C.Inserted, R.Inserted) << R.Old << " -> " << R.New;
  }
}

class PartsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(100, 50, 320, 260);
    Edit = vt::Place<TEdit>(Form, 10, 10, 120, 21);
    Calendar = vt::Place<TCalendar>(Form, 10, 40, 210, 150);
    Previous = SetAccessibleListener(
        [this](TControl* C, TAccessibleEvent E) { Events.emplace_back(C, E); });
    vt::ShowForm(Form);
  }
  void TearDown() override {
    CloseOpenMenu();
    SetAccessibleListener(std::move(Previous));
    delete Form;
  }
  bool Heard(TControl* Control, TAccessibleEvent Event) const {
    for (const auto& [C, E] : Events)
      if (C == Control && E == Event)
        return true;
    return false;
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TCalendar* Calendar = nullptr;
  TAccessibleListener Previous;
  std::vector<std::pair<TControl*, TAccessibleEvent>> Events;
};

// Each character's box lies right of the one before, inside the edit, and
// the character found at a box's middle is that character.
TEST_F(PartsTest, CharactersAreFoundWhereTheyAreDrawn) {
  Edit->SetTextBuf("Wim\u00E9");
  const TRect Box = AccessibleBoundsOf(Edit);
  int Right = Box.Left;
  for (int I = 0; I < 4; ++I) {
    const TRect R = AccessibleCharacterBoundsOf(Edit, I);
    ASSERT_FALSE(IsRectEmpty(R)) << I;
    EXPECT_GE(R.Left, Right) << I;
    EXPECT_LE(R.Right, Box.Right) << I;
    EXPECT_GT(R.Top, Box.Top) << I;
    EXPECT_LT(R.Bottom, Box.Bottom) << I;
    Right = R.Right;
    EXPECT_EQ(AccessibleOffsetAt(Edit, {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}), I);
  }
  EXPECT_TRUE(IsRectEmpty(AccessibleCharacterBoundsOf(Edit, 4)));
  EXPECT_TRUE(IsRectEmpty(AccessibleCharacterBoundsOf(Edit, -1)));
  EXPECT_EQ(AccessibleOffsetAt(Edit, {Right + 20, Box.Top + 10}), -1) << "past the text";
  EXPECT_EQ(AccessibleOffsetAt(Calendar, {Box.Left + 5, Box.Top + 10}), -1);
}

// A scrolled edit's first characters are out of its window.
TEST_F(PartsTest, ScrolledOutCharactersAreNotFound) {
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TypeText(std::string(60, 'x'));
  const TRect First = AccessibleCharacterBoundsOf(Edit, 0);
  EXPECT_LT(First.Left, AccessibleBoundsOf(Edit).Left);
  EXPECT_EQ(AccessibleOffsetAt(Edit, {First.Left + 1, First.Top + 2}), -1);
  const TRect Last = AccessibleCharacterBoundsOf(Edit, 59);
  EXPECT_EQ(AccessibleOffsetAt(Edit, {Last.Left + 1, Last.Top + 2}), 59);
}

TEST_F(PartsTest, TheCalendarIsATableOfDaysWithTheDateSelected) {
  Calendar->SetCalendarDate(EncodeDate(2026, 3, 15));
  TAccessibleTable T;
  ASSERT_TRUE(AccessibleTableOf(Calendar, T));
  EXPECT_FALSE(AccessibleTableOf(Edit, T));
  ASSERT_TRUE(AccessibleTableOf(Calendar, T));
  EXPECT_EQ(T.Columns, 7);
  EXPECT_EQ(T.Rows, 6);
  ASSERT_EQ(T.Cells.size(), 42u);
  const int Start = Calendar->StartOfWeek();
  for (int Col = 0; Col < 7; ++Col)
    EXPECT_EQ(T.ColumnHeaders[Col], ShortDayNames[(Start + Col) % 7]);
  std::vector<std::string> Selected, Days;
  for (const TAccessibleItem& Cell : T.Cells) {
    if (Cell.States.Contains(asSelected))
      Selected.push_back(Cell.Name);
    if (!Cell.Name.empty())
      Days.push_back(Cell.Name);
    EXPECT_FALSE(Cell.States.Contains(asFocused)) << "the calendar is not focused";
  }
  EXPECT_EQ(Selected, std::vector<std::string>{"15"});
  ASSERT_EQ(Days.size(), 31u);
  EXPECT_EQ(Days.front(), "1");
  EXPECT_EQ(Days.back(), "31");

  // The keys move the selection and say so; the focused calendar's day is focused.
  ASSERT_TRUE(vt::MoveFocus(Calendar));
  Events.clear();
  vt::PressKey(VK_DOWN);
  EXPECT_TRUE(Heard(Calendar, aeSelection));
  ASSERT_TRUE(AccessibleTableOf(Calendar, T));
  for (const TAccessibleItem& Cell : T.Cells)
    if (Cell.States.Contains(asSelected)) {
      EXPECT_EQ(Cell.Name, "22");
      EXPECT_TRUE(Cell.States.Contains(asFocused));
      const TRect R = Cell.Bounds;
      EXPECT_TRUE(PtInRect(AccessibleBoundsOf(Calendar), {R.Left + 1, R.Top + 1}));
    }
}

std::vector<std::string> Names(const std::vector<TAccessibleItem>& Items) {
  std::vector<std::string> Out;
  for (const TAccessibleItem& A : Items)
    Out.push_back(A.Name);
  return Out;
}

TEST_F(PartsTest, TheEditsContextMenuIsReadAndChosenFrom) {
  Edit->SetTextBuf("Hello");
  ASSERT_TRUE(vt::MoveFocus(Edit));
  EXPECT_TRUE(AccessibleMenuOf(Form).empty());
  Events.clear();
  vt::PressKey(VK_APPS);
  EXPECT_TRUE(Heard(Form, aeMenuStart));
  const std::vector<TAccessibleItem> Items = AccessibleMenuOf(Form);
  EXPECT_EQ(Names(Items),
            (std::vector<std::string>{"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}));
  EXPECT_TRUE(Items[0].States.Contains(asDisabled)) << "nothing to undo";
  EXPECT_FALSE(Items[5].States.Contains(asDisabled));
  EXPECT_TRUE(AccessibleMenuOf(Edit).empty()) << "the menu hangs from the form";
  const TRect Box = AccessibleBoundsOf(Form);
  for (const TAccessibleItem& A : Items)
    EXPECT_TRUE(PtInRect(Box, {A.Bounds.Left, A.Bounds.Top})) << A.Name;

  Events.clear();
  vt::PressKey(VK_UP); // wraps round to the last enabled item
  EXPECT_TRUE(Heard(Form, aeMenuSelection));
  EXPECT_TRUE(AccessibleMenuOf(Form)[5].States.Contains(asSelected));

  EXPECT_FALSE(ChooseAccessibleMenuItem(Form, 0)) << "Undo is disabled";
  EXPECT_FALSE(ChooseAccessibleMenuItem(Form, 6));
  Events.clear();
  EXPECT_TRUE(ChooseAccessibleMenuItem(Form, 5));
  EXPECT_TRUE(Heard(Form, aeMenuEnd));
  EXPECT_TRUE(AccessibleMenuOf(Form).empty());
  EXPECT_EQ(Edit->SelLength(), 5) << "Select All ran";
  EXPECT_FALSE(ChooseAccessibleMenuItem(Form, 5)) << "the menu is closed";
}

} // namespace
