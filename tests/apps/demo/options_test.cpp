// The demo's command line: what each option sets and what is refused.
#include <gtest/gtest.h>

#include "apps/demo/options.h"

namespace {

using Demo::EOptionError;
using Demo::ParseOptions;

TEST(DemoOptions, EachOptionSetsItsField) {
  EXPECT_FALSE(ParseOptions({}).Help);
  EXPECT_EQ(ParseOptions({}).Database, ":memory:");
  EXPECT_EQ(ParseOptions({"--db", "c.db"}).Database, "c.db");
  EXPECT_TRUE(ParseOptions({"--help"}).Help);
  EXPECT_TRUE(ParseOptions({"-h"}).Help);
  const auto O = ParseOptions({"--locale", "system", "--screenshot", "a.png", "--script", "s.txt"});
  EXPECT_TRUE(O.SystemLocale);
  EXPECT_EQ(O.Screenshot, "a.png");
  EXPECT_EQ(O.Script, "s.txt");
}

TEST(DemoOptions, WrongArgumentsSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> Args;
    const char* Message;
  };
  const Case Cases[] = {
      {{"--screenshot"}, "--screenshot needs a value"},
      {{"--script", ""}, "--script needs a value"},
      {{"--locale", "de_DE"}, "--locale takes 'system'"},
      {{"--locale"}, "--locale needs a value"},
      {{"--db"}, "--db needs a value"},
      {{"--verbose"}, "unknown option --verbose"},
      {{"demo.png"}, "unknown option demo.png"},
      {{"--screenshot", "form.gif"},
       "form.gif: unknown picture format; name it .png, .bmp, .jpg or .jpeg"},
      {{"--screenshot", "form"}, "form: unknown picture format; name it .png, .bmp, .jpg or .jpeg"},
  };
  for (const Case& C : Cases) {
    try {
      ParseOptions(C.Args);
      ADD_FAILURE() << C.Message;
    } catch (const EOptionError& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
  }
}

} // namespace
