// A form's controls as Qt's accessibility hands them to a screen reader:
// text offsets in UTF-16 units over characters outside the basic plane and
// combining marks, characters found where they are drawn, a calendar as a
// table of days, and the edit's context menu as a menu of items one presses.
#include <QAccessible>
#include <QApplication>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "qtbridge/form_widget.h"
#include "vcl/comctrls.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

struct FormAccessibility : ::testing::Test {
  FormAccessibility() {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 260, 200);
    Edit = vt::Place<TEdit>(Form, 8, 8, 160, 21);
    Calendar = vt::Place<TCalendar>(Form, 8, 36, 210, 150);
    auto* Layout = new QVBoxLayout(&Window);
    Widget = new QtBridge::TFormWidget(Form);
    Layout->addWidget(Widget);
    Window.show();
    Host = QAccessible::queryAccessibleInterface(Widget);
  }
  ~FormAccessibility() override {
    CloseOpenMenu();
    Window.close();
    delete Form;
  }
  // The first of the host's children in the role.
  QAccessibleInterface* Of(QAccessible::Role Role) const {
    for (int I = 0; I < Host->childCount(); ++I)
      if (Host->child(I)->role() == Role)
        return Host->child(I);
    return nullptr;
  }

  QWidget Window;
  TForm* Form;
  TEdit* Edit;
  TCalendar* Calendar;
  QtBridge::TFormWidget* Widget;
  QAccessibleInterface* Host = nullptr;
};

// "a", a face, "e" with a combining acute, "b": five characters in six
// UTF-16 units, the face taking two.
TEST_F(FormAccessibility, TextOffsetsAreUtf16Units) {
  Edit->SetTextBuf("a\U0001F600e\u0301b");
  QAccessibleInterface* Field = Of(QAccessible::EditableText);
  ASSERT_NE(Field, nullptr);
  QAccessibleTextInterface* Text = Field->textInterface();
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Text->characterCount(), 6);
  EXPECT_EQ(Text->text(0, 6), QString::fromUtf8("a\U0001F600e\u0301b"));
  Edit->SetSelStart(2); // after the face
  EXPECT_EQ(Text->cursorPosition(), 3);
  Text->setCursorPosition(5); // before "b"
  EXPECT_EQ(Edit->SelStart(), 4);
  Text->setSelection(0, 1, 3); // the face
  EXPECT_EQ(Edit->SelStart(), 1);
  EXPECT_EQ(Edit->SelLength(), 1);
  int Start = -1, End = -1;
  Text->selection(0, &Start, &End);
  EXPECT_EQ(Start, 1);
  EXPECT_EQ(End, 3);

  const QRect Face = Text->characterRect(1);
  ASSERT_FALSE(Face.isEmpty());
  EXPECT_EQ(Text->characterRect(2), Face) << "either unit of the face is the face";
  EXPECT_TRUE(Field->rect().contains(Face));
  EXPECT_EQ(Text->offsetAtPoint(Face.center()), 1);
  EXPECT_EQ(Text->offsetAtPoint(Text->characterRect(0).center()), 0);
  EXPECT_EQ(Text->offsetAtPoint(Text->characterRect(5).center()), 5);
  EXPECT_GT(Text->characterRect(5).left(), Face.right());
  EXPECT_EQ(Text->offsetAtPoint(Field->rect().bottomRight()), -1);
}

TEST_F(FormAccessibility, TheCalendarIsATableOfDays) {
  Calendar->SetCalendarDate(EncodeDate(2026, 3, 15));
  QAccessibleInterface* Grid = Of(QAccessible::Table);
  ASSERT_NE(Grid, nullptr);
  QAccessibleTableInterface* Table = Grid->tableInterface();
  ASSERT_NE(Table, nullptr);
  EXPECT_EQ(Table->rowCount(), 6);
  EXPECT_EQ(Table->columnCount(), 7);
  EXPECT_EQ(Grid->childCount(), 42);
  EXPECT_EQ(Table->columnDescription(0),
            QString::fromStdString(ShortDayNames[Calendar->StartOfWeek()]));
  const QList<QAccessibleInterface*> Selected = Table->selectedCells();
  ASSERT_EQ(Selected.size(), 1);
  QAccessibleInterface* Day = Selected.front();
  EXPECT_EQ(Day->role(), QAccessible::Cell);
  EXPECT_EQ(Day->text(QAccessible::Name), "15");
  EXPECT_TRUE(Day->state().selected);
  EXPECT_EQ(Day->parent(), Grid);
  QAccessibleTableCellInterface* Cell = Day->tableCellInterface();
  ASSERT_NE(Cell, nullptr);
  EXPECT_EQ(Table->cellAt(Cell->rowIndex(), Cell->columnIndex()), Day);
  EXPECT_EQ(Grid->child(Grid->indexOfChild(Day)), Day);
  EXPECT_TRUE(Grid->rect().contains(Day->rect()));
  EXPECT_EQ(Table->cellAt(6, 0), nullptr);

  Calendar->SetDay(16);
  EXPECT_FALSE(Day->state().selected);
  EXPECT_EQ(Table->selectedCells().front()->text(QAccessible::Name), "16");
}

TEST_F(FormAccessibility, TheEditsMenuIsAMenuOfItems) {
  Edit->SetTextBuf("Hello");
  ASSERT_TRUE(vt::MoveFocus(Edit));
  const int Before = Host->childCount();
  vt::PressKey(VK_APPS);
  ASSERT_EQ(Host->childCount(), Before + 1);
  QAccessibleInterface* Menu = Host->child(Before);
  EXPECT_EQ(Menu->role(), QAccessible::PopupMenu);
  EXPECT_EQ(Menu->parent(), Host);
  QStringList Items;
  for (int I = 0; I < Menu->childCount(); ++I) {
    EXPECT_EQ(Menu->child(I)->role(), QAccessible::MenuItem);
    EXPECT_EQ(Menu->child(I)->parent(), Menu);
    EXPECT_TRUE(Menu->rect().contains(Menu->child(I)->rect()));
    Items << Menu->child(I)->text(QAccessible::Name);
  }
  EXPECT_EQ(Items, QStringList({"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}));
  EXPECT_TRUE(Menu->child(0)->state().disabled);
  QAccessibleInterface* SelectAll = Menu->child(5);
  EXPECT_EQ(Host->childAt(SelectAll->rect().center().x(), SelectAll->rect().center().y()), Menu);
  ASSERT_NE(SelectAll->actionInterface(), nullptr);
  SelectAll->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(Edit->SelLength(), 5);
  EXPECT_EQ(Host->childCount(), Before) << "the menu closed";
}

} // namespace
