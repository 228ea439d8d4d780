// The text the writer gives: layout, value syntax, defaults and stored-tests.
#include <gtest/gtest.h>

#include "formfile_fixture.h"

namespace formfile_test {
namespace {

using vcl::ComponentToText;

class FormWriterTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }

  // The property lines of a lone widget, without the object header and end.
  std::string Body(const TWidget& W) {
    std::string Text = ComponentToText(&W);
    Text.erase(0, Text.find('\n') + 1);
    return Text.substr(0, Text.rfind("end\n"));
  }
};

TEST_F(FormWriterTest, NewComponentWritesOnlyItsHeader) {
  TWidget W(nullptr);
  W.SetName("Widget1");
  EXPECT_EQ(ComponentToText(&W), "object Widget1: TWidget\nend\n");
}

TEST_F(FormWriterTest, ValuesOfEveryKindInTheirClassicSyntax) {
  TWidget W(nullptr);
  W.SetEnabled(false);
  W.SetLevel(200);
  W.SetCount(-7);
  W.SetMark('*');
  W.SetShade(shDark);
  W.SetShades({shLight, shDark});
  W.SetRatio(0.1);
  W.SetWhen(45000.5);
  W.SetPrice(vcl::Currency::FromRaw(-123450));
  W.SetData(std::string("\x01\xAB\xFF", 3));
  W.SetTag(3);
  EXPECT_EQ(Body(W), "  Tag = 3\n"
                     "  Enabled = False\n"
                     "  Level = 200\n"
                     "  Count = -7\n"
                     "  Mark = '*'\n"
                     "  Shade = shDark\n"
                     "  Shades = [shLight, shDark]\n"
                     "  Ratio = 0.1\n"
                     "  When = 45000.5\n"
                     "  Price = -12.345\n"
                     "  Data = {\n"
                     "    01ABFF}\n");
}

TEST_F(FormWriterTest, FloatsInShortestRoundTripForm) {
  struct Case {
    double Ratio;
    float Small;
    const char* Expected;
  } Cases[] = {
      {1e20, 0.1f, "  Ratio = 1E20\n  Small = 0.1\n"},
      {1e-5, 3.5f, "  Ratio = 1E-5\n  Small = 3.5\n"},
      {-2.5, 1e30f, "  Ratio = -2.5\n  Small = 1E30\n"},
      {123456789012.0, 0, "  Ratio = 123456789012\n"},
  };
  for (const Case& C : Cases) {
    TWidget W(nullptr);
    W.SetRatio(C.Ratio);
    W.SetSmall(C.Small);
    EXPECT_EQ(Body(W), C.Expected) << C.Ratio;
  }
}

TEST_F(FormWriterTest, StringsQuotedWithControlAndHighCharactersAsCodes) {
  struct Case {
    std::string Value;
    const char* Expected;
  } Cases[] = {
      {"It's", "'It''s'"},
      {"a\r\nb", "'a'#13#10'b'"},
      {"\tx", "#9'x'"},
      {"café", "'caf'#233"},
      {"\x7F", "#127"},
      {" ", "' '"},
      // Outside ASCII a character is written as its code point.
      {"€", "#8364"},
      {"東京", "#26481#20140"},
      {"👍🏽", "#128077#127997"},
  };
  for (const Case& C : Cases) {
    TWidget W(nullptr);
    W.SetCaption(C.Value);
    EXPECT_EQ(Body(W), std::string("  Caption = ") + C.Expected + "\n") << C.Value;
  }
}

TEST_F(FormWriterTest, LongStringsContinueOnFollowingLines) {
  TWidget W(nullptr);
  W.SetCaption(std::string(64, 'a') + std::string(64, 'b') + "c");
  EXPECT_EQ(Body(W), "  Caption = '" + std::string(64, 'a') + "' +\n    '" + std::string(64, 'b') +
                         "' +\n    'c'\n");
}

TEST_F(FormWriterTest, DefaultsAndStoredTestsDecide) {
  TWidget W(nullptr);
  W.SetHidden("secret"); // the stored-test says no
  W.SetShades(TShades{});
  W.SetShade(shMedium);
  W.SetCaption("");
  EXPECT_EQ(Body(W), "");
  W.SetHidden("plain");
  EXPECT_EQ(Body(W), "  Hidden = 'plain'\n");
}

TEST_F(FormWriterTest, StringListsSubObjectsReferencesAndEvents) {
  TTestForm Form(nullptr);
  Form.SetName("Form1");
  auto* W = new TWidget(&Form);
  W->SetName("Widget1");
  W->Lines()->Add("one");
  W->Lines()->Add("it's");
  W->Sample()->SetMax(12);
  W->Sample()->Inner()->SetCaption("deep");
  W->SetBuddy(W);
  W->OnClick = [](vcl::TObject*) {}; // not bound by name: nothing to store
  vcl::ReadComponentText("object Form1: TTestForm\n"
                         "  object Widget1: TWidget\n"
                         "    OnCount = CountChanged\n"
                         "  end\n"
                         "end\n",
                         &Form);
  EXPECT_EQ(ComponentToText(&Form), "object Form1: TTestForm\n"
                                    "  object Widget1: TWidget\n"
                                    "    Lines.Strings = (\n"
                                    "      'one'\n"
                                    "      'it''s')\n"
                                    "    Sample.Max = 12\n"
                                    "    Sample.Inner.Caption = 'deep'\n"
                                    "    Buddy = Widget1\n"
                                    "    OnCount = CountChanged\n"
                                    "  end\n"
                                    "end\n");
}

TEST_F(FormWriterTest, NestedComponentsFollowTheirParents) {
  TTestForm Form(nullptr);
  Form.SetName("Form1");
  auto* Panel = new TPanel(&Form);
  Panel->SetName("Panel1");
  Panel->SetColumns(3);
  Panel->SetCount(5);
  Panel->SetLevel(1);
  auto* Inside = new TWidget(&Form);
  Inside->SetName("Inside");
  Inside->SetParentComponent(Panel);
  auto* Loose = new TWidget(&Form);
  Loose->SetName("Loose");
  // Count is redeclared by TPanel and so comes after Columns.
  EXPECT_EQ(ComponentToText(&Form), "object Form1: TTestForm\n"
                                    "  object Panel1: TPanel\n"
                                    "    Level = 1\n"
                                    "    Columns = 3\n"
                                    "    Count = 5\n"
                                    "    object Inside: TWidget\n"
                                    "    end\n"
                                    "  end\n"
                                    "  object Loose: TWidget\n"
                                    "  end\n"
                                    "end\n");
}

TEST_F(FormWriterTest, ValuesThatCannotBeStoredRaise) {
  TWidget W(nullptr);
  W.SetRatio(std::numeric_limits<double>::infinity());
  EXPECT_THROW(ComponentToText(&W), vcl::EWriteError);
  W.SetRatio(0);
  W.SetShade(static_cast<TShade>(9));
  EXPECT_THROW(ComponentToText(&W), vcl::EWriteError);
  EXPECT_THROW(ComponentToText(nullptr), vcl::EWriteError);
}

} // namespace
} // namespace formfile_test
