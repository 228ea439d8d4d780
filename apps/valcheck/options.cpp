// valcheck's command line parser. Options take their value as the next
// argument or after '='; "--" ends the options.
#include "apps/valcheck/options.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "apps/common/count_option.h"
#include "validate/kinds.h"

namespace ValCheck {

const char* const UsageText =
    R"usage(Usage: valcheck --kind KIND [options] [FILE]

Judges one value per line of FILE (or standard input) with the validator a
form would use, as the edit does when the focus leaves it: the text is
normalised, then judged. Each refused line is reported as
  FILE:LINE: MESSAGE
("(standard input)" for FILE when reading standard input).
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
  --from-display   the lines are display forms, as --display prints them: a
                   number's group separators and a currency's symbol ($,
                   or the locale's with --locale system) are taken off
                   before the line is judged
  --locale system  use the process locale instead of the US English defaults
  --encoding utf-8|cp1252
                   how lines and option values are encoded (default utf-8);
                   cp1252 text is converted to UTF-8, which the validators
                   judge and valcheck prints; a line that is not valid
                   UTF-8 is refused
  --max-line-length BYTES
                   refuse longer lines without holding them (default
                   1048576)
  --threads N      judge with N threads (default: one per processor); the
                   output keeps the order of the input
  --column N       judge field N (from 1) of each record of a delimited file
                   (RFC 4180: a field in double quotes may hold the
                   delimiter, line breaks and doubled quotes); a record is
                   reported at the line it starts on, and --normalize and
                   --display print the field
  --delimiter C    the character between fields (default ','; with --column)
  --header         skip the first line (or record): it is neither judged nor
                   printed
  -h, --help       show this text
  --version        show valcheck's version
)usage";

const char* const VersionText = "valcheck " VALEDIT_VERSION "\n";

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

char DelimiterOf(const std::string& Text) {
  if (Text.size() != 1 || Text[0] == '"' || Text[0] == '\n' || Text[0] == '\r')
    throw TUsageError("bad value for --delimiter: '" + Text +
                      "' is not one character other than a quote or a line end");
  return Text[0];
}

// Whether one of Names stands among the options (before "--").
bool AsksFor(int Argc, const char* const* Argv, std::initializer_list<std::string_view> Names) {
  for (int I = 1; I < Argc && std::string_view(Argv[I]) != "--"; ++I)
    if (std::find(Names.begin(), Names.end(), std::string_view(Argv[I])) != Names.end())
      return true;
  return false;
}

// Takes Arg into O if it is an option without a value (a switch, or an
// output mode); false for any other option.
bool TakeSwitch(TOptions& O, const std::string& Arg, const std::optional<std::string>& Inline) {
  static const std::pair<std::string_view, bool TOptions::*> Switches[] = {
      {"--header", &TOptions::Header},
      {"--from-display", &TOptions::FromDisplay},
      {"--case-sensitive", &TOptions::CaseSensitive},
      {"--invalid", &TOptions::InvalidChars},
      {"--leading-zeros", &TOptions::LeadingZeros},
      {"--required", &TOptions::Required},
  };
  const auto Switch = std::find_if(std::begin(Switches), std::end(Switches),
                                   [&](const auto& S) { return S.first == Arg; });
  const TOutputMode Mode =
      Arg == "--normalize" ? omNormalize : (Arg == "--display" ? omDisplay : omMessages);
  if (Switch == std::end(Switches) && Mode == omMessages)
    return false;
  if (Inline)
    throw TUsageError("option " + Arg + " takes no value");
  if (Switch != std::end(Switches)) {
    O.*(Switch->second) = true;
    return true;
  }
  if (O.Output != omMessages && O.Output != Mode)
    throw TUsageError("--normalize and --display cannot be combined");
  O.Output = Mode;
  return true;
}

// Takes Arg into O if it is an option with a value, which Value gives;
// false for any other option.
bool TakeValued(TOptions& O, const std::string& Arg, const std::function<std::string()>& Value) {
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
    O.MaxLineLength = Apps::CountOption<TUsageError>(Arg, Value(), std::size_t(1),
                                                     TOptions::LargestMaxLineLength);
  else if (Arg == "--threads")
    O.Threads = Apps::CountOption<TUsageError>(Arg, Value(), 1, TOptions::MostThreads);
  else if (Arg == "--column")
    O.Column = Apps::CountOption<TUsageError>(Arg, Value(), 1, TOptions::MostColumns);
  else if (Arg == "--delimiter")
    O.Delimiter = DelimiterOf(Value());
  else if (Arg == "--locale") {
    const std::string Locale = Value();
    if (Locale != "system")
      throw TUsageError("unknown locale '" + Locale + "' (only 'system' is known)");
    O.SystemLocale = true;
  } else
    return false;
  return true;
}

// Takes the option Arg into O. Inline is the text after its '=', if any;
// Value gives the option's value (Inline, else the next argument).
void TakeOption(TOptions& O, const std::string& Arg, const std::optional<std::string>& Inline,
                const std::function<std::string()>& Value) {
  if (TakeSwitch(O, Arg, Inline) || TakeValued(O, Arg, Value))
    return;
  if (Arg == "--help" || Arg == "--version")
    throw TUsageError("option " + Arg + " takes no value");
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
  if (AsksFor(Argc, Argv, {"-h", "--help"})) {
    O.Help = true;
    return O;
  }
  if (AsksFor(Argc, Argv, {"--version"})) {
    O.Version = true;
    return O;
  }
  bool HaveFile = false;
  bool OptionsEnded = false;
  bool DelimiterGiven = false;
  for (int I = 1; I < Argc; ++I) {
    std::string Arg = Argv[I];
    // A file whose name starts with '-' comes after "--".
    if (!OptionsEnded && Arg.size() > 1 && Arg[0] == '-' && Arg[1] != '-')
      throw TUsageError("unknown option " + Arg);
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
    DelimiterGiven = DelimiterGiven || Arg == "--delimiter";
    TakeOption(O, Arg, Inline, [&]() -> std::string {
      if (Inline)
        return *Inline;
      if (I + 1 >= Argc)
        throw TUsageError("option " + Arg + " needs a value");
      return Argv[++I];
    });
  }
  CheckAgainstKind(O);
  if (DelimiterGiven && O.Column == 0)
    throw TUsageError("--delimiter needs --column");
  return O;
}

} // namespace ValCheck
