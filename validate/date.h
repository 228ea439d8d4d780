// The date validator: a picture validator whose picture is built from the
// locale's short date format, so that a date is typed digit by digit with
// its separators filled in. It adds what a picture cannot say (month 1 to 12
// and day 1 to 31 while typing, a real date on leaving, optional bounds),
// completes a date typed without its year, and sets the year width of the
// ShortDateFormat of its settings (the process-wide one, unless it was given
// its own) to match its Format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "validate/picture.h"
#include "vcl/sysutils.h"

namespace Validate {

VCL_ENUM(TDateFormat, std::uint8_t, vdfShort, vdfLong, vdfOptional);

class TCustomDateValidator : public TCustomPictureValidator {
public:
  explicit TCustomDateValidator(vcl::TObject* AOwner);

  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  void SetText(std::string& S) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  virtual void SetFormat(TDateFormat Value);
  virtual void SetMax(vcl::TDateTime Value);
  virtual void SetMin(vcl::TDateTime Value);

protected:
  TDateFormat Format() const { return FFormat; }
  vcl::TDateTime Max() const { return FMax; }
  vcl::TDateTime Min() const { return FMin; }
  bool NoBounds() const { return FNoBounds; }
  void SetNoBounds(bool Value) { FNoBounds = Value; }

  // Rebuilds the picture from ShortDateFormat, DateSeparator and Format.
  void FormatChanged();
  void FormatSettingsChanged() override;

  // Stored-tests of the bounds. A bound starts as today's date, which only
  // means "today": it is stored once it has been set (by code, an editor or
  // a form file), so that an untouched form file does not change from one
  // day to the next.
  bool IsMaxStored() const { return FMaxSet; }
  bool IsMinStored() const { return FMinSet; }

private:
  // Makes the year of the settings' ShortDateFormat as wide as Format asks.
  void FitYearWidth();
  // What the part test and the completion read from ShortDateFormat, with
  // the format and separator it was read from.
  struct TFormatFields {
    std::string ShortDateFormat;
    char32_t DateSeparator = 0;
    char Letters[3] = {};
    int YearField = 0;
  };
  const TFormatFields& FormatFields() const;

  // The digits a field of the picture takes: Required ones, then Optional
  // more as one optional group ("#[#]" is 1 and 1, "##[##]" 2 and 2).
  struct TFieldDigits {
    int Required = 0;
    int Optional = 0;
    std::string Picture() const;
    bool Takes(int Digits) const { return Digits == Required || Digits == Required + Optional; }
  };
  // The picture as it was built (its serial), with its separator and the
  // digits of its fields. A text that is the picture's complete form is
  // judged from one pass over it, without evaluating the picture (see
  // date.cpp).
  struct TShape {
    std::uint64_t PictureSerial = 0;
    char Separator = 0; // '\0' when no text can be judged from the shape
    TFieldDigits Fields[3];
  };
  // The fields of a date typed in full: their values and their digits.
  struct TWholeDate {
    int Values[3] = {};
    int Digits[3] = {};
  };
  // Fits the digits of the year field to Format.
  void FitYearDigits(TFieldDigits& Year) const;
  // The shape of the picture in force, or nullptr when a text cannot be
  // judged from it: no picture was built, it was replaced since, or the
  // settings' separator is no longer the one it was built with.
  const TShape* BuiltShape() const;
  // The fields of S when it is the complete form of the built picture;
  // nullptr otherwise. Valid until the next call.
  const TWholeDate* ReadWholeDate(std::string_view S) const;
  static bool ReadDigitFields(std::string_view S, const TShape& Shape, TWholeDate& Date);
  // The part tests of a date typed in full, from its values.
  bool WholeDateInput(const TWholeDate& Whole) const;

  mutable TFormatFields FFields;
  TShape FShape;
  // The last text ReadWholeDate read (a text is read as it is screened,
  // completed and judged, one call after the other) and what it gave. Its
  // text starts empty, which is never a date typed in full.
  struct TLastRead {
    std::uint8_t Size = 0;
    char Text[3 * 4 + 2] = {}; // the longest date typed in full: three fields of four digits
    bool Whole = false;
    TWholeDate Date;
  };
  mutable TLastRead FLastRead;
  TDateFormat FFormat = vdfShort;
  vcl::TDateTime FMax = 0;
  vcl::TDateTime FMin = 0;
  bool FNoBounds = true;
  bool FMaxSet = false;
  bool FMinSet = false;
};

class TDateValidator : public TCustomDateValidator {
public:
  using TCustomDateValidator::TCustomDateValidator;

  using TCustomDateValidator::Format;
  using TCustomDateValidator::IsMaxStored;
  using TCustomDateValidator::IsMinStored;
  using TCustomDateValidator::Max;
  using TCustomDateValidator::Min;
  using TCustomDateValidator::NoBounds;
  using TCustomDateValidator::SetNoBounds;
};

} // namespace Validate
