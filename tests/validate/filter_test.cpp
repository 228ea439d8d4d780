// The filter validator: the character test, the cleaning of the list, the
// owner notification and the two messages.
#include "validate/filter.h"

#include <gtest/gtest.h>

#include "validator_testing.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;
using ValidateTesting::TMessageRecorder;
using ValidateTesting::TStandInEdit;

class FilterValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
};

struct FilterCase {
  const char* Chars;
  TFilterType Type;
  std::string Text;
  bool Expected;
};

TEST_F(FilterValidatorTest, JudgesEveryCharacter) {
  const FilterCase Cases[] = {
      {"", ftValidChars, "", true},
      {"", ftValidChars, "a", false},
      {"", ftInvalidChars, "any text at all", true},
      {"abc", ftValidChars, "cabbage", false},
      {"abc", ftValidChars, "cab", true},
      {"abc", ftValidChars, "A", false}, // exact codes: case matters
      {"abc", ftInvalidChars, "xyz", true},
      {"abc", ftInvalidChars, "xyzc", false},
      {"a b c", ftValidChars, "a b", false}, // the blank was dropped from the list
      {"aé", ftValidChars, "é", true},       // every printable character can be named
      {"aé", ftInvalidChars, "é", false},
      {"a中😀", ftValidChars, "😀中a", true},
      {"a中😀", ftValidChars, "ä", false},
      {"a\u00A0", ftValidChars, "\u00A0", false}, // a blank of any kind cannot
      {"a\x7F", ftValidChars, "\x7F", true},      // 127 can be named
      {"a\x1F", ftInvalidChars, "\x1F", true},
      {"?@", ftValidChars, "@?", true}, // codes 63 and 64, either side of a word
      {"?", ftValidChars, "@", false},
      {"@", ftValidChars, "?", false},
      {"\x7F", ftValidChars, "\xFF", false}, // a byte that is no character
  };
  for (const FilterCase& C : Cases) {
    TFilterValidator V(nullptr);
    V.SetFilterChars(C.Chars);
    V.SetFilterType(C.Type);
    std::string Input = C.Text;
    EXPECT_EQ(V.IsValid(C.Text), C.Expected) << C.Chars << " / " << C.Text;
    EXPECT_EQ(V.IsValidInput(Input, false), C.Expected) << C.Chars << " / " << C.Text;
    EXPECT_EQ(Input, C.Text) << "input is never rewritten";
  }
}

TEST_F(FilterValidatorTest, AListSetAgainReplacesTheOldOne) {
  TFilterValidator V(nullptr);
  V.SetFilterChars("abcé");
  V.SetFilterChars("xyz");
  EXPECT_FALSE(V.IsValid("a"));
  EXPECT_FALSE(V.IsValid("é"));
  EXPECT_TRUE(V.IsValid("zyx"));
}

TEST_F(FilterValidatorTest, NewValidatorHasEmptyValidList) {
  TFilterValidator V(nullptr);
  EXPECT_EQ(V.FilterChars(), "");
  EXPECT_EQ(V.FilterType(), ftValidChars);
  EXPECT_TRUE(V.AutoFill());
}

TEST_F(FilterValidatorTest, SetFilterCharsKeepsOnlyNameableCharacters) {
  TFilterValidator V(nullptr);
  V.SetFilterChars("a b\tc\u0085\u00A0\u2003\u200Bé€!~\x7F"
                   "aa");
  EXPECT_EQ(V.FilterChars(), "abcé€!~\x7F"
                             "aa")
      << "blanks, controls and format characters of any script are dropped";
}

TEST_F(FilterValidatorTest, SettingTheListNotifiesTheOwner) {
  TStandInEdit Edit;
  TFilterValidator V(&Edit);
  Edit.Validator = &V;

  V.SetFilterChars("abc");
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  V.SetFilterChars("abc");
  EXPECT_EQ(Edit.ValidatorChanges, 1) << "the same list does not notify";
  V.SetFilterChars("a bc");
  EXPECT_EQ(V.FilterChars(), "abc");
  EXPECT_EQ(Edit.ValidatorChanges, 2) << "a dropped character notifies even if nothing changes";
  V.SetFilterType(ftInvalidChars);
  EXPECT_EQ(Edit.ValidatorChanges, 2) << "the filter type notifies nobody";
}

TEST_F(FilterValidatorTest, ChangeClearsARefusedOwnerText) {
  TStandInEdit Edit;
  TFilterValidator V(&Edit);
  Edit.Validator = &V;
  V.SetFilterChars("0123456789");
  Edit.Text = "12";
  V.SetFilterChars("123");
  EXPECT_EQ(Edit.Text, "12") << "still valid: kept";
  EXPECT_EQ(Edit.SetEditTextCalls, 0);
  V.SetFilterChars("3");
  EXPECT_EQ(Edit.Text, "");
  EXPECT_EQ(Edit.SetEditTextCalls, 1);
  EXPECT_EQ(Edit.ValidatorChanges, 3);
}

TEST_F(FilterValidatorTest, OnChangeReplacesTheOwnerNotification) {
  TStandInEdit Edit;
  TFilterValidator V(&Edit);
  Edit.Validator = &V;
  Edit.Text = "x";
  vcl::TObject* Sender = nullptr;
  V.OnChange = [&](vcl::TObject* S) { Sender = S; };
  V.SetFilterChars("abc");
  EXPECT_EQ(Sender, &V);
  EXPECT_EQ(Edit.ValidCalls + Edit.SetEditTextCalls + Edit.ValidatorChanges, 0);
  EXPECT_EQ(Edit.Text, "x");
}

TEST_F(FilterValidatorTest, OwnerThatIsNoEditIsNeverCalled) {
  vcl::TObject NotAnEdit;
  TFilterValidator V(&NotAnEdit);
  V.SetFilterChars("abc");
  EXPECT_EQ(V.Owner(), &NotAnEdit);
}

TEST_F(FilterValidatorTest, Messages) {
  TMessageRecorder Boxes;
  TFilterValidator V(nullptr);
  V.ShowErrorMessage(true, "x");
  EXPECT_EQ(Boxes.TakeError(), "\"x\" is an invalid character.");
  V.ShowErrorMessage(true, "x1");
  EXPECT_EQ(Boxes.TakeError(), "\"x1\" contains invalid character(s).");
  V.ShowErrorMessage(false, "x");
  EXPECT_EQ(Boxes.TakeError(), "\"x\" contains invalid character(s).");
  V.ShowErrorMessage(true, "%s \"%d\"");
  EXPECT_EQ(Boxes.TakeError(), "\"%s \"%d\"\" contains invalid character(s).");
}

TEST_F(FilterValidatorTest, BaseValidatorAcceptsEverything) {
  TMessageRecorder Boxes;
  TValidator V(nullptr);
  std::string S = "any % \"text\"";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_TRUE(V.IsValid(S));
  EXPECT_EQ(V.GetDisplayText(S), S);
  V.SetText(S);
  EXPECT_EQ(S, "any % \"text\"");
  V.ShowErrorMessage(false, S);
  EXPECT_EQ(Boxes.TakeError(), "The text is invalid.");
}

} // namespace
