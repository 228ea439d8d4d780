// valcheck's command line parser. Options take their value as the next
// argument or after '='; "--" ends the options.
#include "apps/valcheck/options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ValCheck {

const char* const UsageText =
    R"(Usage: valcheck --kind KIND [options] [FILE]

Judges one value per line of FILE (or standard input) with the validator a
form would use, as the edit does when the focus leaves it: the text is
normalised, then judged. Each refused line is reported as
  LINE: MESSAGE
Exit status: 0 when every line is valid, 1 when some are not, 2 for bad usage.

Kinds and their options:
  --kind integer   [--min N] [--max N] [--leading-zeros]
  --kind float     [--min X] [--max X] [--precision N] [--leading-zeros]
  --kind currency  [--min X] [--max X] [--precision N]
  --kind picture   --picture PICTURE
  --kind date      [--format short|long|optional] [--min DATE] [--max DATE]
  --kind time      [--format short|long|optional] [--min TIME] [--max TIME]
  --kind lookup    --words FILE [--case-sensitive]
  --kind filter    --chars CHARS [--invalid]
Giving --min or --max checks the range; a bound left out is the widest the
kind allows. Numbers, dates and times are read as the validator reads them.

Other options:
  --required       an empty line is refused ("A value must be entered.")
  --normalize      print every line as normalised (messages go to stderr)
  --display        print every line's display form (messages go to stderr)
  --locale system  use the process locale instead of the US English defaults
  --help           show this text
)";

namespace {

constexpr std::array<std::string_view, 8> Kinds = {"integer", "float", "currency", "picture",
                                                   "date",    "time",  "lookup",   "filter"};

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

} // namespace

TOptions ParseOptions(int Argc, const char* const* Argv) {
  TOptions O;
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
    auto Value = [&]() -> std::string {
      if (Inline)
        return *Inline;
      if (I + 1 >= Argc)
        throw TUsageError("option " + Arg + " needs a value");
      return Argv[++I];
    };
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
      Flag(O.Help);
    else
      throw TUsageError("unknown option " + Arg);
  }
  if (O.Help)
    return O;

  if (O.Kind.empty())
    throw TUsageError("--kind is required");
  if (std::find(Kinds.begin(), Kinds.end(), O.Kind) == Kinds.end())
    throw TUsageError("unknown kind '" + O.Kind +
                      "' (integer, float, currency, picture, date, time, lookup, filter)");
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
  return O;
}

} // namespace ValCheck
