// valcheck as a user runs it: input files and standard input, the reports of
// refused lines, the normalised and display outputs, and the exit statuses.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

class ValCheckTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           ("valcheck_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  std::string WriteFile(const std::string& Name, const std::string& Content) {
    const fs::path Path = FDir / Name;
    std::ofstream(Path, std::ios::binary) << Content;
    return Path.string();
  }

  static std::string Read(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  // Runs valcheck with Args (already quoted for the shell) and Input on its
  // standard input.
  TRun Run(const std::string& Args, const std::string& Input = "") {
    const std::string In = WriteFile("stdin.txt", Input);
    const fs::path Out = FDir / "stdout.txt";
    const fs::path Err = FDir / "stderr.txt";
    const std::string Command = std::string("'") + VALCHECK_PATH + "' " + Args + " <'" + In +
                                "' >'" + Out.string() + "' 2>'" + Err.string() + "'";
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Read(Out), Read(Err)};
  }

  fs::path FDir;
};

TEST_F(ValCheckTest, ReportsRefusedLinesWithTheValidatorsMessages) {
  const std::string File = WriteFile("numbers.txt", "5\n\nabc\r\n101\n-3\n100%\"x\"\n42");
  const TRun R = Run("--kind integer --min 0 --max 100 '" + File + "'");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "3: \"abc\" is not a valid integer between 0 and 100.\n"
                   "4: \"101\" is not a valid integer between 0 and 100.\n"
                   "5: \"-3\" is not a valid integer between 0 and 100.\n"
                   "6: \"100%\"x\"\" is not a valid integer between 0 and 100.\n");
  EXPECT_EQ(R.Err, "");
}

TEST_F(ValCheckTest, AllValidExitsZeroSilently) {
  const TRun R = Run("--kind integer", "1\r\n-20\r\n\r\n2147483647\r\n");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out, "");
  EXPECT_EQ(Run("--kind integer -", "").Status, 0) << "no lines at all";
}

TEST_F(ValCheckTest, RequiredRefusesEmptyLines) {
  const TRun R = Run("--kind integer --required", "1\n\n\r\n3\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: A value must be entered.\n3: A value must be entered.\n");
}

TEST_F(ValCheckTest, OneBoundLeavesTheOtherOpen) {
  EXPECT_EQ(Run("--kind integer --min 10", "2147483647\n10\n").Status, 0);
  const TRun R = Run("--kind integer --max 10", "-2147483648\n11\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: \"11\" is not a valid integer between -2147483648 and 10.\n");
}

TEST_F(ValCheckTest, NormalizeAndDisplay) {
  TRun R = Run("--kind float --precision 2 --normalize", "3.14159\n2.3\n1.2ab\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "3.14\n2.3\n1.2ab\n");
  EXPECT_EQ(R.Err, "3: \"1.2ab\" is not a valid number between 0.00 and 0.00.\n");

  R = Run("--kind currency --display", "1234.5\r\n-5\n\n0.001\n");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out, "$1,234.50\n$-5.00\n\n$0.01\n");

  R = Run("--kind integer --display --leading-zeros", "1234567\n007\n");
  EXPECT_EQ(R.Out, "1,234,567\n007\n");
}

TEST_F(ValCheckTest, FloatAndCurrencyRanges) {
  TRun R = Run("--kind float --precision 1 --min -1.5 --max 10", "-1.5\n10.04\n10.06\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "3: \"10.06\" is not a valid number between -1.5 and 10.0.\n");

  // Judged after normalising: 999.999 becomes 1000.00, 1000.001 becomes 1000.01.
  R = Run("--kind currency --min 0 --max 1000", "999.999\n1000.001\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: \"1000.001\" is not a valid currency between $0.00 and $1,000.00.\n");
}

TEST_F(ValCheckTest, LookupAndFilter) {
  const std::string Words = WriteFile("words.txt", "Banana\r\nApple\r\n\r\nApricot\r\n");
  TRun R = Run("--kind lookup --words '" + Words + "'", "apple\nAPRICOT\nCherry\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "3: \"Cherry\" is not a valid word.\n");
  R = Run("--kind lookup --case-sensitive --words='" + Words + "'", "apple\nApple\n");
  EXPECT_EQ(R.Out, "1: \"apple\" is not a valid word.\n");

  R = Run("--kind filter --chars abc", "cab\ncabbage\n");
  EXPECT_EQ(R.Out, "2: \"cabbage\" contains invalid character(s).\n");
  R = Run("--kind filter --chars abc --invalid", "xyz\nxyzc\n");
  EXPECT_EQ(R.Out, "2: \"xyzc\" contains invalid character(s).\n");
}

TEST_F(ValCheckTest, PictureDateAndTime) {
  TRun R = Run("--kind picture --picture '(###) ###-####'",
               "(555) 123-4567\r\n555-1234\n(555) 12%-4567\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: \"555-1234\" does not completely match the picture: (###) ###-####\n"
                   "3: \"(555) 12%-4567\" does not completely match the picture: (###) ###-####\n");

  R = Run("--kind date --min 1/1/2026 --max 12/31/2026", "12/25/2026\n2/30/2026\n1/1/2027\n\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: \"2/30/2026\" is not a valid date between 1/1/2026 and 12/31/2026.\n"
                   "3: \"1/1/2027\" is not a valid date between 1/1/2026 and 12/31/2026.\n");

  R = Run("--kind time --max '10:00 PM'", "9:30 AM\n11:30 PM\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "2: \"11:30 PM\" is not a valid time between 12:00:00 AM and 10:00:00 PM.\n");

  R = Run("--kind date --min 12/31/2026 --max 1/1/2026");
  EXPECT_EQ(R.Status, 2);
  R = Run("--kind time --min 'half past nine'");
  EXPECT_EQ(R.Status, 2);
  EXPECT_NE(R.Err.find("bad value for --min"), std::string::npos) << R.Err;
}

TEST_F(ValCheckTest, BadUsage) {
  const std::string Missing = (FDir / "missing.txt").string();
  const struct {
    std::string Args;
    std::string Message;
  } Cases[] = {
      {"", "--kind is required"},
      {"--kind", "option --kind needs a value"},
      {"--kind integer --bogus", "unknown option --bogus"},
      {"--kind number", "unknown kind 'number'"},
      {"--kind integer --min abc", "bad value for --min"},
      {"--kind integer --max 99999999999", "bad value for --max"},
      {"--kind float --min 1e999", "bad value for --min"},
      {"--kind integer --min 5 --max 1", "--min is greater than --max"},
      {"--kind float --precision x", "bad value for --precision"},
      {"--kind float --precision 300", "bad value for --precision"},
      {"--kind integer --precision 2", "option --precision does not apply to --kind integer"},
      {"--kind lookup", "--kind lookup needs --words"},
      {"--kind lookup --words '" + Missing + "'", "cannot read word file"},
      {"--kind filter", "--kind filter needs --chars"},
      {"--kind picture", "--kind picture needs --picture"},
      {"--kind date --min 2/30/2026", "bad value for --min"},
      {"--kind picture --picture '#' --min 1", "does not apply to --kind picture"},
      {"--kind date --format medium", "unknown format 'medium'"},
      {"--kind integer --locale fr", "unknown locale 'fr'"},
      {"--kind integer --normalize --display", "cannot be combined"},
      {"--kind integer --required=yes", "takes no value"},
      {"--kind integer a.txt b.txt", "only one input file"},
      {"--kind integer '" + Missing + "'", "cannot read '" + Missing + "'"},
      {"--kind integer '" + FDir.string() + "'", "is a directory"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(C.Args, "1\n");
    EXPECT_EQ(R.Status, 2) << C.Args;
    EXPECT_EQ(R.Out, "") << C.Args;
    EXPECT_EQ(R.Err.rfind("valcheck: ", 0), 0u) << C.Args << ": " << R.Err;
    EXPECT_NE(R.Err.find(C.Message), std::string::npos) << C.Args << ": " << R.Err;
  }
}

TEST_F(ValCheckTest, SystemLocale) {
  // Whatever the process locale is, whole numbers read the same.
  const TRun R = Run("--kind integer --locale system --max 10", "12\n7\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "1: \"12\" is not a valid integer between -2147483648 and 10.\n");
}

TEST_F(ValCheckTest, Help) {
  const TRun R = Run("--help");
  EXPECT_EQ(R.Status, 0);
  EXPECT_NE(R.Out.find("Usage: valcheck --kind KIND"), std::string::npos);
}

} // namespace
