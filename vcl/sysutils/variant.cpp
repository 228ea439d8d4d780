// Variant: a value that is empty, null, or one of a few typed values, with the
// conversions between them. Strings are parsed with the locale's conversions;
// numbers and dates are formatted with them.
#include <cmath>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

const char* TypeName(TVarType T) {
  static const char* const Names[] = {"Empty",    "Null", "Integer", "Double",
                                      "Currency", "Date", "Boolean", "String"};
  return Names[T];
}

[[noreturn]] void CannotConvert(TVarType From, const char* To) {
  throw EVariantError(std::string("Could not convert variant of type (") + TypeName(From) +
                      ") into type (" + To + ")");
}

bool IsNumeric(TVarType T) {
  return T == varInteger || T == varDouble || T == varCurrency || T == varDate || T == varBoolean;
}

} // namespace

Variant::Variant(int V) : FType(varInteger), FInt(V) {}
Variant::Variant(double V) : FType(varDouble), FFloat(V) {}
Variant::Variant(Currency V) : FType(varCurrency), FInt(V.Raw()) {}
// True is -1, as the classic variant boolean stores it.
Variant::Variant(bool V) : FType(varBoolean), FInt(V ? -1 : 0) {}
Variant::Variant(const char* V) : FType(varString), FString(V != nullptr ? V : "") {}
Variant::Variant(std::string V) : FType(varString), FString(std::move(V)) {}

Variant Variant::Null() {
  Variant V;
  V.FType = varNull;
  return V;
}

Variant Variant::FromDate(TDateTime V) {
  Variant Result;
  Result.FType = varDate;
  Result.FFloat = V;
  return Result;
}

double Variant::AsFloat() const {
  switch (FType) {
  case varEmpty:
    return 0;
  case varInteger:
  case varBoolean:
    return static_cast<double>(FInt);
  case varCurrency:
    return Currency::FromRaw(FInt).ToDouble();
  case varDouble:
  case varDate:
    return FFloat;
  case varString:
    return static_cast<double>(StrToFloat(Trim(FString)));
  default:
    CannotConvert(FType, "Double");
  }
}

int Variant::AsInteger() const {
  switch (FType) {
  case varInteger:
  case varBoolean:
    return static_cast<int>(FInt);
  case varString: {
    int Value = 0;
    if (TryStrToInt(Trim(FString), Value))
      return Value;
    break;
  }
  case varNull:
    CannotConvert(FType, "Integer");
  default:
    break;
  }
  // Fractions round to the nearest integer, halves to even.
  const double Value = std::nearbyint(AsFloat());
  if (!(Value >= -2147483648.0 && Value <= 2147483647.0))
    CannotConvert(FType, "Integer");
  return static_cast<int>(Value);
}

Currency Variant::AsCurrency() const {
  switch (FType) {
  case varCurrency:
    return Currency::FromRaw(FInt);
  case varString:
    return StrToCurr(Trim(FString));
  case varNull:
    CannotConvert(FType, "Currency");
  default:
    return FloatToCurr(AsFloat());
  }
}

TDateTime Variant::AsDateTime() const {
  if (FType == varNull)
    CannotConvert(FType, "Date");
  if (FType != varString)
    return AsFloat();
  // A date with or without a time, or a time alone.
  TDateTime Value = 0;
  if (TryStrToDateTime(FString, Value))
    return Value;
  return StrToTime(FString);
}

bool Variant::AsBoolean() const {
  switch (FType) {
  case varNull:
    CannotConvert(FType, "Boolean");
  case varString:
    if (SameText(Trim(FString), "True"))
      return true;
    if (SameText(Trim(FString), "False"))
      return false;
    return AsFloat() != 0;
  default:
    return AsFloat() != 0;
  }
}

std::string Variant::AsString() const {
  switch (FType) {
  case varEmpty:
    return "";
  case varInteger:
    return IntToStr(FInt);
  case varDouble:
    return FloatToStr(FFloat);
  case varCurrency:
    return CurrToStr(Currency::FromRaw(FInt));
  case varDate:
    return DateTimeToStr(FFloat);
  case varBoolean:
    return FInt != 0 ? "True" : "False";
  case varString:
    return FString;
  default:
    CannotConvert(FType, "String");
  }
}

// Null equals only null. Otherwise strings compare as text, unless one side
// is a number: then the string must read as that number. Empty reads as ''
// beside a string and as 0 beside a number.
bool Variant::operator==(const Variant& Other) const {
  if (FType == varNull || Other.FType == varNull)
    return FType == Other.FType;
  if (FType == varEmpty && Other.FType == varEmpty)
    return true;
  if (FType == varCurrency && Other.FType == varCurrency)
    return FInt == Other.FInt;
  if (!IsNumeric(FType) && !IsNumeric(Other.FType))
    return AsString() == Other.AsString();
  try {
    return AsFloat() == Other.AsFloat();
  } catch (const EConvertError&) {
    return false;
  }
}

std::string VarToStr(const Variant& V) {
  return VarIsNull(V) ? std::string() : V.AsString();
}

bool VarIsNull(const Variant& V) {
  return V.VarType() == varNull;
}

bool VarIsEmpty(const Variant& V) {
  return V.VarType() == varEmpty;
}

TVarType VarType(const Variant& V) {
  return V.VarType();
}

} // namespace vcl
