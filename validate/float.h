// The float and currency validators: decimal numbers with a bounded number of
// decimals, optionally within a range. While the user types they admit digits,
// the locale's decimal separator and, where negatives are possible, one leading
// minus sign; an assigned text with too many decimals is rounded; the display
// pads the decimals and groups the integer digits. The currency validator adds
// money rules: at most four decimals, excess decimals rounded away from zero,
// a "$" in the display and the range message in the locale's money format.
#pragma once

#include <cstdint>
#include <string>

#include "validate/filter.h"

namespace Validate {

class TCustomFloatValidator : public TCustomFilterValidator {
public:
  explicit TCustomFloatValidator(vcl::TObject* AOwner);

  std::string GetDisplayText(std::string S) override;
  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  void SetText(std::string& S) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  // Each also switches the range on, unless the owner is being read from a
  // form file (a new validator has NoBounds True, and Min and Max alone
  // would otherwise do nothing).
  virtual void SetMax(double Value);
  virtual void SetMin(double Value);
  virtual void SetNoBounds(bool Value);
  virtual void SetPrecision(std::uint8_t Value);

  // Rebuilds the owned character list from the decimal separator, with
  // the minus sign only where a negative value can be valid. Notifies nobody.
  void GetFilter();

protected:
  bool LeadingZeros() const { return FLeadingZeros; }
  void SetLeadingZeros(bool Value) { FLeadingZeros = Value; }
  double Max() const { return FMax; }
  double Min() const { return FMin; }
  bool NoBounds() const { return FNoBounds; }
  std::uint8_t Precision() const { return FPrecision; }
  // For SetPrecision overrides: stores the count with no limit and no notification.
  void StorePrecision(std::uint8_t Value) { FPrecision = Value; }
  void FormatSettingsChanged() override;

private:
  bool FLeadingZeros = false;
  double FMax = 0;
  double FMin = 0;
  bool FNoBounds = false;
  std::uint8_t FPrecision = 0;
};

class TFloatValidator : public TCustomFloatValidator {
public:
  using TCustomFloatValidator::TCustomFloatValidator;

  using TCustomFloatValidator::LeadingZeros;
  using TCustomFloatValidator::Max;
  using TCustomFloatValidator::Min;
  using TCustomFloatValidator::NoBounds;
  using TCustomFloatValidator::Precision;
  using TCustomFloatValidator::SetLeadingZeros;
};

class TCurrencyValidator : public TCustomFloatValidator {
public:
  using TCustomFloatValidator::TCustomFloatValidator;

  std::string GetDisplayText(std::string S) override;
  void SetText(std::string& S) override;
  std::string ErrorMessage(bool Input, std::string S) override;
  void SetPrecision(std::uint8_t Value) override;

  // LeadingZeros is not published here and stays False.
  using TCustomFloatValidator::Max;
  using TCustomFloatValidator::Min;
  using TCustomFloatValidator::NoBounds;
  using TCustomFloatValidator::Precision;
};

} // namespace Validate
