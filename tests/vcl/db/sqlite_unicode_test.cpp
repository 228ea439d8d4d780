// Text in any script between the data-aware edit and an SQLite file: what is
// typed or pasted is stored as the same UTF-8 another program reads (a
// second connection, Python's sqlite3), rows other programs wrote show as
// they were written, and files of earlier versions in code page 1252 are
// read through LegacyCodePage or converted once.
#include <gtest/gtest.h>

#include <cstdio>

#include "../../unicode_texts.h"
#include "db_fixture.h"
#include "vcl/dbctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;
using dbtest::Refusal;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class SQLiteUnicodeTest : public ::testing::Test {
protected:
  void SetUp() override {
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city VARCHAR(5));"
              "INSERT INTO people (name, city) VALUES ('Ada', 'Oslo')");
  }
  void TearDown() override {
    delete Form;
    Raw.reset();
  }

  // Opens the table on a form with an edit for each column.
  void OpenForm(int LegacyCodePage = 0) {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 200);
    Data = new TSQLiteDataSet(Form);
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("people");
    Data->SetLegacyCodePage(LegacyCodePage);
    auto* Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    Name = Edit(Source, 8, "name");
    City = Edit(Source, 40, "city");
    Data->Open();
    vt::ShowForm(Form);
  }
  TDBEdit* Edit(TDataSource* Source, int Top, const char* Field) {
    auto* E = vt::Place<TDBEdit>(Form, 8, Top, 300, 21);
    E->SetDataSource(Source);
    E->SetDataField(Field);
    return E;
  }
  void ReplaceName(const std::function<void()>& Enter) {
    ASSERT_TRUE(vt::MoveFocus(Name));
    Name->SelectAll();
    Enter();
    Data->Post();
  }
  std::string Stored(const std::string& Column = "name") {
    return Raw->Value("SELECT " + Column + " FROM people WHERE id = 1");
  }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TForm* Form = nullptr;
  TSQLiteDataSet* Data = nullptr;
  TDBEdit *Name = nullptr, *City = nullptr;
};

// What /usr/bin/python3's sqlite3 module reads from the file, or its error.
std::string ReadWithPython(const std::string& Path, const std::string& SQL) {
  const std::string Command = "/usr/bin/python3 -c \"import sqlite3, sys; "
                              "sys.stdout.buffer.write(sqlite3.connect(sys.argv[1])"
                              ".execute(sys.argv[2]).fetchone()[0].encode('utf-8'))\" '" +
                              Path + "' '" + SQL + "' 2>&1";
  FILE* Pipe = popen(Command.c_str(), "r");
  std::string Out;
  char Buf[256];
  while (std::size_t N = std::fread(Buf, 1, sizeof Buf, Pipe))
    Out.append(Buf, N);
  pclose(Pipe);
  return Out;
}

TEST_F(SQLiteUnicodeTest, TypedAndPastedTextIsStoredAsTheSameUtf8) {
  OpenForm();
  // Typed and pasted text is composed (NFC): e + U+0301 is stored as é.
  for (const auto& T : unicode_texts::Texts) {
    const std::string Composed = NormalizeNFC(T.Text);
    ReplaceName([&] { vt::TypeText(T.Text); });
    EXPECT_EQ(Stored(), Composed) << T.Name << " typed";
    ReplaceName([&] { vt::PasteText("« " + T.Text + " »"); });
    EXPECT_EQ(Stored(), "« " + Composed + " »") << T.Name << " pasted";
    EXPECT_EQ(Raw->Value("SELECT length(name) FROM people WHERE id = 1"),
              std::to_string(Length(Composed) + 4))
        << T.Name << ": SQLite counts the characters, so the bytes are valid UTF-8";
  }
}

TEST_F(SQLiteUnicodeTest, AnotherProgramReadsWhatWasTyped) {
  OpenForm();
  ReplaceName([] { vt::TypeText("Grüße Łódź 東京"); });
  EXPECT_EQ(Raw->Value("SELECT hex(name) FROM people WHERE id = 1"),
            "4772C3BCC39F6520C581C3B364C5BA20E69DB1E4BAAC");
  EXPECT_EQ(ReadWithPython(File.Path(), "SELECT name FROM people WHERE id = 1"), "Grüße Łódź 東京");
}

TEST_F(SQLiteUnicodeTest, RowsOtherProgramsWroteShowAsWritten) {
  Raw->Exec("UPDATE people SET name = 'Müller Αθήνα 東京' WHERE id = 1");
  OpenForm();
  EXPECT_EQ(Name->Text(), "Müller Αθήνα 東京");
}

TEST_F(SQLiteUnicodeTest, AStringFieldsSizeCountsCharacters) {
  OpenForm();
  ASSERT_TRUE(vt::MoveFocus(City));
  City->SelectAll();
  vt::TypeText("Łódź Żółć");
  EXPECT_EQ(City->Text(), "Łódź ");
  Data->Post();
  EXPECT_EQ(Stored("city"), "Łódź ");
}

// A text that is not UTF-8 shows with U+FFFD and is not written back unless
// the user edits it.
TEST_F(SQLiteUnicodeTest, BytesThatAreNotUtf8ShowAsReplacementAndStayUntilEdited) {
  Raw->Exec("UPDATE people SET name = CAST(X'4DFC6C6C6572' AS TEXT) WHERE id = 1");
  OpenForm();
  EXPECT_EQ(Name->Text(), "M\xFCller") << "held as stored";
  EXPECT_EQ(Length(Name->Text()), 6) << "the broken byte is one character, U+FFFD";
  ASSERT_TRUE(vt::MoveFocus(City));
  City->SelectAll();
  vt::TypeText("Rome");
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT hex(name) FROM people WHERE id = 1"), "4DFC6C6C6572");
  EXPECT_EQ(Stored("city"), "Rome");
  // Edited, the text is written as the user sees it: valid UTF-8.
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::PressKey(VK_END);
  vt::TypeText("!");
  Data->Post();
  EXPECT_EQ(Stored(), "M\uFFFDller!");
}

TEST_F(SQLiteUnicodeTest, ALegacyCodePageFileIsReadAndWrittenInItsCodePage) {
  Raw->Exec("UPDATE people SET name = CAST(X'4DFC6C6C6572' AS TEXT) WHERE id = 1");
  OpenForm(1252);
  EXPECT_EQ(Name->Text(), "Müller");
  ReplaceName([] { vt::TypeText("Grüße €"); });
  EXPECT_EQ(Raw->Value("SELECT hex(name) FROM people WHERE id = 1"), "4772FCDF652080");
  ASSERT_TRUE(vt::MoveFocus(Name));
  Name->SelectAll();
  vt::TypeText("Łódź");
  EXPECT_NE(Refusal([&] { Data->Post(); }).find("code page 1252 lacks"), std::string::npos);
  EXPECT_EQ(Raw->Value("SELECT hex(name) FROM people WHERE id = 1"), "4772FCDF652080");
  Data->Cancel();
  EXPECT_NE(Refusal([&] { Data->SetLegacyCodePage(0); }), "") << "not while open";
  Data->Close();
  EXPECT_NE(Refusal([&] { Data->SetLegacyCodePage(850); }).find("850"), std::string::npos);
}

TEST_F(SQLiteUnicodeTest, ALegacyFileConvertsToUtf8OnceAndForAll) {
  OpenForm(1252);
  ReplaceName([] { vt::TypeText("Grüße"); });
  Data->Close();
  Raw->Exec("CREATE TABLE tags (tag TEXT PRIMARY KEY) WITHOUT ROWID;"
            "INSERT INTO tags VALUES (CAST(X'E9' AS TEXT)), ('plain')");
  EXPECT_EQ(ConvertCp1252Database(File.Path()), 2);
  EXPECT_EQ(Stored(), "Grüße");
  EXPECT_EQ(Raw->Value("SELECT group_concat(tag, ',') FROM tags"), "plain,é");
  EXPECT_NE(Refusal([&] { ConvertCp1252Database(File.Path()); }).find("people.name"),
            std::string::npos)
      << "a second conversion would garble the texts";
  EXPECT_EQ(Stored(), "Grüße");
  Data->SetLegacyCodePage(0);
  Data->Open();
  EXPECT_EQ(Name->Text(), "Grüße");
}

} // namespace
