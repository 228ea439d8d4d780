// The editors of floats and currency, dates and times, strings and binary
// data.
#include <vector>

#include "vcl/designintf.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Floats and currency

bool TFloatProperty::AllEqual() {
  const TPropValue First = GetPropValueAt(0);
  return AllAgree([&](int I) { return GetPropValueAt(I) == First; });
}

// As many significant digits as the type holds, so that the text typed back
// gives the value again.
std::string TFloatProperty::GetValue() {
  const TPropValue V = GetPropValueAt(0);
  if (const Currency* C = std::get_if<Currency>(&V))
    return CurrToStr(*C);
  const int FloatSize = GetPropInfo()->FloatSize;
  const int Precision = FloatSize == 4 ? 7 : FloatSize == 8 ? 15 : 18;
  return FloatToStrF(std::get<long double>(V), ffGeneral, Precision, 0);
}

void TFloatProperty::SetValue(const std::string& Value) {
  if (GetPropInfo()->Kind == tkCurrency)
    SetPropValue(StrToCurr(Value));
  else
    SetFloatValue(StrToFloat(Value));
}

// ---------------------------------------------------------------------------
// Dates and times

std::string TDateTimeProperty::GetValue() {
  const long double DT = GetFloatValue();
  return DT == 0 ? std::string() : DateTimeToStr(static_cast<TDateTime>(DT));
}

void TDateTimeProperty::SetValue(const std::string& Value) {
  SetFloatValue(Value.empty() ? 0 : StrToDateTime(Value));
}

std::string TDateProperty::GetValue() {
  const long double DT = GetFloatValue();
  return DT == 0 ? std::string() : DateToStr(static_cast<TDateTime>(DT));
}

void TDateProperty::SetValue(const std::string& Value) {
  SetFloatValue(Value.empty() ? 0 : StrToDate(Value));
}

std::string TTimeProperty::GetValue() {
  const long double DT = GetFloatValue();
  return DT == 0 ? std::string() : TimeToStr(static_cast<TDateTime>(DT));
}

void TTimeProperty::SetValue(const std::string& Value) {
  SetFloatValue(Value.empty() ? 0 : StrToTime(Value));
}

// ---------------------------------------------------------------------------
// Strings and binary data

bool TStringProperty::AllEqual() {
  const std::string First = GetStrValue();
  return AllAgree([&](int I) { return GetStrValueAt(I) == First; });
}

std::string TStringProperty::GetValue() {
  return GetStrValue();
}

void TStringProperty::SetValue(const std::string& Value) {
  SetStrValue(Value);
}

std::string TBinaryProperty::GetValue() {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Result;
  for (const char C : GetStrValue()) {
    const auto B = static_cast<unsigned char>(C);
    Result += Hex[B >> 4];
    Result += Hex[B & 15];
  }
  return Result;
}

namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  if (C >= 'a' && C <= 'f')
    return C - 'a' + 10;
  return -1;
}

} // namespace

// Hexadecimal digits, two to a byte; blanks between them are ignored.
void TBinaryProperty::SetValue(const std::string& Value) {
  std::vector<int> Digits;
  for (const char C : Value)
    if (C != ' ' && C != '\t' && C != '\r' && C != '\n') {
      Digits.push_back(HexDigit(C));
      if (Digits.back() < 0)
        InvalidValue();
    }
  if (Digits.size() % 2 != 0)
    InvalidValue();
  std::string Bytes;
  for (std::size_t I = 0; I < Digits.size(); I += 2)
    Bytes += static_cast<char>(Digits[I] * 16 + Digits[I + 1]);
  SetStrValue(Bytes);
}

} // namespace vcl
