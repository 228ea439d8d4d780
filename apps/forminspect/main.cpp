// forminspect: shows and edits a text form file through the registered
// property editors, lists the component palette and exports its pictures.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

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
  RegisterDBClasses();
  RegisterDBCtrlsClasses();
  CalForm::RegisterCalFormClasses();
  BtnEdit::Register();
  ValEdit::Register();
}

std::string ReadForm(const std::string& FileName) {
  if (FileName == "-")
    return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream In(FileName, std::ios::binary);
  if (!In)
    throw EReadError("cannot open " + FileName);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

void WriteForm(const TComponent* Root, const std::string& FileName) {
  const std::string Text = ComponentToText(Root);
  if (FileName == "-") {
    std::cout << Text;
    return;
  }
  std::ofstream Out(FileName, std::ios::binary);
  Out << Text;
  if (!Out.flush())
    throw EWriteError("cannot write " + FileName);
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

// Selects, sets, lists and writes; the status of the first refusal.
int Inspect(const TOptions& O) {
  std::unique_ptr<TComponent> Root;
  try {
    Root.reset(TextToComponent(ReadForm(O.Form), nullptr));
  } catch (const std::exception& E) {
    std::cerr << "forminspect: " << O.Form << ": " << E.what() << "\n";
    return 2;
  }
  TInspector Inspector(Root.get(), O.Select);
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
    WriteForm(Root.get(), O.Output);
  return 0;
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
  try {
    if (O.Palette)
      ListPalette();
    if (!O.ExportDir.empty())
      ExportPalette(O.ExportDir);
    return O.Form.empty() ? 0 : Inspect(O);
  } catch (const TNotFound& E) {
    std::cerr << "forminspect: " << E.what() << "\n";
    return 1;
  } catch (const std::exception& E) {
    std::cerr << "forminspect: " << E.what() << "\n";
    return 2;
  }
}

} // namespace
} // namespace FormInspect

int main(int Argc, char** Argv) {
  return FormInspect::Run(Argc, Argv);
}
