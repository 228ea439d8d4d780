// forminspect as a user runs it: a form file on disk, components selected by
// name, values typed into the property editors, the form written back, the
// palette pictures exported, and the exit statuses.
#include <sys/resource.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/program_test.h"

namespace {

// Two validating edits (date and integer), a data-aware one and its source.
const char* const SampleForm = R"(object Form1: TForm
  object VE1: TValidEdit
    Kind = 7
    Validator.Min = 0
  end
  object VE2: TValidEdit
    Kind = 7
  end
  object VE3: TValidEdit
    Kind = 2
  end
  object Source: TDataSource
  end
  object DVE1: TDBValidEdit
    Kind = 7
  end
end
)";

class FormInspect : public TProgramTest {
protected:
  void SetUp() override {
    TProgramTest::SetUp();
    // Also the platform's runtime directory, which must be private.
    fs::permissions(FDir, fs::perms::owner_all);
    FForm = WriteFile("form.dfm", SampleForm);
  }

  // Runs forminspect with Args (quoted for the shell).
  TRun Run(const std::string& Args) {
    return RunProgram("XDG_RUNTIME_DIR='" + FDir.string() + "'", FORMINSPECT_PATH, Args);
  }
  TRun Inspect(const std::string& Args) { return Run("'" + FForm + "' " + Args); }

  // The line of the listing that starts with Start, or "" when none does.
  static std::string Line(const std::string& Listing, const std::string& Start) {
    std::istringstream In(Listing);
    for (std::string L; std::getline(In, L);)
      if (L.rfind(Start, 0) == 0)
        return L;
    return "";
  }

  // The lines indented under the top-level line that starts with Start.
  static std::vector<std::string> Nested(const std::string& Listing, const std::string& Start) {
    std::istringstream In(Listing);
    std::vector<std::string> Result;
    bool Inside = false;
    for (std::string L; std::getline(In, L);) {
      if (!L.empty() && L[0] != ' ')
        Inside = L.rfind(Start, 0) == 0;
      else if (Inside)
        Result.push_back(L);
    }
    return Result;
  }

  static std::size_t SampleFormSize() { return std::string(SampleForm).size(); }

  std::string FForm;
};

TEST_F(FormInspect, HelpExplainsTheOptions) {
  const TRun R = Run("--help");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out.rfind("Usage: forminspect", 0), 0u) << R.Out;
  for (const char* Option : {"--select", "--set", "--values", "--output", "--export-palette"})
    EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
}

TEST_F(FormInspect, BadUsageExitsWithTwo) {
  for (const char* Args : {"--bogus", "", "--set Kind", "a.dfm b.dfm"}) {
    const TRun R = Run(Args);
    EXPECT_EQ(R.Status, 2) << Args;
    EXPECT_NE(R.Err.find("forminspect: "), std::string::npos) << Args;
  }
  const TRun Missing = Run("'" + (FDir / "none.dfm").string() + "'");
  EXPECT_EQ(Missing.Status, 2);
  EXPECT_EQ(Missing.Err, "forminspect: cannot read " + (FDir / "none.dfm").string() +
                             ": No such file or directory\n");
  const TRun Folder = Run("'" + FDir.string() + "'");
  EXPECT_EQ(Folder.Status, 2);
  EXPECT_EQ(Folder.Err, "forminspect: cannot read " + FDir.string() + ": Is a directory\n");
}

struct TKindCase {
  const char* Typed;
  int Status;
  const char* Shown; // the Kind line, or the message on standard error
};

class FormInspectKind : public FormInspect, public ::testing::WithParamInterface<TKindCase> {};

TEST_P(FormInspectKind, TypedKinds) {
  const TKindCase& C = GetParam();
  const std::string Written = (FDir / "out.dfm").string();
  const TRun R = Inspect("-c VE3 -l -s 'Kind=" + std::string(C.Typed) + "' -o '" + Written + "'");
  EXPECT_EQ(R.Status, C.Status) << R.Err;
  if (C.Status == 0) {
    EXPECT_EQ(Line(R.Out, "Kind ="), C.Shown);
    // Written back, the form reads the same value again.
    const TRun Again = Run("'" + Written + "' -c VE3");
    EXPECT_EQ(Line(Again.Out, "Kind ="), C.Shown);
  } else {
    EXPECT_EQ(R.Err, std::string("forminspect: Kind: ") + C.Shown + "\n");
    EXPECT_EQ(R.Out, "");
    EXPECT_FALSE(fs::exists(Written)) << "a refused value must not write the form";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormInspectKind,
    ::testing::Values(TKindCase{"vkdate", 0, "Kind = vkDate"}, TKindCase{"7", 0, "Kind = vkDate"},
                      TKindCase{"VkTime", 0, "Kind = vkTime"}, TKindCase{"", 0, "Kind = vkNone"},
                      TKindCase{"150", 0, "Kind = 150"},
                      TKindCase{"300", 1, "Value must be between 0 and 255"},
                      TKindCase{"dates", 1, "'dates' is not a valid integer value"}));

TEST_F(FormInspect, TheDateKindBringsADateValidatorWhoseBoundsAreDates) {
  const TRun R = Inspect("-c VE1");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(Line(R.Out, "Validator ="), "Validator = (TDateValidator)");
  const auto Sub = Nested(R.Out, "Validator =");
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Min = 12/30/1899"), Sub.end()) << R.Out;
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Format = vdfLong"), Sub.end()) << R.Out;
}

TEST_F(FormInspect, ComponentsOfDifferentClassesHideTheValidatorsProperties) {
  const TRun Mixed = Inspect("-c VE1,DVE1");
  ASSERT_EQ(Mixed.Status, 0) << Mixed.Err;
  EXPECT_EQ(Line(Mixed.Out, "Validator ="), "Validator = ");
  EXPECT_TRUE(Nested(Mixed.Out, "Validator =").empty()) << Mixed.Out;
  EXPECT_EQ(Line(Mixed.Out, "Kind ="), "Kind = vkDate"); // what they agree on is shown
  EXPECT_EQ(Line(Mixed.Out, "DataField"), "");           // only VE1 and DVE1's shared properties

  const TRun Same = Inspect("-c VE1,VE2");
  EXPECT_EQ(Line(Same.Out, "Validator ="), "Validator = (TDateValidator)");
  const auto Sub = Nested(Same.Out, "Validator =");
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Format = vdfLong"), Sub.end()) << Same.Out;
  // VE1's lower bound is day 0, VE2's is not: the value they differ on is left empty.
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Min = "), Sub.end()) << Same.Out;

  const TRun Kinds = Inspect("-c VE1,VE3");
  EXPECT_EQ(Line(Kinds.Out, "Kind ="), "Kind = ");
}

TEST_F(FormInspect, SettingSeveralComponentsAtOnceAndNestedProperties) {
  const std::string Written = (FDir / "out.dfm").string();
  const TRun R = Inspect("-c VE1,VE2 -s Validator.Max=12/31/2030 -s Validation.vtSetValue=True "
                         "-s Kind=vkTime -o '" +
                         Written + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  for (const char* Name : {"VE1", "VE2"}) {
    const TRun Back = Run("'" + Written + "' -c " + Name);
    EXPECT_EQ(Line(Back.Out, "Kind ="), "Kind = vkTime") << Name;
    EXPECT_EQ(Line(Back.Out, "Validation ="), "Validation = [vtInput,vtFocus,vtSetValue]") << Name;
  }
  const TRun Unchanged = Run("'" + Written + "' -c VE3");
  EXPECT_EQ(Line(Unchanged.Out, "Kind ="), "Kind = vkInteger");
}

TEST_F(FormInspect, ListsTheValuesAnEditorOffers) {
  const TRun R = Inspect("-c VE1 -v Kind -v Validator.Format");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(R.Out, "vkNone\nvkFilter\nvkInteger\nvkFloat\nvkCurrency\nvkStringLookup\nvkPicture\n"
                   "vkDate\nvkTime\nvdfShort\nvdfLong\nvdfOptional\n");
  const TRun Source = Inspect("-c DVE1 -v DataSource");
  EXPECT_NE(Source.Out.find("Source\n"), std::string::npos) << Source.Out;
  const TRun Wrong = Inspect("-c DVE1 -s DataSource=VE1");
  EXPECT_EQ(Wrong.Status, 1);
  EXPECT_EQ(Wrong.Err,
            "forminspect: DataSource: A TValidEdit cannot be assigned to this property\n");
}

TEST_F(FormInspect, UnknownNamesAreRefused) {
  const TRun NoComponent = Inspect("-c VE9");
  EXPECT_EQ(NoComponent.Status, 1);
  EXPECT_NE(NoComponent.Err.find("VE9"), std::string::npos);
  const TRun NoProperty = Inspect("-c VE1 -s Colour=clRed");
  EXPECT_EQ(NoProperty.Status, 1);
  EXPECT_NE(NoProperty.Err.find("Colour"), std::string::npos);
  const TRun Hidden = Inspect("-c VE1,DVE1 -s Validator.Format=vdfShort");
  EXPECT_EQ(Hidden.Status, 1);
  const TRun ReadOnly = Inspect("-c VE1 -s Font=Arial");
  EXPECT_EQ(ReadOnly.Status, 1);
}

TEST_F(FormInspect, ListsThePaletteAndExportsItsPictures) {
  const TRun List = Run("--palette");
  EXPECT_EQ(List.Out, "Additional: TBtnEdit\nData Controls: TDBBtnEdit\nAdditional: TValidEdit\n"
                      "Data Controls: TDBValidEdit\n");
  const fs::path Dir = FDir / "palette";
  const TRun Export = Run("--export-palette '" + Dir.string() + "'");
  ASSERT_EQ(Export.Status, 0) << Export.Err;
  for (const char* Name : {"TBtnEdit", "TDBBtnEdit", "TValidEdit", "TDBValidEdit"}) {
    const std::string Png = Read(Dir / (std::string(Name) + ".png"));
    ASSERT_GT(Png.size(), 24u) << Name;
    EXPECT_EQ(Png.substr(1, 3), "PNG") << Name;
    // The width and height of the IHDR chunk, big-endian.
    auto Big = [&](std::size_t At) {
      return (static_cast<unsigned char>(Png[At]) << 24) |
             (static_cast<unsigned char>(Png[At + 1]) << 16) |
             (static_cast<unsigned char>(Png[At + 2]) << 8) |
             static_cast<unsigned char>(Png[At + 3]);
    };
    EXPECT_EQ(Big(16), 24u) << Name;
    EXPECT_EQ(Big(20), 24u) << Name;
  }
}

// A data set stored open is a stored value while a form is inspected: its
// SQL does not run and its database file is not made, unless asked.
TEST_F(FormInspect, DataSetsStayClosedUnlessAsked) {
  const std::string Db = (FDir / "made.db").string();
  const std::string Form = WriteFile("data.dfm", "object F: TForm\n"
                                                 "  object Orders: TSQLiteDataSet\n"
                                                 "    Active = True\n"
                                                 "    DatabaseName = 'file:" +
                                                     Db +
                                                     "?mode=rwc'\n"
                                                     "    SQL.Strings = (\n"
                                                     "      'SELECT 1 AS one')\n"
                                                     "  end\n"
                                                     "end\n");
  const std::string Written = (FDir / "out.dfm").string();
  const TRun R = Run("'" + Form + "' -c Orders -l -o '" + Written + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(Line(R.Out, "Active ="), "Active = True");
  EXPECT_FALSE(fs::exists(Db)) << "inspecting made the database file";
  EXPECT_NE(Read(Written).find("    Active = True\n"), std::string::npos) << Read(Written);
  EXPECT_FALSE(fs::exists(Db));
  // Setting Active while inspecting changes what is stored, nothing more.
  EXPECT_EQ(Run("'" + Form + "' -c Orders -s Active=False -o '" + Written + "'").Status, 0);
  EXPECT_EQ(Read(Written).find("Active"), std::string::npos);
  EXPECT_FALSE(fs::exists(Db));

  const TRun Opened = Run("--open-data-sets '" + Form + "' -c Orders -l");
  EXPECT_EQ(Opened.Status, 0) << Opened.Err;
  EXPECT_EQ(Line(Opened.Out, "Active ="), "Active = True");
  EXPECT_TRUE(fs::exists(Db)) << "--open-data-sets opens the data set";

  const std::string Broken =
      WriteFile("broken.dfm",
                "object F: TForm\n  object Orders: TSQLiteDataSet\n    Active = True\n"
                "    DatabaseName = '" +
                    (FDir / "missing.db").string() + "'\n    TableName = 'orders'\n  end\nend\n");
  EXPECT_EQ(Run("'" + Broken + "'").Status, 0);
  const TRun Failed = Run("--open-data-sets '" + Broken + "'");
  EXPECT_EQ(Failed.Status, 2);
  EXPECT_NE(Failed.Err.find("missing.db"), std::string::npos) << Failed.Err;
}

// Input is limited: an endless or huge input is refused at the limit, in
// words, without being held.
TEST_F(FormInspect, LargeInputsAreRefusedAtTheLimit) {
  const std::string Huge = (FDir / "huge.dfm").string();
  {
    std::ofstream Out(Huge);
    Out << "object F: TForm\n";
  }
  fs::resize_file(Huge, 100 * 1000 * 1000);
  const std::string Limit = "the form is larger than 16777216 bytes (--max-form-size)";
  for (const std::string& Input : {Huge, std::string("/dev/zero")}) {
    const TRun R = Run("'" + Input + "'");
    EXPECT_EQ(R.Status, 2) << Input;
    EXPECT_EQ(R.Err, "forminspect: " + Input + ": " + Limit + "\n") << Input;
    EXPECT_EQ(R.Out, "");
  }
  rusage Usage{};
  ::getrusage(RUSAGE_CHILDREN, &Usage);
  EXPECT_LT(Usage.ru_maxrss, 400 * 1024) << "kilobytes, in any child so far";

  TRun R = Run("--max-form-size 50 '" + FForm + "'");
  EXPECT_EQ(R.Status, 2);
  EXPECT_NE(R.Err.find("the form is larger than 50 bytes (--max-form-size)"), std::string::npos);
  R = Run("--max-form-size " + std::to_string(SampleFormSize()) + " '" + FForm + "' -c VE3");
  EXPECT_EQ(R.Status, 0) << R.Err;
  for (const char* Bad : {"0", "1k", "1073741825"}) {
    R = Run(std::string("--max-form-size ") + Bad + " '" + FForm + "'");
    EXPECT_EQ(R.Status, 2) << Bad;
    EXPECT_NE(R.Err.find("bad value for --max-form-size"), std::string::npos) << R.Err;
  }
}

// Memory running out is said in words, not as an exception's name.
TEST_F(FormInspect, RunningOutOfMemoryIsSaidInWords) {
  std::string Form = "object F: TForm\n";
  for (int I = 0; I < 120000; ++I)
    Form += "object L" + std::to_string(I) + ": TLabel end\n";
  const std::string File = WriteFile("labels.dfm", Form + "end\n");
  // The program itself starts in less than 100 MB; the labels need more.
  const TRun R = RunProgram("ulimit -v 150000; XDG_RUNTIME_DIR='" + FDir.string() + "'",
                            FORMINSPECT_PATH, "'" + File + "'");
  EXPECT_EQ(R.Status, 2);
  EXPECT_EQ(R.Err, "forminspect: " + File + ": not enough memory to read the form\n");
}

// A form of the application's own class is read as a TForm, said in one
// line; its handlers are names, listed and written back, class and all.
TEST_F(FormInspect, AnApplicationsOwnFormClassIsReadAsATForm) {
  const std::string Form = WriteFile("order.dfm", "object OrderForm: TOrderForm\n"
                                                  "  Caption = 'Order'\n"
                                                  "  OnCreate = FormCreate\n"
                                                  "  object Phone: TValidEdit\n"
                                                  "    Kind = 6\n"
                                                  "    OnFocusError = PhoneFocusError\n"
                                                  "  end\n"
                                                  "end\n");
  const TRun R = Run("'" + Form + "' -c Phone -e");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(R.Err, "forminspect: " + Form +
                       ": TOrderForm is not a class of forminspect; read "
                       "as a TForm\n");
  EXPECT_EQ(Line(R.Out, "OnFocusError ="), "OnFocusError = PhoneFocusError");
  EXPECT_EQ(Line(R.Out, "Kind ="), "Kind = vkPicture");

  const std::string Written = (FDir / "out.dfm").string();
  ASSERT_EQ(Run("'" + Form + "' -s Caption=Orders -o '" + Written + "'").Status, 0);
  const std::string Text = Read(Written);
  EXPECT_EQ(Text.rfind("object OrderForm: TOrderForm\n", 0), 0u) << Text;
  for (const char* Kept : {"  Caption = 'Orders'\n", "  OnCreate = FormCreate\n",
                           "    OnFocusError = PhoneFocusError\n"})
    EXPECT_NE(Text.find(Kept), std::string::npos) << Kept << "\n" << Text;
  // The note is one line, also when nothing else is printed.
  EXPECT_EQ(Run("'" + Form + "' -o '" + Written + "'").Err,
            "forminspect: " + Form +
                ": TOrderForm is not a class of forminspect; read as a "
                "TForm\n");
}

// A key combination is shown and typed by its name.
TEST_F(FormInspect, ShortcutsAreShownAndTypedByName) {
  const std::string Written = (FDir / "out.dfm").string();
  TRun R = Inspect("-c VE3");
  EXPECT_EQ(Line(R.Out, "ClickKey ="), "ClickKey = Ctrl+Enter");
  R = Inspect("-c VE3 -s ClickKey=alt+down -l -o '" + Written + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(Line(R.Out, "ClickKey ="), "ClickKey = Alt+Down");
  EXPECT_EQ(Line(Run("'" + Written + "' -c VE3").Out, "ClickKey ="), "ClickKey = Alt+Down");
  R = Inspect("-c VE3 -s ClickKey=16397 -l");
  EXPECT_EQ(Line(R.Out, "ClickKey ="), "ClickKey = Ctrl+Enter");
  R = Inspect("-c VE3 -s ClickKey=Ctrl+Foo");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Err, "forminspect: ClickKey: 'Ctrl+Foo' is not a key combination (Ctrl+Enter, "
                   "Alt+Down, F4)\n");
  const std::string Values = Inspect("-c VE3 -v ClickKey").Out;
  for (const char* Key : {"Ctrl+Enter\n", "Alt+Down\n", "F4\n", "Shift+Del\n", "Ctrl+Z\n"})
    EXPECT_NE(Values.find(Key), std::string::npos) << Key;
}

// A failed write is said with its reason and exits 2; the form written
// over keeps its permissions.
TEST_F(FormInspect, WriteErrorsExitWithTwo) {
  TRun R = Inspect("-c VE3 -o /dev/full");
  EXPECT_EQ(R.Status, 2);
  EXPECT_EQ(R.Err, "forminspect: cannot write /dev/full: No space left on device\n");
  const std::string Command = "XDG_RUNTIME_DIR='" + FDir.string() + "' '" + FORMINSPECT_PATH +
                              "' '" + FForm + "' -c VE3 >/dev/full 2>'" +
                              (FDir / "err.txt").string() + "'";
  const int Raw = std::system(Command.c_str());
  EXPECT_EQ(WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, 2);
  EXPECT_EQ(Read(FDir / "err.txt"),
            "forminspect: cannot write to standard output: No space left on device\n");
  const std::string Missing = (FDir / "no" / "such" / "out.dfm").string();
  R = Inspect("-o '" + Missing + "'");
  EXPECT_EQ(R.Status, 2);
  EXPECT_EQ(R.Err, "forminspect: cannot write " + Missing + ": No such file or directory\n");

  fs::permissions(FForm, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  R = Inspect("-c VE3 -s Kind=vkTime -o '" + FForm + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(fs::status(FForm).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Line(Run("'" + FForm + "' -c VE3").Out, "Kind ="), "Kind = vkTime");
  for (const auto& Entry : fs::directory_iterator(FDir))
    EXPECT_EQ(Entry.path().string().find("forminspect-new"), std::string::npos) << Entry.path();
}

// -e lists the properties and events also after other actions.
TEST_F(FormInspect, EventsAreListedAlongOtherActions) {
  const TRun R = Inspect("-c VE3 -s Kind=vkTime -e");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(Line(R.Out, "Kind ="), "Kind = vkTime");
  EXPECT_EQ(Line(R.Out, "OnFocusError ="), "OnFocusError = ");
  const TRun Values = Inspect("-c VE3 -v Kind -e");
  EXPECT_EQ(Values.Out.rfind("vkNone\n", 0), 0u);
  EXPECT_EQ(Line(Values.Out, "OnChange ="), "OnChange = ");
}

// A database of an earlier version, in code page 1252, converted to UTF-8 in
// one step; the sqlite3 shell, another program, reads the result.
TEST_F(FormInspect, ConvertsACodePageDatabaseToUtf8Once) {
  const std::string Db = (FDir / "old.db").string();
  const auto Sqlite = [&](const std::string& SQL) {
    return RunProgram("", "sqlite3", "'" + Db + "' \"" + SQL + "\"");
  };
  ASSERT_EQ(Sqlite("CREATE TABLE t (name TEXT); INSERT INTO t VALUES "
                   "(CAST(X'4772FCDF65' AS TEXT)), ('plain'), (CAST(X'80' AS TEXT))")
                .Status,
            0);
  TRun R = Run("--convert-cp1252 '" + Db + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(R.Out, "2 texts converted to UTF-8\n");
  EXPECT_EQ(Sqlite("SELECT group_concat(name, ',') FROM t").Out, "Grüße,plain,€\n");
  R = Run("--convert-cp1252 '" + Db + "'");
  EXPECT_EQ(R.Status, 2);
  EXPECT_NE(R.Err.find("t.name already holds UTF-8 text"), std::string::npos) << R.Err;
  EXPECT_EQ(Sqlite("SELECT group_concat(name, ',') FROM t").Out, "Grüße,plain,€\n");
  EXPECT_EQ(Run("--convert-cp1252 '" + (FDir / "missing.db").string() + "'").Status, 2);
}

} // namespace
