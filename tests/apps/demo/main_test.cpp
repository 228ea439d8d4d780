// The demo program as a user runs it: its help, pictures of the form in the
// format the file name asks for (or a refusal), and a quiet start even where
// the session has no runtime directory.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

class DemoProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           ("demo_program_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  static std::string Read(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  // Runs the demo headless with Args (quoted for the shell), without a
  // session's runtime directory.
  TRun Run(const std::string& Args) {
    const fs::path Out = FDir / "stdout.txt", Err = FDir / "stderr.txt";
    const std::string Command = "env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen '" +
                                std::string(DEMO_PROGRAM) + "' " + Args + " >'" + Out.string() +
                                "' 2>'" + Err.string() + "'";
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Read(Out), Read(Err)};
  }

  fs::path FDir;
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
