// valcheck as a user runs it: input files and standard input, the reports of
// refused lines, the normalised and display outputs, and the exit statuses.
#include <sys/resource.h>

#include <cstdio>
#include <regex>
#include <string>

#include "tests/apps/program_test.h"
#include "tests/unicode_texts.h"

namespace {

class ValCheckTest : public TProgramTest {
protected:
  // Runs valcheck with Args (already quoted for the shell) and Input on its
  // standard input.
  TRun Run(const std::string& Args, const std::string& Input = "") {
    return RunProgram("", VALCHECK_PATH, Args, Input);
  }

  // Reports, each line headed by the input's name: FILE:LINE: message.
  static std::string In(const std::string& Name, const std::string& Reports) {
    std::string Result;
    for (std::size_t Start = 0; Start < Reports.size();) {
      const std::size_t End = Reports.find('\n', Start);
      Result += Name + ":" + Reports.substr(Start, End - Start + 1);
      Start = End == std::string::npos ? Reports.size() : End + 1;
    }
    return Result;
  }
  static std::string Stdin(const std::string& Reports) { return In("(standard input)", Reports); }
};

TEST_F(ValCheckTest, ReportsRefusedLinesWithTheValidatorsMessages) {
  const std::string File = WriteFile("numbers.txt", "5\n\nabc\r\n101\n-3\n100%\"x\"\n42");
  const TRun R = Run("--kind integer --min 0 --max 100 '" + File + "'");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, In(File, "3: \"abc\" is not a valid integer between 0 and 100.\n"
                            "4: \"101\" is not a valid integer between 0 and 100.\n"
                            "5: \"-3\" is not a valid integer between 0 and 100.\n"
                            "6: \"100%\"x\"\" is not a valid integer between 0 and 100.\n"));
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
  EXPECT_EQ(R.Out, Stdin("2: A value must be entered.\n3: A value must be entered.\n"));
}

TEST_F(ValCheckTest, OneBoundLeavesTheOtherOpen) {
  EXPECT_EQ(Run("--kind integer --min 10", "2147483647\n10\n").Status, 0);
  const TRun R = Run("--kind integer --max 10", "-2147483648\n11\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"11\" is not a valid integer of at most 10.\n"));
}

TEST_F(ValCheckTest, NormalizeAndDisplay) {
  TRun R = Run("--kind float --precision 2 --normalize", "3.14159\n2.3\n1.2ab\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "3.14\n2.3\n1.2ab\n");
  EXPECT_EQ(R.Err, Stdin("3: \"1.2ab\" is not a valid number.\n"));

  R = Run("--kind currency --display", "1234.5\r\n-5\n\n0.001\n");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out, "$1,234.50\n$-5.00\n\n$0.01\n");

  R = Run("--kind integer --display --leading-zeros", "1234567\n007\n");
  EXPECT_EQ(R.Out, "1,234,567\n007\n");
}

TEST_F(ValCheckTest, FloatAndCurrencyRanges) {
  TRun R = Run("--kind float --precision 1 --min -1.5 --max 10", "-1.5\n10.04\n10.06\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("3: \"10.06\" is not a valid number between -1.5 and 10.0.\n"));

  // Judged after normalising: 999.999 becomes 1000.00, 1000.001 becomes 1000.01.
  R = Run("--kind currency --min 0 --max 1000", "999.999\n1000.001\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"1000.001\" is not a valid currency between $0.00 and $1,000.00.\n"));
}

TEST_F(ValCheckTest, LookupAndFilter) {
  const std::string Words = WriteFile("words.txt", "Banana\r\nApple\r\n\r\nApricot\r\n");
  TRun R = Run("--kind lookup --words '" + Words + "'", "apple\nAPRICOT\nCherry\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("3: \"Cherry\" is not a valid word.\n"));
  R = Run("--kind lookup --case-sensitive --words='" + Words + "'", "apple\nApple\n");
  EXPECT_EQ(R.Out, Stdin("1: \"apple\" is not a valid word.\n"));

  R = Run("--kind filter --chars abc", "cab\ncabbage\n");
  EXPECT_EQ(R.Out, Stdin("2: \"cabbage\" contains invalid character(s).\n"));
  R = Run("--kind filter --chars abc --invalid", "xyz\nxyzc\n");
  EXPECT_EQ(R.Out, Stdin("2: \"xyzc\" contains invalid character(s).\n"));
}

TEST_F(ValCheckTest, PictureDateAndTime) {
  TRun R = Run("--kind picture --picture '(###) ###-####'",
               "(555) 123-4567\r\n555-1234\n(555) 12%-4567\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out,
            Stdin("2: \"555-1234\" does not completely match the picture: (###) ###-####\n"
                  "3: \"(555) 12%-4567\" does not completely match the picture: (###) ###-####\n"));

  R = Run("--kind date --min 1/1/2026 --max 12/31/2026", "12/25/2026\n2/30/2026\n1/1/2027\n\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"2/30/2026\" is not a valid date between 1/1/2026 and 12/31/2026.\n"
                         "3: \"1/1/2027\" is not a valid date between 1/1/2026 and 12/31/2026.\n"));

  R = Run("--kind time --max '10:00 PM'", "9:30 AM\n11:30 PM\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"11:30 PM\" is not a valid time of at most 10:00:00 PM.\n"));

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
      {"--kind lookup --words '" + Missing + "'",
       "cannot read word file '" + Missing + "': No such file or directory"},
      {"--kind filter", "--kind filter needs --chars"},
      {"--kind picture", "--kind picture needs --picture"},
      {"--kind date --min 2/30/2026", "bad value for --min"},
      {"--kind picture --picture '#' --min 1", "does not apply to --kind picture"},
      {"--kind date --format medium", "unknown format 'medium'"},
      {"--kind integer --locale fr", "unknown locale 'fr'"},
      {"--kind integer --normalize --display", "cannot be combined"},
      {"--kind integer --required=yes", "takes no value"},
      {"--kind integer a.txt b.txt", "only one input file"},
      {"--kind integer '" + Missing + "'",
       "cannot read '" + Missing + "': No such file or directory"},
      {"--kind integer '" + FDir.string() + "'",
       "cannot read '" + FDir.string() + "': Is a directory"},
      {"--kind lookup --words '" + FDir.string() + "'", "': Is a directory"},
      {"--kind integer --encoding latin1", "unknown encoding 'latin1'"},
      {"--kind integer --max-line-length 0", "bad value for --max-line-length"},
      {"--kind integer --max-line-length 1k", "bad value for --max-line-length"},
      {"--kind integer --help=yes", "option --help takes no value"},
      {"--kind integer --threads 0", "bad value for --threads"},
      {"--kind integer -q", "unknown option -q"},
      {"--kind integer -- -q", "cannot read '-q': No such file or directory"},
      {"--kind integer --version=1", "option --version takes no value"},
      {"--kind integer --column 0", "bad value for --column"},
      {"--kind integer --column 2 --delimiter ';;'", "bad value for --delimiter"},
      {"--kind integer --column 2 --delimiter '\"'", "bad value for --delimiter"},
      {"--kind integer --delimiter ';'", "--delimiter needs --column"},
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
  EXPECT_EQ(R.Out, Stdin("1: \"12\" is not a valid integer of at most 10.\n"));
}

TEST_F(ValCheckTest, HelpWinsOverEverythingElse) {
  for (const char* Args : {"--help", "-h", "--kind integer -h", "--bogus --help", "-h x.txt"}) {
    const TRun R = Run(Args);
    EXPECT_EQ(R.Status, 0) << Args;
    EXPECT_EQ(R.Out.rfind("Usage: valcheck --kind KIND", 0), 0u) << Args;
    EXPECT_EQ(R.Err, "") << Args;
  }
  // After "--" it is a file name like any other.
  EXPECT_EQ(Run("--kind integer -- -h").Status, 2);
}

TEST_F(ValCheckTest, HelpExplainsFormatsEncodingsAndLimits) {
  const std::string Help = Run("--help").Out;
  for (const char* Part : {"--format for dates", "four (long, the\ndefault)", "--format for times",
                           "(short, the default)", "--encoding utf-8|cp1252", "(default utf-8)",
                           "--max-line-length BYTES", "(default\n                   1048576)",
                           "-h, --help", "balanced"})
    EXPECT_NE(Help.find(Part), std::string::npos) << Part;
}

// Without bounds a number is judged as a number and the message says only
// that; with bounds the message names the range that was checked.
TEST_F(ValCheckTest, MessagesNameBoundsOnlyWhenGiven) {
  const struct {
    const char* Args;
    const char* Line;
    const char* Report;
  } Cases[] = {
      {"--kind integer", "x", "1: \"x\" is not a valid integer.\n"},
      {"--kind integer", "99999999999", "1: \"99999999999\" is not a valid integer.\n"},
      {"--kind float", "1.2.3", "1: \"1.2.3\" is not a valid number.\n"},
      {"--kind currency", "$5", "1: \"$5\" is not a valid currency.\n"},
      {"--kind date", "13/1/2026", "1: \"13/1/2026\" does not resemble a date.\n"},
      {"--kind time", "25:00", "1: \"25:00\" does not resemble a time.\n"},
      {"--kind integer --min 1 --max 9", "x", "1: \"x\" is not a valid integer between 1 and 9.\n"},
      {"--kind integer --min 1", "0", "1: \"0\" is not a valid integer of at least 1.\n"},
      {"--kind float --precision 1 --max 2", "3",
       "1: \"3\" is not a valid number of at most 2.0.\n"},
      {"--kind currency --min 1000", "5",
       "1: \"5\" is not a valid currency of at least $1,000.00.\n"},
      {"--kind date --max 12/31/2026", "1/1/2027",
       "1: \"1/1/2027\" is not a valid date of at most 12/31/2026.\n"},
      {"--kind time --min 9:00", "8:59",
       "1: \"8:59\" is not a valid time of at least 9:00:00 AM.\n"},
      {"--kind currency --min 0 --max 10", "11",
       "1: \"11\" is not a valid currency between $0.00 and $10.00.\n"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(C.Args, std::string(C.Line) + "\n");
    EXPECT_EQ(R.Status, 1) << C.Args;
    EXPECT_EQ(R.Out, Stdin(C.Report)) << C.Args;
  }
}

TEST_F(ValCheckTest, DisplayPrintsAcceptedLinesOnly) {
  const TRun R = Run("--kind integer --max 5000 --display", "1234\nabc\n\n9999\n-3000\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "1,234\n\n-3,000\n");
  EXPECT_EQ(R.Err, Stdin("2: \"abc\" is not a valid integer of at most 5000.\n"
                         "4: \"9999\" is not a valid integer of at most 5000.\n"));
}

// A picture with a fault is refused before any line is read, naming the
// fault and where it is; a picture the language reads as literals passes.
TEST_F(ValCheckTest, MalformedPicturesAreRefused) {
  const struct {
    const char* Picture;
    const char* Message;
  } Cases[] = {
      {"[##", "bad picture '[##': '[' at position 1 is never closed"},
      {"{##}}", "bad picture '{##}}': '}' at position 5 has no '{' before it"},
      {"{#[#}]", "bad picture '{#[#}]': '}' at position 5 cannot close the '[' at position 3"},
      {"*{", "bad picture '*{': '{' at position 2 is never closed"},
      {"##;", "bad picture '##;': ';' at position 3 is at the end, with nothing to escape"},
      {"#*3", "bad picture '#*3': '*' at position 2 has no piece to repeat"},
      {"{*}", "bad picture '{*}': '*' at position 2 has no piece to repeat"},
      {"", "bad picture '': the picture is empty"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(std::string("--kind picture --picture '") + C.Picture + "'", "12\n");
    EXPECT_EQ(R.Status, 2) << C.Picture;
    EXPECT_EQ(R.Out, "") << C.Picture;
    EXPECT_EQ(R.Err.rfind(std::string("valcheck: ") + C.Message + "\n", 0), 0u) << R.Err;
  }
  // Parentheses are literals in a picture, balanced or not.
  const TRun R = Run("--kind picture --picture '(###'", "(123\n123)\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"123)\" does not completely match the picture: (###\n"));
}

TEST_F(ValCheckTest, FailedWritesAreReportedWithTheSystemsReason) {
  const std::string Input = WriteFile("in.txt", "x\n");
  const std::string Command = std::string("'") + VALCHECK_PATH + "' --kind integer '" + Input +
                              "' >/dev/full 2>'" + (FDir / "err.txt").string() + "'";
  const int Raw = std::system(Command.c_str());
  EXPECT_EQ(WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, 2);
  EXPECT_EQ(Read(FDir / "err.txt"), "valcheck: cannot write: No space left on device\n");
}

// Lines, option values and words are UTF-8 by default and are judged as
// they are: a character is a code point of any script.
TEST_F(ValCheckTest, Utf8InputIsJudgedInAnyScript) {
  const std::string Words = WriteFile("words.txt", "\xEF\xBB\xBF"
                                                   "Café\nCrème brûlée\n€uro\nΑθήνα\n");
  TRun R = Run("--kind lookup --words '" + Words + "'", "\xEF\xBB\xBF"
                                                        "café\nCRÈME BRÛLÉE\n€URO\ncrème\n"
                                                        "ΑΘΉΝΑ\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("4: \"crème\" is not a valid word.\n"));

  // '?' and '&' take any letter, š and ж among them.
  R = Run("--kind picture --picture '&*?' --normalize", "élan\nzoë\nškoda\nжук\nx1\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "élan\nzoë\nškoda\nжук\nx1\n");
  EXPECT_EQ(R.Err, Stdin("5: \"x1\" does not completely match the picture: &*?\n"));

  R = Run("--kind picture --picture 'N°###' --display", "n°123\n");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out, "n°123\n");
}

// The texts every road of the library is tested with, as a word list and
// as lines: each is judged whole and printed back byte for byte.
TEST_F(ValCheckTest, TextsOfEveryScriptPassThroughWhole) {
  std::string Lines;
  for (const auto& T : unicode_texts::Texts)
    Lines += T.Text + "\n";
  const std::string Words = WriteFile("words.txt", Lines);
  TRun R = Run("--kind lookup --words '" + Words + "' --normalize", Lines + "Łódź\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Lines + "Łódź\n");
  EXPECT_EQ(R.Err, Stdin(std::to_string(unicode_texts::Texts.size() + 1) +
                         ": \"Łódź\" is not a valid word.\n"));
}

TEST_F(ValCheckTest, LinesThatAreNotUtf8AreRefusedAsSuch) {
  const TRun R = Run("--kind filter --chars 'abc中😀' --normalize", "abc\n"
                                                                   "a中b\n"
                                                                   "ab\xE9\n"
                                                                   "\xC0\x80\n"
                                                                   "\xED\xA0\x80\n"
                                                                   "b😀\n"
                                                                   "cab\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "abc\n"
                   "a中b\n"
                   "ab\xE9\n"
                   "\xC0\x80\n"
                   "\xED\xA0\x80\n"
                   "b😀\n"
                   "cab\n")
      << "refused lines are printed as read";
  EXPECT_EQ(R.Err, Stdin("3: the line is not valid UTF-8 (byte 3)\n"
                         "4: the line is not valid UTF-8 (byte 1)\n"
                         "5: the line is not valid UTF-8 (byte 1)\n"));
}

TEST_F(ValCheckTest, OptionValuesThatCannotBeUsedAreRefused) {
  const struct {
    const char* Args;
    const char* Message;
  } Cases[] = {
      {"--kind picture --picture '#\xE9'",
       "bad value for --picture: '#\xE9' is not valid UTF-8 (byte 2)"},
      {"--kind filter --chars 'caf\u00A0'",
       "bad value for --chars: '\u00A0' (character 4) cannot be listed; a filter lists no blank or "
       "control character"},
      {"--kind filter --chars 'a b' --invalid", "bad value for --chars: ' ' (character 2)"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(C.Args, "1\n");
    EXPECT_EQ(R.Status, 2) << C.Args;
    EXPECT_NE(R.Err.find(C.Message), std::string::npos) << R.Err;
  }
  const std::string Words = WriteFile("words.txt", "ok\nnot \xE9 ok\n");
  const TRun R = Run("--kind lookup --words '" + Words + "'", "ok\n");
  EXPECT_EQ(R.Status, 2);
  EXPECT_NE(R.Err.find("bad value for word file '" + Words +
                       "', line 2: 'not \xE9 ok' is not valid UTF-8"),
            std::string::npos)
      << R.Err;
}

TEST_F(ValCheckTest, Cp1252InputIsConvertedToUtf8) {
  const std::string Words = WriteFile("words.txt", "caf\xE9\n\x80uro\n");
  const TRun R = Run("--kind lookup --encoding cp1252 --words '" + Words + "' --normalize",
                     "CAF\xC9\n\x80URO\ncaf\xC3\xA9\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, "CAFÉ\n€URO\ncafÃ©\n");
  EXPECT_EQ(R.Err, Stdin("3: \"cafÃ©\" is not a valid word.\n"));
  EXPECT_EQ(Run("--kind picture --encoding cp1252 --picture '?\xE9'", "\xE9\xE9\n").Status, 0);
}

// A line longer than the limit is refused with its own message, without the
// line being held: memory stays that of a short input.
TEST_F(ValCheckTest, OverlongLinesAreRefusedWithoutBeingHeld) {
  const std::string Limit(1024 * 1024, '7');
  const std::string File = WriteFile("long.txt", Limit + "\n" + Limit + "7\r\n" + Limit + "\r\n12");
  // Whether lines are judged by workers or, with one thread, where they are
  // read, the report of a long line comes in its place.
  for (const char* Threads : {"1", "2"}) {
    const std::string Kind = std::string("--kind integer --threads ") + Threads;
    TRun R = Run(Kind + " '" + File + "'");
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Out, In(File, "1: \"" + Limit +
                                  "\" is not a valid integer.\n"
                                  "2: the line is longer than 1048576 bytes (--max-line-length)\n"
                                  "3: \"" +
                                  Limit + "\" is not a valid integer.\n"));

    R = Run(Kind + " --max-line-length 3 --normalize", "123\n1234\n12\r\n12345\n");
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Out, "123\n1234\n12\n12345\n") << "printed as read, like any refused line";
    EXPECT_EQ(R.Err, Stdin("2: the line is longer than 3 bytes (--max-line-length)\n"
                           "4: the line is longer than 3 bytes (--max-line-length)\n"));
  }

  const std::string Command = "head -c 40000000 /dev/zero | tr '\\0' 7 | '" +
                              std::string(VALCHECK_PATH) + "' --kind integer >'" +
                              (FDir / "out.txt").string() + "'";
  const int Raw = std::system(Command.c_str());
  EXPECT_EQ(WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, 1);
  EXPECT_EQ(Read(FDir / "out.txt"),
            Stdin("1: the line is longer than 1048576 bytes (--max-line-length)\n"));
  rusage Usage{};
  ::getrusage(RUSAGE_CHILDREN, &Usage);
  EXPECT_LT(Usage.ru_maxrss, 32 * 1024) << "kilobytes at most, in any child so far";
}

// Blocks of lines judged by several threads come out in the input's order,
// as one thread gives them, across block boundaries.
TEST_F(ValCheckTest, ThreadsKeepTheInputOrder) {
  std::string Input;
  for (int I = 0; I < 30000; ++I)
    Input += I % 7 == 0 ? "x" + std::to_string(I) + "\n" : std::to_string(I * 37) + "\n";
  const std::string File = WriteFile("many.txt", Input);
  const TRun One = Run("--kind integer --max 1000000 --threads 1 '" + File + "'");
  EXPECT_EQ(One.Status, 1);
  EXPECT_EQ(One.Out.rfind(In(File, "1: \"x0\" is not a valid integer of at most 1000000.\n"), 0),
            0u);
  EXPECT_NE(
      One.Out.find(In(File, "29997: \"1109852\" is not a valid integer of at most 1000000.\n")),
      std::string::npos);
  for (const char* Threads : {"2", "5"}) {
    const TRun Many =
        Run("--kind integer --max 1000000 --threads " + std::string(Threads) + " '" + File + "'");
    EXPECT_EQ(Many.Status, 1);
    EXPECT_EQ(Many.Out, One.Out) << Threads;
    const TRun Normalized =
        Run("--kind integer --normalize --threads " + std::string(Threads) + " '" + File + "'");
    EXPECT_EQ(Normalized.Out, Input) << Threads;
  }
}

TEST_F(ValCheckTest, VersionIsPrinted) {
  const TRun R = Run("--version");
  EXPECT_EQ(R.Status, 0);
  EXPECT_TRUE(std::regex_match(R.Out, std::regex("valcheck [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << R.Out;
  EXPECT_EQ(Run("--kind integer --version x.txt").Out, R.Out);
}

// What --display prints reads back with --from-display; a display form not
// as the display writes it is judged as it is, and refused.
TEST_F(ValCheckTest, DisplayFormsReadBack) {
  const struct {
    const char* Kind;
    const char* Values;
  } Cases[] = {
      {"integer", "1234567\n-1234\n12\n"},
      {"float --precision 2", "1234.5\n-1234567.125\n0.5\n"},
      {"currency", "1234.5\n-7\n1000000\n"},
      {"date", "12/25/2026\n"},
  };
  for (const auto& C : Cases) {
    const std::string Kind = std::string("--kind ") + C.Kind;
    const TRun Shown = Run(Kind + " --display", C.Values);
    ASSERT_EQ(Shown.Status, 0) << Shown.Err;
    const TRun Back = Run(Kind + " --from-display --display", Shown.Out);
    EXPECT_EQ(Back.Status, 0) << C.Kind << ": " << Back.Err;
    EXPECT_EQ(Back.Out, Shown.Out) << C.Kind;
  }
  const TRun R = Run("--kind currency --max 1000 --from-display",
                     "$1,000.00\n$1,000.01\n1,00\n$12,3456.00\n999.5\n$-5.00\n");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, Stdin("2: \"$1,000.01\" is not a valid currency of at most $1,000.00.\n"
                         "3: \"1,00\" is not a valid currency of at most $1,000.00.\n"
                         "4: \"$12,3456.00\" is not a valid currency of at most $1,000.00.\n"));
}

// Column mode: one field of each record of a delimited file, quoted fields
// as RFC 4180 has them, the header skipped, records spanning lines reported
// at the line they start on.
TEST_F(ValCheckTest, ColumnsOfDelimitedFiles) {
  const std::string Csv = WriteFile("orders.csv", "name,quantity,note\r\n"
                                                  "Ada,12,\"plain\"\r\n"
                                                  "\"Smith, J.\",1200,\"said \"\"hi\"\"\"\r\n"
                                                  "Bob,\"7\",\"two\r\n"
                                                  "lines\"\r\n"
                                                  "Eve,x5,\r\n"
                                                  "Lone\r\n"
                                                  "Max,\"3\"4,\r\n"
                                                  "Zed,1\"0,\r\n"
                                                  "\"Open,5\r\n");
  TRun R = Run("--kind integer --max 500 --column 2 --header '" + Csv + "'");
  EXPECT_EQ(R.Status, 1);
  EXPECT_EQ(R.Out, In(Csv, "3: \"1200\" is not a valid integer of at most 500.\n"
                           "6: \"x5\" is not a valid integer of at most 500.\n"
                           "7: the record has 1 field, not 2\n"
                           "8: field 2 goes on after its closing quote\n"
                           "9: field 2 holds a quote but is not quoted\n"
                           "10: the quote that opens field 1 is never closed\n"));
  R = Run("--kind integer --column 2 --header --normalize --threads 3 '" + Csv + "'");
  EXPECT_EQ(R.Out, "12\n1200\n7\nx5\n\n\n\n\n");

  // A field's own line break never reaches a report as a bare CR.
  R = Run("--kind filter --chars abc --column 3 --header '" + Csv + "'");
  EXPECT_EQ(R.Out.find('\r'), std::string::npos);
  EXPECT_NE(R.Out.find("4: \"two lines\" contains invalid character(s).\n"), std::string::npos)
      << R.Out;

  R = Run("--kind integer --column 3 --delimiter ';'", "a;b;1\na;\"b;c\";2\na;b;z\n");
  EXPECT_EQ(R.Out, Stdin("3: \"z\" is not a valid integer.\n"));
  // Without --column, --header skips the first line.
  EXPECT_EQ(Run("--kind integer --header", "count\n3\n").Status, 0);
}

// Texts valcheck prints carry no bare CR, though the picture validator's
// message has one between the message and the picture.
TEST_F(ValCheckTest, NoBareCarriageReturnsAreWritten) {
  for (const char* Mode : {"", "--normalize", "--display", "--required"}) {
    const TRun R = Run(std::string("--kind picture --picture '(###) ###-####' ") + Mode,
                       "(555) 123\n555\r\n\n");
    EXPECT_EQ(R.Status, 1) << Mode;
    EXPECT_EQ((R.Out + R.Err).find('\r'), std::string::npos) << Mode;
    EXPECT_NE((R.Out + R.Err).find("does not completely match the picture: (###) ###-####\n"),
              std::string::npos)
        << Mode;
  }
}

// A generous line limit is not allocated up front: the buffer grows with
// the lines (here under a 300 MB address space limit).
TEST_F(ValCheckTest, ALargeLineLimitCostsNothingUntilUsed) {
  const std::string Long(3 * 1024 * 1024, '7');
  const std::string File = WriteFile("lines.txt", "1\n22\n" + Long + "\n333\n");
  const TRun R = RunProgram("ulimit -v 300000;", VALCHECK_PATH,
                            "--kind integer --max-line-length 1073741824 '" + File + "'");
  EXPECT_EQ(R.Status, 1) << R.Err;
  EXPECT_EQ(R.Out, In(File, "3: \"" + Long + "\" is not a valid integer.\n"));
  EXPECT_EQ(R.Err, "");
}

} // namespace
