// The customer order form as a user meets it: what it shows at the start,
// what the status line says when a field refuses something, what each
// button edit's button does, and how the customer file moves, posts and
// cancels.
#include <gtest/gtest.h>

#include <memory>

#include "../../vcl/sqlitedb/db_fixture.h"
#include "apps/demo/customerform.h"
#include "validate/validate.h"
#include "vcl/testing.h"

namespace {

using namespace Demo;
using namespace vcl;
namespace vt = vcl::testing;

class CustomerFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Form = new TCustomerForm(nullptr);
    Form->OpenDatabase(":memory:");
    vt::ShowForm(Form);
  }
  void TearDown() override {
    delete Form;
    ResetLocale();
  }

  vt::TFixedClock Clock{EncodeDate(2024, 6, 1) + EncodeTime(10, 0, 0, 0)};
  vt::TMessageBoxRecorder Boxes;
  TCustomerForm* Form = nullptr;
};

TEST_F(CustomerFormTest, StartsWithSampleValuesInTheirDisplayForms) {
  struct Case {
    ValEdit::TValidEdit* Edit;
    const char* Shown;
  };
  // The code has the focus and shows its text as typed; the others show
  // their display form.
  for (const Case& C : {Case{Form->CodeEdit, "C-1042"}, Case{Form->QuantityEdit, "12"},
                        Case{Form->DiscountEdit, "7.5"}, Case{Form->CreditEdit, "$25,000.00"},
                        Case{Form->CountryEdit, "Germany"}, Case{Form->PhoneEdit, "(555) 123-4567"},
                        Case{Form->PostcodeEdit, "12345"}, Case{Form->BirthDateEdit, "3/15/1970"},
                        Case{Form->AppointmentEdit, "2:30 PM"}})
    EXPECT_EQ(C.Edit->Text(), C.Shown) << C.Edit->Name();
  EXPECT_TRUE(Form->CodeEdit->Focused());
  EXPECT_TRUE(Form->BirthDateEdit->ButtonVisible());
  EXPECT_EQ(Form->Status(),
            "Type into the fields; Tab moves on. A refused key or value is reported here.");
}

TEST_F(CustomerFormTest, TheSampleValuesFollowTheLocale) {
  delete Form;
  DecimalSeparator = ',';
  ShortDateFormat = "dd.MM.yyyy";
  DateSeparator = '.';
  LongTimeFormat = "HH:mm:ss";
  Form = new TCustomerForm(nullptr);
  vt::ShowForm(Form);
  EXPECT_EQ(Form->DiscountEdit->Text(), "7,5");
  EXPECT_EQ(Form->BirthDateEdit->Text(), "15.03.1970");
  EXPECT_EQ(Form->AppointmentEdit->Text(), "14:30");
}

TEST_F(CustomerFormTest, ARefusedKeyShowsTheBoxThenTheStatus) {
  ASSERT_TRUE(vt::MoveFocus(Form->QuantityEdit));
  vt::TypeText("4x");
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_EQ(Form->Status(), "Quantity: the input \"x\" was refused.");
  EXPECT_EQ(Form->QuantityEdit->Text(), "4");
}

TEST_F(CustomerFormTest, ARefusedExitKeepsTheFocusAndSaysWhy) {
  ASSERT_TRUE(vt::MoveFocus(Form->QuantityEdit));
  vt::TypeText("1000");
  EXPECT_FALSE(vt::MoveFocus(Form->DiscountEdit));
  EXPECT_TRUE(Form->QuantityEdit->Focused());
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "\"1000\" is not a valid integer between 1 and 999.");
  EXPECT_EQ(Form->Status(),
            "Quantity: \"1000\" was refused on leaving the field; correct it to move on.");
}

TEST_F(CustomerFormTest, TheVoucherShowsItsErrorsInPlaceAndTheStatusLineFollows) {
  ASSERT_TRUE(vt::MoveFocus(Form->VoucherEdit));
  EXPECT_TRUE(Form->VoucherEdit->TextHintShowing());
  vt::TypeText("12");
  EXPECT_FALSE(vt::MoveFocus(Form->ClearButton));
  EXPECT_TRUE(Boxes.Boxes().empty());
  const std::string Message = "\"12\" is not a valid integer between 100 and 999.";
  EXPECT_EQ(Form->VoucherEdit->ErrorMessage(), Message);
  EXPECT_EQ(Form->Status(), "Voucher: " + Message);
  EXPECT_EQ(vt::PixelAt(Form->VoucherEdit, -1, 5), ColorToRGB(clRed));
  vt::TypeText("3");
  EXPECT_EQ(Form->Status(), "Voucher: the value is valid now.");
  EXPECT_TRUE(vt::MoveFocus(Form->ClearButton));
}

TEST_F(CustomerFormTest, ABirthDateMayNotLieInTheFuture) {
  ASSERT_TRUE(vt::MoveFocus(Form->BirthDateEdit));
  vt::TypeText("6/2/2024");
  EXPECT_FALSE(vt::MoveFocus(Form->AppointmentEdit));
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg,
            "\"6/2/2024\" is not a valid date between 1/1/1900 and 6/1/2024.");
  vt::PressKey(VK_BACK);
  vt::TypeText("3");
  EXPECT_TRUE(vt::MoveFocus(Form->AppointmentEdit));
}

TEST_F(CustomerFormTest, TheDateButtonSaysWhatWasPicked) {
  ASSERT_TRUE(vt::MoveFocus(Form->BirthDateEdit));
  vt::AnswerNextModal([](TCustomForm*) { return mrCancel; });
  vt::PressKey(VK_RETURN, {ssCtrl});
  EXPECT_EQ(Form->Status(), "Birth date: 3/15/1970.");
}

TEST_F(CustomerFormTest, TheArrowStepsThroughTheRegionsAndComesRound) {
  for (const char* Next : {"East", "South", "West", "North", "East"}) {
    vt::Click(Form->RegionEdit->Button());
    EXPECT_EQ(Form->RegionEdit->Text(), Next);
  }
  // The region is read-only: only the button and Alt+Down change it.
  vt::TypeText("x");
  EXPECT_EQ(Form->RegionEdit->Text(), "East");
  vt::PressKey(VK_DOWN, {ssAlt});
  EXPECT_EQ(Form->RegionEdit->Text(), "South");
  EXPECT_EQ(Form->Status(), "Sales region: South.");
}

TEST_F(CustomerFormTest, TheEnvelopeMakesTheAddressFromTheName) {
  struct Case {
    const char* Name;
    const char* Address;
  };
  for (const Case& C : {Case{"Jane Smith", "jane.smith@example.com"},
                        Case{"  Anne-Marie  O'Neil 2nd ", "anne.marie.o.neil.2nd@example.com"},
                        Case{"Élise Grün × ß", "elise.grun.s@example.com"}}) {
    Form->NameEdit->SetTextBuf(C.Name);
    vt::Click(Form->EmailEdit->Button());
    EXPECT_EQ(Form->EmailEdit->Text(), C.Address) << C.Name;
  }
}

TEST_F(CustomerFormTest, WithoutANameTheEnvelopeSendsTheUserToIt) {
  Form->NameEdit->SetTextBuf(" - ");
  Form->EmailEdit->SetTextBuf("old@example.com");
  vt::Click(Form->EmailEdit->Button());
  EXPECT_EQ(Form->EmailEdit->Text(), "old@example.com");
  EXPECT_TRUE(Form->NameEdit->Focused());
  EXPECT_EQ(Form->Status(), "E-mail: type a contact name first.");
}

TEST_F(CustomerFormTest, TheEllipsisShowsTheOrderAsItsTypedValuesReadIt) {
  vt::Click(Form->SummaryEdit->Button());
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtInformation);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "Customer code: C-1042\r"
                                  "Quantity: 12 pieces\r"
                                  "Discount %: 7.5 %\r"
                                  "Credit limit: $25,000.00\r"
                                  "Country: Germany\r"
                                  "Phone: (555) 123-4567\r"
                                  "Postcode: 12345\r"
                                  "Birth date: Sunday, March 15, 1970\r"
                                  "Appointment: 2:30 PM\r"
                                  "Sales region: North\r"
                                  "E-mail: (empty)");
}

TEST_F(CustomerFormTest, TheSummaryNamesValuesItCannotRead) {
  // A date still being typed is no date yet.
  ASSERT_TRUE(vt::MoveFocus(Form->BirthDateEdit));
  vt::TypeText("2/30/1990");
  Form->QuantityEdit->Clear();
  const std::string S = Form->Summary();
  EXPECT_NE(S.find("Birth date: (\"2/30/1990\" cannot be read)"), std::string::npos) << S;
  EXPECT_NE(S.find("Quantity: (empty)"), std::string::npos) << S;
}

TEST_F(CustomerFormTest, ClearEmptiesEveryFieldOfTheOrder) {
  vt::Click(Form->ClearButton);
  for (auto* Edit : {Form->CodeEdit, Form->QuantityEdit, Form->CreditEdit, Form->BirthDateEdit,
                     Form->AppointmentEdit})
    EXPECT_EQ(Edit->EditText(), "") << Edit->Name();
  EXPECT_EQ(Form->NameEdit->Text(), "Jane Smith");
  EXPECT_EQ(Form->Status(), "The order is cleared: type a new one.");
}

TEST_F(CustomerFormTest, TheCustomerFileStartsOnTheFirstCustomer) {
  EXPECT_EQ(Form->DBNameEdit->Text(), "Maria Lopez");
  EXPECT_EQ(Form->DBCreditEdit->Text(), "$15,000.00");
  EXPECT_EQ(Form->DBBirthDateEdit->Text(), "4/12/1968");
  EXPECT_EQ(Form->DataState(), "Browsing: customer 1 of 8.");
}

TEST_F(CustomerFormTest, WithoutAFileTheStateLineSaysSo) {
  {
    TCustomerForm Closed(nullptr);
    EXPECT_EQ(Closed.DataState(), "Closed: no customer file is open.");
  }
  // The first form takes the failures again once the second has gone.
  Application->HandleException(EDatabaseError("disk full"));
  EXPECT_EQ(Form->Status(), "Not done: disk full");
}

TEST_F(CustomerFormTest, TheButtonsMoveThroughTheCustomers) {
  struct Case {
    TButton* TCustomerForm::*Button;
    const char* Name;
    const char* State;
  };
  for (const Case& C : {Case{&TCustomerForm::LastButton, "Lucas Silva", "customer 8 of 8"},
                        Case{&TCustomerForm::NextButton, "Lucas Silva", "customer 8 of 8"},
                        Case{&TCustomerForm::PriorButton, "Emma Jensen", "customer 7 of 8"},
                        Case{&TCustomerForm::FirstButton, "Maria Lopez", "customer 1 of 8"},
                        Case{&TCustomerForm::PriorButton, "Maria Lopez", "customer 1 of 8"},
                        Case{&TCustomerForm::NextButton, "Thomas Berg", "customer 2 of 8"}}) {
    vt::Click(Form->*C.Button);
    EXPECT_EQ(Form->DBNameEdit->Text(), C.Name);
    EXPECT_EQ(Form->DataState(), "Browsing: " + std::string(C.State) + ".");
  }
}

TEST_F(CustomerFormTest, TypingEditsAndMovingOnWritesWhatWasTyped) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBNameEdit));
  vt::TypeText("Maria Lopez Garcia");
  EXPECT_EQ(Form->DataState(), "Editing: customer 1 of 8. Post writes it to the table; Cancel "
                               "throws the changes away.");
  vt::Click(Form->NextButton);
  vt::Click(Form->PriorButton);
  EXPECT_EQ(Form->DBNameEdit->Text(), "Maria Lopez Garcia");
  EXPECT_EQ(Form->DataState(), "Browsing: customer 1 of 8.");
}

TEST_F(CustomerFormTest, AnEmptiedCodeIsRefusedOnLeavingAndTheEditIsKept) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBCodeEdit));
  vt::PressKey(VK_DELETE); // the whole code is selected on entry
  vt::Click(Form->PostButton);
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "Field 'code' must have a value");
  EXPECT_EQ(Form->Status(), "Not done: Field 'code' must have a value");
  EXPECT_TRUE(Form->DBCodeEdit->Focused());
  EXPECT_EQ(Form->DBCodeEdit->Text(), "");
  EXPECT_EQ(Form->Customers->State(), dsEdit);
  // Moving on cannot drop the edit either; the form's Cancel button gets
  // the user out from inside the emptied edit and brings the code back.
  vt::Click(Form->NextButton);
  EXPECT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_EQ(Form->DataState().rfind("Editing: customer 1 of 8.", 0), 0u);
  vt::Click(Form->CancelButton);
  EXPECT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_TRUE(Form->CancelButton->Focused());
  EXPECT_EQ(Form->DBCodeEdit->Text(), "C-1001");
  EXPECT_EQ(Form->DataState(), "Browsing: customer 1 of 8.");
  EXPECT_EQ(Form->Status(), "The changes to the customer are thrown away.");
}

TEST_F(CustomerFormTest, APostTheTableRefusesKeepsTheEditAndSaysWhy) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBCodeEdit));
  vt::TypeText("C-1002"); // customer 2's code
  vt::Click(Form->PostButton);
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Form->Status(), "Not done: " + Boxes.Boxes()[0].Msg);
  EXPECT_EQ(Form->Customers->State(), dsEdit);
  EXPECT_EQ(Form->DBCodeEdit->Text(), "C-1002");
}

TEST_F(CustomerFormTest, TheRegionButtonStepsTheCustomersRegionInTheRecord) {
  EXPECT_TRUE(Form->DBRegionEdit->ReadOnly()); // typed into never: the button steps it
  vt::Click(Form->DBRegionEdit->Button());
  EXPECT_EQ(Form->DBRegionEdit->Text(), "West"); // South -> West
  EXPECT_EQ(Form->Status(), "Region: West.");
  EXPECT_EQ(Form->Customers->State(), dsEdit);
  vt::Click(Form->DBRegionEdit->Button());
  EXPECT_EQ(Form->DBRegionEdit->Text(), "North");
  vt::Click(Form->CancelButton);
  EXPECT_EQ(Form->DBRegionEdit->Text(), "South");
}

TEST_F(CustomerFormTest, TheCustomersCountryCompletesFromTheOrdersWords) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBCountryEdit));
  vt::TypeText("Ire");
  EXPECT_EQ(Form->DBCountryEdit->Text(), "Ireland");
  vt::PressKey('A', {ssCtrl});
  vt::TypeText("Q");
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Form->Status(), "Country: the input \"Q\" was refused.");
}

TEST_F(CustomerFormTest, PostWithoutAnEditSaysThereIsNothingToPost) {
  vt::Click(Form->PostButton);
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_EQ(Form->Status(), "Nothing to post: no customer is being edited.");
}

// The customer file in a file of its own, checked through a connection of
// the test's own.
class CustomerFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Form = new TCustomerForm(nullptr);
    Form->OpenDatabase(File.Path());
    Raw = std::make_unique<dbtest::TRawConnection>(File.Path());
    vt::ShowForm(Form);
  }
  void TearDown() override {
    delete Form;
    Raw.reset();
    ResetLocale();
  }
  std::string StoredName() { return Raw->Value("SELECT name FROM customers WHERE id = 1"); }

  vt::TMessageBoxRecorder Boxes;
  dbtest::TTempDatabase File;
  std::unique_ptr<dbtest::TRawConnection> Raw;
  TCustomerForm* Form = nullptr;
};

// Closing with a customer being edited (the text still in its edit) asks
// whether to save; each answer does what it says and the status line says
// what became of the changes.
TEST_F(CustomerFileTest, ClosingWithUnpostedChangesAsksToSaveDiscardOrStay) {
  struct TCase {
    int Answer;
    bool Closes;
    const char* Stored;
    const char* Status;
  };
  const TCase Cases[] = {
      {mrCancel, false, "Maria Lopez",
       "The customer is still being edited: post or cancel the "
       "changes."},
      {mrNo, true, "Maria Lopez", "The changes to the customer are thrown away."},
      {mrYes, true, "Maria Lopez Garcia", "The customer is written to the table."},
  };
  for (const TCase& C : Cases) {
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Form->DBNameEdit));
    vt::PressKey(VK_END);
    if (Form->DBNameEdit->Text() == "Maria Lopez")
      vt::TypeText(" Garcia");
    Boxes.SetAnswer(C.Answer);
    const std::size_t Asked = Boxes.Boxes().size();
    Form->Close();
    ASSERT_EQ(Boxes.Boxes().size(), Asked + 1) << C.Answer;
    EXPECT_EQ(Boxes.Boxes().back().Msg, "Save the changes to the customer?");
    EXPECT_EQ(Boxes.Boxes().back().DlgType, mtConfirmation);
    EXPECT_EQ(Boxes.Boxes().back().Buttons, (TMsgDlgButtons{mbYes, mbNo, mbCancel}));
    EXPECT_EQ(Form->Visible(), !C.Closes) << C.Answer;
    EXPECT_EQ(Form->Customers->State(), C.Closes ? dsBrowse : dsEdit) << C.Answer;
    EXPECT_EQ(StoredName(), C.Stored) << C.Answer;
    EXPECT_EQ(Form->Status(), C.Status) << C.Answer;
  }
  // Nothing changed: nothing to ask.
  vt::ShowForm(Form);
  const std::size_t Asked = Boxes.Boxes().size();
  Form->Close();
  EXPECT_EQ(Boxes.Boxes().size(), Asked);
  EXPECT_FALSE(Form->Visible());
}

// A value its edit refuses keeps the form open: the edit says why, and
// nothing is asked or written.
TEST_F(CustomerFileTest, ClosingWithARefusedValueKeepsTheFormOpen) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBCreditEdit));
  vt::PressKey('A', {ssCtrl});
  vt::TypeText("150000");
  Form->Close();
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Form->Customers->State(), dsEdit);
  EXPECT_EQ(Raw->Value("SELECT credit_limit FROM customers WHERE id = 1"), "15000");
}

// Moving on posts what was typed, and the status line says so; after a
// cancel it no longer claims the changes were thrown away.
TEST_F(CustomerFileTest, TheStatusLineTellsWhatMovingOnDid) {
  ASSERT_TRUE(vt::MoveFocus(Form->DBNameEdit));
  vt::PressKey(VK_END);
  vt::TypeText("x");
  vt::Click(Form->CancelButton);
  EXPECT_EQ(Form->Status(), "The changes to the customer are thrown away.");
  ASSERT_TRUE(vt::MoveFocus(Form->DBNameEdit));
  vt::PressKey(VK_END);
  vt::TypeText(" Garcia");
  vt::Click(Form->NextButton);
  EXPECT_EQ(Form->Status(), "The changes to the customer are written to the table.");
  EXPECT_EQ(StoredName(), "Maria Lopez Garcia");
  vt::Click(Form->NextButton);
  EXPECT_EQ(Form->Status(), "Customer 3 of 8.");
  vt::Click(Form->CancelButton);
  EXPECT_EQ(Form->Status(), "Nothing to cancel: no customer is being edited.");
}

} // namespace
