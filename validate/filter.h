// The filter validator: judges a text character by character against a list
// of allowed (or forbidden) characters. TCustomFilterValidator is also the base
// of the integer and float validators, which own their list and write it
// directly; TFilterValidator publishes the list for the user to set.
#pragma once

#include <cstdint>
#include <string>

#include "validate/validator.h"

namespace Validate {

VCL_ENUM(TFilterType, std::uint8_t, ftValidChars, ftInvalidChars);

class TCustomFilterValidator : public TValidator {
public:
  using TValidator::TValidator;

  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  // Cleans Value (blanks and control characters cannot be named) and
  // notifies the owner.
  virtual void SetFilterChars(const std::string& Value);

  // Readable everywhere: the numeric validators' lists are observable state.
  const std::string& FilterChars() const { return FFilterChars; }
  TFilterType FilterType() const { return FFilterType; }

protected:
  void SetFilterType(TFilterType Value) { FFilterType = Value; }

  // The character test shared by IsValid and IsValidInput.
  bool CharsPass(const std::string& S) const;
  // For descendants that own the list: stores it as given, with no cleaning
  // and no notification.
  void StoreFilterChars(const std::string& Value);

private:
  bool Listed(char32_t Ch) const;

  std::string FFilterChars;
  // The ASCII members of FFilterChars as bits, kept with it: the character
  // test reads them without searching the list.
  std::uint64_t FAsciiListed[2] = {};
  TFilterType FFilterType = ftValidChars;
};

class TFilterValidator : public TCustomFilterValidator {
public:
  using TCustomFilterValidator::TCustomFilterValidator;

  using TCustomFilterValidator::SetFilterType;
};

} // namespace Validate
