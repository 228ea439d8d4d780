// Reading form texts: round trips, assignment order, loading state, events,
// references, and what a bad text leaves behind.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "../../unicode_texts.h"
#include "formfile_fixture.h"

namespace formfile_test {
namespace {

using vcl::ComponentToText;
using vcl::ReadComponentText;
using vcl::TextToComponent;

class FormReaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
  }
  void TearDown() override { EXPECT_EQ(LiveWidgets(), 0); }
};

// A form with a panel holding a widget and a loose widget, every property
// away from its default.
std::unique_ptr<TTestForm> SampleForm() {
  auto Form = std::make_unique<TTestForm>(nullptr);
  Form->SetName("Form1");
  auto* Panel = new TPanel(Form.get());
  Panel->SetName("Panel1");
  Panel->SetColumns(4);
  Panel->SetParentComponent(Form.get());
  auto* W = new TWidget(Form.get());
  W->SetName("Widget1");
  W->SetParentComponent(Panel);
  W->SetEnabled(false);
  W->SetCaption("Line one\r\nline 'two' " + std::string(70, 'x') + "é");
  W->SetLevel(255);
  W->SetCount(-1000);
  W->SetMark('\'');
  W->SetShade(shLight);
  W->SetShades({shMedium, shDark});
  W->SetRatio(1.0 / 3);
  W->SetSmall(0.3f);
  W->SetWide(1.0L / 3);
  W->SetWhen(36526.75);
  W->SetPrice(vcl::Currency::FromRaw(-922337203685477580LL));
  W->SetData(std::string("\0\x01\xFE\xFF", 4) + std::string(40, 'z'));
  W->Lines()->Add("");
  W->Lines()->Add("#not a code");
  W->Sample()->SetMax(-5);
  W->Sample()->Inner()->SetCaption("inner");
  W->SetBuddy(Panel);
  W->SetHidden("visible");
  W->SetTag(-1);
  auto* Loose = new TWidget(Form.get());
  Loose->SetName("Loose");
  Loose->SetBuddy(W);
  Form->Widget1 = W;
  Form->Panel1 = Panel;
  ReadComponentText("object Form1: TTestForm\n"
                    "  object Loose: TWidget\n"
                    "    OnClick = ButtonClick\n"
                    "    OnCount = CountChanged\n"
                    "  end\n"
                    "end\n",
                    Form.get());
  return Form;
}

TEST_F(FormReaderTest, RoundTripGivesTheSameText) {
  auto Form = SampleForm();
  const std::string Text = ComponentToText(Form.get());
  std::unique_ptr<vcl::TComponent> Copy(TextToComponent(Text, nullptr));
  auto* Read = dynamic_cast<TTestForm*>(Copy.get());
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(ComponentToText(Read), Text);

  // Fields, parents, references and handlers point into the new form.
  ASSERT_NE(Read->Widget1, nullptr);
  ASSERT_NE(Read->Panel1, nullptr);
  EXPECT_EQ(Read->Widget1->Owner(), Read);
  EXPECT_EQ(Read->Widget1->GetParentComponent(), Read->Panel1);
  EXPECT_EQ(Read->Panel1->GetParentComponent(), Read);
  EXPECT_EQ(Read->Widget1->Buddy(), Read->Panel1);
  EXPECT_EQ(Read->Widget1->Caption(), Form->Widget1->Caption());
  EXPECT_EQ(Read->Widget1->Price(), Form->Widget1->Price());
  EXPECT_EQ(Read->Widget1->Ratio(), 1.0 / 3);
  EXPECT_EQ(Read->Widget1->Wide(), 1.0L / 3);
  auto* Loose = dynamic_cast<TWidget*>(Read->FindComponent("Loose"));
  ASSERT_NE(Loose, nullptr);
  Loose->OnClick(Loose);
  EXPECT_EQ(Read->Clicks, std::vector<vcl::TObject*>{Loose});
  int Value = 21;
  Loose->OnCount(Loose, Value);
  EXPECT_EQ(Value, 42);
}

// Whatever the writer gives for a floating-point property, the reader takes
// back as the same value, down to the last bit, at the ends of each type's
// range as well as in its middle, and whole numbers of more digits than an
// integer holds.
template <typename T> std::vector<T> Extremes() {
  using L = std::numeric_limits<T>;
  return {L::max(),
          L::lowest(),
          L::min(),
          -L::min(),
          L::denorm_min(),
          -L::denorm_min(),
          L::epsilon(),
          T(1) / T(3),
          T(-0.1),
          T(-4444444444444444327936.0L),
          T(123456789012345678.0L)};
}

TEST_F(FormReaderTest, FloatsAtTheExtremesOfEachTypeReadBack) {
  auto RoundTrip = [](auto Set, auto Get, auto Value) {
    TWidget W(nullptr);
    W.SetName("Widget1");
    (W.*Set)(Value);
    const std::string Text = ComponentToText(&W);
    TWidget Read(nullptr);
    try {
      ReadComponentText(Text, &Read);
    } catch (const vcl::EReadError& E) {
      ADD_FAILURE() << Text << E.Message();
    }
    EXPECT_EQ((Read.*Get)(), Value) << Text;
  };
  for (float V : Extremes<float>())
    RoundTrip(&TWidget::SetSmall, &TWidget::Small, V);
  for (double V : Extremes<double>())
    RoundTrip(&TWidget::SetRatio, &TWidget::Ratio, V);
  for (vcl::Extended V : Extremes<vcl::Extended>())
    RoundTrip(&TWidget::SetWide, &TWidget::Wide, V);
}

TEST_F(FormReaderTest, PropertiesAreAssignedInFileOrder) {
  TWidget W(nullptr);
  ReadComponentText("object W: TWidget\n"
                    "  Caption = 'before'\n"
                    "  Count = 1\n"
                    "  Level = 7\n"
                    "  Count = 2\n"
                    "end\n",
                    &W);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Count of W sees Caption 'before' and Level 0",
                                             "Count of W sees Caption 'before' and Level 7",
                                             "Loaded W loading"}));
}

TEST_F(FormReaderTest, LoadedRunsOnceForEveryComponentInFileOrderAfterReading) {
  TTestForm Form(nullptr);
  ReadComponentText("object Form1: TTestForm\n"
                    "  object B: TPanel\n"
                    "    object A: TWidget\n"
                    "      Count = 1\n"
                    "    end\n"
                    "  end\n"
                    "  object C: TWidget\n"
                    "  end\n"
                    "end\n",
                    &Form);
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"Count of A sees Caption '' and Level 0", "Loaded B loading",
                                      "Loaded A loading", "Loaded C loading"}));
  for (int I = 0; I < Form.ComponentCount(); ++I)
    EXPECT_TRUE(Form.Components(I)->ComponentState().Empty());
  EXPECT_TRUE(Form.ComponentState().Empty());
  EXPECT_EQ(Form.Name(), "Form1");
}

// Text in any script is written 7-bit, as code points, and reads back as it
// was; codes 128 to 159 of files written until now read as the code page
// 1252 characters they named.
TEST_F(FormReaderTest, TextInAnyScriptRoundTripsAndOldCodesReadAsBefore) {
  for (const auto& T : unicode_texts::Texts) {
    TWidget W(nullptr);
    W.SetCaption(T.Text);
    const std::string Text = ComponentToText(&W);
    for (char C : Text)
      ASSERT_LT(static_cast<unsigned char>(C), 0x80) << T.Name;
    TWidget Read(nullptr);
    ReadComponentText(Text, &Read);
    EXPECT_EQ(Read.Caption(), T.Text) << T.Name;
  }
  TWidget W(nullptr);
  ReadComponentText("object W: TWidget\n  Caption = #128'uro '#150' caf'#233#$20AC\n"
                    "  Mark = #233\nend",
                    &W);
  EXPECT_EQ(W.Caption(), "€uro – café€");
  EXPECT_EQ(W.Mark(), '\xE9') << "a one-byte character property holds the code";
  EXPECT_NE(ComponentToText(&W).find("Mark = #233"), std::string::npos);

  // Bytes that are not UTF-8 inside quotes (a file saved in another
  // encoding) read as U+FFFD, so what is held is what is written back.
  TWidget Raw(nullptr);
  ReadComponentText("object W: TWidget\n  Caption = 'M\xFCller \xC8'#$41\nend", &Raw);
  EXPECT_EQ(Raw.Caption(), "M\uFFFDller \uFFFDA");
  TWidget Again(nullptr);
  ReadComponentText(ComponentToText(&Raw), &Again);
  EXPECT_EQ(Again.Caption(), Raw.Caption());

  // A C1 control is written in hex, since decimal #138 means the code page's
  // "Š" in older files.
  TWidget Control(nullptr);
  Control.SetCaption("a\u008Ab");
  const std::string Written = ComponentToText(&Control);
  EXPECT_NE(Written.find("'a'#$8A'b'"), std::string::npos) << Written;
  TWidget ControlAgain(nullptr);
  ReadComponentText(Written, &ControlAgain);
  EXPECT_EQ(ControlAgain.Caption(), "a\u008Ab");
}

TEST_F(FormReaderTest, ValueSyntaxVariants) {
  TWidget W(nullptr);
  ReadComponentText("object W: TWidget\r\n"
                    "  caption = 'a'#9'b' +\r\n"
                    "    'c'#$41\r\n"
                    "  LEVEL = $FF\r\n"
                    "  Shades = [ ]\r\n"
                    "  Shade = SHDARK\r"
                    "  Ratio = -25\n"
                    "  Price = 1.23456\n"
                    "  Lines.Strings = (\n"
                    "    'x'\n"
                    "    'y' +\n"
                    "    'z'\n"
                    "  )\n"
                    "  Data = { 0a 0B\n"
                    "    ff }\n"
                    "  Sample.Inner.Max = -3\n"
                    "  Buddy = W\n"
                    "end",
                    &W);
  EXPECT_EQ(W.Caption(), "a\tbcA");
  EXPECT_EQ(W.Level(), 255);
  EXPECT_TRUE(W.Shades().Empty());
  EXPECT_EQ(W.Shade(), shDark);
  EXPECT_EQ(W.Ratio(), -25);
  EXPECT_EQ(W.Price().Raw(), 12346); // rounded half away from zero to four decimals
  ASSERT_EQ(W.Lines()->Count(), 2);
  EXPECT_EQ(W.Lines()->Strings(1), "yz");
  EXPECT_EQ(W.Data(), "\x0A\x0B\xFF");
  EXPECT_EQ(W.Sample()->Inner()->Max(), -3);
  EXPECT_EQ(W.Buddy(), &W);
}

TEST_F(FormReaderTest, ReferencesMayPointFurtherDown) {
  TTestForm Form(nullptr);
  ReadComponentText("object Form1: TTestForm\n"
                    "  object A: TWidget\n"
                    "    Buddy = B\n"
                    "  end\n"
                    "  object B: TWidget\n"
                    "    Buddy = Form1.A\n"
                    "  end\n"
                    "end\n",
                    &Form);
  auto* A = dynamic_cast<TWidget*>(Form.FindComponent("A"));
  auto* B = dynamic_cast<TWidget*>(Form.FindComponent("B"));
  EXPECT_EQ(A->Buddy(), B);
  EXPECT_EQ(B->Buddy(), A);
}

TEST_F(FormReaderTest, ExistingComponentsOfTheSameNameAreReadInto) {
  TTestForm Form(nullptr);
  auto* W = new TWidget(&Form);
  W->SetName("Widget1");
  ReadComponentText("object Form1: TTestForm\n"
                    "  object Widget1: TWidget\n"
                    "    Level = 3\n"
                    "  end\n"
                    "end\n",
                    &Form);
  EXPECT_EQ(Form.ComponentCount(), 1);
  EXPECT_EQ(W->Level(), 3);
  EXPECT_EQ(Form.Widget1, W);
}

struct BadText {
  const char* Text;
  const char* Message;
};

// Each text creates components before it goes wrong where it can.
const BadText BadTexts[] = {
    {"object Form1: TTestForm\n  Foo = 1\nend\n", "Line 2: Property Foo does not exist"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Lines.Strings = (\n      'a'\n"
     "  end\nend\n",
     "Line 5: ')' expected but 'end' found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n  end\n  object X: TNope\n  end\nend\n",
     "Line 4: Class TNope not found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Level = 256\n  end\nend\n",
     "Line 3: Value 256 out of range for Level (0..255)"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Count = -1001\n  end\nend\n",
     "Line 3: Value -1001 out of range for Count (-1000..1000)"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Enabled = 1\n  end\nend\n",
     "Line 3: Boolean value expected but '1' found"},
    {"object Form1: TTestForm\n  object Panel1: TPanel\n    Shade = shPurple\n  end\nend\n",
     "Line 3: Value of TShade expected but 'shPurple' found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Shades = [shLight, 2]\n  end\nend\n",
     "Line 3: Set element expected but '2' found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Caption = 12\n  end\nend\n",
     "Line 3: String expected but '12' found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Mark = 'ab'\n  end\nend\n",
     "Line 3: Character expected but string constant found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Caption = 'open\n  end\nend\n",
     "Line 3: Unterminated string"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Caption = 'x'#55296\n  end\nend\n",
     "Line 3: Invalid character code after '#'"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Caption = #1114112\n  end\nend\n",
     "Line 3: Invalid character code after '#'"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n",
     "Line 3: 'end' expected but end of file found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n  end\nend\nend\n",
     "Line 5: End of file expected but 'end' found"},
    {"", "Line 1: 'object' expected but end of file found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    OnClick = Nope\n  end\nend\n",
     "Line 3: Event handler Nope not found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    OnClick = CountChanged\n  end\nend\n",
     "Line 3: Event handler CountChanged does not fit OnClick"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Caption = 'fail'\n  end\nend\n",
     "Line 3: Error reading Caption: Caption refused"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n  end\n  object Widget1: TWidget\n  end\n"
     "end\n",
     "Line 4: A component named Widget1 already exists"},
    {"object Form1: TTestForm\n  object Panel1: TWidget\n  end\nend\n",
     "Line 2: Field Panel1 does not hold a TWidget"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Buddy = Nobody\n  end\nend\n",
     "Line 3: Component Nobody not found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Buddy = Form1\n  end\nend\n",
     "Line 3: Error reading Buddy: A TTestForm cannot be assigned to this property"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Sample.Nope = 1\n  end\nend\n",
     "Line 3: Property Sample.Nope does not exist"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Lines = 1\n  end\nend\n",
     "Line 3: Property Lines cannot be assigned a value"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Level.Max = 1\n  end\nend\n",
     "Line 3: Property Level cannot be assigned a value"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Shown = 'x'\n  end\nend\n",
     "Line 3: Property Shown is read-only"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Small = 1E39\n  end\nend\n",
     "Line 3: Value 1E39 out of range for Small"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Price = 922337203685478\n  "
     "end\nend\n",
     "Line 3: Currency value 922337203685478 out of range"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Data = 'x'\n  end\nend\n",
     "Line 3: Binary data expected but string constant found"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Data = {ABC}\n  end\nend\n",
     "Line 3: Binary data has an odd number of digits"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Count = 99999999999999999999\n"
     "  end\nend\n",
     "Line 3: Number 99999999999999999999 is too large"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n    Count = 1 ;\n  end\nend\n",
     "Line 3: Invalid character #59"},
    {"object Form1: TTestForm\n  object 1W: TWidget\n  end\nend\n",
     "Line 2: Identifier expected but '1' found"},
    {"object Form1: TWidget\nend\n", "Line 1: A TWidget cannot be read into a TTestForm"},
    {"object Form1: TTestForm\n  object Widget1: TWidget\n  end\n  object Bad_: TWidget\n"
     "    Count = 1\n    Caption = 'fail'\n  end\nend\n",
     "Line 6: Error reading Caption: Caption refused"},
};

TEST_F(FormReaderTest, BadTextsRaiseNamingTheLineAndLeaveTheRootAsItWas) {
  for (const BadText& Case : BadTexts) {
    Log().clear();
    TTestForm Form(nullptr);
    Form.SetName("Original");
    auto* Kept = new TWidget(&Form);
    Kept->SetName("Kept");
    try {
      ReadComponentText(Case.Text, &Form);
      ADD_FAILURE() << "no error for " << Case.Text;
    } catch (const vcl::EReadError& E) {
      EXPECT_EQ(E.Message(), Case.Message) << Case.Text;
    }
    EXPECT_EQ(Form.ComponentCount(), 1) << Case.Text;
    EXPECT_EQ(Form.Components(0), Kept);
    EXPECT_EQ(LiveWidgets(), 1) << Case.Text;
    EXPECT_EQ(Form.Widget1, nullptr);
    EXPECT_EQ(Form.Panel1, nullptr);
    EXPECT_EQ(Form.Name(), "Original");
    EXPECT_TRUE(Form.ComponentState().Empty());
    EXPECT_TRUE(Kept->ComponentState().Empty());
    EXPECT_TRUE(Log().empty() || Log().back().rfind("Loaded", 0) != 0) << "Loaded ran";
  }
}

TEST_F(FormReaderTest, NestingIsLimited) {
  auto Nested = [](int Depth) {
    std::string Text;
    for (int I = 0; I < Depth; ++I)
      Text += "object P" + std::to_string(I) + ": " + (I ? "TPanel" : "TTestForm") + "\n";
    for (int I = 0; I < Depth; ++I)
      Text += "end\n";
    return Text;
  };
  {
    TTestForm Form(nullptr);
    EXPECT_NO_THROW(ReadComponentText(Nested(64), &Form));
    EXPECT_EQ(Form.ComponentCount(), 63);
  }
  TTestForm Form(nullptr);
  try {
    ReadComponentText(Nested(65), &Form);
    ADD_FAILURE();
  } catch (const vcl::EReadError& E) {
    EXPECT_EQ(E.Message(), "Line 65: Objects nested deeper than 64 levels");
  }
  EXPECT_EQ(Form.ComponentCount(), 0);
}

TEST_F(FormReaderTest, TextToComponentCreatesTheRootByClassName) {
  TTestForm Owner(nullptr);
  vcl::TComponent* Root = TextToComponent("object Solo: TWidget\n  Level = 9\nend\n", &Owner);
  EXPECT_EQ(Root->Owner(), &Owner);
  EXPECT_EQ(Root->Name(), "Solo");
  EXPECT_EQ(dynamic_cast<TWidget*>(Root)->Level(), 9);

  // A failed read frees the new root again.
  EXPECT_THROW(TextToComponent("object Solo2: TWidget\n  Level = x\nend\n", &Owner),
               vcl::EReadError);
  EXPECT_THROW(TextToComponent("object Solo: TWidget\nend\n", &Owner), vcl::EReadError);
  EXPECT_THROW(TextToComponent("object X: TNope\nend\n", &Owner), vcl::EReadError);
  EXPECT_THROW(TextToComponent("object X: TPersistent\nend\n", &Owner), vcl::EReadError);
  EXPECT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(LiveWidgets(), 1);
}

// Read for inspection, a form of a class the program lacks goes into the
// root given, and handler names the root does not publish are kept as names
// (written back as read, doing nothing when called); read to run, both are
// errors.
TEST_F(FormReaderTest, InspectionTakesUnknownClassesAndHandlersByName) {
  const std::string Text = "object Order: TOrderForm\n"
                           "  object Widget1: TWidget\n"
                           "    OnClick = ButtonClick\n"
                           "    OnCount = Recount\n"
                           "  end\n"
                           "end\n";
  EXPECT_EQ(vcl::FormRootClassName(Text), "TOrderForm");
  EXPECT_EQ(vcl::FormRootClassName("object TPanel\nend"), "TPanel");
  EXPECT_THROW(vcl::FormRootClassName("objet X: TPanel"), vcl::EReadError);
  {
    TTestForm Form(nullptr);
    Form.SetInspecting(true);
    ReadComponentText(Text, &Form);
    ASSERT_NE(Form.Widget1, nullptr);
    EXPECT_TRUE(Form.Widget1->ComponentState().Contains(vcl::csInspecting));
    Form.Widget1->OnClick(Form.Widget1); // the form's own ButtonClick
    EXPECT_EQ(Form.Clicks.size(), 1u);
    int Count = 3;
    Form.Widget1->OnCount(Form.Widget1, Count); // kept by name: does nothing
    EXPECT_EQ(Count, 3);
    const std::string Written = ComponentToText(&Form);
    EXPECT_NE(Written.find("    OnClick = ButtonClick\n    OnCount = Recount\n"), std::string::npos)
        << Written;
  }
  TTestForm Form(nullptr);
  try {
    ReadComponentText(Text, &Form);
    ADD_FAILURE();
  } catch (const vcl::EReadError& E) {
    EXPECT_EQ(E.Message(), "Line 1: A TOrderForm cannot be read into a TTestForm");
  }
}

} // namespace
} // namespace formfile_test
