// A test of one's own for a form, written with the library's test helpers
// (vcl/testing.h; installed as the package's testing component,
// valedit::vcl_testing). The form is driven headless as a user drives it:
// typed keys, focus moves, clicks, answers to its message boxes and modal
// dialogs; and the test checks what the user would see. GoogleTest runs it
// here; the helpers do not need it.
//
//   form_test     runs the tests (no display needed)
#include <gtest/gtest.h>

#include "valedit/valedit.h"
#include "validate/integer.h"
#include "vcl/forms.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

// The form under test: a quantity of 1 to 500, a due date picked in the
// calendar, and a Close that asks before it throws an order away.
class TOrderForm : public TForm {
public:
  explicit TOrderForm(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(0, 0, 280, 100);
    Quantity = AddEdit(12, ValEdit::vkInteger);
    static_cast<Validate::TIntegerValidator*>(Quantity->Validator())->SetMin(1);
    static_cast<Validate::TIntegerValidator*>(Quantity->Validator())->SetMax(500);
    Due = AddEdit(44, ValEdit::vkDate);
    OnCloseQuery = [this](TObject*, bool& CanClose) {
      CanClose = Quantity->EditText().empty() ||
                 MessageDlg("Throw the order away?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
    };
  }
  ValEdit::TValidEdit* Quantity;
  ValEdit::TValidEdit* Due;

private:
  ValEdit::TValidEdit* AddEdit(int Top, Byte Kind) {
    auto* Edit = new ValEdit::TValidEdit(this);
    Edit->SetParent(this);
    Edit->SetBounds(12, Top, 160, 21);
    Edit->SetKind(Kind);
    Edit->SetShowErrors({ValEdit::veInput, ValEdit::veFocus}); // a refused key says why too
    return Edit;
  }
};

class OrderFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TOrderForm(Application);
    vt::ShowForm(Form); // shown headless, the active form: keys go to it
  }
  void TearDown() override { delete Form; }

  TOrderForm* Form = nullptr;
  vt::TMessageBoxRecorder Boxes; // records every box instead of showing it, answers OK
};

TEST_F(OrderFormTest, TypedKeysAreScreened) {
  ASSERT_TRUE(vt::MoveFocus(Form->Quantity));
  vt::TypeText("12a");
  EXPECT_EQ(Form->Quantity->Text(), "12");
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "\"a\" is not a digit or (-)."); // the refused key
}

TEST_F(OrderFormTest, AQuantityOutOfRangeKeepsTheFocus) {
  ASSERT_TRUE(vt::MoveFocus(Form->Quantity));
  vt::TypeText("900");
  EXPECT_FALSE(vt::MoveFocus(Form->Due));
  EXPECT_TRUE(Form->Quantity->Focused());
  EXPECT_EQ(Boxes.Boxes().back().Msg, "\"900\" is not a valid integer between 1 and 500.");

  vt::PressKey(VK_BACK);
  EXPECT_TRUE(vt::MoveFocus(Form->Due));
  EXPECT_EQ(Form->Quantity->AsInteger(), 90);
}

TEST_F(OrderFormTest, TheCalendarPicksTheDueDate) {
  vt::TFixedClock Today(EncodeDate(2026, 7, 1)); // an empty date opens the calendar on today
  // The dialog that the click opens is answered here: a month on, then OK.
  vt::AnswerNextModal([](TCustomForm*) {
    vt::PressKey(VK_NEXT);
    return mrOk;
  });
  vt::Click(Form->Due->Button());
  EXPECT_EQ(Form->Due->AsDate(), EncodeDate(2026, 8, 1));
}

TEST_F(OrderFormTest, ClosingAnOrderAsksFirst) {
  Form->Quantity->SetAsInteger(12);
  Boxes.SetAnswer(mrNo);
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Boxes.Boxes().back().Msg, "Throw the order away?");
  Boxes.SetAnswer(mrYes);
  Form->Close();
  EXPECT_FALSE(Form->Visible());
}

int main(int argc, char** argv) {
  vt::StartHeadless(); // before any form is made
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
