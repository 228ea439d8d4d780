// valcheck's command line parser. Options take their value as the next
// argument or after '='; "--" ends the options.
#include "apps/valcheck/options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <string_view>

#include "validate/kinds.h"

namespace ValCheck {

const char* const UsageText =
    R"(Usage: valcheck --kind KIND [options] [FILE]

Judges one value per line of FILE (or standard input) with the validator a
form would use, as the edit does when the focus leaves it: the text is
normalised, then judged. Each refused line is reported as
  LINE: MESSAGE
Exit status: 0 when every line is valid, 1 when some are not, 2 for bad usage
(a bad option or picture, an unreadable file, a failed write).

Kinds and their options:
  --kind integer   [--min N] [--max N] [--leading-zeros]
  --kind float     [--min X] [--max X] [--precision N] [--leading-zeros]
  --kind currency  [--min X] [--max X] [--precision N]
  --kind picture   --picture PICTURE
  --kind date      [--format short|long|optional] [--min DATE] [--max DATE]
  --kind time      [--format short|long|optional] [--min TIME] [--max TIME]
  --kind lookup    --words FILE [--case-sensitive]
  --kind filter    --chars CHARS [--invalid]
Without --min and --max any value of the kind is taken. Giving either checks
the range, and the messages name it; a bound left out is the widest the kind
allows. Numbers, dates and times are read as the validator reads them.

--format for dates: the year has two digits (short), four (long, the
default), or four of which the last two may be left out (optional); a
two-digit year in long form gets the current century.
--format for times: hours and minutes (short, the default), hours, minutes
and seconds (long), or seconds that may be typed or left out (optional).
A picture must be well formed: brackets [] and braces {} balanced, no ';'
at its end, a piece after each '*'.

Other options:
  --required       an empty line is refused ("A value must be entered.")
  --normalize      print every line as normalised (messages go to stderr)
  --display        print the display form of every accepted line (messages
                   go to stderr)
  --locale system  use the process locale instead of the US English defaults
  --encoding utf-8|cp1252
                   how lines and option values are encoded (default utf-8);
                   the validators judge code page 1252 text, so a UTF-8
                   line with a character outside that code page is refused
  --max-line-length BYTES
                   refuse longer lines without holding them (default
                   1048576)
  --threads N      judge with N threads (default: one per processor); the
                   output keeps the order of the input
  -h, --help       show this text
)";

namespace {

// The kinds valcheck offers, as the kinds table names them: "filter, integer, ...".
std::string KindList() {
  std::string List;
  for (const Validate::TValidatorKind& Row : Validate::ValidatorKinds)
    if (!Row.CommandName.empty())
      List += (List.empty() ? "" : ", ") + std::string(Row.CommandName);
  return List;
}

bool KindIn(const std::string& Kind, std::initializer_list<std::string_view> Allowed) {
  return std::find(Allowed.begin(), Allowed.end(), Kind) != Allowed.end();
}

// Refuses an option given for a kind that has no use for it.
void CheckApplies(bool Given, const char* Option, const std::string& Kind,
                  std::initializer_list<std::string_view> Allowed) {
  if (Given && !KindIn(Kind, Allowed))
    throw TUsageError(std::string("option ") + Option + " does not apply to --kind " + Kind);
}

void CheckRequired(bool Given, const char* Option, const std::string& Kind,
                   std::string_view ForKind) {
  if (!Given && Kind == ForKind)
    throw TUsageError("--kind " + Kind + " needs " + Option);
}

TEncoding EncodingNamed(const std::string& Name) {
  if (Name == "utf-8" || Name == "utf8" || Name == "UTF-8")
    return enUtf8;
  if (Name == "cp1252")
    return enCp1252;
  throw TUsageError("unknown encoding '" + Name + "' (utf-8 or cp1252)");
}

std::size_t LineLength(const std::string& Text) {
  std::size_t Value = 0;
  const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (R.ec != std::errc() || R.ptr != Text.data() + Text.size() || Value == 0 ||
      Value > TOptions::LargestMaxLineLength)
    throw TUsageError("bad value for --max-line-length: '" + Text + "' is not from 1 to " +
                      std::to_string(TOptions::LargestMaxLineLength));
  return Value;
}

int ThreadCount(const std::string& Text) {
  int Value = 0;
  const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (R.ec != std::errc() || R.ptr != Text.data() + Text.size() || Value < 1 ||
      Value > TOptions::MostThreads)
    throw TUsageError("bad value for --threads: '" + Text + "' is not from 1 to " +
                      std::to_string(TOptions::MostThreads));
  return Value;
}

bool AsksForHelp(int Argc, const char* const* Argv) {
  for (int I = 1; I < Argc && std::string_view(Argv[I]) != "--"; ++I)
    if (std::string_view(Argv[I]) == "-h" || std::string_view(Argv[I]) == "--help")
      return true;
  return false;
}

// Takes the option Arg into O. Inline is the text after its '=', if any;
// Value gives the option's value (Inline, else the next argument).
void TakeOption(TOptions& O, const std::string& Arg, const std::optional<std::string>& Inline,
                const std::function<std::string()>& Value) {
  auto Flag = [&](bool& Target) {
    if (Inline)
      throw TUsageError("option " + Arg + " takes no value");
    Target = true;
  };
  auto Output = [&](TOutputMode Mode) {
    if (Inline)
      throw TUsageError("option " + Arg + " takes no value");
    if (O.Output != omMessages && O.Output != Mode)
      throw TUsageError("--normalize and --display cannot be combined");
    O.Output = Mode;
  };

  if (Arg == "--kind")
    O.Kind = Value();
  else if (Arg == "--min")
    O.Min = Value();
  else if (Arg == "--max")
    O.Max = Value();
  else if (Arg == "--precision")
    O.Precision = Value();
  else if (Arg == "--picture")
    O.Picture = Value();
  else if (Arg == "--format")
    O.Format = Value();
  else if (Arg == "--words")
    O.Words = Value();
  else if (Arg == "--chars")
    O.Chars = Value();
  else if (Arg == "--encoding")
    O.Encoding = EncodingNamed(Value());
  else if (Arg == "--max-line-length")
    O.MaxLineLength = LineLength(Value());
  else if (Arg == "--threads")
    O.Threads = ThreadCount(Value());
  else if (Arg == "--locale") {
    const std::string Locale = Value();
    if (Locale != "system")
      throw TUsageError("unknown locale '" + Locale + "' (only 'system' is known)");
    O.SystemLocale = true;
  } else if (Arg == "--case-sensitive")
    Flag(O.CaseSensitive);
  else if (Arg == "--invalid")
    Flag(O.InvalidChars);
  else if (Arg == "--leading-zeros")
    Flag(O.LeadingZeros);
  else if (Arg == "--required")
    Flag(O.Required);
  else if (Arg == "--normalize")
    Output(omNormalize);
  else if (Arg == "--display")
    Output(omDisplay);
  else if (Arg == "--help")
    throw TUsageError("option --help takes no value");
  else
    throw TUsageError("unknown option " + Arg);
}

// The options given must fit the kind, and the kind must have what it needs.
void CheckAgainstKind(const TOptions& O) {
  if (O.Kind.empty())
    throw TUsageError("--kind is required");
  if (!Validate::FindKindByCommandName(O.Kind))
    throw TUsageError("unknown kind '" + O.Kind + "' (" + KindList() + ")");
  const std::string& K = O.Kind;
  CheckApplies(O.Min || O.Max, "--min/--max", K, {"integer", "float", "currency", "date", "time"});
  CheckApplies(O.Precision.has_value(), "--precision", K, {"float", "currency"});
  CheckApplies(O.LeadingZeros, "--leading-zeros", K, {"integer", "float"});
  CheckApplies(O.Picture.has_value(), "--picture", K, {"picture"});
  CheckApplies(O.Format.has_value(), "--format", K, {"date", "time"});
  CheckApplies(O.Words.has_value(), "--words", K, {"lookup"});
  CheckApplies(O.CaseSensitive, "--case-sensitive", K, {"lookup"});
  CheckApplies(O.Chars.has_value(), "--chars", K, {"filter"});
  CheckApplies(O.InvalidChars, "--invalid", K, {"filter"});
  CheckRequired(O.Picture.has_value(), "--picture", K, "picture");
  CheckRequired(O.Words.has_value(), "--words", K, "lookup");
  CheckRequired(O.Chars.has_value(), "--chars", K, "filter");
  if (O.Format && *O.Format != "short" && *O.Format != "long" && *O.Format != "optional")
    throw TUsageError("unknown format '" + *O.Format + "' (short, long or optional)");
}

} // namespace

TOptions ParseOptions(int Argc, const char* const* Argv) {
  TOptions O;
  if (AsksForHelp(Argc, Argv)) {
    O.Help = true;
    return O;
  }
  bool HaveFile = false;
  bool OptionsEnded = false;
  for (int I = 1; I < Argc; ++I) {
    std::string Arg = Argv[I];
    if (OptionsEnded || Arg == "-" || Arg.rfind("--", 0) != 0) {
      if (HaveFile)
        throw TUsageError("only one input file can be given ('" + O.File + "' and '" + Arg + "')");
      O.File = Arg;
      HaveFile = true;
      continue;
    }
    if (Arg == "--") {
      OptionsEnded = true;
      continue;
    }
    std::optional<std::string> Inline;
    if (const auto Eq = Arg.find('='); Eq != std::string::npos) {
      Inline = Arg.substr(Eq + 1);
      Arg.resize(Eq);
    }
    TakeOption(O, Arg, Inline, [&]() -> std::string {
      if (Inline)
        return *Inline;
      if (I + 1 >= Argc)
        throw TUsageError("option " + Arg + " needs a value");
      return Argv[++I];
    });
  }
  CheckAgainstKind(O);
  return O;
}

} // namespace ValCheck
