// The integer validator: whole numbers, optionally within a range. While the
// user types it admits digits and, where negatives are possible, one leading
// minus sign; on leaving the control it checks the number and its range; the
// display groups the digits in threes.
#pragma once

#include <string>

#include "validate/filter.h"

namespace Validate {

class TCustomIntegerValidator : public TCustomFilterValidator {
public:
  explicit TCustomIntegerValidator(vcl::TObject* AOwner);

  std::string GetDisplayText(std::string S) override;
  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  // Each also switches the range on, unless the owner is being read from a
  // form file (a new validator has NoBounds True, and Min and Max alone
  // would otherwise do nothing).
  virtual void SetMax(int Value);
  virtual void SetMin(int Value);
  virtual void SetNoBounds(bool Value);

  // Rebuilds the owned character list: the minus sign only where a negative
  // value can be valid. Notifies nobody.
  void GetFilter();

protected:
  bool LeadingZeros() const { return FLeadingZeros; }
  void SetLeadingZeros(bool Value) { FLeadingZeros = Value; }
  int Max() const { return FMax; }
  int Min() const { return FMin; }
  bool NoBounds() const { return FNoBounds; }

private:
  bool FLeadingZeros = false;
  int FMax = 0;
  int FMin = 0;
  bool FNoBounds = false;
};

class TIntegerValidator : public TCustomIntegerValidator {
public:
  using TCustomIntegerValidator::TCustomIntegerValidator;

  using TCustomIntegerValidator::LeadingZeros;
  using TCustomIntegerValidator::Max;
  using TCustomIntegerValidator::Min;
  using TCustomIntegerValidator::NoBounds;
  using TCustomIntegerValidator::SetLeadingZeros;
};

} // namespace Validate
