// The lookup validators: matching, typing with completion, the sorted
// duplicate-free word list, change notification and messages.
#include "validate/lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "validator_testing.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;
using ValidateTesting::TMessageRecorder;
using ValidateTesting::TStandInEdit;

class LookupValidatorTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::ResetLocale();
    V.Items()->Add("Banana");
    V.Items()->Add("Apricot");
    V.Items()->Add("Apple");
  }
  TStringLookupValidator V{nullptr};
};

struct TypingCase {
  bool CaseSensitive;
  bool SuppressFill;
  std::string Text;
  bool Expected;
  std::string After;
};

TEST_F(LookupValidatorTest, TypingCompletesUniqueBeginnings) {
  const TypingCase Cases[] = {
      {false, false, "ap", true, "ap"}, // Apple and Apricot both begin so
      {false, false, "app", true, "Apple"},   {false, false, "apr", true, "Apricot"},
      {false, false, "b", true, "Banana"}, // the last word
      {false, false, "c", false, "c"},        {false, false, "aq", false, "aq"},
      {false, false, "apple", true, "apple"}, {false, false, "APPLES", false, "APPLES"},
      {false, true, "app", true, "app"},      {true, false, "apple", false, "apple"},
      {true, false, "Apple", true, "Apple"},  {true, false, "app", false, "app"},
      {true, false, "App", true, "Apple"},    {true, false, "Ap", true, "Ap"},
  };
  for (const TypingCase& C : Cases) {
    V.SetCaseSensitive(C.CaseSensitive);
    std::string S = C.Text;
    EXPECT_EQ(V.IsValidInput(S, C.SuppressFill), C.Expected) << "'" << C.Text << "'";
    EXPECT_EQ(S, C.After) << "'" << C.Text << "'";
  }
}

// Words of any script complete and compare ignoring case by case folding,
// the comparison the list is sorted with.
TEST(LookupValidatorUnicode, WordsOfAnyScriptCompleteAndMatch) {
  TStringLookupValidator V(nullptr);
  for (const char* Word : {"Αθήνα", "Αθως", "Łódź", "Москва", "東京", "Straße"})
    V.Items()->Add(Word);
  const TypingCase Cases[] = {
      {false, false, "Αθ", true, "Αθ"},
      {false, false, "Αθή", true, "Αθήνα"},
      {false, false, "αθή", true, "Αθήνα"},
      {false, false, "łó", true, "Łódź"},
      {false, false, "МОСКВА", true, "МОСКВА"},
      {false, false, "東", true, "東京"},
      {false, false, "Λ", false, "Λ"},
      {true, false, "αθή", false, "αθή"},
      {false, false, "STRASSE", false, "STRASSE"}, // simple folding: ß is not ss
  };
  for (const TypingCase& C : Cases) {
    V.SetCaseSensitive(C.CaseSensitive);
    std::string S = C.Text;
    EXPECT_EQ(V.IsValidInput(S, C.SuppressFill), C.Expected) << "'" << C.Text << "'";
    EXPECT_EQ(S, C.After) << "'" << C.Text << "'";
  }
  V.SetCaseSensitive(false);
  EXPECT_TRUE(V.IsValid("ŁÓDŹ"));
  EXPECT_FALSE(V.IsValid("Lodz"));
}

// What may follow a typed beginning, as a completion list offers it: the
// words in list order, matched with the list's case rule.
TEST_F(LookupValidatorTest, WordsBeginningWithFollowTheCaseRule) {
  V.Items()->Add("apple pie");
  V.Items()->Add("Applesauce");
  V.Items()->Add("Blueberry");
  using TWords = std::vector<std::string>;
  const struct {
    bool CaseSensitive;
    const char* Text;
    int Max;
    TWords Words;
  } Rows[] = {
      {false, "ap", 10, {"Apple", "apple pie", "Applesauce", "Apricot"}},
      {false, "APPLE", 10, {"Apple", "apple pie", "Applesauce"}},
      {false, "ap", 2, {"Apple", "apple pie"}},
      {false, "b", 10, {"Banana", "Blueberry"}},
      {false, "c", 10, {}},
      {false, "", 10, {}},
      {true, "Ap", 10, {"Apple", "Applesauce", "Apricot"}},
      {true, "app", 10, {"apple pie"}},
      {true, "AP", 10, {}},
  };
  for (const auto& Row : Rows) {
    V.SetCaseSensitive(Row.CaseSensitive);
    EXPECT_EQ(V.WordsBeginningWith(Row.Text, Row.Max), Row.Words)
        << Row.CaseSensitive << " " << Row.Text;
  }
}

TEST_F(LookupValidatorTest, AutoFillOffNeverCompletes) {
  EXPECT_TRUE(V.AutoFill());
  V.SetAutoFill(false);
  std::string S = "b";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "b");
}

TEST_F(LookupValidatorTest, CompleteText) {
  const struct {
    bool CaseSensitive;
    const char* Text;
    bool Expected;
  } Cases[] = {
      {false, "", true},     {false, "apple", true},   {false, "BANANA", true},
      {false, "app", false}, {false, "Cherry", false}, {true, "apple", false},
      {true, "Apple", true}, {true, "", true},
  };
  for (const auto& C : Cases) {
    V.SetCaseSensitive(C.CaseSensitive);
    EXPECT_EQ(V.IsValid(C.Text), C.Expected) << C.Text;
  }
}

TEST_F(LookupValidatorTest, EmptyListRestrictsNothing) {
  TStringLookupValidator Empty(nullptr);
  std::string S = "anything";
  EXPECT_TRUE(Empty.IsValidInput(S, false));
  EXPECT_EQ(S, "anything");
  EXPECT_TRUE(Empty.IsValid("anything"));
  EXPECT_FALSE(Empty.CaseSensitive());
}

TEST_F(LookupValidatorTest, ListIsSortedAndKeepsOneSpelling) {
  V.Items()->Add("apple");
  ASSERT_EQ(V.Items()->Count(), 3);
  EXPECT_EQ(V.Items()->Strings(0), "Apple");
  EXPECT_EQ(V.Items()->Strings(1), "Apricot");
  EXPECT_EQ(V.Items()->Strings(2), "Banana");

  vcl::TStringList Source;
  Source.Add("pear");
  Source.Add("Fig");
  Source.Add("PEAR");
  V.SetItems(&Source);
  ASSERT_EQ(V.Items()->Count(), 2);
  EXPECT_EQ(V.Items()->Strings(0), "Fig");
  EXPECT_EQ(V.Items()->Strings(1), "pear");

  V.SetItems(nullptr);
  EXPECT_EQ(V.Items()->Count(), 0);
}

TEST_F(LookupValidatorTest, EveryListChangeReachesTheOwner) {
  TStandInEdit Edit;
  TStringLookupValidator Owned(&Edit);
  Edit.Validator = &Owned;
  Edit.Text = "Kiwi";
  Owned.Items()->Add("Kiwi");
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  EXPECT_EQ(Edit.Text, "Kiwi");

  vcl::TStringList Source;
  Source.Add("Lime");
  Source.Add("Mango");
  Owned.SetItems(&Source);
  EXPECT_EQ(Edit.ValidatorChanges, 2) << "an assignment is one change";
  EXPECT_EQ(Edit.Text, "") << "Kiwi is no longer a word";

  Owned.SetCaseSensitive(true);
  Owned.SetAutoFill(false);
  EXPECT_EQ(Edit.ValidatorChanges, 2);
}

TEST_F(LookupValidatorTest, DestroyingTheValidatorDoesNotCallTheOwner) {
  TStandInEdit Edit;
  {
    TStringLookupValidator Owned(&Edit);
    Owned.Items()->Add("Kiwi");
  }
  EXPECT_EQ(Edit.ValidatorChanges, 1);
}

TEST_F(LookupValidatorTest, Messages) {
  TMessageRecorder Boxes;
  V.ShowErrorMessage(true, "q");
  EXPECT_EQ(Boxes.TakeError(), "\"q\" does not resemble any of the valid words.");
  V.ShowErrorMessage(false, "100% \"pure\"");
  EXPECT_EQ(Boxes.TakeError(), "\"100% \"pure\"\" is not a valid word.");

  TLookupValidator Abstract(nullptr);
  Abstract.ShowErrorMessage(false, "x");
  EXPECT_EQ(Boxes.TakeError(), "The text is invalid.");
}

TEST_F(LookupValidatorTest, AbstractLookupKnowsEverything) {
  TLookupValidator Abstract(nullptr);
  std::string S = "whatever";
  EXPECT_TRUE(Abstract.IsValidInput(S, false));
  EXPECT_TRUE(Abstract.IsValid("whatever"));
  EXPECT_TRUE(Abstract.IsValid(""));
}

} // namespace
