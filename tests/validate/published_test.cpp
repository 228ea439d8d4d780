// Validators stored as the Validator sub-properties of a component: every
// published validator class survives a write and read with non-default
// settings, and defaults stay out of the text.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "validate/date.h"
#include "validate/filter.h"
#include "validate/float.h"
#include "validate/integer.h"
#include "validate/lookup.h"
#include "validate/picture.h"
#include "validate/published.h"
#include "validate/time.h"
#include "vcl/typinfo.h"

namespace {

using namespace Validate;

// The factories of the holder's kinds, in Kind order.
const std::vector<std::function<TValidator*(vcl::TObject*)>>& Kinds() {
  static const std::vector<std::function<TValidator*(vcl::TObject*)>> K = {
      [](vcl::TObject* O) { return new TValidator(O); },
      [](vcl::TObject* O) { return new TFilterValidator(O); },
      [](vcl::TObject* O) { return new TIntegerValidator(O); },
      [](vcl::TObject* O) { return new TFloatValidator(O); },
      [](vcl::TObject* O) { return new TCurrencyValidator(O); },
      [](vcl::TObject* O) { return new TStringLookupValidator(O); },
      [](vcl::TObject* O) { return new TPictureValidator(O); },
      [](vcl::TObject* O) { return new TDateValidator(O); },
      [](vcl::TObject* O) { return new TTimeValidator(O); },
  };
  return K;
}

// A component that owns one validator chosen by Kind, as the validating
// edit does: Kind is read before the Validator sub-properties.
class TValidatorHolder : public vcl::TComponent {
public:
  explicit TValidatorHolder(vcl::TComponent* AOwner)
      : vcl::TComponent(AOwner), FValidator(Kinds()[0](this)) {}
  int Kind() const { return FKind; }
  void SetKind(int Value) {
    FValidator.reset(Kinds()[static_cast<std::size_t>(Value)](this));
    FKind = Value;
  }
  TValidator* Validator() const { return FValidator.get(); }

private:
  int FKind = 0;
  std::unique_ptr<TValidator> FValidator;
};

class FormFileValidatorsTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::ResetLocale();
    // Today is 1 March 2023 (45351): the date validator's starting bounds.
    FOldClock = vcl::SetNowFunction([] { return 45351.5; });
    RegisterValidatorClasses();
    static const bool Declared = [] {
      using T = TValidatorHolder;
      vcl::Published<T>("TValidatorHolder")
          .Inherits<vcl::TComponent>()
          .Int("Kind", &T::Kind, &T::SetKind, 0)
          .Range(0, static_cast<std::int64_t>(Kinds().size()) - 1)
          .Object("Validator", &T::Validator);
      return true;
    }();
    (void)Declared;
  }
  void TearDown() override {
    vcl::SetNowFunction(FOldClock);
    vcl::ResetLocale();
  }

  // The text of a holder of the given kind after Configure has set its validator.
  static std::string Stored(int Kind, const std::function<void(TValidator*)>& Configure) {
    TValidatorHolder H(nullptr);
    H.SetName("Holder");
    H.SetKind(Kind);
    Configure(H.Validator());
    return vcl::ComponentToText(&H);
  }

  vcl::TNowFunction FOldClock;
};

struct RoundTripCase {
  int Kind;
  std::function<void(TValidator*)> Configure;
  const char* Expected;
};

TEST_F(FormFileValidatorsTest, NonDefaultSettingsRoundTrip) {
  const RoundTripCase Cases[] = {
      {1,
       [](TValidator* V) {
         auto* F = static_cast<TFilterValidator*>(V);
         F->SetFilterChars("abc'");
         F->SetFilterType(ftInvalidChars);
       },
       "  Validator.FilterChars = 'abc'''\n"
       "  Validator.FilterType = ftInvalidChars\n"},
      {2,
       [](TValidator* V) {
         auto* I = static_cast<TIntegerValidator*>(V);
         I->SetLeadingZeros(true);
         I->SetMax(-5);
         I->SetMin(-2000000000);
         I->SetNoBounds(false);
       },
       "  Validator.LeadingZeros = True\n"
       "  Validator.Max = -5\n"
       "  Validator.Min = -2000000000\n"
       "  Validator.NoBounds = False\n"},
      {3,
       [](TValidator* V) {
         auto* F = static_cast<TFloatValidator*>(V);
         F->SetLeadingZeros(true);
         F->SetMax(1e20);
         F->SetMin(-0.125);
         F->SetNoBounds(false);
         F->SetPrecision(5);
       },
       "  Validator.LeadingZeros = True\n"
       "  Validator.Max = 1E20\n"
       "  Validator.Min = -0.125\n"
       "  Validator.NoBounds = False\n"
       "  Validator.Precision = 5\n"},
      {4,
       [](TValidator* V) {
         auto* C = static_cast<TCurrencyValidator*>(V);
         C->SetMax(99.99);
         C->SetMin(0.01);
         C->SetNoBounds(false);
         C->SetPrecision(4);
       },
       "  Validator.Max = 99.99\n"
       "  Validator.Min = 0.01\n"
       "  Validator.NoBounds = False\n"
       "  Validator.Precision = 4\n"},
      {5,
       [](TValidator* V) {
         auto* L = static_cast<TStringLookupValidator*>(V);
         L->SetAutoFill(false);
         L->SetCaseSensitive(true);
         L->Items()->Add("pear");
         L->Items()->Add("Apple");
       },
       "  Validator.AutoFill = False\n"
       "  Validator.CaseSensitive = True\n"
       "  Validator.Items.Strings = (\n"
       "    'Apple'\n"
       "    'pear')\n"},
      {6,
       [](TValidator* V) {
         auto* P = static_cast<TPictureValidator*>(V);
         P->SetAutoFill(false);
         P->SetPicture("#[#]:##{AM,PM}");
       },
       "  Validator.AutoFill = False\n"
       "  Validator.Picture = '#[#]:##{AM,PM}'\n"},
      {7,
       [](TValidator* V) {
         auto* D = static_cast<TDateValidator*>(V);
         D->SetAutoFill(false);
         D->SetFormat(vdfOptional);
         D->SetMax(47000);
         D->SetMin(36526.5);
         D->SetNoBounds(false);
       },
       "  Validator.AutoFill = False\n"
       "  Validator.Format = vdfOptional\n"
       "  Validator.Max = 47000\n"
       "  Validator.Min = 36526.5\n"
       "  Validator.NoBounds = False\n"},
      {8,
       [](TValidator* V) {
         auto* T = static_cast<TTimeValidator*>(V);
         T->SetFormat(vtfLong);
         T->SetMax(0.75);
         T->SetMin(1.0 / 3);
         T->SetNoBounds(false);
       },
       "  Validator.Format = vtfLong\n"
       "  Validator.Max = 0.75\n"
       "  Validator.Min = 0.3333333333333333\n"
       "  Validator.NoBounds = False\n"},
  };
  for (const RoundTripCase& Case : Cases) {
    const std::string Text = Stored(Case.Kind, Case.Configure);
    EXPECT_EQ(Text, "object Holder: TValidatorHolder\n  Kind = " + std::to_string(Case.Kind) +
                        "\n" + Case.Expected + "end\n");
    std::unique_ptr<vcl::TComponent> Copy(vcl::TextToComponent(Text, nullptr));
    EXPECT_EQ(vcl::ComponentToText(Copy.get()), Text);
  }
}

TEST_F(FormFileValidatorsTest, DefaultsStayOutAndUndeclaredOnesAreAlwaysStored) {
  const auto Nothing = [](TValidator*) {};
  const struct {
    int Kind;
    const char* Expected;
  } Cases[] = {
      {0, ""},
      {1, "  Validator.FilterChars = ''\n"},
      {2, ""},
      {3, ""},
      {4, ""},
      {5, "  Validator.CaseSensitive = False\n"},
      {6, "  Validator.Picture = ''\n"},
      {7, ""},
      {8, "  Validator.Format = vtfShort\n"},
  };
  for (const auto& Case : Cases) {
    const std::string KindLine =
        Case.Kind ? "  Kind = " + std::to_string(Case.Kind) + "\n" : std::string();
    EXPECT_EQ(Stored(Case.Kind, Nothing),
              "object Holder: TValidatorHolder\n" + KindLine + Case.Expected + "end\n");
  }
}

// A date bound starts as today, which a form file must not freeze: an
// untouched form reads back with the bounds of the day it is read, while a
// bound that was set (even to today, even by moving it with the other) is
// stored.
TEST_F(FormFileValidatorsTest, DateBoundsAreStoredOnceSet) {
  const std::string Untouched = Stored(7, [](TValidator*) {});
  vcl::SetNowFunction([] { return 45400.5; });
  std::unique_ptr<vcl::TComponent> NextDay(vcl::TextToComponent(Untouched, nullptr));
  auto* D =
      static_cast<TDateValidator*>(static_cast<TValidatorHolder*>(NextDay.get())->Validator());
  EXPECT_EQ(D->Min(), 45400);
  EXPECT_EQ(vcl::ComponentToText(NextDay.get()), Untouched);

  const struct {
    std::function<void(TDateValidator*)> Set;
    const char* Expected;
  } Cases[] = {
      {[](TDateValidator* V) { V->SetMin(45400); }, "  Validator.Min = 45400\n"},
      {[](TDateValidator* V) { V->SetMax(45400); }, "  Validator.Max = 45400\n"},
      {[](TDateValidator* V) { V->SetMin(45500); },
       "  Validator.Max = 45500\n  Validator.Min = 45500\n"},
      {[](TDateValidator* V) { V->SetMax(45000); },
       "  Validator.Max = 45000\n  Validator.Min = 45000\n"},
  };
  for (const auto& Case : Cases) {
    const std::string Text =
        Stored(7, [&](TValidator* V) { Case.Set(static_cast<TDateValidator*>(V)); });
    EXPECT_EQ(Text, std::string("object Holder: TValidatorHolder\n  Kind = 7\n") + Case.Expected +
                        "end\n");
    std::unique_ptr<vcl::TComponent> Copy(vcl::TextToComponent(Text, nullptr));
    EXPECT_EQ(vcl::ComponentToText(Copy.get()), Text);
  }
}

// A bound may be written by hand as a date: ISO, or month first as the
// default short date format has it, whatever the process's own format.
TEST_F(FormFileValidatorsTest, DateBoundsReadDateTexts) {
  vcl::ShortDateFormat = "dd.MM.yyyy";
  vcl::DateSeparator = '.';
  const struct {
    const char* Value;
    double Serial; // 0: refused with Message
    const char* Message;
  } Cases[] = {
      {"'1/1/2020'", 43831, ""},
      {"'2020-01-31'", 43861, ""},
      {"'12/31/99'", 73050, ""}, // the current century: 2099
      {"' 2/29/2024 '", 45351, ""},
      {"43831.5", 43831.5, ""},
      {"'2/30/2020'", 0, "Line 3: '2/30/2020' is not a date (write 2020-01-31 or 1/31/2020)"},
      {"'31.01.2020'", 0, "Line 3: '31.01.2020' is not a date (write 2020-01-31 or 1/31/2020)"},
      {"'2020-1-1x'", 0, "Line 3: '2020-1-1x' is not a date (write 2020-01-31 or 1/31/2020)"},
      {"True", 0, "Line 3: Number or date expected but 'True' found"},
  };
  for (const auto& Case : Cases) {
    const std::string Text = std::string("object Holder: TValidatorHolder\n  Kind = 7\n"
                                         "  Validator.Min = ") +
                             Case.Value + "\nend\n";
    TValidatorHolder H(nullptr);
    try {
      vcl::ReadComponentText(Text, &H);
      EXPECT_EQ(static_cast<TDateValidator*>(H.Validator())->Min(), Case.Serial) << Case.Value;
    } catch (const vcl::EReadError& E) {
      EXPECT_EQ(E.Message(), Case.Message) << Case.Value;
    }
  }
  // A time bound takes no date text.
  TValidatorHolder H(nullptr);
  EXPECT_THROW(vcl::ReadComponentText("object Holder: TValidatorHolder\n  Kind = 8\n"
                                      "  Validator.Min = '1/1/2020'\nend\n",
                                      &H),
               vcl::EReadError);
}

TEST_F(FormFileValidatorsTest, PrecisionIsComparedWithTwoNotWithTheLocale) {
  vcl::CurrencyDecimals = 3;
  // The constructor takes 3 from the locale; 3 is not the default, so it is stored.
  EXPECT_NE(Stored(3, [](TValidator*) {}).find("Validator.Precision = 3\n"), std::string::npos);
  const std::string Two =
      Stored(3, [](TValidator* V) { static_cast<TFloatValidator*>(V)->SetPrecision(2); });
  EXPECT_EQ(Two.find("Precision"), std::string::npos);
  // Reading such a text leaves the constructor's value alone.
  std::unique_ptr<vcl::TComponent> Copy(vcl::TextToComponent(Two, nullptr));
  EXPECT_EQ(static_cast<TFloatValidator*>(static_cast<TValidatorHolder*>(Copy.get())->Validator())
                ->Precision(),
            3);
}

TEST_F(FormFileValidatorsTest, OnlyPublishedPropertiesCanBeRead) {
  const struct {
    const char* Lines;
    const char* Message;
  } Cases[] = {
      {"  Kind = 4\n  Validator.LeadingZeros = True\n",
       "Line 3: Property Validator.LeadingZeros does not exist"},
      {"  Kind = 2\n  Validator.Max = 2147483648\n",
       "Line 3: Value 2147483648 out of range for Max (-2147483648..2147483647)"},
      {"  Kind = 3\n  Validator.Precision = 256\n",
       "Line 3: Value 256 out of range for Precision (0..255)"},
      {"  Kind = 1\n  Validator.FilterType = ftOther\n",
       "Line 3: Value of TFilterType expected but 'ftOther' found"},
      {"  Validator.Items.Strings = (\n  'a')\n",
       "Line 2: Property Validator.Items does not exist"},
  };
  for (const auto& Case : Cases) {
    TValidatorHolder H(nullptr);
    try {
      vcl::ReadComponentText(
          std::string("object Holder: TValidatorHolder\n") + Case.Lines + "end\n", &H);
      ADD_FAILURE() << Case.Lines;
    } catch (const vcl::EReadError& E) {
      EXPECT_EQ(E.Message(), Case.Message);
    }
  }
}

} // namespace
