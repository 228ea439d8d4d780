// The data-aware button edit driven as a user drives it, on a form bound to
// a customers table in an SQLite file (a connection of the test's own
// checks what was written): browsing, typing, Escape, leaving, posting,
// values the mask or the table refuses, the button, and the form file that
// holds it with its data source and data set.
#include "btnedit/dbbtnedit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../vcl/db/db_fixture.h"
#include "vcl/buttons.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
using namespace BtnEdit;
namespace vt = vcl::testing;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

const char* const CustomersTable =
    "CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(20) NOT NULL,"
    " phone VARCHAR(10), age INTEGER CHECK (age >= 0));"
    "INSERT INTO customers (name, phone, age) VALUES ('Ada', '4155551212', 36),"
    " ('Blaise', NULL, 39)";

class DBBtnEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec(CustomersTable);
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 220);
    Data = new TSQLiteDataSet(Form);
    Data->SetName("Customers");
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("customers");
    Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    Name = Edit(8, "name");
    Phone = Edit(40, "phone");
    Age = Edit(72, "age");
    Other = vt::Place<TEdit>(Form, 8, 104, 150, 21);
    Cancel = vt::Place<TButton>(Form, 8, 136, 75, 25);
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    Name->OnButtonClick = [this](TObject*) { ++ButtonClicks; };
    Data->Open();
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Other));
  }
  void TearDown() override {
    delete Form;
    Raw.reset();
  }

  TDBBtnEdit* Edit(int Top, const char* Field) {
    auto* E = vt::Place<TDBBtnEdit>(Form, 8, Top, 150, 21);
    E->SetDataSource(Source);
    E->SetDataField(Field);
    return E;
  }
  // Enters E, selects all and types Text.
  void Retype(TDBBtnEdit* E, const std::string& Text) {
    ASSERT_TRUE(vt::MoveFocus(E));
    E->SelectAll();
    vt::TypeText(Text);
  }
  std::string Stored(const std::string& Column) {
    return Raw->Value("SELECT " + Column + " FROM customers WHERE id = 1");
  }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TForm* Form = nullptr;
  TSQLiteDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBBtnEdit *Name = nullptr, *Phone = nullptr, *Age = nullptr;
  TEdit* Other = nullptr;
  TButton* Cancel = nullptr;
  int CancelClicks = 0;
  int ButtonClicks = 0;
};

TEST_F(DBBtnEditTest, BrowsingShowsTheRecordAndTypingEntersEditMode) {
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Phone->Text(), "4155551212");
  EXPECT_EQ(Age->Text(), "36");
  Data->Next();
  EXPECT_EQ(Name->Text(), "Blaise");
  EXPECT_EQ(Phone->Text(), ""); // Null
  Data->First();

  ASSERT_TRUE(vt::MoveFocus(Name));
  EXPECT_EQ(Data->State(), dsBrowse);
  vt::PressKey(VK_END);
  vt::TypeText(" L");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name->Text(), "Ada L");
  EXPECT_EQ(Data->FieldByName("name")->AsString(), "Ada"); // not handed over yet

  ASSERT_TRUE(vt::MoveFocus(Other)); // leaving writes the field
  EXPECT_EQ(Data->FieldByName("name")->AsString(), "Ada L");
  EXPECT_EQ(Stored("name"), "Ada");
  Data->Post();
  EXPECT_EQ(Stored("name"), "Ada L");
  EXPECT_EQ(Name->Text(), "Ada L");
}

TEST_F(DBBtnEditTest, EscapeGivesTheFieldsValueBackAndSelectsIt) {
  Retype(Name, "Zed");
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Name->SelStart(), 0);
  EXPECT_EQ(Name->SelLength(), 3);
  EXPECT_EQ(CancelClicks, 1); // the form's cancel button heard it first
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("name"), "Ada");
}

struct TRefusalCase {
  const char* What;
  TDBBtnEdit* Edit;
  const char* EditMask; // set on the field first
  const char* Typed;    // "" clears the text
  const char* Message;
};

TEST_F(DBBtnEditTest, ATextTheMaskOrTheTableRefusesKeepsTheFocusOnExit) {
  const TRefusalCase Cases[] = {
      {"NOT NULL", Name, "", "", "Field 'name' must have a value"},
      {"CHECK", Age, "", "-5", "Customers: CHECK constraint failed: age >= 0"},
      {"mask", Phone, "!\\(999\\)000-0000;0;_", "415",
       "Invalid input value. Use escape key to abandon changes"},
  };
  for (const TRefusalCase& C : Cases) {
    TDBBtnEdit* E = C.Edit;
    Data->FieldByName(E->DataField())->SetEditMask(C.EditMask);
    Retype(E, C.Typed);
    if (!*C.Typed)
      vt::PressKey(VK_BACK);
    const std::string Typed = E->Text();
    vt::TMessageBoxRecorder Boxes;
    EXPECT_FALSE(vt::MoveFocus(Other)) << C.What;
    ASSERT_EQ(Boxes.Boxes().size(), 1u) << C.What;
    EXPECT_EQ(Boxes.Boxes()[0].Msg, C.Message) << C.What;
    EXPECT_TRUE(E->Focused()) << C.What;
    EXPECT_EQ(E->Text(), Typed) << C.What;
    EXPECT_EQ(E->SelStart(), 0) << C.What;
    EXPECT_EQ(E->SelLength(), Length(E->EditText())) << C.What;
    EXPECT_EQ(Data->State(), dsEdit) << C.What;
    vt::PressKey(VK_ESCAPE);
    Data->Cancel();
    EXPECT_TRUE(vt::MoveFocus(Other)) << C.What;
  }
  EXPECT_EQ(Raw->Value("SELECT name || phone || age FROM customers WHERE id = 1"),
            "Ada415555121236");
}

TEST_F(DBBtnEditTest, AFixedTextIsWrittenOnTheNextExit) {
  Retype(Age, "-5");
  vt::TMessageBoxRecorder Boxes;
  EXPECT_FALSE(vt::MoveFocus(Other));
  EXPECT_EQ(Boxes.Boxes().size(), 1u);
  vt::TypeText("50");
  ASSERT_TRUE(vt::MoveFocus(Other));
  Data->Post();
  EXPECT_EQ(Stored("age"), "50");
}

TEST_F(DBBtnEditTest, CharactersTheFieldRefusesAreDroppedWithABeep) {
  const int Beeps = vt::BeepCount();
  Retype(Age, "4x2");
  EXPECT_EQ(Age->Text(), "42");
  EXPECT_EQ(vt::BeepCount(), Beeps + 1);
}

// ---------------------------------------------------------------------------
// The button

enum TClickWay { cwMouse, cwClickKey, cwDoClick };

struct TGateCase {
  bool ReadOnly;
  bool AlwaysEnable;
  bool Fires;
};

// The gate is the ReadOnly property (the link's), not the window's own
// read-only state: a browsing data set does not stop the button.
TEST_F(DBBtnEditTest, TheButtonIsGatedByReadOnlyAndAlwaysEnable) {
  const TGateCase Cases[] = {{false, false, true}, {true, false, false}, {true, true, true}};
  for (const TGateCase& C : Cases)
    for (TClickWay Way : {cwMouse, cwClickKey, cwDoClick}) {
      Name->SetReadOnly(C.ReadOnly);
      Name->SetAlwaysEnable(C.AlwaysEnable);
      ButtonClicks = 0;
      switch (Way) {
      case cwMouse:
        vt::Click(Name->Button());
        break;
      case cwClickKey:
        ASSERT_TRUE(vt::MoveFocus(Name));
        vt::PressKey(VK_RETURN, {ssCtrl});
        break;
      case cwDoClick:
        Name->DoClick();
        break;
      }
      EXPECT_EQ(ButtonClicks, C.Fires ? 1 : 0)
          << "ReadOnly " << C.ReadOnly << " AlwaysEnable " << C.AlwaysEnable << " way " << Way;
      EXPECT_EQ(Data->State(), dsBrowse); // a click edits nothing by itself
    }
}

TEST_F(DBBtnEditTest, AReadOnlyEditNeverEntersEditMode) {
  Name->SetReadOnly(true);
  Retype(Name, "x");
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Data->State(), dsBrowse);
  // Clearing ReadOnly while browsing still leaves typing to edit mode.
  Name->SetReadOnly(false);
  Source->SetAutoEdit(false);
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Ada");
  Data->Edit();
  vt::PressKey(VK_END);
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Adax");
}

// ---------------------------------------------------------------------------
// Without a field, and the link

TEST_F(DBBtnEditTest, WithoutAFieldTheEditIsEmptyLeftAlignedAndUnmasked) {
  Data->FieldByName("phone")->SetEditMask("!\\(999\\)000-0000;0;_");
  Phone->SetAlignment(taRightJustify);
  Phone->SetDataField("");
  EXPECT_EQ(Phone->EditText(), "");
  EXPECT_EQ(Phone->Alignment(), taLeftJustify);
  Phone->SetEditText("abc"); // no mask left to refuse it
  EXPECT_EQ(Phone->EditText(), "abc");
}

TEST_F(DBBtnEditTest, AnswersCMGetDataLinkAndForgetsAFreedDataSource) {
  auto* Link = reinterpret_cast<TFieldDataLink*>(Name->Perform(CM_GETDATALINK));
  ASSERT_NE(Link, nullptr);
  EXPECT_EQ(Link->Field(), Data->FieldByName("name"));
  EXPECT_EQ(Link->Control(), Name);
  delete Source;
  EXPECT_EQ(Name->DataSource(), nullptr);
  EXPECT_EQ(Name->Field(), nullptr);
  EXPECT_EQ(Name->Text(), "");
}

// ---------------------------------------------------------------------------
// Form files

class TCustomersForm : public TForm {
public:
  using TForm::TForm;
  TDBBtnEdit* NameEdit = nullptr;
};

void DeclareCustomersForm() {
  RegisterSQLiteClasses(); // as a program does before it reads forms
  RegisterDBBtnEditClasses();
  Published<TCustomersForm>("TCustomersForm")
      .Inherits<TForm>()
      .Field("NameEdit", &TCustomersForm::NameEdit);
}

const std::string DataSetPart = "  object Customers: TSQLiteDataSet\n"
                                "    Active = True\n"
                                "    DatabaseName = '@'\n"
                                "    TableName = 'customers'\n"
                                "  end\n";

// The data set comes after the edit and its source unless DataSetFirst: the
// references are found by name once the whole form is read.
std::string CustomersForm(const std::string& Database, const std::string& EditProperties,
                          bool DataSetFirst = false) {
  std::string DataSet = DataSetPart;
  DataSet.replace(DataSet.find('@'), 1, Database);
  return "object CustomersForm: TCustomersForm\n"
         "  Width = 300\n"
         "  Height = 120\n" +
         (DataSetFirst ? DataSet : std::string()) +
         "  object NameEdit: TDBBtnEdit\n"
         "    Left = 8\n"
         "    Top = 8\n" +
         EditProperties +
         "    DataField = 'name'\n"
         "    DataSource = CustomersSource\n"
         "  end\n"
         "  object CustomersSource: TDataSource\n"
         "    DataSet = Customers\n"
         "  end\n" +
         (DataSetFirst ? std::string() : DataSet) + "end\n";
}

TEST(DBBtnEditFormFileTest, AFormHoldsTheEditWithItsDataSourceAndDataSet) {
  DeclareCustomersForm();
  TTempDatabase File;
  TRawConnection(File.Path()).Exec(CustomersTable);
  TCustomersForm Form(nullptr);
  ReadComponentText(CustomersForm(File.Path(), "    GlyphKind = gkEllipsis\n"
                                               "    ButtonHint = 'Pick a name'\n"),
                    &Form);
  ASSERT_NE(Form.NameEdit, nullptr);
  EXPECT_EQ(Form.NameEdit->Text(), "Ada");
  EXPECT_EQ(Form.NameEdit->GlyphKind(), gkEllipsis);
  EXPECT_EQ(Form.NameEdit->ClickKey(), scCtrlEnter);
  EXPECT_EQ(Form.NameEdit->ButtonHint(), "Pick a name");
  EXPECT_EQ(Form.NameEdit->DataSource()->Name(), "CustomersSource");

  const std::string Written = ComponentToText(&Form);
  for (const char* Part : {"object NameEdit: TDBBtnEdit", "DataField = 'name'",
                           "DataSource = CustomersSource", "GlyphKind = gkEllipsis"})
    EXPECT_NE(Written.find(Part), std::string::npos) << Part << "\n" << Written;
  for (const char* Absent : {"Text =", "ClickKey =", "Glyph.Data"})
    EXPECT_EQ(Written.find(Absent), std::string::npos) << Absent << "\n" << Written;
  // Published order: DataField and DataSource between Ctl3D and DragCursor,
  // GlyphKind after them.
  EXPECT_LT(Written.find("DataField"), Written.find("GlyphKind"));

  TCustomersForm Copy(nullptr);
  ReadComponentText(Written, &Copy);
  EXPECT_EQ(Copy.NameEdit->Text(), "Ada");
  EXPECT_EQ(Copy.NameEdit->GlyphKind(), gkEllipsis);
}

// MaxLength is what the user set: the field's size limits typing without
// becoming the property, so a form written while the program runs stores
// no copied length, and a stored one is the user's and stays.
TEST(DBBtnEditFormFileTest, AFormStoresOnlyTheUsersMaxLength) {
  DeclareCustomersForm();
  TTempDatabase File;
  TRawConnection(File.Path()).Exec(CustomersTable);
  TCustomersForm Form(nullptr);
  ReadComponentText(CustomersForm(File.Path(), "", true), &Form);
  EXPECT_EQ(Form.NameEdit->MaxLength(), 0);
  EXPECT_EQ(ComponentToText(&Form).find("MaxLength"), std::string::npos);

  TCustomersForm Own(nullptr);
  ReadComponentText(CustomersForm(File.Path(), "    MaxLength = 12\n", true), &Own);
  EXPECT_EQ(Own.NameEdit->MaxLength(), 12);
  dynamic_cast<TDataSet*>(Own.FindComponent("Customers"))->Next();
  EXPECT_EQ(Own.NameEdit->MaxLength(), 12);
  EXPECT_NE(ComponentToText(&Own).find("MaxLength = 12"), std::string::npos);
}

TEST(DBBtnEditFormFileTest, AtDesignTimeAnEditWithoutAFieldShowsItsName) {
  RegisterDBBtnEditClasses();
  TForm Form(nullptr);
  Form.SetDesigning(true);
  ReadComponentText("object F: TForm\n"
                    "  object NameEdit: TDBBtnEdit\n"
                    "    Left = 8\n"
                    "  end\n"
                    "end\n",
                    &Form);
  auto* Edit = dynamic_cast<TDBBtnEdit*>(Form.FindComponent("NameEdit"));
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->EditText(), "NameEdit");
}

} // namespace
