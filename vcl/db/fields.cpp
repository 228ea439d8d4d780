// The typed fields: each reads the stored value whatever kind the storage
// gave it (SQLite keeps any kind in any column), converts it to its own type,
// and stores its own type in one canonical kind: text for strings and exact
// amounts, integers for integers and booleans, reals for floats, ISO 8601
// text for dates and times. Texts typed by users go through the locale's
// conversions; stored texts are read without regard to the locale.
#include <cmath>

#include "vcl/db.h"
#include "vcl/db/storage.h"

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

bool TNumericField::IsValidChar(char InputChar) const {
  return (InputChar >= '0' && InputChar <= '9') || InputChar == '+' || InputChar == '-';
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) {}

std::int64_t TIntegerField::GetAsLargeInt() const {
  const TDBValue& V = Value();
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return *I;
  if (const auto* D = std::get_if<double>(&V))
    return std::llround(*D);
  if (IsNullValue(V))
    return 0;
  const std::string S = dbstore::ValueText(V);
  if (const auto I = ParseInteger(S))
    return *I;
  if (const auto D = ParseReal(S); D && std::isfinite(*D))
    return std::llround(*D);
  ValueError(S, "integer value");
}

std::string TIntegerField::GetAsString() const {
  return IsNull() ? std::string() : IntToStr(GetAsLargeInt());
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

bool TFloatField::IsValidChar(char InputChar) const {
  return TNumericField::IsValidChar(InputChar) || InputChar == DecimalSeparator ||
         InputChar == 'E' || InputChar == 'e';
}

void TFloatField::GetText(std::string& Text, bool) const {
  Text = IsNull() ? std::string() : FloatToStrF(GetAsFloat(), ffGeneral, FPrecision, 0);
}

double TFloatField::GetAsFloat() const {
  const TDBValue& V = Value();
  if (const auto* D = std::get_if<double>(&V))
    return *D;
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return static_cast<double>(*I);
  if (IsNullValue(V))
    return 0;
  const std::string S = dbstore::ValueText(V);
  if (const auto D = ParseReal(S))
    return *D;
  ValueError(S, "floating point value");
}

std::string TFloatField::GetAsString() const {
  return IsNull() ? std::string() : FloatToStr(GetAsFloat());
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
  if (IsNull()) {
    Text.clear();
    return;
  }
  const Extended V = GetAsCurrency().ToExtended();
  Text = DisplayText ? FloatToStrF(V, ffCurrency, 18, CurrencyDecimals)
                     : FloatToStrF(V, ffFixed, 18, CurrencyDecimals);
}

Currency TCurrencyField::GetAsCurrency() const {
  const TDBValue& V = Value();
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return FloatToCurr(static_cast<Extended>(*I));
  if (const auto* D = std::get_if<double>(&V))
    return Currency(*D);
  if (IsNullValue(V))
    return Currency();
  const std::string S = dbstore::ValueText(V);
  if (const auto C = dbstore::ParseCurrency(S))
    return *C;
  ValueError(S, "currency value");
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
  return IsNull() ? std::string() : CurrToStr(GetAsCurrency());
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
  if (IsNull())
    Text.clear();
  else if (DisplayText && !FDisplayFormat.empty())
    Text = FormatDateTime(FDisplayFormat, GetAsDateTime());
  else
    Text = FormatValue(GetAsDateTime());
}

TDateTime TDateTimeField::GetAsDateTime() const {
  const TDBValue& V = Value();
  if (const auto* D = std::get_if<double>(&V))
    return dbstore::FromJulianDay(*D);
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return dbstore::FromJulianDay(static_cast<double>(*I));
  if (IsNullValue(V))
    return 0;
  const std::string S = dbstore::ValueText(V);
  if (const auto D = dbstore::ParseIso(S))
    return *D;
  return ParseText(S); // a text some other program stored in the locale's form
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
  return IsNull() ? std::string() : FormatValue(GetAsDateTime());
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
