// Checks that the guide quotes the code that is built: every ```cpp block of
// the Markdown files in a folder must be, line for line, a region of one of
// the given C++ sources marked "// [name]" ... "// [end]" (the region's
// indentation removed), or an excerpt (consecutive lines, indentation aside)
// of one of the programs given after --excerpts, whose files carry no marks;
// every ```cmake or ```dfm block must appear as consecutive lines of one of
// the other given files (build files, form files). Prints each block that
// has drifted and exits 1; exits 2 when nothing was found to check.
//
//   quoted_code DOCS_DIR SOURCE... [--excerpts PROGRAM...]
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using TLines = std::vector<std::string>;

TLines ReadLines(const fs::path& Path) {
  std::ifstream In(Path);
  TLines Lines;
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r')
      Line.pop_back();
    Lines.push_back(Line);
  }
  return Lines;
}

std::string Trimmed(const std::string& S) {
  const auto First = S.find_first_not_of(" \t");
  if (First == std::string::npos)
    return "";
  return S.substr(First, S.find_last_not_of(" \t") - First + 1);
}

std::size_t Indent(const std::string& S) {
  return S.find_first_not_of(' ');
}

// The marked regions of a C++ source, each without the marker lines and
// with the marker's indentation taken off every line.
std::vector<TLines> Regions(const TLines& Source) {
  std::vector<TLines> Found;
  for (std::size_t I = 0; I < Source.size(); ++I) {
    const std::string Marker = Trimmed(Source[I]);
    if (Marker.size() < 6 || Marker.rfind("// [", 0) != 0 || Marker.back() != ']' ||
        Marker == "// [end]")
      continue;
    const std::size_t Margin = Indent(Source[I]);
    TLines Region;
    std::size_t J = I + 1;
    for (; J < Source.size() && Trimmed(Source[J]) != "// [end]"; ++J)
      Region.push_back(Source[J].size() >= Margin ? Source[J].substr(Margin) : Trimmed(Source[J]));
    if (J < Source.size())
      Found.push_back(Region);
    I = J;
  }
  return Found;
}

struct TBlock {
  std::string Language;
  std::string Where; // file:line of the opening fence
  TLines Lines;
};

std::vector<TBlock> FencedBlocks(const fs::path& Markdown) {
  const TLines Lines = ReadLines(Markdown);
  std::vector<TBlock> Blocks;
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    const std::string Fence = Trimmed(Lines[I]);
    if (Fence.rfind("```", 0) != 0)
      continue;
    TBlock Block{Fence.substr(3), Markdown.filename().string() + ":" + std::to_string(I + 1), {}};
    std::size_t J = I + 1;
    for (; J < Lines.size() && Trimmed(Lines[J]) != "```"; ++J)
      Block.Lines.push_back(Lines[J]);
    Blocks.push_back(Block);
    I = J;
  }
  return Blocks;
}

bool ContainsRun(const TLines& Lines, const TLines& Run) {
  if (Run.empty())
    return false;
  return std::search(Lines.begin(), Lines.end(), Run.begin(), Run.end(),
                     [](const std::string& A, const std::string& B) {
                       return Trimmed(A) == Trimmed(B);
                     }) != Lines.end();
}

} // namespace

int main(int Argc, char** Argv) {
  if (Argc < 3) {
    std::cerr << "usage: quoted_code DOCS_DIR SOURCE... [--excerpts PROGRAM...]\n";
    return 2;
  }
  std::vector<TLines> CppRegions;
  std::vector<TLines> CppPrograms;
  std::vector<TLines> OtherFiles;
  bool Excerpts = false;
  for (int I = 2; I < Argc; ++I) {
    if (std::string(Argv[I]) == "--excerpts") {
      Excerpts = true;
      continue;
    }
    const fs::path Source = Argv[I];
    const TLines Lines = ReadLines(Source);
    if (Excerpts) {
      CppPrograms.push_back(Lines);
    } else if (Source.extension() == ".cpp" || Source.extension() == ".h") {
      for (TLines& Region : Regions(Lines))
        CppRegions.push_back(std::move(Region));
    } else {
      OtherFiles.push_back(Lines);
    }
  }
  std::vector<fs::path> Guides;
  for (const fs::directory_entry& Entry : fs::directory_iterator(Argv[1]))
    if (Entry.path().extension() == ".md")
      Guides.push_back(Entry.path());
  std::sort(Guides.begin(), Guides.end());

  int Checked = 0;
  int Drifted = 0;
  for (const fs::path& Guide : Guides) {
    for (const TBlock& Block : FencedBlocks(Guide)) {
      bool Found;
      if (Block.Language == "cpp" || Block.Language == "c++")
        Found = std::find(CppRegions.begin(), CppRegions.end(), Block.Lines) != CppRegions.end() ||
                std::any_of(CppPrograms.begin(), CppPrograms.end(),
                            [&](const TLines& File) { return ContainsRun(File, Block.Lines); });
      else if (Block.Language == "cmake" || Block.Language == "dfm")
        Found = std::any_of(OtherFiles.begin(), OtherFiles.end(),
                            [&](const TLines& File) { return ContainsRun(File, Block.Lines); });
      else
        continue;
      ++Checked;
      if (!Found) {
        ++Drifted;
        std::cout << Block.Where << ": this " << Block.Language
                  << " block is not the code of any marked region or quoted file:\n";
        for (const std::string& Line : Block.Lines)
          std::cout << "  | " << Line << "\n";
      }
    }
  }
  std::cout << Checked << " blocks checked against " << CppRegions.size() << " regions, "
            << CppPrograms.size() << " programs and " << OtherFiles.size() << " other files; "
            << Drifted << " drifted\n";
  if (Checked == 0)
    return 2;
  return Drifted == 0 ? 0 : 1;
}
