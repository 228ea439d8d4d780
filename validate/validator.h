// The validator base: the abstract judge of a text that a validating edit owns
// and asks, keystroke by keystroke and on leaving the control, whether a text
// is acceptable, how it is displayed and how an assigned text is normalised.
// A bare TValidator accepts everything. IValidatorOwner is the little a
// validator needs of the edit that owns it.
#pragma once

#include <string>

#include "vcl/classes.h"

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

// The character that groups the integer digits of a number display: ','
// while the decimal separator is '.'. Under another decimal separator a
// fixed ',' could not be told from it, so the locale's thousands separator
// groups instead, or '.' when that is the decimal separator too (or none).
char GroupSeparator();
// S with GroupSeparator() put in front of each of the positions End - 3,
// End - 6, ... that lies after position After (positions of S as given).
std::string GroupDigits(const std::string& S, int End, int After);

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
  virtual void ShowErrorMessage(bool Input, std::string S);

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

private:
  bool FAutoFill = true;
  vcl::TObject* FOwner = nullptr;
};

} // namespace Validate
