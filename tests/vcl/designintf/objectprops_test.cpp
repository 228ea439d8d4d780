// The editors of sub-objects, string lists, component references and events.
#include <gtest/gtest.h>

#include "tests/vcl/designintf/widget.h"

using namespace vcl;
using namespace DesignTest;

namespace {

std::vector<std::unique_ptr<TPropertyEditor>> SubEditors(TPropertyEditor& Editor) {
  std::vector<std::unique_ptr<TPropertyEditor>> Result;
  Editor.GetProperties([&](std::unique_ptr<TPropertyEditor> E) { Result.push_back(std::move(E)); });
  return Result;
}

std::vector<std::string> ValuesOf(TPropertyEditor& Editor) {
  std::vector<std::string> Result;
  Editor.GetValues([&](const std::string& S) { Result.push_back(S); });
  return Result;
}

TEST(ClassEditor, NestsTheSubObjectsPropertiesAndEditsThemTogether) {
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, "Font");
  EXPECT_EQ(Editor->GetValue(), "(TFont)");
  EXPECT_TRUE(Editor->GetAttributes().Contains(paSubProperties));
  EXPECT_TRUE(Editor->GetAttributes().Contains(paReadOnly));
  EXPECT_TRUE(Editor->AllEqual());
  EXPECT_THROW(Editor->SetValue("x"), EPropertyError);
  for (auto& Sub : SubEditors(*Editor))
    if (Sub->GetName() == "Height")
      Sub->SetValue("-20");
  EXPECT_EQ(S.W1->Font()->Height(), -20);
  EXPECT_EQ(S.W2->Font()->Height(), -20);
}

TEST(StringsEditor, ReplacesTheLinesWithTheTypedOnes) {
  TWidgetStage S;
  S.W1->Lines()->Add("old");
  auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, "Lines");
  EXPECT_FALSE(Editor->AllEqual());
  EXPECT_FALSE(Editor->GetAttributes().Contains(paReadOnly));
  Editor->SetValue("alpha\r\nbeta\n");
  ASSERT_EQ(S.W1->Lines()->Count(), 2);
  EXPECT_EQ(S.W1->Lines()->Strings(1), "beta");
  EXPECT_EQ(S.W2->Lines()->Text(), S.W1->Lines()->Text());
  EXPECT_TRUE(Editor->AllEqual());
}

TEST(ComponentEditor, NamesAComponentOfTheForm) {
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1}, "Buddy");
  EXPECT_EQ(ValuesOf(*Editor), (std::vector<std::string>{"Form1", "W1", "W2"}));
  Editor->SetValue("w2");
  EXPECT_EQ(S.W1->Buddy(), S.W2);
  EXPECT_EQ(Editor->GetValue(), "W2");
  EXPECT_THROW(Editor->SetValue("W3"), EPropertyError);
  EXPECT_EQ(S.W1->Buddy(), S.W2);
  Editor->SetValue("");
  EXPECT_EQ(S.W1->Buddy(), nullptr);
  EXPECT_EQ(Editor->GetValue(), "");
}

TEST(MethodEditor, BindsOnlyTheFormsMethodsOfTheEventsType) {
  TWidgetStage S;
  auto Editor = EditorFor(S.Designer, {S.W1, S.W2}, "OnPing");
  EXPECT_EQ(ValuesOf(*Editor), (std::vector<std::string>{"Ping", "Echo"}));
  EXPECT_THROW(Editor->SetValue("Typed"), EPropertyError);
  Editor->SetValue("ping");
  EXPECT_EQ(Editor->GetValue(), "Ping");
  S.W1->OnPing(S.W1);
  S.W2->OnPing(S.W2);
  EXPECT_EQ(S.Form->Pings, 2);
  // The form cannot grow new code: an unknown name is refused.
  EXPECT_THROW(Editor->SetValue("Pong"), EPropertyError);
  EXPECT_EQ(Editor->GetValue(), "Ping");
  Editor->SetValue("");
  EXPECT_FALSE(S.W1->OnPing);
}

} // namespace
