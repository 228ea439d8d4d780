// Runs every row of the worked-examples table of docs/picture.md through the
// picture validator and fails when a row says what the validator does not
// do. A row: | `picture` | `text` | accepted/refused | `text afterwards` |
// valid/invalid |, with ␣ for a space and an empty cell for an empty text.
//
//   picture_examples docs/picture.md
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "validate/picture.h"
#include "vcl/sysutils.h"

namespace {

std::string Trimmed(const std::string& S) {
  const auto First = S.find_first_not_of(' ');
  if (First == std::string::npos)
    return "";
  return S.substr(First, S.find_last_not_of(' ') - First + 1);
}

// A cell's text: the code span's contents with ␣ (U+2423) as a space.
std::string CellText(std::string Cell) {
  Cell = Trimmed(Cell);
  if (Cell.size() >= 2 && Cell.front() == '`' && Cell.back() == '`')
    Cell = Cell.substr(1, Cell.size() - 2);
  const std::string VisibleSpace = "\xE2\x90\xA3";
  for (auto At = Cell.find(VisibleSpace); At != std::string::npos; At = Cell.find(VisibleSpace))
    Cell.replace(At, VisibleSpace.size(), " ");
  return Cell;
}

std::vector<std::string> Cells(const std::string& Row) {
  std::vector<std::string> Result;
  std::string::size_type Start = Row.find('|') + 1;
  for (auto Bar = Row.find('|', Start); Bar != std::string::npos; Bar = Row.find('|', Start)) {
    Result.push_back(Row.substr(Start, Bar - Start));
    Start = Bar + 1;
  }
  return Result;
}

} // namespace

int main(int Argc, char** Argv) {
  if (Argc != 2) {
    std::cerr << "usage: picture_examples docs/picture.md\n";
    return 2;
  }
  vcl::ResetLocale();
  std::ifstream In(Argv[1]);
  std::string Line;
  bool InTable = false;
  int Rows = 0;
  int Wrong = 0;
  while (std::getline(In, Line)) {
    if (Line.rfind("| Picture | Text | While typing |", 0) == 0) {
      InTable = true;
      continue;
    }
    if (!InTable || Line.rfind("|---", 0) == 0)
      continue;
    if (Line.rfind("|", 0) != 0)
      break;
    const std::vector<std::string> Row = Cells(Line);
    if (Row.size() != 5) {
      std::cout << "a row without five cells: " << Line << "\n";
      ++Wrong;
      continue;
    }
    ++Rows;
    Validate::TPictureValidator Validator(nullptr);
    Validator.SetPicture(CellText(Row[0]));
    std::string Text = CellText(Row[1]);
    const bool Accepted = Validator.IsValidInput(Text, false);
    const bool Valid = Validator.IsValid(Text);
    const std::string Said = Trimmed(Row[2]) + " / " + CellText(Row[3]) + " / " + Trimmed(Row[4]);
    const std::string Done = std::string(Accepted ? "accepted" : "refused") + " / " + Text + " / " +
                             (Valid ? "valid" : "invalid");
    if (Said != Done) {
      ++Wrong;
      std::cout << Line << "\n  the validator: " << Done << "\n";
    }
  }
  std::cout << Rows << " examples, " << Wrong << " wrong\n";
  if (Rows == 0)
    return 2;
  return Wrong == 0 ? 0 : 1;
}
