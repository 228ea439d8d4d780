// The editors of floats, currency, dates and times, strings and binary data.
#include <gtest/gtest.h>

#include "tests/vcl/designintf/widget.h"

using namespace vcl;
using namespace DesignTest;

namespace {

struct TTyped {
  const char* Property;
  const char* Typed;
  const char* Shown; // null: refused
};

class ValueEditors : public ::testing::TestWithParam<TTyped> {
protected:
  void SetUp() override { ResetLocale(); }
};

TEST_P(ValueEditors, ShowWhatWasTypedOrRefuseIt) {
  const TTyped& T = GetParam();
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1}, T.Property);
  ASSERT_NE(Editor, nullptr);
  const std::string Before = Editor->GetValue();
  if (T.Shown) {
    Editor->SetValue(T.Typed);
    EXPECT_EQ(Editor->GetValue(), T.Shown);
  } else {
    EXPECT_THROW(Editor->SetValue(T.Typed), Exception);
    EXPECT_EQ(Editor->GetValue(), Before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueEditors,
    ::testing::Values(TTyped{"Ratio", "1.25", "1.25"}, TTyped{"Ratio", "-3e2", "-300"},
                      TTyped{"Ratio", "0.1", "0.1"}, TTyped{"Ratio", "1,5", nullptr},
                      TTyped{"Price", "12.3456", "12.3456"}, TTyped{"Price", "x", nullptr},
                      TTyped{"When", "3/11/2024 1:30:00 PM", "3/11/24 1:30:00 PM"},
                      TTyped{"When", "3/11/2024", "3/11/24"}, TTyped{"When", "", ""},
                      TTyped{"When", "31/31/2024", nullptr}, TTyped{"Day", "2/29/2024", "2/29/24"},
                      TTyped{"Day", "", ""}, TTyped{"Day", "2/30/2024", nullptr},
                      TTyped{"Hour", "6:15 PM", "6:15:00 PM"}, TTyped{"Hour", "", ""},
                      TTyped{"Hour", "25:00", nullptr}, TTyped{"Caption", " a b ", " a b "},
                      TTyped{"Caption", "", ""}, TTyped{"Blob", "00ff 10", "00FF10"},
                      TTyped{"Blob", "", ""}, TTyped{"Blob", "ABC", nullptr},
                      TTyped{"Blob", "0G", nullptr}));

TEST(FloatEditor, ShowsEnoughDigitsToGiveTheValueBack) {
  TWidgetStage S;
  S.W1->SetRatio(2.0 / 3.0);
  auto Editor = EditorFor(S.Designer, {S.W1}, "Ratio");
  Editor->SetValue(Editor->GetValue());
  EXPECT_NEAR(S.W1->Ratio(), 2.0 / 3.0, 1e-15);
}

TEST(DateEditors, ZeroIsAnEmptyText) {
  TWidgetStage S;
  for (const char* Name : {"When", "Day", "Hour"})
    EXPECT_EQ(EditorFor(S.Designer, {S.W1}, Name)->GetValue(), "") << Name;
}

TEST(DateEditors, AreChosenByTheTypeOfTheProperty) {
  TWidgetStage S;
  EXPECT_EQ(GetEditorClass(FindPropInfo(S.W1, "When"), S.W1).Type, typeid(TDateTimeProperty));
  EXPECT_EQ(GetEditorClass(FindPropInfo(S.W1, "Day"), S.W1).Type, typeid(TDateProperty));
  EXPECT_EQ(GetEditorClass(FindPropInfo(S.W1, "Hour"), S.W1).Type, typeid(TTimeProperty));
  EXPECT_EQ(GetEditorClass(FindPropInfo(S.W1, "Ratio"), S.W1).Type, typeid(TFloatProperty));
}

TEST(ValueEditors, AgreeOnlyOnEqualValues) {
  TWidgetStage S;
  for (const char* Name : {"Ratio", "Price", "Caption"}) {
    auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, Name);
    EXPECT_TRUE(Editor->AllEqual()) << Name;
    EditorFor(S.Designer, {S.W1}, Name)->SetValue("7");
    EXPECT_FALSE(Editor->AllEqual()) << Name;
  }
}

} // namespace
