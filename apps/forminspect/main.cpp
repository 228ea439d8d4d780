// forminspect: shows and edits a text form file through the registered
// property editors, lists the component palette and exports its pictures,
// and converts the databases of earlier versions to UTF-8.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>

#include "apps/forminspect/formio.h"
#include "apps/forminspect/inspector.h"
#include "apps/forminspect/options.h"
#include "calform/calform.h"
#include "design/register.h"
#include "vcl/db.h"
#include "vcl/dbctrls.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"

namespace FormInspect {
namespace {

using namespace vcl;

// Every class a form of the library's components may hold.
void RegisterEverything() {
  RegisterGuiClasses();
  RegisterSQLiteClasses();
  RegisterDBCtrlsClasses();
  CalForm::RegisterCalFormClasses();
  BtnEdit::Register();
  ValEdit::Register();
}

void ListPalette() {
  for (const TPaletteEntry& E : PaletteEntries())
    std::cout << E.Page << ": " << E.ComponentClass->ClassName() << "\n";
}

void ExportPalette(const std::string& Dir) {
  std::filesystem::create_directories(Dir);
  for (const TPaletteEntry& E : PaletteEntries()) {
    TBitmap Picture;
    Picture.LoadFromBmpData(Design::PaletteBitmap(*E.ComponentClass));
    const std::string File =
        (std::filesystem::path(Dir) / (E.ComponentClass->ClassName() + ".png")).string();
    Picture.Pixels().SaveToPng(File);
    std::cout << File << "\n";
  }
}

// Reads the form; the note of a root read as a TForm goes to standard error.
TInspectedForm Read(const TOptions& O) {
  try {
    TInspectedForm Form = ReadForm(ReadFormText(O.Form, O.MaxFormSize));
    if (!Form.FileClass.empty())
      std::cerr << "forminspect: " << O.Form << ": " << Form.FileClass
                << " is not a class of forminspect; read as a TForm\n";
    return Form;
  } catch (const std::bad_alloc&) {
    throw TFileError(O.Form + ": not enough memory to read the form");
  } catch (const EReadError& E) {
    throw TFileError(O.Form + ": " + E.Message());
  }
}

// Selects, sets, lists and writes; the status of the first refusal.
int Inspect(const TOptions& O) {
  const TInspectedForm Form = Read(O);
  if (O.OpenDataSets)
    OpenDataSets(Form.Root.get());
  TInspector Inspector(Form.Root.get(), O.Select);
  for (const auto& [Path, Value] : O.Assign) {
    try {
      Inspector.Set(Path, Value);
    } catch (const std::exception& E) {
      std::cerr << "forminspect: " << Path << ": " << E.what() << "\n";
      return 1;
    }
  }
  for (const std::string& Path : O.Values)
    for (const std::string& V : Inspector.Values(Path))
      std::cout << V << "\n";
  if (O.ListsProperties())
    Inspector.List(std::cout, O.Events);
  if (!O.Output.empty())
    WriteOutput(FormText(Form), O.Output);
  return 0;
}

// Standard output, flushed; a failure is one to write.
void FlushOutput() {
  errno = 0;
  if (!std::cout.flush())
    throw TFileError(std::string("cannot write to standard output: ") +
                     (errno != 0 ? std::strerror(errno) : "an output error"));
}

int Run(int Argc, const char* const* Argv) {
  TOptions O;
  try {
    O = ParseOptions(Argc, Argv);
  } catch (const TUsageError& E) {
    std::cerr << "forminspect: " << E.what() << "\nTry 'forminspect --help'.\n";
    return 2;
  }
  if (O.Help) {
    std::cout << UsageText;
    return 0;
  }
  Application->Initialize(true);
  RegisterEverything();
  int Status = 0;
  try {
    if (O.Palette)
      ListPalette();
    if (!O.ExportDir.empty())
      ExportPalette(O.ExportDir);
    if (!O.ConvertDatabase.empty())
      std::cout << ConvertCp1252Database(O.ConvertDatabase) << " texts converted to UTF-8\n";
    if (!O.Form.empty())
      Status = Inspect(O);
    FlushOutput();
  } catch (const TNotFound& E) {
    std::cerr << "forminspect: " << E.what() << "\n";
    return 1;
  } catch (const std::bad_alloc&) {
    std::cerr << "forminspect: not enough memory\n";
    return 2;
  } catch (const std::exception& E) {
    std::cerr << "forminspect: " << E.what() << "\n";
    return 2;
  }
  return Status;
}

} // namespace
} // namespace FormInspect

int main(int Argc, char** Argv) {
  return FormInspect::Run(Argc, Argv);
}
