// The demo program as a user runs it: its help, pictures of the form in the
// format the file name asks for (or a refusal), a quiet start even where
// the session has no runtime directory, a start that needs no PostgreSQL
// client library unless the customer file is on a server, and the form in
// a German locale.
#include <clocale>
#include <string>

#include "tests/apps/program_test.h"

namespace {

class DemoProgramTest : public TProgramTest {
protected:
  // Runs the demo headless with Args (quoted for the shell), without a
  // session's runtime directory.
  TRun Run(const std::string& Args) {
    return RunProgram("env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen", DEMO_PROGRAM, Args);
  }
};

TEST_F(DemoProgramTest, HelpPrintsTheUsageAndSucceeds) {
  for (const char* Option : {"--help", "-h"}) {
    const TRun R = Run(Option);
    EXPECT_EQ(R.Status, 0) << Option;
    EXPECT_NE(R.Out.find("usage: valedit-demo"), std::string::npos) << Option;
    EXPECT_NE(R.Out.find(".jpg"), std::string::npos) << "the formats are explained";
  }
  EXPECT_EQ(Run("--frobnicate").Status, 2);
}

TEST_F(DemoProgramTest, TheScreenshotIsWrittenInTheFormatItsNameAsksFor) {
  const struct {
    const char* Name;
    std::string Magic;
  } Rows[] = {
      {"form.png", "\x89PNG"},
      {"form.BMP", "BM"},
      {"form.jpg", "\xFF\xD8\xFF"},
      {"form.jpeg", "\xFF\xD8\xFF"},
  };
  for (const auto& Row : Rows) {
    const fs::path File = FDir / Row.Name;
    const TRun R = Run("--screenshot '" + File.string() + "'");
    ASSERT_EQ(R.Status, 0) << Row.Name << ": " << R.Err;
    EXPECT_EQ(R.Err, "") << "a normal run prints nothing, no toolkit warning either";
    const std::string Data = Read(File);
    EXPECT_GT(Data.size(), 500u) << Row.Name;
    EXPECT_EQ(Data.substr(0, Row.Magic.size()), Row.Magic) << Row.Name;
  }
}

TEST_F(DemoProgramTest, AnUnknownPictureFormatIsRefusedAndNothingIsWritten) {
  for (const char* Name : {"form.gif", "form", "form.png.txt"}) {
    const fs::path File = FDir / Name;
    const TRun R = Run("--screenshot '" + File.string() + "'");
    EXPECT_EQ(R.Status, 2) << Name;
    EXPECT_NE(R.Err.find("unknown picture format"), std::string::npos) << R.Err;
    EXPECT_FALSE(fs::exists(File)) << Name;
  }
}

TEST_F(DemoProgramTest, WithoutADisplayShowingTheFormIsRefusedWithAReason) {
  const TRun R = Run("");
  EXPECT_NE(R.Status, 0);
  EXPECT_NE(R.Err.find("no display"), std::string::npos) << R.Err;
}

// Under a German locale with --locale system: money with the euro after it,
// dates day first with a two-digit birth year taken as 1998, and the
// calendar dialog in German; the user's value survives the dialog.
TEST_F(DemoProgramTest, WithLocaleSystemTheFormFollowsAGermanLocale) {
  locale_t German = ::newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr);
  if (!German)
    GTEST_SKIP() << "no de_DE.UTF-8 locale here (scripts/install-deps.sh generates it)";
  ::freelocale(German);
  const std::string Script = WriteFile("german.txt", "expect CreditEdit 25.000,00 \u20ac\n"
                                                     "expect BirthDateEdit 15.03.1970\n"
                                                     "focus BirthDateEdit\n"
                                                     "type 24.12.98\n"
                                                     "key Tab\n"
                                                     "expect BirthDateEdit 24.12.1998\n"
                                                     "focus BirthDateEdit\n"
                                                     "key Ctrl+Enter\n"
                                                     "expect TodayBtn &Heute\n"
                                                     "key Escape\n"
                                                     "expect BirthDateEdit 24.12.1998\n");
  const TRun R = RunProgram("env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8",
                            DEMO_PROGRAM, "--locale system --script '" + Script + "'");
  EXPECT_EQ(R.Status, 0) << R.Out << R.Err;
  EXPECT_NE(R.Out.find("dialog \"Datum w\u00e4hlen\" opens"), std::string::npos) << R.Out;
}

// A libpq.so.5 that cannot be loaded, found first through LD_LIBRARY_PATH:
// a program linked to libpq would not even start. The demo paints its
// SQLite form, and names the library and the reason when it is asked for a
// PostgreSQL database (before any connection is tried).
TEST_F(DemoProgramTest, ThePostgreSQLClientLibraryIsLoadedOnlyForAPostgreSQLDatabase) {
  fs::create_directories(FDir / "lib");
  const std::string Broken = WriteFile("lib/libpq.so.5", "not a library");
  const std::string Environment =
      "env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH='" +
      (FDir / "lib").string() + "'";
  const fs::path Picture = FDir / "form.png";
  const TRun Sqlite =
      RunProgram(Environment, DEMO_PROGRAM, "--screenshot '" + Picture.string() + "'");
  EXPECT_EQ(Sqlite.Status, 0) << Sqlite.Err;
  EXPECT_TRUE(fs::exists(Picture));

  const TRun Pg = RunProgram(Environment, DEMO_PROGRAM,
                             "--db postgresql://nobody@127.0.0.1:1/none --screenshot '" +
                                 (FDir / "pg.png").string() + "'");
  EXPECT_EQ(Pg.Status, 1);
  const std::string Expected =
      "valedit-demo: PostgreSQL client library (libpq.so.5) could not be loaded: " + Broken + ":";
  EXPECT_EQ(Pg.Err.substr(0, Expected.size()), Expected) << Pg.Err;
  EXPECT_FALSE(fs::exists(FDir / "pg.png"));
}

} // namespace
