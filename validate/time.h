// The time validator: a picture validator for a time of day, built from the
// locale's time separator and, on a 12-hour clock, its AM/PM markers. While
// typing it checks the hour against the clock and minutes and seconds
// against 0 to 59; the finished text must convert with StrToTime and may be
// held between two bounds. Before judging, SetText adds or removes the
// seconds to suit Format and upper-cases the text.
#pragma once

#include <cstdint>
#include <string>

#include "validate/picture.h"
#include "vcl/sysutils.h"

namespace Validate {

VCL_ENUM(TTimeFormat, std::uint8_t, vtfShort, vtfLong, vtfOptional);

class TCustomTimeValidator : public TCustomPictureValidator {
public:
  explicit TCustomTimeValidator(vcl::TObject* AOwner);

  // The bounds a new validator starts with: midnight to a second before the
  // next.
  static constexpr vcl::TDateTime StartMin = 0.0;
  static constexpr vcl::TDateTime StartMax = 0.99999;

  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  void SetText(std::string& S) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  virtual void SetFormat(TTimeFormat Value);
  virtual void SetMax(vcl::TDateTime Value);
  virtual void SetMin(vcl::TDateTime Value);

protected:
  TTimeFormat Format() const { return FFormat; }
  vcl::TDateTime Max() const { return FMax; }
  vcl::TDateTime Min() const { return FMin; }
  bool NoBounds() const { return FNoBounds; }
  void SetNoBounds(bool Value) { FNoBounds = Value; }

  // Rebuilds the picture from TimeSeparator, the clock of LongTimeFormat,
  // the AM/PM markers and Format.
  void FormatChanged();
  void FormatSettingsChanged() override;

private:
  TTimeFormat FFormat = vtfShort;
  vcl::TDateTime FMax = 0;
  vcl::TDateTime FMin = 0;
  bool FNoBounds = true;
  // Whether the picture was built for a 12-hour clock; the hour test follows
  // the picture rather than a LongTimeFormat changed since.
  bool FTwelveHour = false;
};

class TTimeValidator : public TCustomTimeValidator {
public:
  using TCustomTimeValidator::TCustomTimeValidator;

  using TCustomTimeValidator::Format;
  using TCustomTimeValidator::Max;
  using TCustomTimeValidator::Min;
  using TCustomTimeValidator::NoBounds;
  using TCustomTimeValidator::SetNoBounds;
};

} // namespace Validate
