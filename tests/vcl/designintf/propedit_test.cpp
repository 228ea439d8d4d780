// The ordinal editors (integers, named integers, characters, enumerations,
// booleans, sets) and what every editor shares: a refused text changes
// nothing, several selected objects are written together and agree or not.
#include <gtest/gtest.h>

#include "tests/vcl/designintf/widget.h"
#include "vcl/stdctrls.h"

using namespace vcl;
using namespace DesignTest;

namespace {

struct TTyped {
  const char* Property;
  const char* Typed;
  const char* Shown; // null: refused with Message
  const char* Message;
};

class OrdinalEditors : public ::testing::TestWithParam<TTyped> {};

TEST_P(OrdinalEditors, ShowWhatWasTypedOrRefuseIt) {
  const TTyped& T = GetParam();
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1}, T.Property);
  ASSERT_NE(Editor, nullptr);
  const std::string Before = Editor->GetValue();
  if (T.Shown) {
    Editor->SetValue(T.Typed);
    EXPECT_EQ(Editor->GetValue(), T.Shown);
  } else {
    try {
      Editor->SetValue(T.Typed);
      ADD_FAILURE() << T.Typed << " was taken";
    } catch (const Exception& E) {
      EXPECT_EQ(E.what(), std::string(T.Message));
    }
    EXPECT_EQ(Editor->GetValue(), Before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OrdinalEditors,
    ::testing::Values(
        TTyped{"Level", "255", "255", ""}, TTyped{"Level", " 7", "7", ""},
        TTyped{"Level", "$10", "16", ""},
        TTyped{"Level", "300", nullptr, "Value must be between 0 and 255"},
        TTyped{"Level", "-1", nullptr, "Value must be between 0 and 255"},
        TTyped{"Level", "abc", nullptr, "'abc' is not a valid integer value"},
        TTyped{"Size", "-2147483648", "-2147483648", ""},
        TTyped{"Size", "2147483648", nullptr, "'2147483648' is not a valid integer value"},
        TTyped{"Active", "true", "True", ""},
        TTyped{"Active", "yes", nullptr, "Invalid property value"},
        TTyped{"Shape", "SHSTAR", "shStar", ""},
        TTyped{"Shape", "star", nullptr, "Invalid property value"}, TTyped{"Mark", "*", "*", ""},
        TTyped{"Mark", "#9", "#9", ""}, TTyped{"Mark", "#65", "A", ""},
        TTyped{"Mark", " ", "#32", ""}, TTyped{"Mark", "#256", nullptr, "Invalid property value"},
        TTyped{"Mark", "ab", nullptr, "Invalid property value"},
        TTyped{"Shapes", "[shStar, shRound]", "[shRound,shStar]", ""},
        TTyped{"Shapes", "shSquare", "[shSquare]", ""}, TTyped{"Shapes", "[]", "[]", ""},
        TTyped{"Shapes", "[shRound,]", nullptr, "Invalid property value"},
        TTyped{"Shapes", "[shOval]", nullptr, "Invalid property value"}));

TEST(EnumEditor, OffersTheNamesInValueOrder) {
  TWidgetStage S;
  std::vector<std::string> Names;
  EditorFor(S.Designer, {S.W1}, "Shape")->GetValues([&](const std::string& N) {
    Names.push_back(N);
  });
  EXPECT_EQ(Names, (std::vector<std::string>{"shRound", "shSquare", "shStar"}));
}

TEST(EnumEditor, EditStepsToTheNextValueAndWraps) {
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1}, "Shape");
  Editor->Edit();
  EXPECT_EQ(S.W1->Shape(), shSquare);
  Editor->Edit();
  Editor->Edit();
  EXPECT_EQ(S.W1->Shape(), shRound);
}

TEST(NamedIntegerEditor, ShowsAndTakesTheNamesOfTheType) {
  RegisterGuiClasses();
  TForm Form(nullptr);
  auto* Edit = new TEdit(&Form);
  TFormDesigner Designer(&Form);
  auto Editor = EditorFor(Designer, {Edit}, "Color");
  EXPECT_TRUE(Editor->GetAttributes().Contains(paValueList));
  Editor->SetValue("clred");
  EXPECT_EQ(Edit->Color(), clRed);
  EXPECT_EQ(Editor->GetValue(), "clRed");
  Editor->SetValue("1193046"); // $123456 has no name
  EXPECT_EQ(Editor->GetValue(), "1193046");
  bool OffersWindow = false;
  Editor->GetValues([&](const std::string& N) { OffersWindow = OffersWindow || N == "clWindow"; });
  EXPECT_TRUE(OffersWindow);
}

TEST(SetEditor, ItsMembersAreSubPropertiesThatKeepTheOthers) {
  TWidgetStage S;
  S.W1->SetShapes({shRound});
  S.W2->SetShapes({shRound, shStar});
  auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, "Shapes");
  ASSERT_TRUE(Editor->GetAttributes().Contains(paSubProperties));
  EXPECT_FALSE(Editor->AllEqual());
  std::vector<std::unique_ptr<TPropertyEditor>> Members;
  Editor->GetProperties(
      [&](std::unique_ptr<TPropertyEditor> E) { Members.push_back(std::move(E)); });
  ASSERT_EQ(Members.size(), 3u);
  EXPECT_EQ(Members[2]->GetName(), "shStar");
  EXPECT_TRUE(Members[0]->AllEqual());
  EXPECT_FALSE(Members[2]->AllEqual());
  Members[1]->SetValue("True");
  EXPECT_EQ(S.W1->Shapes(), (TShapes{shRound, shSquare}));
  EXPECT_EQ(S.W2->Shapes(), (TShapes{shRound, shSquare, shStar}));
  EXPECT_THROW(Members[1]->SetValue("maybe"), EPropertyError);
}

TEST(Selection, AValueTypedOnceReachesEverySelectedObject) {
  TWidgetStage S;
  S.W1->SetSize(1);
  S.W2->SetSize(2);
  auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, "Size");
  EXPECT_FALSE(Editor->AllEqual());
  int Changes = 0;
  S.Designer.OnModified = [&] { ++Changes; };
  Editor->SetValue("5");
  EXPECT_EQ(S.W1->Size(), 5);
  EXPECT_EQ(S.W2->Size(), 5);
  EXPECT_TRUE(Editor->AllEqual());
  EXPECT_EQ(Changes, 1);
}

TEST(Selection, ShowsOnlyThePropertiesTheObjectsShare) {
  TWidgetStage S;
  auto* Edit = new TEdit(S.Form.get());
  const auto Alone = EditorNames(S.Designer, {S.W1});
  EXPECT_NE(std::find(Alone.begin(), Alone.end(), "Level"), Alone.end());
  EXPECT_EQ(EditorNames(S.Designer, {S.W1, S.W2}), Alone);
  // A TEdit shares Tag with a widget, and Font (a TFont both ways); Color
  // and the widget's own properties are left out.
  EXPECT_EQ(EditorNames(S.Designer, {S.W1, Edit}), (std::vector<std::string>{"Tag", "Font"}));
}

} // namespace
