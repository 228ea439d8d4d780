// The validator base: the abstract judge of a text that a validating edit owns
// and asks, keystroke by keystroke and on leaving the control, whether a text
// is acceptable, how it is displayed and how an assigned text is normalised.
// A bare TValidator accepts everything. IValidatorOwner is the little a
// validator needs of the edit that owns it.
#pragma once

#include <memory>
#include <string>

#include "vcl/classes.h"
#include "vcl/consts.h"
#include "vcl/sysutils.h"

namespace Validate {

class IValidatorOwner {
public:
  virtual bool Valid() = 0;
  virtual void SetEditText(const std::string& Value) = 0;
  virtual void ValidatorChange() = 0;
  virtual std::string GetEditText() = 0;
  virtual int SelStart() const = 0;

protected:
  ~IValidatorOwner() = default;
};

// Shows Msg in a modal error box with one OK button; the answer is ignored.
void ShowErrorBox(const std::string& Msg);
// The message of a refused text: S in double quotes, then Literal (which
// starts with a blank). S is inserted as it is, never read as a pattern.
std::string QuotedMessage(const std::string& S, const std::string& Literal);
// The literal of a value outside a range: the noun phrase Noun (" is not a
// valid number"), then " between <Min> and <Max>.", the bounds written as the
// validator writes them; all words from the message catalog.
std::string RangeLiteral(vcl::TResString Noun, const std::string& Min, const std::string& Max);
// A range validator names both ends of its range, even an end that is only
// the widest value of its kind and means nothing to a reader. Message, the
// message of the refused text S, with its range as given: " of at least
// <Min>." without a given maximum, " of at most <Max>." without a given
// minimum, no range without either. Other messages come back unchanged.
std::string WithGivenBounds(const std::string& Message, const std::string& S, bool HasMin,
                            bool HasMax);

// The message of a missing value where one is required (a validating edit
// without AllowNull), whatever the validator.
inline const char* SValueRequired() {
  return vcl::ResString(vcl::rsValueRequired);
}

// The character that groups the integer digits of a number display: ','
// while the decimal separator is '.'. Under another decimal separator a
// fixed ',' could not be told from it, so the thousands separator of
// Settings groups instead, or '.' when that is the decimal separator too
// (or none). Settings read from the system locale (LocaleCurrency) group
// with their own thousands separator when it is a distinct one.
char32_t GroupSeparator(const vcl::TFormatSettings& Settings);
// S with GroupSeparator(Settings) put in front of each of the positions
// End - 3, End - 6, ... that lies after position After (positions of S as
// given).
std::string GroupDigits(const std::string& S, int End, int After,
                        const vcl::TFormatSettings& Settings);

// The bound setters of the range validators share these steps: a value equal
// to the bound changes nothing (false); otherwise the other bound is dragged
// along so that Min <= Max still holds, and the bound is stored (true).
template <typename T> bool StoreMax(T& Max, T& Min, T Value) {
  if (Value == Max)
    return false;
  if (Value < Min)
    Min = Value;
  Max = Value;
  return true;
}

template <typename T> bool StoreMin(T& Min, T& Max, T Value) {
  if (Value == Min)
    return false;
  if (Value > Max)
    Max = Value;
  Min = Value;
  return true;
}

// A bound set from code switches the range of a numeric validator on
// (NoBounds False), so that the bound a program sets takes effect; a bound
// read from a form file leaves NoBounds as the form stores it. True when it
// switched the range on.
template <typename V> bool SwitchBoundsOn(V& Validator, bool NoBounds) {
  if (!NoBounds || Validator.OwnerReading())
    return false;
  Validator.SetNoBounds(false);
  return true;
}

class TValidator : public vcl::TPersistent {
public:
  explicit TValidator(vcl::TObject* AOwner);

  virtual void Change();
  virtual std::string GetDisplayText(std::string S);
  virtual bool IsValid(std::string S);
  virtual bool IsValidInput(std::string& S, bool SuppressFill);
  virtual void SetText(std::string& S);
  // Shows ErrorMessage(Input, S) in a modal error box.
  virtual void ShowErrorMessage(bool Input, std::string S);
  // The message that tells the user S was refused: Input when S was typed
  // (one character) or pasted, else S is the whole value. It only builds
  // the text, so anything may ask for it, on any thread that owns the
  // validator.
  virtual std::string ErrorMessage(bool Input, std::string S);

  // The formatting settings the validator reads (separators, date and time
  // formats, AM/PM markers, currency decimals): its own copy once it was
  // given one, else the process-wide vcl::FormatSettings as they stand at
  // each use. A validator with its own settings reads none of the
  // process-wide ones, so it may judge on a thread of its own.
  const vcl::TFormatSettings& FormatSettings() const {
    return FFormatSettings ? *FFormatSettings : vcl::FormatSettings;
  }
  // Gives the validator its own copy of Value. What it built from the
  // settings (a date or time picture, the decimal separator among the
  // allowed characters) follows them, and the owner is told (Change).
  void SetFormatSettings(const vcl::TFormatSettings& Value);

  bool AutoFill() const { return FAutoFill; }
  void SetAutoFill(bool Value) { FAutoFill = Value; }
  vcl::TObject* Owner() const { return FOwner; }
  // True while the owning component is read from a form file.
  bool OwnerReading() const;

  // When assigned it replaces the owner notification of Change.
  vcl::TNotifyEvent OnChange;

protected:
  // The owning validating edit, or null when the owner is none or something else.
  IValidatorOwner* OwnerEdit() const;
  // The same settings as FormatSettings(), to write to (the date validator
  // keeps the year width of their ShortDateFormat).
  vcl::TFormatSettings& WritableFormatSettings();
  // Rebuilds what the validator takes from its settings; SetFormatSettings
  // calls it before telling the owner.
  virtual void FormatSettingsChanged();

private:
  bool FAutoFill = true;
  vcl::TObject* FOwner = nullptr;
  std::unique_ptr<vcl::TFormatSettings> FFormatSettings;
};

} // namespace Validate
