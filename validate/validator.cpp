// The validator base and the error display shared by every validator.
#include "validate/validator.h"

#include <string_view>
#include <utility>

#include "vcl/consts.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace Validate {

void ShowErrorBox(const std::string& Msg) {
  vcl::MessageDlg(Msg, vcl::mtError, {vcl::mbOK}, 0);
}

std::string QuotedMessage(const std::string& S, const std::string& Literal) {
  return '"' + S + '"' + Literal;
}

std::string RangeLiteral(vcl::TResString Noun, const std::string& Min, const std::string& Max) {
  std::string Literal = vcl::ResString(Noun);
  return Literal.append(vcl::ResString(vcl::rsRangeBetween))
             .append(Min)
             .append(vcl::ResString(vcl::rsRangeAnd))
             .append(Max) +
         '.';
}

std::string WithGivenBounds(const std::string& Message, const std::string& S, bool HasMin,
                            bool HasMax) {
  const std::string Quoted = QuotedMessage(S, "");
  if ((HasMin && HasMax) || !Message.starts_with(Quoted) || !Message.ends_with('.'))
    return Message;
  // A range message is the quoted text, a noun phrase of the catalog, then
  // the bounds between their two words.
  const std::string Between = vcl::ResString(vcl::rsRangeBetween);
  const std::string And = vcl::ResString(vcl::rsRangeAnd);
  std::size_t NounEnd = std::string::npos;
  for (const vcl::TResString Noun : {vcl::rsRangeInteger, vcl::rsRangeNumber, vcl::rsRangeCurrency,
                                     vcl::rsRangeDate, vcl::rsRangeTime})
    if (Message.starts_with(Quoted + vcl::ResString(Noun) + Between))
      NounEnd = Quoted.size() + std::string(vcl::ResString(Noun)).size();
  if (NounEnd == std::string::npos)
    return Message;
  const std::size_t Low = NounEnd + Between.size();
  const std::size_t AndAt = Message.find(And, Low);
  if (AndAt == std::string::npos)
    return Message;
  const std::size_t High = AndAt + And.size();
  std::string Result = Message.substr(0, NounEnd);
  if (HasMin)
    Result += vcl::ResString(vcl::rsRangeAtLeast) + Message.substr(Low, AndAt - Low);
  else if (HasMax)
    Result += vcl::ResString(vcl::rsRangeAtMost) + Message.substr(High, Message.size() - 1 - High);
  return Result + '.';
}

char32_t GroupSeparator(const vcl::TFormatSettings& Settings) {
  const bool Distinct =
      Settings.ThousandSeparator != Settings.DecimalSeparator && Settings.ThousandSeparator != 0;
  if (Settings.LocaleCurrency && Distinct)
    return Settings.ThousandSeparator;
  if (Settings.DecimalSeparator == '.')
    return ',';
  if (!Distinct)
    return '.';
  return Settings.ThousandSeparator;
}

// One pass from left to right: a display of a long number must not move the
// rest of the text along for every separator it gains.
std::string GroupDigits(const std::string& S, int End, int After,
                        const vcl::TFormatSettings& Settings) {
  const char32_t Separator = GroupSeparator(Settings);
  std::string Result;
  Result.reserve(S.size() + S.size() / 3 + 1);
  int Pos = 1; // counts characters, as End and After do
  for (const char32_t Ch : vcl::Utf8Decode(S)) {
    if (Pos > After && End - Pos >= 3 && (End - Pos) % 3 == 0)
      vcl::Utf8Append(Result, Separator);
    vcl::Utf8Append(Result, Ch);
    ++Pos;
  }
  return Result;
}

TValidator::TValidator(vcl::TObject* AOwner) : FOwner(AOwner) {}

IValidatorOwner* TValidator::OwnerEdit() const {
  return dynamic_cast<IValidatorOwner*>(FOwner);
}

vcl::TFormatSettings& TValidator::WritableFormatSettings() {
  return FFormatSettings ? *FFormatSettings : vcl::FormatSettings;
}

void TValidator::SetFormatSettings(const vcl::TFormatSettings& Value) {
  FFormatSettings = std::make_unique<vcl::TFormatSettings>(Value);
  FormatSettingsChanged();
  Change();
}

void TValidator::FormatSettingsChanged() {}

bool TValidator::OwnerReading() const {
  const auto* Component = dynamic_cast<const vcl::TComponent*>(FOwner);
  return Component && Component->ComponentState().Contains(vcl::csReading);
}

void TValidator::Change() {
  if (OnChange) {
    OnChange(this);
    return;
  }
  if (IValidatorOwner* Edit = OwnerEdit()) {
    if (!Edit->Valid())
      Edit->SetEditText("");
    Edit->ValidatorChange();
  }
}

std::string TValidator::GetDisplayText(std::string S) {
  return S;
}

bool TValidator::IsValid(std::string) {
  return true;
}

bool TValidator::IsValidInput(std::string&, bool) {
  return true;
}

void TValidator::SetText(std::string&) {}

void TValidator::ShowErrorMessage(bool Input, std::string S) {
  ShowErrorBox(ErrorMessage(Input, std::move(S)));
}

std::string TValidator::ErrorMessage(bool, std::string) {
  return vcl::ResString(vcl::rsTextInvalid);
}

} // namespace Validate
