// The demo's command line.
#include "apps/demo/options.h"

#include "vcl/graphics.h"

namespace Demo {

const char* const UsageText =
    "usage: valedit-demo [--db FILE|URI] [--locale system] [--screenshot PICTURE]\n"
    "                    [--script FILE]\n"
    "\n"
    "Shows a customer order form whose fields check what is typed into them.\n"
    "\n"
    "  --db FILE|URI         the customer file: an SQLite database (a file name or\n"
    "                        a file: URI) with a table customers, made with the\n"
    "                        sample customers when it does not exist (default:\n"
    "                        the samples in memory); or a PostgreSQL database\n"
    "                        (postgresql://user@host/database), whose table\n"
    "                        customers is made and filled when it has none\n"
    "  --locale system       use this machine's number, date and time formats\n"
    "                        (default: the US English ones)\n"
    "  --screenshot PICTURE  paint the form to PICTURE without a display, then quit;\n"
    "                        its extension names the format: .png, .bmp, .jpg, .jpeg\n"
    "  --script FILE         play the steps of FILE (typed text, keys, clicks, waits,\n"
    "                        pictures, expectations) against the form, log each step,\n"
    "                        then quit; the exit status is 1 when a step failed\n"
    "  --help                print this text\n";

TOptions ParseOptions(const std::vector<std::string>& Args) {
  TOptions Options;
  for (std::size_t I = 0; I < Args.size(); ++I) {
    const std::string& Arg = Args[I];
    auto Value = [&]() -> const std::string& {
      if (I + 1 >= Args.size() || Args[I + 1].empty())
        throw EOptionError(Arg + " needs a value");
      return Args[++I];
    };
    if (Arg == "--help" || Arg == "-h")
      Options.Help = true;
    else if (Arg == "--screenshot") {
      Options.Screenshot = Value();
      if (!vcl::TPixelBuffer::FileFormat(Options.Screenshot))
        throw EOptionError(Options.Screenshot +
                           ": unknown picture format; name it .png, .bmp, .jpg or .jpeg");
    } else if (Arg == "--script")
      Options.Script = Value();
    else if (Arg == "--db")
      Options.Database = Value();
    else if (Arg == "--locale") {
      if (Value() != "system")
        throw EOptionError("--locale takes 'system'");
      Options.SystemLocale = true;
    } else
      throw EOptionError("unknown option " + Arg);
  }
  return Options;
}

} // namespace Demo
