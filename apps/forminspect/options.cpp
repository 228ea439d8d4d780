// Parsing forminspect's command line.
#include "apps/forminspect/options.h"

#include <cstring>

#include "apps/common/count_option.h"

namespace FormInspect {

const char* const UsageText =
    R"(Usage: forminspect [options] FORM
       forminspect --palette | --export-palette DIR
       forminspect --convert-cp1252 DATABASE

Shows and edits the components of a text form file through the property
editors the component library registers, as a form designer's object
inspector does.

  -c, --select NAMES      inspect the components named (comma separated; the
                          form's own name selects the form); several at once
                          show only the properties they share, and a value
                          on which they differ is left empty
  -l, --list              list the properties and their values, sub-properties
                          indented under their property (the default when no
                          other action is asked for)
  -e, --events            list the events too
  -v, --values PROP       list the values PROP offers, one a line
  -s, --set PROP=VALUE    type VALUE into PROP's editor; may be repeated and is
                          applied in order; PROP may be a path (Validator.Min)
  -o, --output FILE       write the form back to FILE ("-": standard output)
      --open-data-sets    open the data sets the form stores open (Active =
                          True): this runs their SQL and may create or
                          change database files; without it no data set is
                          opened and no file but FORM is read
      --max-form-size BYTES
                          refuse a larger form (default 16777216)
      --palette           list the component palette: page and class
      --export-palette DIR
                          write each palette picture as DIR/CLASS.png
      --convert-cp1252 DATABASE
                          convert the texts of an SQLite database that an
                          earlier version of the library wrote in code page
                          1252 to UTF-8, all in one transaction, and say how
                          many were converted; a database that already holds
                          UTF-8 text is refused and left as it is
  -h, --help              show this text

FORM "-" reads the form from standard input. A form whose root is of the
application's own class (TOrderForm) is read as a TForm, which is said in
one line on standard error; its event handlers are shown by name and
written back as they were.

Exit status: 0 done; 1 a value refused, or a component or property not
found (the editor's message on standard error, nothing written); 2 bad
usage, a form that cannot be read (or is too large), a data set that
cannot be opened, a database that cannot be converted, or output that
cannot be written (the form or standard output).
)";

namespace {

bool Is(const char* Arg, const char* Short, const char* Long) {
  return (Short && std::strcmp(Arg, Short) == 0) || std::strcmp(Arg, Long) == 0;
}

std::vector<std::string> SplitNames(const std::string& Text) {
  std::vector<std::string> Names;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t Comma = Text.find(',', Start);
    if (Comma == std::string::npos)
      Comma = Text.size();
    if (Comma > Start)
      Names.push_back(Text.substr(Start, Comma - Start));
    Start = Comma + 1;
  }
  return Names;
}

} // namespace

TOptions ParseOptions(int Argc, const char* const* Argv) {
  TOptions O;
  for (int I = 1; I < Argc; ++I)
    if (Is(Argv[I], "-h", "--help")) {
      O.Help = true;
      return O;
    }
  auto ValueOf = [&](int& I) -> std::string {
    if (I + 1 >= Argc)
      throw TUsageError(std::string("option ") + Argv[I] + " needs a value");
    return Argv[++I];
  };
  bool HaveForm = false;
  for (int I = 1; I < Argc; ++I) {
    const char* Arg = Argv[I];
    if (Is(Arg, "-c", "--select")) {
      for (const std::string& Name : SplitNames(ValueOf(I)))
        O.Select.push_back(Name);
    } else if (Is(Arg, "-l", "--list")) {
      O.List = true;
    } else if (Is(Arg, "-e", "--events")) {
      O.Events = true;
    } else if (Is(Arg, "-v", "--values")) {
      O.Values.push_back(ValueOf(I));
    } else if (Is(Arg, "-s", "--set")) {
      const std::string Setting = ValueOf(I);
      const std::size_t Equals = Setting.find('=');
      if (Equals == std::string::npos || Equals == 0)
        throw TUsageError("--set needs PROP=VALUE, not '" + Setting + "'");
      O.Assign.emplace_back(Setting.substr(0, Equals), Setting.substr(Equals + 1));
    } else if (Is(Arg, "-o", "--output")) {
      O.Output = ValueOf(I);
    } else if (Is(Arg, nullptr, "--open-data-sets")) {
      O.OpenDataSets = true;
    } else if (Is(Arg, nullptr, "--max-form-size")) {
      O.MaxFormSize = Apps::CountOption<TUsageError>("--max-form-size", ValueOf(I), std::size_t(1),
                                                     TOptions::LargestMaxFormSize);
    } else if (Is(Arg, nullptr, "--palette")) {
      O.Palette = true;
    } else if (Is(Arg, nullptr, "--export-palette")) {
      O.ExportDir = ValueOf(I);
    } else if (Is(Arg, nullptr, "--convert-cp1252")) {
      O.ConvertDatabase = ValueOf(I);
    } else if (Arg[0] == '-' && Arg[1] != '\0') {
      throw TUsageError(std::string("unknown option ") + Arg);
    } else if (HaveForm) {
      throw TUsageError("only one form can be given ('" + O.Form + "' and '" + Arg + "')");
    } else {
      O.Form = Arg;
      HaveForm = true;
    }
  }
  if (!HaveForm && !O.Palette && O.ExportDir.empty() && O.ConvertDatabase.empty())
    throw TUsageError("no form file given");
  if (!HaveForm && (O.List || O.Events || !O.Values.empty() || !O.Assign.empty() ||
                    !O.Output.empty() || !O.Select.empty() || O.OpenDataSets))
    throw TUsageError("the options given need a form file");
  return O;
}

} // namespace FormInspect
