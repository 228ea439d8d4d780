// valcheck under locales compiled with localedef into the test's folder.
// Kept apart from the other valcheck tests: localedef is a large child
// process, and those tests bound the memory of every child they ran.
#include <algorithm>
#include <string>

#include "tests/apps/program_test.h"

namespace {

using ValCheckLocaleTest = TProgramTest;

// Under a loaded locale a currency display carries the locale's symbol and
// negative form; it reads back to its value. The locales are compiled with
// localedef into the test's folder; without localedef the case is skipped.
TEST_F(ValCheckLocaleTest, MoneyDisplaysReadBack) {
  const struct {
    const char* Locale;
    const char* Shown;    // what --display prints for 1234.5 and -1234.5
    const char* Refused;  // display-like lines judged as they are
    const char* Negative; // -1234.5 as the locale writes a bound
  } Cases[] = {
      {"de_DE", "1.234,50 \u20ac\n-1.234,50 \u20ac\n",
       "12.34,50 \u20ac\n--5,00 \u20ac\n1,234.50 \u20ac\n", "-1234,5"},
      {"en_US", "$1,234.50\n-$1,234.50\n", "$12,34.50\n-$-5.00\n$1.234,50\n", "-1234.5"},
  };
  for (const auto& C : Cases) {
    const std::string Name = std::string(C.Locale) + ".UTF-8";
    const std::string Make = "localedef -i " + std::string(C.Locale) + " -f UTF-8 '" +
                             (FDir / Name).string() + "' >/dev/null 2>&1";
    if (std::system(Make.c_str()) != 0 || !fs::exists(FDir / Name))
      GTEST_SKIP() << "localedef could not build " << Name;
    const std::string Env = "LOCPATH='" + FDir.string() + "' LC_ALL=" + Name;
    const TRun Back = RunProgram(
        Env, VALCHECK_PATH, "--kind currency --locale system --from-display --display", C.Shown);
    EXPECT_EQ(Back.Status, 0) << C.Locale << ": " << Back.Out << Back.Err;
    EXPECT_EQ(Back.Out, C.Shown) << C.Locale;
    const std::string Only = std::string("--min ") + C.Negative + " --max " + C.Negative;
    const TRun Bound =
        RunProgram(Env, VALCHECK_PATH, "--kind currency --locale system --from-display " + Only,
                   std::string(C.Shown).substr(std::string(C.Shown).find('\n') + 1));
    EXPECT_EQ(Bound.Status, 0) << C.Locale
                               << ": the negative form is the negative value: " << Bound.Out;
    const TRun Wrong =
        RunProgram(Env, VALCHECK_PATH, "--kind currency --locale system --from-display", C.Refused);
    EXPECT_EQ(Wrong.Status, 1) << C.Locale;
    EXPECT_EQ(std::count(Wrong.Out.begin(), Wrong.Out.end(), '\n'), 3)
        << C.Locale << ": " << Wrong.Out;
  }
}

} // namespace
