// One of our forms inside a Qt Widgets window, in a program that made its
// QApplication first: our platform adopts that application object, keys
// typed into the widget reach the form's validating edit and are screened
// there, the widget shows the form's own picture at the form's own size, and
// the focus moves between the form and the host's widgets as it moves
// inside the form.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "qtbridge/form_widget.h"
#include "valedit/valedit.h"
#include "validate/integer.h"
#include "validate/lookup.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

struct FormInWindow : ::testing::Test {
  FormInWindow() {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 220, 60);
    Edit = new ValEdit::TValidEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(8, 8, 120, 21);
    Edit->SetKind(ValEdit::vkInteger);
    auto* Layout = new QVBoxLayout(&Window);
    Layout->addWidget(new QLineEdit); // a widget of the program's own beside ours
    Widget = new QtBridge::TFormWidget(Form);
    Layout->addWidget(Widget);
    Window.show();
    Widget->setFocus();
  }
  ~FormInWindow() override {
    Window.close();
    delete Form;
  }
  QWidget Window;
  TForm* Form;
  ValEdit::TValidEdit* Edit;
  QtBridge::TFormWidget* Widget;
};

TEST_F(FormInWindow, TheProgramsApplicationObjectIsTheOnlyOne) {
  EXPECT_TRUE(Application->Initialized());
  EXPECT_NE(qobject_cast<QApplication*>(QCoreApplication::instance()), nullptr);
}

TEST_F(FormInWindow, KeysTypedIntoTheWidgetAreScreenedByTheEdit) {
  QTest::keyClicks(Widget, "12a3");
  EXPECT_EQ(Edit->EditText(), "123");
  EXPECT_EQ(Edit->AsInteger(), 123);
}

// A screen reader walks from the host's widget into the form: its controls
// are the widget's children, named, with their values and text interface.
TEST_F(FormInWindow, ScreenReadersSeeTheFormsControlsInTheWidget) {
  auto* Label = new TLabel(Form);
  Label->SetParent(Form);
  Label->SetBounds(140, 10, 60, 13);
  Label->SetCaption("&Quantity:");
  Label->SetFocusControl(Edit);
  QAccessibleInterface* Host = QAccessible::queryAccessibleInterface(Widget);
  ASSERT_NE(Host, nullptr);
  ASSERT_EQ(Host->childCount(), 2);
  QAccessibleInterface* Field = Host->child(0);
  EXPECT_EQ(Field->role(), QAccessible::EditableText);
  EXPECT_EQ(Field->text(QAccessible::Name), "Quantity:");
  EXPECT_EQ(Host->child(1)->role(), QAccessible::StaticText);
  EXPECT_EQ(Field->parent(), Host);
  EXPECT_EQ(Host->indexOfChild(Field), 0);
  EXPECT_EQ(Field->window(), Window.windowHandle());
  QTest::keyClicks(Widget, "42");
  EXPECT_EQ(Field->text(QAccessible::Value), "42");
  ASSERT_NE(Field->textInterface(), nullptr);
  EXPECT_EQ(Field->textInterface()->cursorPosition(), 2);
  EXPECT_TRUE(Host->rect().contains(Field->rect())) << "the field lies inside the widget";
  EXPECT_EQ(Field->rect().topLeft() - Host->rect().topLeft(), QPoint(8, 8));
}

// The host's wheel reaches the form: a word list's open completion list
// scrolls under it.
TEST_F(FormInWindow, TheWheelReachesTheForm) {
  Form->SetBounds(0, 0, 220, 200);
  Edit->SetKind(ValEdit::vkStringLookup);
  auto* Words = static_cast<Validate::TStringLookupValidator*>(Edit->Validator());
  for (int I = 10; I < 30; ++I)
    Words->Items()->Add("Cherry" + std::to_string(I));
  Edit->SetCompletionList(true);
  QTest::keyClicks(Widget, "ch");
  const TRect First = Edit->CompletionItemRect(0);
  ASSERT_FALSE(IsRectEmpty(First));
  const QPointF At(Edit->Left() + First.Left + 5, Edit->Top() + First.Top + 2);
  QWheelEvent Wheel(At, Widget->mapToGlobal(At), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget, &Wheel);
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(0)));
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(3)));
}

// Pixel for pixel at the device's resolution: under QT_SCALE_FACTOR=2 (the
// qtbridge.scale2 run) the form paints at twice the size and text is drawn
// sharp, so some glyph edge splits a 2x2 block of device pixels.
TEST_F(FormInWindow, TheWidgetShowsTheFormsPicture) {
  Edit->SetEditText("4567");
  QApplication::processEvents();
  const QImage Shown = Widget->grab().toImage();
  const int Ratio = qRound(Widget->devicePixelRatioF());
  const TPixelBuffer& Picture = Form->RenderClient();
  ASSERT_EQ(Picture.Width(), Form->ClientWidth() * Ratio);
  ASSERT_GE(Shown.width(), Picture.Width());
  int Same = 0;
  for (int Y = 0; Y < Picture.Height(); ++Y)
    for (int X = 0; X < Picture.Width(); ++X)
      Same += (Shown.pixel(X, Y) & 0xFFFFFF) == (Picture.Raw(X, Y) & 0xFFFFFF);
  EXPECT_EQ(Same, Picture.Width() * Picture.Height());
  if (Ratio == 2) {
    const TRect Text = Edit->BoundsRect();
    int SplitBlocks = 0;
    for (int Y = Text.Top; Y < Text.Bottom; ++Y)
      for (int X = Text.Left; X < Text.Right; ++X) {
        const QRgb C = Shown.pixel(2 * X, 2 * Y);
        SplitBlocks += C != Shown.pixel(2 * X + 1, 2 * Y) || C != Shown.pixel(2 * X, 2 * Y + 1) ||
                       C != Shown.pixel(2 * X + 1, 2 * Y + 1);
      }
    EXPECT_GT(SplitBlocks, 10);
  }
}

TEST_F(FormInWindow, TheFormFollowsTheWidgetsSize) {
  Widget->resize(300, 90);
  EXPECT_EQ(Form->ClientWidth(), 300);
  EXPECT_EQ(Form->ClientHeight(), 90);
}

} // namespace

namespace {

// A form of two bounded integer edits between two line edits of the host.
struct FormBetweenHostWidgets : ::testing::Test {
  FormBetweenHostWidgets() {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 200, 70);
    First = AddEdit(8);
    Last = AddEdit(38);
    Last->OnFocusError = [this](TObject*, const std::string& S) { FocusErrors.push_back(S); };
    Last->OnExit = [this](TObject*) { ++Exits; };
    auto* Layout = new QVBoxLayout(&Window);
    Before = new QLineEdit;
    Widget = new QtBridge::TFormWidget(Form);
    After = new QLineEdit;
    Layout->addWidget(Before);
    Layout->addWidget(Widget);
    Layout->addWidget(After);
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    Before->setFocus(Qt::OtherFocusReason);
  }
  ~FormBetweenHostWidgets() override {
    Window.close();
    delete Form;
  }
  ValEdit::TValidEdit* AddEdit(int Top) {
    auto* Edit = new ValEdit::TValidEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(8, Top, 120, 21);
    Edit->SetKind(ValEdit::vkInteger);
    auto* Range = static_cast<Validate::TIntegerValidator*>(Edit->Validator());
    Range->SetMin(1);
    Range->SetMax(500);
    return Edit;
  }
  void Tab(QWidget* Target, bool Back = false) {
    QTest::keyClick(Target, Qt::Key_Tab, Back ? Qt::ShiftModifier : Qt::NoModifier);
  }
  // Types into the last edit, entered from the host with Shift+Tab.
  void TypeIntoLast(const char* Text) {
    After->setFocus(Qt::OtherFocusReason);
    Tab(After, true);
    ASSERT_TRUE(Last->Focused());
    QTest::keyClicks(Widget, Text);
  }
  QWidget Window;
  TForm* Form;
  ValEdit::TValidEdit* First;
  ValEdit::TValidEdit* Last;
  QLineEdit* Before;
  QtBridge::TFormWidget* Widget;
  QLineEdit* After;
  vcl::testing::TMessageBoxRecorder Boxes;
  std::vector<std::string> FocusErrors;
  int Exits = 0;
};

TEST_F(FormBetweenHostWidgets, TheLayoutGivesTheFormItsWholeSizeAndNoLess) {
  EXPECT_EQ(Widget->sizeHint(), QSize(200, 70));
  EXPECT_EQ(Widget->minimumSizeHint(), QSize(200, 70));
  EXPECT_EQ(Widget->height(), 70);
  EXPECT_GE(Widget->width(), 200);
  EXPECT_EQ(Form->ClientHeight(), 70);
  EXPECT_EQ(Form->ClientWidth(), Widget->width());
  // A window made smaller still shows the whole form.
  Window.resize(40, 40);
  QApplication::processEvents();
  EXPECT_GE(Widget->height(), 70);
  EXPECT_GE(Widget->width(), 200);
  // A form resized by the program asks the layout again.
  Form->SetClientHeight(100);
  EXPECT_EQ(Widget->sizeHint(), QSize(Form->ClientWidth(), 100));
  QApplication::processEvents();
  EXPECT_GE(Widget->height(), 100);
}

TEST_F(FormBetweenHostWidgets, TabAndShiftTabLeaveTheFormAtItsEnds) {
  Tab(Before);
  ASSERT_TRUE(Widget->hasFocus());
  EXPECT_TRUE(First->Focused());
  Tab(Widget);
  EXPECT_TRUE(Last->Focused()) << "inside the form Tab moves through its tab order";
  Tab(Widget);
  EXPECT_TRUE(After->hasFocus());
  EXPECT_FALSE(Last->Focused());
  EXPECT_EQ(Exits, 1);
  Tab(After, true);
  EXPECT_TRUE(Widget->hasFocus());
  EXPECT_TRUE(Last->Focused()) << "Shift+Tab enters at the last control";
  Tab(Widget, true);
  EXPECT_TRUE(First->Focused());
  Tab(Widget, true);
  EXPECT_TRUE(Before->hasFocus());
  EXPECT_FALSE(First->Focused());
  EXPECT_TRUE(Boxes.Boxes().empty());
}

// Leaving for the host is judged as a move inside the form: a refused value
// is reported, the edit keeps the focus, and the host's widget does not get it.
TEST_F(FormBetweenHostWidgets, ARefusedValueKeepsTheFocusWhenTabOrAClickLeaves) {
  TypeIntoLast("1200");
  Tab(Widget);
  EXPECT_TRUE(Widget->hasFocus());
  EXPECT_TRUE(Last->Focused());
  QTest::mouseClick(After, Qt::LeftButton);
  EXPECT_TRUE(Widget->hasFocus());
  EXPECT_FALSE(After->hasFocus());
  EXPECT_TRUE(Last->Focused());
  ASSERT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_EQ(Boxes.Boxes()[1].Msg, "\"1200\" is not a valid integer between 1 and 500.");
  EXPECT_EQ(FocusErrors, (std::vector<std::string>{"1200", "1200"}));
  EXPECT_EQ(Exits, 0);
}

TEST_F(FormBetweenHostWidgets, AClickIntoTheHostTakesAnAcceptedValueAsLeavingDoes) {
  TypeIntoLast("250");
  QTest::mouseClick(After, Qt::LeftButton);
  EXPECT_TRUE(After->hasFocus());
  EXPECT_FALSE(Last->Focused());
  EXPECT_EQ(Exits, 1);
  EXPECT_EQ(Last->AsInteger(), 250);
  // Clicked back into, the form gives the focus to the edit it was taken from.
  Widget->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(Last->Focused());
}

// Without vtFocus the edit does not judge on leaving: the host takes the
// focus and the text stays as typed, shown as the display text.
TEST_F(FormBetweenHostWidgets, WithoutFocusValidationTheHostTakesTheFocus) {
  Last->SetValidation({ValEdit::vtInput, ValEdit::vtSetValue});
  TypeIntoLast("1200");
  QTest::mouseClick(After, Qt::LeftButton);
  EXPECT_TRUE(After->hasFocus());
  EXPECT_FALSE(Last->Focused());
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_EQ(Last->Text(), "1,200");
}

} // namespace
