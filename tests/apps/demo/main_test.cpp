// The demo program as a user runs it: its help, pictures of the form in the
// format the file name asks for (or a refusal), and a quiet start even where
// the session has no runtime directory.
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

} // namespace
