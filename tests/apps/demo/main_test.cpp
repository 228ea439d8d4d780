// The demo program as a user runs it: its help, pictures of the form in the
// format the file name asks for (or a refusal), and a quiet start even where
// the session has no runtime directory.
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

} // namespace
