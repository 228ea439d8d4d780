// Values assigned from code: EditText, Clear and the typed properties, with
// value-assignment validation and the display refresh they go through.
#include "valedit_fixture.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

class ValueTest : public ValEditTest {
protected:
  void IntegerUpTo(int Max) {
    Edit->SetKind(vkInteger);
    auto* I = ValidatorAs<TIntegerValidator>();
    I->SetNoBounds(false);
    I->SetMax(Max);
    Changes.clear();
  }
};

TEST_F(ValueTest, AssigningWhileUnfocusedFiresOnChangeOnceAndShowsTheDisplayText) {
  IntegerUpTo(100000);
  Edit->SetEditText("12345");
  EXPECT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Edit->Text(), "12,345");
  EXPECT_EQ(Edit->EditText(), "12345");
}

TEST_F(ValueTest, AssigningWhileFocusedShowsTheStoredText) {
  IntegerUpTo(100000);
  Enter();
  Edit->SetEditText("12345");
  EXPECT_EQ(Changes, std::vector<std::string>{"12345"});
  EXPECT_EQ(Edit->Text(), "12345");
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "12,345");
}

TEST_F(ValueTest, ARefusedValueRaisesAndKeepsThePreviousOne) {
  IntegerUpTo(100);
  Edit->SetValidation({vtInput, vtFocus, vtSetValue});
  Edit->SetEditText("42");
  Changes.clear();
  try {
    Edit->SetEditText("420");
    FAIL() << "no EValidationError";
  } catch (const EValidationError& E) {
    EXPECT_EQ(E.Message(), "420");
  }
  EXPECT_EQ(Edit->EditText(), "42");
  EXPECT_EQ(Edit->Text(), "42");
  EXPECT_TRUE(Changes.empty());
}

TEST_F(ValueTest, TheRaisedMessageIsTheNormalisedText) {
  Edit->SetKind(vkFloat);
  auto* F = ValidatorAs<TFloatValidator>();
  F->SetNoBounds(false);
  F->SetMax(1);
  Edit->SetValidation({vtSetValue});
  try {
    Edit->SetAsString("2.345");
    FAIL() << "no EValidationError";
  } catch (const EValidationError& E) {
    EXPECT_EQ(E.Message(), "2.35");
  }
}

TEST_F(ValueTest, WithoutSetValueValidationARefusedValueIsTakenAsItIs) {
  IntegerUpTo(100);
  Edit->SetEditText("420");
  EXPECT_EQ(Edit->EditText(), "420");
  EXPECT_EQ(Edit->Text(), "420");
}

TEST_F(ValueTest, AReadOnlyControlIgnoresAssignments) {
  Edit->SetEditText("before");
  Edit->SetReadOnly(true);
  Changes.clear();
  Edit->SetEditText("after");
  Edit->SetAsInteger(5);
  EXPECT_EQ(Edit->EditText(), "before");
  EXPECT_TRUE(Changes.empty());
}

TEST_F(ValueTest, ClearGoesThroughValueValidation) {
  Edit->OnNewValidator = [](TCustomValidEdit* Sender, vcl::Byte, TValidator*& V) {
    struct TNonEmpty : TValidator {
      using TValidator::TValidator;
      bool IsValid(std::string S) override { return !S.empty(); }
    };
    V = new TNonEmpty(Sender);
  };
  Edit->SetKind(100);
  Edit->SetEditText("kept");
  Edit->SetValidation({vtSetValue});
  try {
    Edit->Clear();
    FAIL() << "no EValidationError";
  } catch (const EValidationError& E) {
    EXPECT_EQ(E.Message(), "");
  }
  EXPECT_EQ(Edit->EditText(), "kept");
  Edit->SetValidation({});
  Edit->Clear();
  EXPECT_EQ(Edit->EditText(), "");
}

TEST_F(ValueTest, AnEmptyControlReadsAsZeroOfEveryType) {
  EXPECT_EQ(Edit->AsInteger(), 0);
  EXPECT_EQ(Edit->AsFloat(), 0);
  EXPECT_EQ(Edit->AsCurrency(), vcl::Currency());
  EXPECT_EQ(Edit->AsDate(), 0.0);
  EXPECT_EQ(Edit->AsTime(), 0.0);
  EXPECT_EQ(Edit->AsString(), "");
  EXPECT_EQ(vcl::VarToStr(Edit->AsVariant()), "");
  EXPECT_EQ(vcl::VarType(Edit->AsVariant()), vcl::VarType(vcl::Variant(std::string())));
}

TEST_F(ValueTest, TypedWritesStoreTheTextOfTheValue) {
  struct {
    vcl::Byte Kind;
    std::function<void(TCustomValidEdit*)> Write;
    std::string Stored;
    std::function<bool(TCustomValidEdit*)> ReadsBack;
  } const Table[] = {
      {vkInteger, [](TCustomValidEdit* E) { E->SetAsInteger(-1234); }, "-1234",
       [](TCustomValidEdit* E) { return E->AsInteger() == -1234; }},
      {vkFloat, [](TCustomValidEdit* E) { E->SetAsFloat(12.5); }, "12.5",
       [](TCustomValidEdit* E) { return E->AsFloat() == 12.5; }},
      // The validators normalise: two decimals, the long year, no seconds.
      {vkFloat, [](TCustomValidEdit* E) { E->SetAsFloat(2.345); }, "2.35",
       [](TCustomValidEdit* E) { return E->AsString() == "2.35"; }},
      {vkCurrency, [](TCustomValidEdit* E) { E->SetAsCurrency(vcl::StrToCurr("19.99")); }, "19.99",
       [](TCustomValidEdit* E) { return E->AsCurrency() == vcl::StrToCurr("19.99"); }},
      {vkDate, [](TCustomValidEdit* E) { E->SetAsDate(vcl::EncodeDate(2003, 1, 2) + 0.75); },
       "1/2/2003", [](TCustomValidEdit* E) { return E->AsDate() == vcl::EncodeDate(2003, 1, 2); }},
      {vkTime, [](TCustomValidEdit* E) { E->SetAsTime(vcl::EncodeTime(13, 5, 0, 0)); }, "1:05 PM",
       [](TCustomValidEdit* E) { return E->AsTime() == vcl::EncodeTime(13, 5, 0, 0); }},
      {vkNone, [](TCustomValidEdit* E) { E->SetAsString("plain"); }, "plain",
       [](TCustomValidEdit* E) { return E->AsString() == "plain"; }},
      {vkNone, [](TCustomValidEdit* E) { E->SetAsVariant(vcl::Variant(7)); }, "7",
       [](TCustomValidEdit* E) { return vcl::VarToStr(E->AsVariant()) == "7"; }},
  };
  for (const auto& Row : Table) {
    Edit->SetKind(Row.Kind);
    Edit->SetValidation({vtInput, vtFocus});
    Row.Write(Edit);
    EXPECT_EQ(Edit->EditText(), Row.Stored) << int(Row.Kind);
    EXPECT_TRUE(Row.ReadsBack(Edit)) << Row.Stored;
    Edit->SetKind(vkNone);
    Edit->SetEditText("");
  }
}

TEST_F(ValueTest, AnUnreadableTextRaisesTheConversionError) {
  Edit->SetEditText("12.5");
  EXPECT_THROW(Edit->AsInteger(), vcl::EConvertError);
  EXPECT_EQ(Edit->AsFloat(), 12.5);
  Edit->SetEditText("abc");
  EXPECT_THROW(Edit->AsDate(), vcl::EConvertError);
  EXPECT_THROW(Edit->AsCurrency(), vcl::EConvertError);
  EXPECT_EQ(Edit->EditText(), "abc");
}

TEST_F(ValueTest, ATypedWriteTheValidatorRefusesRaises) {
  IntegerUpTo(10);
  Edit->SetValidation({vtSetValue});
  EXPECT_THROW(Edit->SetAsInteger(11), EValidationError);
  EXPECT_THROW(Edit->SetAsFloat(1.5), EValidationError);
  EXPECT_THROW(Edit->SetAsVariant(vcl::Variant(std::string("x"))), EValidationError);
  Edit->SetAsInteger(7);
  EXPECT_EQ(Edit->AsInteger(), 7);
}

} // namespace
} // namespace valedit_test
