// The data-aware edit driven as a user drives it, on a form with toolbar
// buttons that never take the focus: whatever road the user takes to save
// (posting, moving, refreshing, closing), the text being typed is saved.
// And forms that hold a data set, a data source and data-aware edits, read
// from form files.
#include <gtest/gtest.h>

#include "../vcl/db/db_fixture.h"
#include "vcl/buttons.h"
#include "vcl/dbctrls.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
namespace vt = vcl::testing;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class DBEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
              " phone TEXT, age INTEGER);"
              "INSERT INTO people (name, phone, age) VALUES ('Ada', '4155551212', 36),"
              " ('Blaise', NULL, 39)");
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 200);
    Data = new TSQLiteDataSet(Form);
    Data->SetName("People");
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("people");
    Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    Name = Edit(8, "name");
    Age = Edit(40, "age");
    Phone = Edit(72, "phone");
    Toolbar = vt::Place<TSpeedButton>(Form, 300, 8, 23, 22);
    Toolbar->OnClick = [this](TObject*) { Action(); };
    Data->Open();
    vt::ShowForm(Form);
  }
  void TearDown() override {
    delete Form;
    Raw.reset();
  }

  TDBEdit* Edit(int Top, const char* Field) {
    auto* E = vt::Place<TDBEdit>(Form, 8, Top, 150, 21);
    E->SetDataSource(Source);
    E->SetDataField(Field);
    return E;
  }
  // Types into the name edit without leaving it.
  void TypeName(const std::string& Text) {
    ASSERT_TRUE(vt::MoveFocus(Name));
    Name->SelectAll();
    vt::TypeText(Text);
  }
  std::string Stored(const std::string& SQL) { return Raw->Value(SQL); }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TForm* Form = nullptr;
  TSQLiteDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBEdit *Name = nullptr, *Age = nullptr, *Phone = nullptr;
  TSpeedButton* Toolbar = nullptr;
  std::function<void()> Action;
};

TEST_F(DBEditTest, ShowsTheFieldAndEntersEditModeWhenTheUserTypes) {
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Age->Text(), "36");
  EXPECT_EQ(Data->State(), dsBrowse);
  TypeName("Ada L");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name->Text(), "Ada L");
  EXPECT_EQ(Data->FieldByName("name")->AsString(), "Ada"); // not handed over yet
  ASSERT_TRUE(vt::MoveFocus(Age));                         // leaving hands it over
  EXPECT_EQ(Data->FieldByName("name")->AsString(), "Ada L");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), "Ada");
}

TEST_F(DBEditTest, TheToolbarsPostSavesTheTextStillBeingTyped) {
  Action = [this] { Data->Post(); };
  TypeName("Augusta");
  vt::Click(Toolbar);
  EXPECT_TRUE(Name->Focused()); // the button never took the focus
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), "Augusta");
  EXPECT_EQ(Name->Text(), "Augusta");
}

TEST_F(DBEditTest, EveryRoadAwayFromTheRecordSavesTheText) {
  struct Road {
    const char* What;
    std::function<void(TDataSet*)> Go;
  } Roads[] = {
      {"Next", [](TDataSet* D) { D->Next(); }},
      {"Last", [](TDataSet* D) { D->Last(); }},
      {"Refresh", [](TDataSet* D) { D->Refresh(); }},
      {"Close", [](TDataSet* D) { D->Close(); }},
  };
  int Round = 0;
  for (const Road& R : Roads) {
    if (!Data->Active())
      Data->Open();
    Data->First();
    const std::string Typed = "Ada " + std::to_string(++Round);
    Action = [&] { R.Go(Data); };
    TypeName(Typed);
    vt::Click(Toolbar);
    EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), Typed) << R.What;
    EXPECT_EQ(Data->State(), Data->Active() ? dsBrowse : dsInactive) << R.What;
  }
  EXPECT_EQ(Name->Text(), ""); // closed: no field to show
}

TEST_F(DBEditTest, AFailingPostKeepsTheTypedTextAndEditMode) {
  Action = [this] { Data->Post(); };
  TypeName("Blaise"); // UNIQUE
  vt::TMessageBoxRecorder Boxes;
  vt::Click(Toolbar);
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_NE(Boxes.Boxes()[0].Msg.find("UNIQUE"), std::string::npos) << Boxes.Boxes()[0].Msg;
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name->Text(), "Blaise");
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), "Ada");
  vt::TypeText(" P");
  vt::Click(Toolbar);
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), "Blaise P");
}

TEST_F(DBEditTest, ARequiredFieldLeftEmptyTakesTheFocusToItsEdit) {
  Action = [this] { Data->Post(); };
  ASSERT_TRUE(vt::MoveFocus(Age));
  Data->Insert();
  vt::TypeText("50");
  vt::TMessageBoxRecorder Boxes;
  vt::Click(Toolbar);
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "Field 'name' must have a value");
  EXPECT_TRUE(Name->Focused());
  EXPECT_EQ(Age->Text(), "50");
  vt::TypeText("Charles");
  vt::Click(Toolbar);
  EXPECT_EQ(Stored("SELECT age FROM people WHERE name = 'Charles'"), "50");
}

TEST_F(DBEditTest, EscapeGivesTheFieldsValueBack) {
  TypeName("Zed");
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Name->SelLength(), 3);
  Data->Post(); // nothing typed any more
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), "Ada");
}

TEST_F(DBEditTest, CharactersTheFieldRefusesAreDroppedWithABeep) {
  ASSERT_TRUE(vt::MoveFocus(Age));
  Age->SelectAll();
  const int Beeps = vt::BeepCount();
  vt::TypeText("4x2");
  EXPECT_EQ(Age->Text(), "42");
  EXPECT_GT(vt::BeepCount(), Beeps);
}

TEST_F(DBEditTest, TheFieldsEditMaskMasksTheEdit) {
  Data->FieldByName("phone")->SetEditMask("!\\(999\\)000-0000;0;_");
  EXPECT_EQ(Phone->EditText(), "(415)555-1212");
  ASSERT_TRUE(vt::MoveFocus(Phone));
  vt::PressKey(VK_HOME);
  vt::TypeText("212");
  Action = [this] { Data->Post(); };
  vt::Click(Toolbar);
  EXPECT_EQ(Stored("SELECT phone FROM people WHERE id = 1"), "2125551212");
  Data->Next(); // Null: the mask's blanks
  EXPECT_EQ(Phone->EditText(), "(___)___-____");
  EXPECT_EQ(Phone->Text(), "");
}

TEST_F(DBEditTest, TheWindowIsReadOnlyUnlessTheDataSetCanBeEdited) {
  Name->SetReadOnly(true);
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Data->State(), dsBrowse);
  Name->SetReadOnly(false);
  Source->SetAutoEdit(false);
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Ada");
  Data->Edit();
  vt::PressKey(VK_END);
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Adax");
}

TEST_F(DBEditTest, AnswersCMGetDataLinkWithItsLink) {
  auto* Link = reinterpret_cast<TFieldDataLink*>(Name->Perform(CM_GETDATALINK));
  ASSERT_NE(Link, nullptr);
  EXPECT_EQ(Link->FieldName(), "name");
  EXPECT_EQ(Link->Control(), Name);
  EXPECT_EQ(Link->Field(), Data->FieldByName("name"));
}

TEST_F(DBEditTest, FreeingTheDataSourceUnbindsTheEdits) {
  delete Source;
  EXPECT_EQ(Name->DataSource(), nullptr);
  EXPECT_EQ(Name->Field(), nullptr);
  EXPECT_EQ(Name->Text(), "");
}

// A form of its own kind, as an application declares it.
class TPeopleForm : public TForm {
public:
  using TForm::TForm;
  TDBEdit* NameEdit = nullptr;
  TSQLiteDataSet* People = nullptr;
};

TEST(DBFormFileTest, AFormFindsItsDataSetSourceAndEditsByName) {
  RegisterSQLiteClasses();
  RegisterDBCtrlsClasses();
  TTempDatabase File;
  TRawConnection Raw(File.Path());
  Raw.Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);"
           "INSERT INTO people (name) VALUES ('Ada')");
  Published<TPeopleForm>("TPeopleForm")
      .Inherits<TForm>()
      .Field("NameEdit", &TPeopleForm::NameEdit)
      .Field("People", &TPeopleForm::People);
  // The edit comes before the source and the source before the data set:
  // references are resolved once the whole form is read.
  const std::string Text = "object PeopleForm: TPeopleForm\n"
                           "  Width = 300\n"
                           "  Height = 120\n"
                           "  object NameEdit: TDBEdit\n"
                           "    Left = 8\n"
                           "    Top = 8\n"
                           "    DataField = 'name'\n"
                           "    DataSource = PeopleSource\n"
                           "  end\n"
                           "  object PeopleSource: TDataSource\n"
                           "    DataSet = People\n"
                           "  end\n"
                           "  object People: TSQLiteDataSet\n"
                           "    Active = True\n"
                           "    DatabaseName = '" +
                           File.Path() +
                           "'\n"
                           "    TableName = 'people'\n"
                           "    object PeopleName: TStringField\n"
                           "      FieldName = 'name'\n"
                           "      EditMask = '>L<llllll;1; '\n"
                           "      Size = 7\n"
                           "    end\n"
                           "  end\n"
                           "end\n";
  TPeopleForm Form(nullptr);
  ReadComponentText(Text, &Form);
  ASSERT_NE(Form.NameEdit, nullptr);
  ASSERT_NE(Form.People, nullptr);
  EXPECT_TRUE(Form.People->Active());
  EXPECT_EQ(Form.People->FieldCount(), 1); // the form's field only
  EXPECT_EQ(Form.NameEdit->Text(), "Ada");
  EXPECT_EQ(Form.NameEdit->EditText(), "Ada    "); // the mask's seven places
  EXPECT_EQ(Form.NameEdit->MaxLength(), 0);        // none of the user's

  const std::string Written = ComponentToText(&Form);
  for (const char* Part :
       {"DataSource = PeopleSource", "DataSet = People", "Active = True", "TableName = 'people'",
        "object PeopleName: TStringField", "EditMask = '>L<llllll;1; '"})
    EXPECT_NE(Written.find(Part), std::string::npos) << Part << "\n" << Written;
  EXPECT_EQ(Written.find("DatabaseName = ':memory:'"), std::string::npos); // not the default

  TPeopleForm Copy(nullptr);
  ReadComponentText(Written, &Copy);
  EXPECT_EQ(Copy.NameEdit->Text(), "Ada");
}

TEST(DBFormFileTest, AFormWhoseDataSetCannotOpenIsNotRead) {
  RegisterSQLiteClasses();
  const std::string Text = "object F: TForm\n"
                           "  object T: TSQLiteDataSet\n"
                           "    Active = True\n"
                           "    DatabaseName = '/nonexistent/folder/x.db'\n"
                           "    TableName = 't'\n"
                           "  end\n"
                           "end\n";
  TForm Form(nullptr);
  EXPECT_THROW(ReadComponentText(Text, &Form), EDatabaseError);
  EXPECT_EQ(Form.FindComponent("T"), nullptr);
}

} // namespace
