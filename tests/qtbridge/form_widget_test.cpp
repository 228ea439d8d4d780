// One of our forms inside a Qt Widgets window, in a program that made its
// QApplication first: our platform adopts that application object, keys
// typed into the widget reach the form's validating edit and are screened
// there, and the widget shows the form's own picture.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "qtbridge/form_widget.h"
#include "valedit/valedit.h"
#include "vcl/forms.h"

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

TEST_F(FormInWindow, TheWidgetShowsTheFormsPicture) {
  Edit->SetEditText("4567");
  QApplication::processEvents();
  const QImage Shown = Widget->grab().toImage();
  const TPixelBuffer& Picture = Form->RenderClient();
  ASSERT_GE(Shown.width(), Picture.Width());
  int Same = 0;
  for (int Y = 0; Y < Picture.Height(); ++Y)
    for (int X = 0; X < Picture.Width(); ++X)
      Same += (Shown.pixel(X, Y) & 0xFFFFFF) == (Picture.Raw(X, Y) & 0xFFFFFF);
  EXPECT_EQ(Same, Picture.Width() * Picture.Height());
}

TEST_F(FormInWindow, TheFormFollowsTheWidgetsSize) {
  Widget->resize(300, 90);
  EXPECT_EQ(Form->ClientWidth(), 300);
  EXPECT_EQ(Form->ClientHeight(), 90);
}

} // namespace
