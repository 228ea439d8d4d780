// The guide's examples of validators used on their own, without any window:
// each region between "// [name]" and "// [end]" is quoted in docs/, and its
// Expect lines are the results the guide states.
#include <string>

#include "docs/snippets/expect.h"
#include "validate/validate.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

using Snippets::Expect;

namespace {

void Integer() {
  // [integer]
  Validate::TIntegerValidator Quantity(nullptr);
  Quantity.SetMin(1); // setting a bound switches the range on
  Quantity.SetMax(500);
  Expect(!Quantity.NoBounds());

  std::string Typed = "12";
  Expect(Quantity.IsValidInput(Typed, true)); // may be typed
  Typed = "12a";
  Expect(!Quantity.IsValidInput(Typed, true)); // a letter never gets in
  Expect(Quantity.IsValid("120"));
  Expect(!Quantity.IsValid("900")); // outside 1..500
  Expect(Quantity.GetDisplayText("1234567") == "1,234,567");
  // [end]
}

void Float() {
  // [float]
  Validate::TFloatValidator Discount(nullptr);
  Discount.SetPrecision(2);

  std::string Typed = "12.345";
  Expect(!Discount.IsValidInput(Typed, true)); // a third decimal is refused
  std::string Assigned = "2.345";
  Discount.SetText(Assigned); // an assigned text is rounded, half away from zero
  Expect(Assigned == "2.35");
  Expect(Discount.GetDisplayText("1234.5") == "1,234.50");
  // [end]
}

void Currency() {
  // [currency]
  Validate::TCurrencyValidator Price(nullptr);
  Price.SetPrecision(2);

  std::string Assigned = "1.231";
  Price.SetText(Assigned); // amounts are rounded away from zero
  Expect(Assigned == "1.24");
  Expect(Price.GetDisplayText("1234.5") == "$1,234.50");
  // [end]
}

void Lookup() {
  // [lookup]
  Validate::TStringLookupValidator Fruit(nullptr);
  Fruit.Items()->Add("Apple");
  Fruit.Items()->Add("Apricot");
  Fruit.Items()->Add("Banana");

  std::string Typed = "ap";
  Expect(Fruit.IsValidInput(Typed, false) && Typed == "ap"); // two words begin so
  Typed = "app";
  Expect(Fruit.IsValidInput(Typed, false) && Typed == "Apple"); // completed
  Typed = "c";
  Expect(!Fruit.IsValidInput(Typed, false)); // no word begins with c
  Expect(Fruit.IsValid("banana"));           // case is ignored unless CaseSensitive
  // [end]
}

void Filter() {
  // [filter]
  Validate::TFilterValidator Code(nullptr);
  Code.SetFilterChars("ABCDEF0123456789");

  Expect(Code.IsValid("C0FFEE"));
  Expect(!Code.IsValid("c0ffee")); // the test is case-sensitive

  Code.SetFilterType(Validate::ftInvalidChars); // the list now names what is forbidden
  Expect(Code.IsValid("hello"));
  // [end]
}

void Picture() {
  // [picture]
  Validate::TPictureValidator Phone(nullptr);
  Phone.SetPicture("(###) ###-####");

  std::string Typed = "(555";
  Expect(Phone.IsValidInput(Typed, false)); // with completion allowed ...
  Expect(Typed == "(555) ");                // ... the literals that must follow are added
  Expect(Phone.IsValid("(555) 123-4567"));
  Expect(!Phone.IsValid("(555) 123")); // not a complete match
  // [end]
}

void Date() {
  // [date]
  vcl::SetNowFunction([] { return vcl::EncodeDate(2026, 12, 9); }); // "today", for the example
  Validate::TDateValidator Due(nullptr); // Format vdfLong: four-digit years
  Expect(Due.Picture() == "#[#]/#[#]/####");

  std::string Typed = "12";
  Expect(Due.IsValidInput(Typed, false) && Typed == "12/"); // the separator is filled in
  std::string Assigned = "12/25";
  Due.SetText(Assigned); // a date without its year gets the current one
  Expect(Assigned == "12/25/2026");
  Expect(!Due.IsValid("2/30/2026")); // no such day

  std::string Born = "12/25/98";
  Due.SetText(Born); // a two-digit year gets the current century...
  Expect(Born == "12/25/2098");
  vcl::TwoDigitYearCenturyWindow = 50; // ...or one within 50 years before this one
  Born = "12/25/98";
  Due.SetText(Born);
  Expect(Born == "12/25/1998" && vcl::StrToDate("12/25/98") == vcl::EncodeDate(1998, 12, 25));
  vcl::TwoDigitYearCenturyWindow = 0;
  vcl::SetNowFunction({}); // back to the system clock
  // [end]
}

void Time() {
  // [time]
  Validate::TTimeValidator Start(nullptr); // Format vtfShort: hours and minutes
  Expect(Start.Picture() == "#[#]:## {AM,PM,am,pm}");

  std::string Typed = "12:30 a";
  Expect(Start.IsValidInput(Typed, false) && Typed == "12:30 AM");
  Typed = "13";
  Expect(!Start.IsValidInput(Typed, true)); // a 12-hour clock has no hour 13

  Start.SetFormat(Validate::vtfLong);
  std::string Assigned = "9:15 pm";
  Start.SetText(Assigned); // seconds added, letters upper-cased
  Expect(Assigned == "9:15:00 PM");
  // [end]
}

void DecimalComma() {
  // [decimal comma]
  vcl::DecimalSeparator = ',';
  vcl::ThousandSeparator = '.';
  vcl::ShortDateFormat = "dd.MM.yyyy";
  vcl::DateSeparator = '.';
  vcl::LongTimeFormat = "HH:mm:ss"; // a 24-hour clock

  Validate::TFloatValidator Amount(nullptr); // made after the change: it takes ','
  Amount.SetPrecision(2);
  std::string Typed = "1234,5";
  Expect(Amount.IsValidInput(Typed, true));
  Expect(Amount.IsValid("1234,5"));
  Expect(Amount.GetDisplayText("1234,5") == "1.234,50"); // grouped with '.', not ','
  Validate::TCurrencyValidator Price(nullptr);
  Expect(Price.GetDisplayText("1234,5") == "$1.234,50"); // the display's sign is always '$'

  Validate::TDateValidator Due(nullptr);
  Expect(Due.Picture() == "##.##.####");
  Validate::TTimeValidator Start(nullptr);
  Expect(Start.Picture() == "#[#]:##"); // no AM/PM on a 24-hour clock
  Typed = "23:59";
  Expect(Start.IsValidInput(Typed, true));

  vcl::ResetLocale(); // back to the US English defaults
  // [end]
}

void OwnSettings() {
  // [own settings]
  vcl::TFormatSettings German; // starts as the US English defaults
  German.DecimalSeparator = ',';
  German.ThousandSeparator = '.';
  German.ShortDateFormat = "dd.MM.yyyy";
  German.DateSeparator = '.';

  Validate::TFloatValidator Amount(nullptr);
  Amount.SetFormatSettings(German); // a copy of its own
  Expect(Amount.IsValid("1234,5"));
  Expect(Amount.GetDisplayText("1234,5") == "1.234,50");
  Expect(vcl::StrToFloat("1234,5", German) == 1234.5L); // the conversions take one too
  Expect(vcl::FloatToStr(1234.5) == "1234.5");          // the process's settings are unchanged
  // [end]
}

// [own validator]
// Even whole numbers: the integer validator's typing rules and range, and
// one more rule for a finished value, with a message of its own.
class TEvenValidator : public Validate::TIntegerValidator {
public:
  using TIntegerValidator::TIntegerValidator;

  bool IsValid(std::string S) override {
    return TIntegerValidator::IsValid(S) && (S.empty() || vcl::StrToInt(S) % 2 == 0);
  }
  std::string ErrorMessage(bool Input, std::string S) override {
    if (Input)
      return TIntegerValidator::ErrorMessage(Input, S);
    return Validate::QuotedMessage(S, " is not an even number.");
  }
};
// [end]

void OwnValidator() {
  // [own validator use]
  TEvenValidator Even(nullptr);
  Expect(Even.IsValid("12"));
  Expect(!Even.IsValid("13"));
  std::string Typed = "1x";
  Expect(!Even.IsValidInput(Typed, true)); // typing is still screened for digits
  Expect(Even.ErrorMessage(false, "13") == "\"13\" is not an even number.");
  // [end]
}

void Messages() {
  // [message value]
  Validate::TIntegerValidator Quantity(nullptr);
  Quantity.SetNoBounds(false);
  Quantity.SetMin(1);
  Quantity.SetMax(500);
  Expect(Quantity.ErrorMessage(false, "1200") == // a refused finished value
         "\"1200\" is not a valid integer between 1 and 500.");
  Expect(Quantity.ErrorMessage(true, "a") == "\"a\" is not a digit or (-)."); // a refused keystroke
  // [end]
}

void MessageBoxes() {
  // [messages]
  std::string Shown;
  vcl::TMessageDlgHandler Previous = vcl::SetMessageDlgHandler(
      [&Shown](const std::string& Msg, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
        Shown = Msg; // instead of a modal box
        return vcl::mrOk;
      });

  Validate::TIntegerValidator Quantity(nullptr);
  Quantity.SetNoBounds(false);
  Quantity.SetMin(1);
  Quantity.SetMax(500);
  Quantity.ShowErrorMessage(false, "1200"); // the box an edit shows
  Expect(Shown == "\"1200\" is not a valid integer between 1 and 500.");

  vcl::SetMessageDlgHandler(Previous);
  // [end]
}

// The messages the guide quotes in its prose, each produced here.
void QuotedMessages() {
  auto Said = [](Validate::TValidator& V, bool Input, const std::string& S) {
    return V.ErrorMessage(Input, S);
  };

  Validate::TValidator Base(nullptr);
  Expect(Said(Base, false, "x") == "The text is invalid.");

  Validate::TFilterValidator Filter(nullptr);
  Expect(Said(Filter, true, "x") == "\"x\" is an invalid character.");
  Expect(Said(Filter, true, "x1") == "\"x1\" contains invalid character(s).");

  Validate::TIntegerValidator Integer(nullptr);
  Expect(Said(Integer, true, "12a") == "\"12a\" contains invalid character(s) for an integer.");

  Validate::TFloatValidator Float(nullptr);
  Float.SetPrecision(2);
  Float.SetNoBounds(false);
  Float.SetMax(100);
  Expect(Said(Float, true, "1.2.3") == "\"1.2.3\" contains more than one decimal.");
  Expect(Said(Float, true, "1.234") == "\"1.234\" contains more than 2 digits after the decimal.");
  Expect(Said(Float, true, "x") == "\"x\" is not a digit, decimal, or (-).");
  Expect(Said(Float, true, "12x") == "\"12x\" contains invalid character(s) for a decimal number.");
  Expect(Said(Float, false, "1.2.3") == "\"1.2.3\" is not a valid number between 0.00 and 100.00.");

  Validate::TCurrencyValidator Currency(nullptr);
  Currency.SetNoBounds(false);
  Currency.SetMax(1000);
  Expect(Said(Currency, false, "5000") ==
         "\"5000\" is not a valid currency between $0.00 and $1,000.00.");

  Validate::TStringLookupValidator Lookup(nullptr);
  Expect(Said(Lookup, true, "c") == "\"c\" does not resemble any of the valid words.");
  Expect(Said(Lookup, false, "Ban") == "\"Ban\" is not a valid word.");

  Validate::TPictureValidator Picture(nullptr);
  Picture.SetPicture("#####");
  Expect(Said(Picture, true, "x") == "\"x\" contains invalid input for the picture:\r#####");
  Expect(Said(Picture, false, "123") == "\"123\" does not completely match the picture:\r#####");

  Validate::TDateValidator Date(nullptr);
  Expect(Said(Date, false, "2/30/2026") == "\"2/30/2026\" does not resemble a date.");
  Date.SetMin(vcl::EncodeDate(2026, 1, 1));
  Date.SetMax(vcl::EncodeDate(2026, 12, 31));
  Date.SetNoBounds(false);
  Expect(Said(Date, false, "13/1/2026") ==
         "\"13/1/2026\" is not a valid date between 1/1/2026 and 12/31/2026.");

  Validate::TTimeValidator Time(nullptr);
  Expect(Said(Time, false, "12:75 PM") == "\"12:75 PM\" does not resemble a time.");
  Time.SetNoBounds(false);
  Time.SetMin(vcl::EncodeTime(8, 0, 0, 0));
  Time.SetMax(vcl::EncodeTime(18, 0, 0, 0));
  Expect(Said(Time, false, "7:00 AM") ==
         "\"7:00 AM\" is not a valid time between 8:00:00 AM and 6:00:00 PM.");
}

} // namespace

int main() {
  vcl::ResetLocale();
  Integer();
  Float();
  Currency();
  Lookup();
  Filter();
  Picture();
  Date();
  Time();
  DecimalComma();
  OwnSettings();
  OwnValidator();
  Messages();
  MessageBoxes();
  QuotedMessages();
  return Snippets::Failures == 0 ? 0 : 1;
}
