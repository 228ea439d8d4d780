// The kinds table is the one list of validator kinds: the validating edit,
// the kind editor and valcheck each offer exactly its rows, so a new row is
// seen everywhere (and a kind dropped from the table is gone everywhere).
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <typeinfo>

#include "design/editors.h"
#include "design/register.h"
#include "valedit/valedit.h"
#include "validate/kinds.h"
#include "vcl/forms.h"
#include "vcl/typinfo.h"

#ifdef VALCHECK_PATH
#include "tests/apps/program_test.h"
#endif

using namespace vcl;
using Validate::TValidatorKind;
using Validate::ValidatorKinds;

namespace {

const std::type_info& ClassOf(const TValidatorKind& Row) {
  const std::unique_ptr<Validate::TValidator> V(Row.Create(nullptr));
  return typeid(*V);
}

TEST(KindsTable, TheValidatingEditMakesEachRowsValidatorAndKeepsNoOtherKindBelow100) {
  TForm Form(nullptr);
  auto* Edit = new ValEdit::TValidEdit(&Form);
  Validate::RegisterValidatorClasses();
  for (const TValidatorKind& Row : ValidatorKinds) {
    Edit->SetKind(Row.Number == 0 ? 1 : 0); // so that the next SetKind changes the kind
    Edit->SetKind(Row.Number);
    SCOPED_TRACE(std::string(Row.Name));
    EXPECT_EQ(Edit->Kind(), Row.Number);
    EXPECT_EQ(typeid(*Edit->Validator()), ClassOf(Row));
    EXPECT_NE(GetClassInfo(Edit->Validator()), nullptr) << "the row's class has a property table";
  }
  for (int Kind = static_cast<int>(ValidatorKinds.size()); Kind < 100; ++Kind) {
    Edit->SetKind(static_cast<Byte>(Kind));
    EXPECT_EQ(Edit->Kind(), 0) << Kind;
    EXPECT_EQ(typeid(*Edit->Validator()), typeid(Validate::TValidator)) << Kind;
  }
  Edit->SetKind(100);
  EXPECT_EQ(Edit->Kind(), 100);
  EXPECT_EQ(typeid(*Edit->Validator()), typeid(Validate::TValidator));
}

TEST(KindsTable, TheKindEditorNamesExactlyTheRows) {
  BtnEdit::Register();
  ValEdit::Register();
  TForm Form(nullptr);
  Form.SetName("Form1");
  auto* Edit = new ValEdit::TValidEdit(&Form);
  Edit->SetName("Edit1");
  TFormDesigner Designer(&Form);
  ValEdit::TValidEditKindProperty Editor(&Designer, {Edit}, FindPropInfo(Edit, "Kind"));

  std::vector<std::string> Offered;
  Editor.GetValues([&](const std::string& Name) { Offered.push_back(Name); });
  std::vector<std::string> Rows;
  for (const TValidatorKind& Row : ValidatorKinds)
    Rows.emplace_back(Row.Name);
  EXPECT_EQ(Offered, Rows);

  for (const TValidatorKind& Row : ValidatorKinds) {
    Editor.SetValue(std::string(Row.Name));
    EXPECT_EQ(Edit->Kind(), Row.Number) << Row.Name;
    EXPECT_EQ(Editor.GetValue(), Row.Name);
  }
  Edit->SetKind(static_cast<Byte>(ValidatorKinds.size()));
  EXPECT_EQ(Editor.GetValue(), "vkNone") << "a kind past the table is not kept";
}

#ifdef VALCHECK_PATH

class KindsInValCheck : public TProgramTest {};

// The names valcheck offers: those of the table's rows that have one.
std::set<std::string> CommandNames() {
  std::set<std::string> Names;
  for (const TValidatorKind& Row : ValidatorKinds)
    if (!Row.CommandName.empty())
      Names.emplace(Row.CommandName);
  return Names;
}

TEST_F(KindsInValCheck, ItsHelpAndItsRefusalListExactlyTheRowsCommandNames) {
  const TRun Help = RunProgram("", VALCHECK_PATH, "--help");
  ASSERT_EQ(Help.Status, 0);
  std::set<std::string> InHelp;
  std::istringstream Lines(Help.Out);
  for (std::string Line; std::getline(Lines, Line);)
    if (Line.rfind("  --kind ", 0) == 0) {
      std::istringstream Words(Line.substr(9));
      std::string Name;
      Words >> Name;
      InHelp.insert(Name);
    }
  EXPECT_EQ(InHelp, CommandNames());

  const TRun Unknown = RunProgram("", VALCHECK_PATH, "--kind nothing");
  EXPECT_EQ(Unknown.Status, 2);
  const std::size_t Open = Unknown.Err.find("' (");
  const std::size_t Close = Unknown.Err.find(')', Open);
  ASSERT_NE(Close, std::string::npos) << Unknown.Err;
  std::set<std::string> Listed;
  std::istringstream Names(Unknown.Err.substr(Open + 3, Close - Open - 3));
  for (std::string Name; std::getline(Names, Name, ',');)
    Listed.insert(Name.substr(Name.find_first_not_of(' ')));
  EXPECT_EQ(Listed, CommandNames());
}

TEST_F(KindsInValCheck, EachRowsCommandNameIsTaken) {
  for (const std::string& Name : CommandNames()) {
    const TRun R = RunProgram("", VALCHECK_PATH, "--kind " + Name + " --threads 1", "");
    EXPECT_EQ(R.Err.find("unknown kind"), std::string::npos) << Name << ": " << R.Err;
  }
}

#endif

} // namespace
