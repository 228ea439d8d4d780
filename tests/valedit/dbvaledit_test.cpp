// The data-aware validating edit driven as a user drives it, on a form bound
// to a customers table in an SQLite file (a connection of the test's own
// checks what was written): the display and edit forms of the field, typing,
// Escape, leaving and posting, values the table or the validator refuses,
// Null and zero dates, the date button while browsing, and a form file that
// holds both data-aware controls with their data source and data set.
#include "valedit/dbvaledit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "../vcl/sqlitedb/db_fixture.h"
#include "btnedit/dbbtnedit.h"
#include "calform/calform.h"
#include "validate/validate.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
using namespace ValEdit;
namespace vt = vcl::testing;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

const char* const CustomersTable =
    "CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(20) NOT NULL,"
    " credit INTEGER CHECK (credit >= 0), since DATE, phone VARCHAR(12));"
    "INSERT INTO customers (name, credit, since, phone) VALUES"
    " ('Ada', 1500, '2024-03-11', '555'), ('Blaise', NULL, '1899-12-30', NULL)";

TDateTime D(int Y, int M, int Day) {
  return EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(Day));
}

class DBValidEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec(CustomersTable);
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 260);
    Data = new TSQLiteDataSet(Form);
    Data->SetName("Customers");
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("customers");
    Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    Name = Edit(8, "name", vkNone);
    Credit = Edit(40, "credit", vkInteger);
    Since = Edit(72, "since", vkDate);
    Phone = Edit(104, "phone", vkNone);
    Other = vt::Place<TEdit>(Form, 8, 136, 150, 21);
    Cancel = vt::Place<TButton>(Form, 8, 168, 75, 25);
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    Credit->OnChange = [this](TObject*) { ++CreditChanges; };
    Data->Open();
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Other));
    CreditChanges = 0;
  }
  void TearDown() override {
    delete Form;
    Raw.reset();
    ResetLocale();
  }

  TDBValidEdit* Edit(int Top, const char* Field, Byte Kind) {
    auto* E = vt::Place<TDBValidEdit>(Form, 8, Top, 150, 21);
    E->SetKind(Kind);
    E->SetDataSource(Source);
    E->SetDataField(Field);
    return E;
  }
  void Retype(TDBValidEdit* E, const std::string& Text) {
    ASSERT_TRUE(vt::MoveFocus(E));
    E->SelectAll();
    vt::TypeText(Text);
  }
  std::string Stored(const std::string& Column, int Id = 1) {
    return Raw->Value("SELECT " + Column + " FROM customers WHERE id = " + std::to_string(Id));
  }
  // Credits from 0 to Max.
  void LimitCredit(int Max) {
    auto* V = dynamic_cast<Validate::TIntegerValidator*>(Credit->Validator());
    ASSERT_NE(V, nullptr);
    V->SetNoBounds(false);
    V->SetMax(Max);
  }

  vt::TMessageBoxRecorder Boxes;
  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TForm* Form = nullptr;
  TSQLiteDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBValidEdit *Name = nullptr, *Credit = nullptr, *Since = nullptr, *Phone = nullptr;
  TEdit* Other = nullptr;
  TButton* Cancel = nullptr;
  int CancelClicks = 0;
  int CreditChanges = 0;
};

// ---------------------------------------------------------------------------
// Showing the field

TEST_F(DBValidEditTest, BrowsingShowsTheDisplayFormAndFocusTheEditForm) {
  EXPECT_EQ(Credit->Text(), "1,500");
  EXPECT_EQ(Credit->EditText(), "1500");
  EXPECT_EQ(Credit->DisplayText(), "1,500");
  EXPECT_EQ(Credit->AsInteger(), 1500);
  ASSERT_TRUE(vt::MoveFocus(Credit));
  EXPECT_EQ(Credit->Text(), "1500");
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(Credit->Text(), "1,500");
  EXPECT_EQ(Data->State(), dsBrowse);

  Data->Next(); // a Null credit reads empty, and as zero
  EXPECT_EQ(Name->Text(), "Blaise");
  EXPECT_EQ(Credit->Text(), "");
  EXPECT_EQ(Credit->AsString(), "");
  EXPECT_EQ(Credit->AsInteger(), 0);
  EXPECT_EQ(Credit->AsFloat(), 0);
  EXPECT_EQ(Credit->AsCurrency(), Currency());
  EXPECT_EQ(Phone->AsString(), "");
}

// An empty value is no value, whatever the field's type: a date emptied
// from code is Null, not 30 December 1899, and a date stored as that day is
// shown as that day.
TEST_F(DBValidEditTest, AValueEmptiedFromCodeIsNull) {
  const std::function<void(TDBValidEdit*)> Ways[] = {[](TDBValidEdit* E) { E->Clear(); },
                                                     [](TDBValidEdit* E) { E->SetAsString(""); }};
  for (const auto& Empty : Ways) {
    Data->First();
    for (TDBValidEdit* E : {Credit, Since, Phone}) {
      Empty(E);
      EXPECT_TRUE(Data->FieldByName(E->DataField())->IsNull()) << E->DataField();
      EXPECT_EQ(E->Text(), "") << E->DataField();
    }
    Data->Post();
    EXPECT_EQ(Stored("credit || since || phone IS NULL"), "1");
    Raw->Exec(
        "UPDATE customers SET credit = 1500, since = '2024-03-11', phone = '555' WHERE id = 1");
    Data->Refresh();
  }
  Data->Next();
  EXPECT_EQ(Since->Text(), "12/30/1899");
  ASSERT_TRUE(vt::MoveFocus(Since));
  EXPECT_EQ(Since->Text(), "12/30/1899");
}

TEST_F(DBValidEditTest, WithoutAFieldTheEditIsEmptyWithoutALimit) {
  Name->SetDataField("");
  EXPECT_EQ(Name->Text(), "");
  EXPECT_EQ(Name->MaxLength(), 0);
  EXPECT_EQ(Name->EditText(), "");
  Name->SetAsString("ignored"); // nothing to write to
  EXPECT_EQ(Name->Text(), "");
  delete Source; // a freed data source is forgotten
  EXPECT_EQ(Credit->DataSource(), nullptr);
  EXPECT_EQ(Credit->Text(), "");
}

// ---------------------------------------------------------------------------
// Editing

TEST_F(DBValidEditTest, TypingEntersEditModeAndLeavingWritesTheField) {
  Retype(Credit, "2500");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Credit->Text(), "2500");
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 1500); // not handed over yet
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 2500);
  EXPECT_EQ(Credit->Text(), "2,500");
  EXPECT_EQ(Stored("credit"), "1500");
  Data->Post();
  EXPECT_EQ(Stored("credit"), "2500");
}

TEST_F(DBValidEditTest, KeystrokesAreScreenedByTheFieldThenByTheValidator) {
  Retype(Credit, "1x2");
  EXPECT_EQ(Credit->Text(), "12"); // the integer field refuses the letter
  const int Before = CreditChanges;
  vt::TypeText("."); // the field takes it, the validator does not
  EXPECT_EQ(Credit->Text(), "12");
  EXPECT_EQ(CreditChanges, Before);
}

TEST_F(DBValidEditTest, EscapeGivesTheFieldsValueBackWithoutReachingTheForm) {
  Retype(Credit, "99");
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Credit->Text(), "1500");
  EXPECT_EQ(Credit->SelLength(), 4);
  EXPECT_EQ(CancelClicks, 0);
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("credit"), "1500");
}

// With the completion list open, Escape closes only the list and keeps what
// was typed; the next Escape gives the record's value back. A word taken
// from the list is typed text, written on leaving.
TEST_F(DBValidEditTest, TheCompletionListTakesEnterAndEscapeFirst) {
  Name->SetKind(vkStringLookup);
  auto* Words = dynamic_cast<Validate::TStringLookupValidator*>(Name->Validator());
  ASSERT_NE(Words, nullptr);
  Words->Items()->SetCommaText("Ada,Blaise,Bob");
  Name->SetCompletionList(true);
  Retype(Name, "b");
  EXPECT_EQ(Name->CompletionWords(), (std::vector<std::string>{"Blaise", "Bob"}));
  vt::PressKey(VK_ESCAPE);
  EXPECT_TRUE(Name->CompletionWords().empty());
  EXPECT_EQ(Name->Text(), "b");
  EXPECT_EQ(Data->State(), dsEdit);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(CancelClicks, 0);

  vt::TypeText("b");
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Name->Text(), "Bob");
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("name"), "Bob");
}

TEST_F(DBValidEditTest, PasteAndCutEnterEditMode) {
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::PressKey(VK_END);
  vt::PasteText(" K");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name->Text(), "Ada K");
  Data->Cancel();
  EXPECT_EQ(Name->Text(), "Ada");
  Name->SelectAll();
  Name->Perform(WM_CUT);
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name->Text(), "");
}

struct TRefusalCase {
  const char* What;
  TDBValidEdit* Edit;
  const char* Typed; // "" clears the text
  const char* Message;
};

TEST_F(DBValidEditTest, AFieldAssignmentThatFailsOnExitKeepsTheFocusAndTheText) {
  const TRefusalCase Cases[] = {
      {"NOT NULL", Name, "", "Field 'name' must have a value"},
      {"CHECK", Credit, "-5", "Customers: CHECK constraint failed: credit >= 0"},
  };
  for (const TRefusalCase& C : Cases) {
    Retype(C.Edit, C.Typed);
    if (!*C.Typed)
      vt::PressKey(VK_BACK);
    vt::TMessageBoxRecorder Boxes;
    EXPECT_FALSE(vt::MoveFocus(Other)) << C.What;
    ASSERT_EQ(Boxes.Boxes().size(), 1u) << C.What;
    EXPECT_EQ(Boxes.Boxes()[0].Msg, C.Message) << C.What;
    EXPECT_TRUE(C.Edit->Focused()) << C.What;
    EXPECT_EQ(C.Edit->Text(), C.Typed) << C.What;
    EXPECT_EQ(C.Edit->SelLength(), Length(C.Typed)) << C.What;
    EXPECT_EQ(Data->State(), dsEdit) << C.What;
    vt::PressKey(VK_ESCAPE);
    EXPECT_TRUE(vt::MoveFocus(Other)) << C.What;
    Data->Cancel();
  }
  EXPECT_EQ(Stored("name || credit"), "Ada1500");
}

// What the validator refuses is reported with its message on leaving and
// on posting alike, and is never written.
TEST_F(DBValidEditTest, ATextTheValidatorRefusesIsReportedAndNeverWritten) {
  LimitCredit(2000);
  std::vector<std::string> FocusErrors;
  Credit->OnFocusError = [&](TObject*, const std::string& S) { FocusErrors.push_back(S); };
  Retype(Credit, "5000");
  EXPECT_FALSE(vt::MoveFocus(Other));
  EXPECT_THROW(Data->Post(), EAbort);
  ASSERT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_NE(Boxes.Boxes()[0].Msg.find("\"5000\""), std::string::npos) << Boxes.Boxes()[0].Msg;
  EXPECT_EQ(Boxes.Boxes()[1].Msg, Boxes.Boxes()[0].Msg);
  EXPECT_EQ(FocusErrors, (std::vector<std::string>{"5000", "5000"}));
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 1500);
  EXPECT_EQ(Stored("credit"), "1500");
  Retype(Credit, "1800");
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("credit"), "1800");
}

// Shown in place, the refusal goes once Escape brings back the field's value.
TEST_F(DBValidEditTest, AnErrorShownInPlaceGoesWhenEscapeRestoresTheField) {
  LimitCredit(2000);
  Credit->SetErrorDisplay(ValEdit::edInPlace);
  Retype(Credit, "5000");
  EXPECT_FALSE(vt::MoveFocus(Other));
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_NE(Credit->ErrorMessage().find("\"5000\""), std::string::npos);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Credit->Text(), "1500");
  EXPECT_EQ(Credit->ErrorMessage(), "");
  EXPECT_TRUE(vt::MoveFocus(Other));
  Application->CancelHint();
}

// Only a value the user changed is judged, with AllowNull too: a control
// left as it was is left freely, also by Enter on the default button.
TEST_F(DBValidEditTest, OnlyAChangedValueIsJudged) {
  auto* Ok = vt::Place<TButton>(Form, 100, 168, 75, 25);
  Ok->SetDefault(true);
  int OkClicks = 0;
  Ok->OnClick = [&](TObject*) { ++OkClicks; };
  Phone->SetAllowNull(false);
  Data->Next(); // Null
  ASSERT_TRUE(vt::MoveFocus(Phone));
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OkClicks, 1);
  EXPECT_TRUE(vt::MoveFocus(Other));
  EXPECT_TRUE(Boxes.Boxes().empty());
  Data->First();
  Retype(Phone, "");
  vt::PressKey(VK_BACK);
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OkClicks, 1);
  EXPECT_FALSE(vt::MoveFocus(Other));
  ASSERT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_EQ(Boxes.Boxes()[1].Msg, SValueRequired());
}

// A control hidden while it holds a changed text cannot take the focus
// back: it lets it go, and the text waits for the next road to the table.
TEST_F(DBValidEditTest, AHiddenControlsTextWaitsForThePost) {
  LimitCredit(2000);
  Retype(Credit, "5000");
  Credit->SetVisible(false);
  EXPECT_FALSE(Credit->Focused());
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_THROW(Data->Post(), EAbort);
  EXPECT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Stored("credit"), "1500");
  Credit->SetVisible(true);
  Retype(Credit, "1800");
  Data->Post();
  EXPECT_EQ(Stored("credit"), "1800");
}

// A change of the validator's settings does not judge the record's value:
// it would empty, and so write, a value stored under the old rule.
TEST_F(DBValidEditTest, TighteningTheValidatorLeavesTheRecordAlone) {
  ASSERT_TRUE(vt::MoveFocus(Credit));
  ASSERT_TRUE(vt::MoveFocus(Other));
  LimitCredit(1000);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Credit->Text(), "1,500");
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 1500);
}

// A control that cannot change its field is not held by a value it cannot
// mend.
TEST_F(DBValidEditTest, AReadOnlyControlIsLeftWhateverItsFieldHolds) {
  Phone->SetAllowNull(false);
  Phone->SetReadOnly(true);
  Data->Next(); // Null
  ASSERT_TRUE(vt::MoveFocus(Phone));
  vt::TypeText("1");
  EXPECT_EQ(Phone->Text(), "");
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_TRUE(vt::MoveFocus(Other));
  EXPECT_TRUE(Boxes.Boxes().empty());
}

// No value and zero are told apart, whether the user or the program empties
// the field or enters 0; a connection of the test's own reads what was written.
TEST_F(DBValidEditTest, NullIsToldApartFromZero) {
  EXPECT_FALSE(Credit->IsNull());
  Data->Next();
  EXPECT_TRUE(Credit->IsNull());
  EXPECT_EQ(Credit->AsInteger(), 0);

  Retype(Credit, "0");
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_FALSE(Credit->IsNull());
  EXPECT_EQ(Credit->Text(), "0");
  EXPECT_EQ(Stored("(credit IS NULL) || '/' || credit", 2), "0/0");

  ASSERT_TRUE(vt::MoveFocus(Credit));
  Credit->SelectAll();
  vt::PressKey(VK_BACK);
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_TRUE(Credit->IsNull());
  EXPECT_EQ(Stored("credit IS NULL", 2), "1");

  // From code: zero, then Null by Clear and by a Null variant.
  const std::function<void()> SetNull[] = {[this] { Credit->Clear(); },
                                           [this] { Credit->SetAsVariant(Variant::Null()); }};
  for (const auto& MakeNull : SetNull) {
    Credit->SetAsInteger(0);
    Data->Post();
    EXPECT_EQ(Stored("(credit IS NULL) || '/' || credit", 2), "0/0");
    MakeNull();
    EXPECT_TRUE(Credit->IsNull());
    Data->Post();
    EXPECT_EQ(Stored("credit IS NULL", 2), "1");
  }
  // A control without a field holds no value.
  Credit->SetDataField("");
  EXPECT_TRUE(Credit->IsNull());
}

// ---------------------------------------------------------------------------
// Value assignment

TEST_F(DBValidEditTest, AnAssignedValueIsWrittenToTheField) {
  Credit->SetAsInteger(700);
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 700);
  EXPECT_EQ(Credit->Text(), "700");
  EXPECT_EQ(CreditChanges, 0); // the field's change shows it; nothing was typed
  Data->Post();
  EXPECT_EQ(Stored("credit"), "700");
}

TEST_F(DBValidEditTest, AValueTheValidatorRefusesRaisesAndLeavesTheFieldAlone) {
  LimitCredit(2000);
  Credit->SetValidation({vtInput, vtFocus, vtSetValue});
  try {
    Credit->SetAsInteger(5000);
    FAIL() << "5000 was accepted";
  } catch (const EValidationError& E) {
    EXPECT_EQ(E.Message(), "5000");
  }
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 1500);
  EXPECT_EQ(Credit->Text(), "1,500");
  // Without vtSetValue the same value is written.
  Credit->SetValidation({vtInput, vtFocus});
  Credit->SetAsInteger(5000);
  EXPECT_EQ(Data->FieldByName("credit")->AsInteger(), 5000);
}

TEST_F(DBValidEditTest, AValueIsIgnoredWhileTheDataSetCannotBeEdited) {
  Credit->SetReadOnly(true);
  Credit->SetAsInteger(700);
  Source->SetAutoEdit(false);
  Name->SetAsString("Zed");
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Credit->AsInteger(), 1500);
  EXPECT_EQ(Name->Text(), "Ada");
}

// ---------------------------------------------------------------------------
// The date button

TEST_F(DBValidEditTest, TheDateButtonWorksWhileBrowsingAndWritesTheField) {
  ASSERT_TRUE(Since->ButtonVisible());
  EXPECT_EQ(Data->State(), dsBrowse);
  vt::AnswerNextModal([](TCustomForm* Form) {
    auto* Dialog = dynamic_cast<CalForm::TCalendarForm*>(Form);
    EXPECT_NE(Dialog, nullptr);
    if (Dialog) {
      EXPECT_EQ(Dialog->GetDate(), D(2024, 3, 11));
      Dialog->SetDate(D(2024, 4, 2));
    }
    return mrOk;
  });
  vt::Click(Since->Button());
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("since")->AsDateTime(), D(2024, 4, 2));
  EXPECT_EQ(Since->AsDate(), D(2024, 4, 2));
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("since"), "2024-04-02");
}

// ---------------------------------------------------------------------------
// Form files

class TCustomersForm : public TForm {
public:
  using TForm::TForm;
  TDBValidEdit* CreditEdit = nullptr;
  BtnEdit::TDBBtnEdit* NameEdit = nullptr;
};

TEST(DBValidEditFormFileTest, AFormHoldsBothDataAwareEditsWithTheirDataSourceAndDataSet) {
  Published<TCustomersForm>("TCustomersForm")
      .Inherits<TForm>()
      .Field("CreditEdit", &TCustomersForm::CreditEdit)
      .Field("NameEdit", &TCustomersForm::NameEdit);
  // As a program does before it reads forms.
  vcl::RegisterSQLiteClasses();
  RegisterDBValEditClasses();
  BtnEdit::RegisterDBBtnEditClasses();
  TTempDatabase File;
  TRawConnection(File.Path()).Exec(CustomersTable);
  const std::string Text = "object CustomersForm: TCustomersForm\n"
                           "  Width = 300\n"
                           "  Height = 120\n"
                           "  object CreditEdit: TDBValidEdit\n"
                           "    Left = 8\n"
                           "    Top = 8\n"
                           "    DataField = 'credit'\n"
                           "    DataSource = CustomersSource\n"
                           "    Kind = 2\n"
                           "    Validator.Max = 2000\n"
                           "    Validator.NoBounds = False\n"
                           "  end\n"
                           "  object NameEdit: TDBBtnEdit\n"
                           "    Left = 8\n"
                           "    Top = 40\n"
                           "    DataField = 'name'\n"
                           "    DataSource = CustomersSource\n"
                           "  end\n"
                           "  object CustomersSource: TDataSource\n"
                           "    DataSet = Customers\n"
                           "  end\n"
                           "  object Customers: TSQLiteDataSet\n"
                           "    Active = True\n"
                           "    DatabaseName = '" +
                           File.Path() +
                           "'\n"
                           "    TableName = 'customers'\n"
                           "  end\n"
                           "end\n";
  TCustomersForm Form(nullptr);
  ReadComponentText(Text, &Form);
  ASSERT_NE(Form.CreditEdit, nullptr);
  ASSERT_NE(Form.NameEdit, nullptr);
  EXPECT_EQ(Form.CreditEdit->Kind(), vkInteger);
  EXPECT_EQ(Form.CreditEdit->Text(), "1,500");
  EXPECT_EQ(Form.NameEdit->Text(), "Ada");
  EXPECT_TRUE(Form.CreditEdit->AlwaysEnable());

  const std::string Written = ComponentToText(&Form);
  for (const char* Part : {"object CreditEdit: TDBValidEdit", "DataField = 'credit'",
                           "DataSource = CustomersSource", "Kind = 2", "Validator.Max = 2000"})
    EXPECT_NE(Written.find(Part), std::string::npos) << Part << "\n" << Written;
  // The value lives in the field; AlwaysEnable and ButtonVisible are at
  // their declared defaults.
  const std::size_t CreditStart = Written.find("object CreditEdit");
  const std::string CreditPart =
      Written.substr(CreditStart, Written.find("object NameEdit") - CreditStart);
  for (const char* Absent : {"EditText =", "Text =", "AlwaysEnable", "ButtonVisible"})
    EXPECT_EQ(CreditPart.find(Absent), std::string::npos) << Absent << "\n" << CreditPart;
  EXPECT_LT(Written.find("DataField = 'credit'"), Written.find("Kind = 2"));

  TCustomersForm Copy(nullptr);
  ReadComponentText(Written, &Copy);
  EXPECT_EQ(Copy.CreditEdit->Text(), "1,500");
  EXPECT_EQ(Copy.NameEdit->Text(), "Ada");
}

TEST(DBValidEditFormFileTest, AtDesignTimeAnEditWithoutAFieldShowsItsName) {
  RegisterDBValEditClasses();
  TForm Form(nullptr);
  Form.SetDesigning(true);
  ReadComponentText("object F: TForm\n"
                    "  object CreditEdit: TDBValidEdit\n"
                    "    Left = 8\n"
                    "  end\n"
                    "end\n",
                    &Form);
  auto* Edit = dynamic_cast<TDBValidEdit*>(Form.FindComponent("CreditEdit"));
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->Text(), "CreditEdit");
}

// ---------------------------------------------------------------------------
// What the user sees

// The columns of Control's client area, in the painted Picture of its form,
// that hold dark (text) pixels, excluding the last Skip columns (a button).
std::vector<int> DarkColumns(const TPixelBuffer& Picture, TWinControl* Control, int Skip) {
  TCustomForm* Form = GetParentForm(Control);
  const TPoint Origin = Control->ClientOrigin();
  const TPoint FormOrigin = Form->ClientOrigin();
  std::vector<int> Columns;
  for (int X = 0; X < Control->ClientWidth() - Skip; ++X)
    for (int Y = 0; Y < Control->ClientHeight(); ++Y) {
      const TColor C = Picture.Pixel(Origin.X - FormOrigin.X + X, Origin.Y - FormOrigin.Y + Y);
      const int R = C & 0xFF, G = (C >> 8) & 0xFF, B = (C >> 16) & 0xFF;
      if (R + G + B < 3 * 96) {
        Columns.push_back(X);
        break;
      }
    }
  return Columns;
}

// A form of both data-aware edits on the customers table, painted headless
// while browsing and while one is edited. With VALEDIT_SCREENSHOT_DIR set
// the two pictures are written there as PNG files.
TEST_F(DBValidEditTest, TheFormShowsTheDisplayFormWhileBrowsingAndTheEditFormWhileEditing) {
  BtnEdit::RegisterDBBtnEditClasses();
  Cancel->SetCaption("Cancel");
  const std::pair<int, const char*> Labels[] = {
      {8, "name"}, {40, "credit (integer)"}, {72, "since (date)"}, {104, "phone"}};
  for (const auto& [Top, Caption] : Labels)
    vt::Place<TLabel>(Form, 164, Top + 4, 90, 13)->SetCaption(Caption);
  vt::Place<TLabel>(Form, 260, 30, 130, 13)->SetCaption("name (button edit)");
  auto* NameButton = vt::Place<BtnEdit::TDBBtnEdit>(Form, 260, 8, 130, 21);
  NameButton->SetDataSource(Source);
  NameButton->SetDataField("name");
  NameButton->SetGlyphKind(BtnEdit::gkEllipsis);
  Credit->SetAlignment(taRightJustify);
  Since->SetAlignment(taRightJustify);

  const TPixelBuffer Browsing = vt::PaintForm(Form);
  const std::vector<int> Shown = DarkColumns(Browsing, Credit, 0);
  ASSERT_FALSE(Shown.empty());
  EXPECT_GT(Shown.front(), Credit->ClientWidth() / 2); // "1,500" at the right

  Retype(Credit, "2500");
  const TPixelBuffer Editing = vt::PaintForm(Form);
  const std::vector<int> Typed = DarkColumns(Editing, Credit, 0);
  ASSERT_FALSE(Typed.empty());
  EXPECT_LT(Typed.back(), Credit->ClientWidth() / 2); // "2500" from the left, as typed
  EXPECT_EQ(Data->State(), dsEdit);
  // The date edit's button and the button edit's dots are drawn in both.
  EXPECT_FALSE(DarkColumns(Editing, NameButton, 0).empty());

  if (const char* Dir = std::getenv("VALEDIT_SCREENSHOT_DIR")) {
    Browsing.SaveToPng(std::string(Dir) + "/dbedits_browsing.png");
    Editing.SaveToPng(std::string(Dir) + "/dbedits_editing.png");
  }
}

} // namespace
