// The validator's message as a value: ErrorMessage gives the words that
// ShowErrorMessage puts in the box, for every kind and both kinds of error,
// and a range message can be said with only the bounds a program gave.
#include <gtest/gtest.h>

#include "tests/validate/validator_testing.h"
#include "validate/kinds.h"

using namespace Validate;
using ValidateTesting::TMessageRecorder;

namespace {

TEST(ErrorMessage, IsWhatTheBoxShowsForEveryKind) {
  vcl::ResetLocale();
  TMessageRecorder Boxes;
  for (const TValidatorKind& Row : ValidatorKinds) {
    const std::unique_ptr<TValidator> V(Row.Create(nullptr));
    for (const bool Input : {true, false})
      for (const char* Refused : {"x", "12%s \"q\"\r"}) {
        V->ShowErrorMessage(Input, Refused);
        EXPECT_EQ(Boxes.TakeError(), V->ErrorMessage(Input, Refused))
            << Row.Name << (Input ? " input " : " value ") << Refused;
      }
  }
}

// Overriding ErrorMessage alone changes the box too.
class TShortValidator : public TValidator {
public:
  using TValidator::TValidator;
  std::string ErrorMessage(bool, std::string S) override { return QuotedMessage(S, " no."); }
};

TEST(ErrorMessage, AnOverrideIsShownByTheBaseBox) {
  TMessageRecorder Boxes;
  TShortValidator V(nullptr);
  V.ShowErrorMessage(false, "a");
  EXPECT_EQ(Boxes.TakeError(), "\"a\" no.");
}

struct TBoundsCase {
  const char* Message;
  const char* Refused;
  bool HasMin, HasMax;
  const char* Said;
};

class GivenBounds : public ::testing::TestWithParam<TBoundsCase> {};

TEST_P(GivenBounds, SayOnlyTheEndsThatWereGiven) {
  const TBoundsCase& C = GetParam();
  EXPECT_EQ(WithGivenBounds(C.Message, C.Refused, C.HasMin, C.HasMax), C.Said);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GivenBounds,
    ::testing::Values(
        TBoundsCase{"\"x\" is not a valid integer between 1 and 9.", "x", true, true,
                    "\"x\" is not a valid integer between 1 and 9."},
        TBoundsCase{"\"0\" is not a valid integer between 1 and 2147483647.", "0", true, false,
                    "\"0\" is not a valid integer of at least 1."},
        TBoundsCase{"\"3\" is not a valid number between -1.79E308 and 2.0.", "3", false, true,
                    "\"3\" is not a valid number of at most 2.0."},
        TBoundsCase{"\"$5\" is not a valid currency between $0.00 and $0.00.", "$5", false, false,
                    "\"$5\" is not a valid currency."},
        TBoundsCase{"\"8:59\" is not a valid time between 9:00:00 AM and 11:59:59 PM.", "8:59",
                    true, false, "\"8:59\" is not a valid time of at least 9:00:00 AM."},
        // The refused text may hold the words of a range; only the literal is read.
        TBoundsCase{"\"a between b and c\" is not a valid integer between 0 and 0.",
                    "a between b and c", false, false,
                    "\"a between b and c\" is not a valid integer."},
        TBoundsCase{"\"x\" does not resemble a date.", "x", false, false,
                    "\"x\" does not resemble a date."},
        TBoundsCase{"The text is invalid.", "x", true, false, "The text is invalid."}));

// The validators' own range messages are of the shape that is read.
TEST(GivenBounds, ReadTheRangeMessagesOfTheNumberValidators) {
  vcl::ResetLocale();
  TIntegerValidator Integer(nullptr);
  EXPECT_EQ(WithGivenBounds(Integer.ErrorMessage(false, "x"), "x", false, false),
            "\"x\" is not a valid integer.");
  TCurrencyValidator Money(nullptr);
  Money.SetNoBounds(false);
  Money.SetMax(1000);
  Money.SetMin(-5);
  EXPECT_EQ(WithGivenBounds(Money.ErrorMessage(false, "9999"), "9999", false, true),
            "\"9999\" is not a valid currency of at most $1,000.00.");
}

} // namespace
