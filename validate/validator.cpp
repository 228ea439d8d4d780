// The validator base and the error display shared by every validator.
#include "validate/validator.h"

#include <string_view>
#include <utility>

#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace Validate {

void ShowErrorBox(const std::string& Msg) {
  vcl::MessageDlg(Msg, vcl::mtError, {vcl::mbOK}, 0);
}

std::string QuotedMessage(const std::string& S, const std::string& Literal) {
  return '"' + S + '"' + Literal;
}

namespace {

// The pieces of a range literal, which WithGivenBounds finds again.
constexpr std::string_view RangeStart = " is not a valid ";
constexpr std::string_view Between = " between ";
constexpr std::string_view And = " and ";

} // namespace

std::string RangeLiteral(const std::string& Noun, const std::string& Min, const std::string& Max) {
  std::string Literal(RangeStart);
  return Literal.append(Noun).append(Between).append(Min).append(And).append(Max) + '.';
}

std::string WithGivenBounds(const std::string& Message, const std::string& S, bool HasMin,
                            bool HasMax) {
  const std::string Start = QuotedMessage(S, std::string(RangeStart));
  if ((HasMin && HasMax) || !Message.starts_with(Start) || !Message.ends_with('.'))
    return Message;
  // The noun is one word, so the first " between " after it opens the range.
  const std::size_t NounEnd = Message.find(Between, Start.size());
  if (NounEnd == std::string::npos)
    return Message;
  const std::size_t Low = NounEnd + Between.size();
  const std::size_t AndAt = Message.find(And, Low);
  if (AndAt == std::string::npos)
    return Message;
  const std::size_t High = AndAt + And.size();
  std::string Result = Message.substr(0, NounEnd);
  if (HasMin)
    Result += " of at least " + Message.substr(Low, AndAt - Low);
  else if (HasMax)
    Result += " of at most " + Message.substr(High, Message.size() - 1 - High);
  return Result + '.';
}

char GroupSeparator(const vcl::TFormatSettings& Settings) {
  if (Settings.DecimalSeparator == '.')
    return ',';
  if (Settings.ThousandSeparator == Settings.DecimalSeparator || Settings.ThousandSeparator == '\0')
    return '.';
  return Settings.ThousandSeparator;
}

// One pass from left to right: a display of a long number must not move the
// rest of the text along for every separator it gains.
std::string GroupDigits(const std::string& S, int End, int After,
                        const vcl::TFormatSettings& Settings) {
  const char Separator = GroupSeparator(Settings);
  std::string Result;
  Result.reserve(S.size() + S.size() / 3 + 1);
  int Pos = 1; // counts characters, as End and After do
  for (const char32_t Ch : vcl::Utf8Decode(S)) {
    if (Pos > After && End - Pos >= 3 && (End - Pos) % 3 == 0)
      Result += Separator;
    vcl::Utf8Append(Result, Ch);
    ++Pos;
  }
  return Result;
}

TValidator::TValidator(vcl::TObject* AOwner) : FOwner(AOwner) {}

IValidatorOwner* TValidator::OwnerEdit() const {
  return dynamic_cast<IValidatorOwner*>(FOwner);
}

const vcl::TFormatSettings& TValidator::FormatSettings() const {
  return FFormatSettings ? *FFormatSettings : vcl::FormatSettings;
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
  return "The text is invalid.";
}

} // namespace Validate
