// The typed fields: each reads the stored value whatever kind the storage
// gave it (SQLite keeps any kind in any column), converts it to its own type,
// and stores its own type in one canonical kind: text for strings and exact
// amounts, integers for integers and booleans, reals for floats, ISO 8601
// text for dates and times. Texts typed by users go through the locale's
// conversions; stored texts are read without regard to the locale. A
// stored value a field cannot read as its type (a text in an integer
// column, a real beyond its range) shows as stored, and only reading it as
// a number fails, naming the field.
#include <cmath>

#include "vcl/db.h"
#include "vcl/db/detail/storage.h"

namespace vcl {

using dbstore::ParseInteger;
using dbstore::ParseReal;

namespace {

[[noreturn]] void ValueError(const std::string& Text, const char* What) {
  throw EConvertError("'" + Text + "' is not a valid " + What);
}

bool IsBlank(const std::string& S) {
  return Trim(S).empty();
}

[[noreturn]] void Misfit(const TField* Field, const char* What) {
  DatabaseError("Field '" + Field->DisplayLabel() + "' holds '" +
                dbstore::ValueText(Field->Value()) + "', which is not a valid " + What);
}

// A whole real within the range of an integer; none for any other.
std::optional<std::int64_t> WholeOf(double D) {
  constexpr double Limit = 9223372036854775808.0; // 2^63
  if (!(D >= -Limit && D < Limit) || std::trunc(D) != D)
    return std::nullopt;
  return static_cast<std::int64_t>(D);
}

// The stored value as a field of each type reads it (not Null); none when
// it is no value of the type.
std::optional<std::int64_t> IntegerOf(const TDBValue& V) {
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return *I;
  if (const auto* D = std::get_if<double>(&V))
    return WholeOf(*D);
  const std::string S = dbstore::ValueText(V);
  if (const auto I = ParseInteger(S))
    return I;
  if (const auto D = ParseReal(S))
    return WholeOf(*D);
  return std::nullopt;
}

std::optional<double> RealOf(const TDBValue& V) {
  if (const auto* D = std::get_if<double>(&V))
    return *D;
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return static_cast<double>(*I);
  return ParseReal(dbstore::ValueText(V));
}

std::optional<Currency> AmountOf(const TDBValue& V) {
  if (const auto* D = std::get_if<double>(&V))
    return dbstore::CurrencyOfReal(*D);
  return dbstore::ParseCurrency(dbstore::ValueText(V));
}

} // namespace

// ---------------------------------------------------------------------------

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {}

void TStringField::GetText(std::string& Text, bool DisplayText) const {
  Text = GetAsString();
  if (DisplayText && !EditMask().empty() && !Text.empty())
    Text = FormatMaskText(EditMask(), Text);
}

std::string TStringField::GetAsString() const {
  return dbstore::ValueText(Value());
}

// An empty text is Null, as for every other field type.
void TStringField::SetAsStringValue(const std::string& Value) {
  SetValue(Value.empty() ? TDBValue() : TDBValue(Value));
}

std::int64_t TStringField::GetAsLargeInt() const {
  const std::string S = GetAsString();
  if (IsBlank(S))
    return 0;
  if (const auto V = ParseInteger(S))
    return *V;
  return StrToInt(S);
}

double TStringField::GetAsFloat() const {
  const std::string S = GetAsString();
  return IsBlank(S) ? 0 : static_cast<double>(StrToFloat(S));
}

Currency TStringField::GetAsCurrency() const {
  const std::string S = GetAsString();
  return IsBlank(S) ? Currency() : StrToCurr(S);
}

TDateTime TStringField::GetAsDateTime() const {
  const std::string S = GetAsString();
  if (IsBlank(S))
    return 0;
  if (const auto V = dbstore::ParseIso(S))
    return *V;
  return StrToDateTime(S);
}

bool TStringField::GetAsBoolean() const {
  const std::string S = Trim(GetAsString());
  return !S.empty() && std::string("TtYy1").find(S[0]) != std::string::npos;
}

void TStringField::SetAsLargeIntValue(std::int64_t Value) {
  SetAsStringValue(IntToStr(Value));
}
void TStringField::SetAsFloatValue(double Value) {
  SetAsStringValue(FloatToStr(Value));
}
void TStringField::SetAsCurrencyValue(Currency Value) {
  SetAsStringValue(CurrToStr(Value));
}
void TStringField::SetAsDateTimeValue(TDateTime Value) {
  SetAsStringValue(DateTimeToStr(Value));
}
void TStringField::SetAsBooleanValue(bool Value) {
  SetAsStringValue(Value ? "True" : "False");
}

Variant TStringField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant(GetAsString());
}

// ---------------------------------------------------------------------------

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {
  SetAlignment(taRightJustify);
}

bool TNumericField::IsValidChar(char32_t InputChar) const {
  return (InputChar >= '0' && InputChar <= '9') || InputChar == '+' || InputChar == '-';
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) {}

std::int64_t TIntegerField::GetAsLargeInt() const {
  if (IsNull())
    return 0;
  if (const auto I = IntegerOf(Value()))
    return *I;
  Misfit(this, "integer value");
}

std::string TIntegerField::GetAsString() const {
  if (IsNull())
    return std::string();
  const auto I = IntegerOf(Value());
  return I ? IntToStr(*I) : dbstore::ValueText(Value());
}

void TIntegerField::SetAsStringValue(const std::string& Value) {
  if (IsBlank(Value))
    Clear();
  else if (const auto I = ParseInteger(Value))
    SetAsLargeIntValue(*I);
  else
    SetAsLargeIntValue(StrToInt(Value)); // hexadecimal, or the classic error
}

void TIntegerField::SetAsLargeIntValue(std::int64_t Value) {
  SetValue(Value);
}

double TIntegerField::GetAsFloat() const {
  return static_cast<double>(GetAsLargeInt());
}

void TIntegerField::SetAsFloatValue(double Value) {
  if (!std::isfinite(Value) || std::fabs(Value) > 9.2e18)
    ValueError(FloatToStr(Value), "integer value");
  SetAsLargeIntValue(std::llround(Value));
}

Currency TIntegerField::GetAsCurrency() const {
  return FloatToCurr(static_cast<Extended>(GetAsLargeInt()));
}

Variant TIntegerField::GetAsVariant() const {
  if (IsNull())
    return Variant::Null();
  const std::int64_t V = GetAsLargeInt();
  return V >= INT32_MIN && V <= INT32_MAX ? Variant(static_cast<int>(V))
                                          : Variant(static_cast<double>(V));
}

// ---------------------------------------------------------------------------

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) {}

void TFloatField::SetPrecision(int Value) {
  FPrecision = std::clamp(Value, 2, 15);
  if (DataSet() && DataSet()->Active())
    DataSet()->DataEvent(deLayoutChange);
}

bool TFloatField::IsValidChar(char32_t InputChar) const {
  return TNumericField::IsValidChar(InputChar) || InputChar == DecimalSeparator ||
         InputChar == 'E' || InputChar == 'e';
}

void TFloatField::GetText(std::string& Text, bool) const {
  const auto D = IsNull() ? std::nullopt : RealOf(Value());
  Text = D ? FloatToStrF(*D, ffGeneral, FPrecision, 0) : dbstore::ValueText(Value());
}

double TFloatField::GetAsFloat() const {
  if (IsNull())
    return 0;
  if (const auto D = RealOf(Value()))
    return *D;
  Misfit(this, "floating point value");
}

std::string TFloatField::GetAsString() const {
  const auto D = IsNull() ? std::nullopt : RealOf(Value());
  return D ? FloatToStr(*D) : dbstore::ValueText(Value());
}

void TFloatField::SetAsStringValue(const std::string& Value) {
  if (IsBlank(Value))
    Clear();
  else
    SetAsFloatValue(static_cast<double>(StrToFloat(Value)));
}

void TFloatField::SetAsFloatValue(double Value) {
  if (!std::isfinite(Value))
    ValueError(FloatToStr(Value), "floating point value");
  SetValue(Value);
}

std::int64_t TFloatField::GetAsLargeInt() const {
  const double V = GetAsFloat();
  if (std::fabs(V) > 9.2e18)
    ValueError(FloatToStr(V), "integer value");
  return std::llround(V);
}

void TFloatField::SetAsLargeIntValue(std::int64_t Value) {
  SetAsFloatValue(static_cast<double>(Value));
}

Currency TFloatField::GetAsCurrency() const {
  return FloatToCurr(GetAsFloat());
}

void TFloatField::SetAsCurrencyValue(Currency Value) {
  SetAsFloatValue(Value.ToDouble());
}

Variant TFloatField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant(GetAsFloat());
}

// ---------------------------------------------------------------------------

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {}

void TCurrencyField::GetText(std::string& Text, bool DisplayText) const {
  const auto C = IsNull() ? std::nullopt : AmountOf(Value());
  if (!C) {
    Text = dbstore::ValueText(Value());
    return;
  }
  const Extended V = C->ToExtended();
  Text = DisplayText ? FloatToStrF(V, ffCurrency, 18, CurrencyDecimals)
                     : FloatToStrF(V, ffFixed, 18, CurrencyDecimals);
}

Currency TCurrencyField::GetAsCurrency() const {
  if (IsNull())
    return Currency();
  if (const auto C = AmountOf(Value()))
    return *C;
  Misfit(this, "currency value");
}

void TCurrencyField::SetAsCurrencyValue(Currency Value) {
  SetValue(dbstore::CurrencyValue(Value));
}

double TCurrencyField::GetAsFloat() const {
  return GetAsCurrency().ToDouble();
}

void TCurrencyField::SetAsFloatValue(double Value) {
  SetAsCurrencyValue(FloatToCurr(Value));
}

std::string TCurrencyField::GetAsString() const {
  const auto C = IsNull() ? std::nullopt : AmountOf(Value());
  return C ? CurrToStr(*C) : dbstore::ValueText(Value());
}

void TCurrencyField::SetAsStringValue(const std::string& Value) {
  if (IsBlank(Value))
    Clear();
  else
    SetAsCurrencyValue(StrToCurr(Value));
}

Variant TCurrencyField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant(GetAsCurrency());
}

// ---------------------------------------------------------------------------

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {}

void TBooleanField::SetDisplayValues(const std::string& Value) {
  const int Sep = Pos(';', Value);
  const std::string True = Sep ? Copy(Value, 1, Sep - 1) : Value;
  const std::string False = Sep ? Copy(Value, Sep + 1, Length(Value)) : std::string();
  if (True.empty() && False.empty())
    DatabaseError("'" + Value + "' are not valid display values of a boolean field", this);
  FDisplayValues = Value;
  FTrueText = True;
  FFalseText = False;
  if (DataSet() && DataSet()->Active())
    DataSet()->DataEvent(deLayoutChange);
}

bool TBooleanField::GetAsBoolean() const {
  const TDBValue& V = Value();
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return *I != 0;
  if (const auto* D = std::get_if<double>(&V))
    return *D != 0;
  if (IsNullValue(V))
    return false;
  const std::string S = Trim(dbstore::ValueText(V));
  if (const auto I = ParseInteger(S))
    return *I != 0;
  return !S.empty() && std::string("TtYy").find(S[0]) != std::string::npos;
}

void TBooleanField::SetAsBooleanValue(bool Value) {
  SetValue(std::int64_t(Value ? 1 : 0));
}

std::string TBooleanField::GetAsString() const {
  if (IsNull())
    return "";
  return GetAsBoolean() ? FTrueText : FFalseText;
}

// A text matches when it begins either display value, ignoring case.
void TBooleanField::SetAsStringValue(const std::string& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  const int L = Length(Value);
  if (!FFalseText.empty() && CompareText(Value, Copy(FFalseText, 1, L)) == 0)
    SetAsBooleanValue(false);
  else if (!FTrueText.empty() && CompareText(Value, Copy(FTrueText, 1, L)) == 0)
    SetAsBooleanValue(true);
  else
    ValueError(Value, "boolean value");
}

Variant TBooleanField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant(GetAsBoolean());
}

// ---------------------------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) {}

void TDateTimeField::SetDisplayFormat(const std::string& Value) {
  FDisplayFormat = Value;
  if (DataSet() && DataSet()->Active())
    DataSet()->DataEvent(deLayoutChange);
}

void TDateTimeField::GetText(std::string& Text, bool DisplayText) const {
  const auto D = IsNull() ? std::nullopt : Moment();
  if (!D)
    Text = dbstore::ValueText(Value());
  else if (DisplayText && !FDisplayFormat.empty())
    Text = FormatDateTime(FDisplayFormat, *D);
  else
    Text = FormatValue(*D);
}

std::optional<TDateTime> TDateTimeField::Moment() const {
  static const TDateTime First = EncodeDate(1, 1, 1), End = EncodeDate(9999, 12, 31) + 1;
  const TDBValue& V = Value();
  std::optional<TDateTime> D;
  if (std::holds_alternative<double>(V) || std::holds_alternative<std::int64_t>(V)) {
    D = dbstore::FromJulianDay(*RealOf(V)); // a Julian day number
  } else if (const std::string Text = dbstore::ValueText(V); !(D = dbstore::ParseIso(Text))) {
    try {
      D = ParseText(Text); // a text some other program stored in the locale's form
    } catch (const EConvertError&) {
      return std::nullopt;
    }
  }
  if (*D >= First && *D < End)
    return D;
  return std::nullopt;
}

TDateTime TDateTimeField::GetAsDateTime() const {
  if (IsNull())
    return 0;
  if (const auto D = Moment())
    return *D;
  Misfit(this, "date and time");
}

void TDateTimeField::SetAsDateTimeValue(TDateTime Value) {
  switch (DataType()) {
  case ftDate:
    SetValue(dbstore::IsoDate(Value));
    break;
  case ftTime:
    SetValue(dbstore::IsoTime(Value));
    break;
  default:
    SetValue(dbstore::IsoDateTime(Value));
    break;
  }
}

std::string TDateTimeField::GetAsString() const {
  const auto D = IsNull() ? std::nullopt : Moment();
  return D ? FormatValue(*D) : dbstore::ValueText(Value());
}

void TDateTimeField::SetAsStringValue(const std::string& Value) {
  if (IsBlank(Value))
    Clear();
  else
    SetAsDateTimeValue(ParseText(Value));
}

double TDateTimeField::GetAsFloat() const {
  return GetAsDateTime();
}

void TDateTimeField::SetAsFloatValue(double Value) {
  SetAsDateTimeValue(Value);
}

Variant TDateTimeField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant::FromDate(GetAsDateTime());
}

std::string TDateTimeField::FormatValue(TDateTime Value) const {
  return DateTimeToStr(Value);
}

TDateTime TDateTimeField::ParseText(const std::string& Text) const {
  return StrToDateTime(Text);
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) {}

std::string TDateField::FormatValue(TDateTime Value) const {
  return DateToStr(Value);
}

TDateTime TDateField::ParseText(const std::string& Text) const {
  return StrToDate(Text);
}

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) {}

std::string TTimeField::FormatValue(TDateTime Value) const {
  return TimeToStr(Value);
}

TDateTime TTimeField::ParseText(const std::string& Text) const {
  return StrToTime(Text);
}

// ---------------------------------------------------------------------------

TField* CreateField(TFieldType DataType, TComponent* AOwner) {
  switch (DataType) {
  case ftInteger:
    return new TIntegerField(AOwner);
  case ftBoolean:
    return new TBooleanField(AOwner);
  case ftFloat:
    return new TFloatField(AOwner);
  case ftCurrency:
    return new TCurrencyField(AOwner);
  case ftDate:
    return new TDateField(AOwner);
  case ftTime:
    return new TTimeField(AOwner);
  case ftDateTime:
    return new TDateTimeField(AOwner);
  default:
    return new TStringField(AOwner);
  }
}

} // namespace vcl
