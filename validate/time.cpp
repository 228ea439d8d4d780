// The time validator.
#include "validate/time.h"

#include "textman/textman.h"

namespace Validate {

using vcl::Copy;
using vcl::Length;

namespace {

// A 12-hour clock is one whose LongTimeFormat ends in an upper-case M (as
// h:mm:ss AMPM does). A format that ends in its marker spelt in lower case
// (am/pm, ampm, a/p) also shows a 12-hour clock, and a user typing into it
// expects the marker to be asked for, so those count as 12-hour clocks too.
// A marker anywhere else leaves the 24-hour clock.
bool IsTwelveHourClock(const std::string& Fmt) {
  if (!Fmt.empty() && Fmt.back() == 'M')
    return true;
  const std::string Lower = vcl::LowerCase(Fmt);
  for (const char* Marker : {"ampm", "am/pm", "a/p"})
    if (Lower.ends_with(Marker))
      return true;
  return false;
}

} // namespace

TCustomTimeValidator::TCustomTimeValidator(vcl::TObject* AOwner) : TCustomPictureValidator(AOwner) {
  FormatChanged();
  FMin = StartMin;
  FMax = StartMax;
  FNoBounds = true;
}

void TCustomTimeValidator::SetFormat(TTimeFormat Value) {
  if (Value == FFormat)
    return;
  FFormat = Value;
  FormatChanged();
  Change();
}

void TCustomTimeValidator::FormatSettingsChanged() {
  FormatChanged();
}

void TCustomTimeValidator::SetMax(vcl::TDateTime Value) {
  if (StoreMax(FMax, FMin, Value))
    Change();
}

void TCustomTimeValidator::SetMin(vcl::TDateTime Value) {
  if (StoreMin(FMin, FMax, Value))
    Change();
}

void TCustomTimeValidator::FormatChanged() {
  const vcl::TFormatSettings& Settings = FormatSettings();
  const std::string T = PictureLiteral(vcl::Utf8Encode(Settings.TimeSeparator));
  std::string Pic = "#[#]" + T + "##";
  switch (FFormat) {
  case vtfShort:
    break;
  case vtfLong:
    Pic += T + "##";
    break;
  case vtfOptional:
    Pic += "[" + T + "##]";
    break;
  }
  FTwelveHour = IsTwelveHourClock(Settings.LongTimeFormat);
  if (FTwelveHour) {
    const std::string AM = PictureLiteral(Settings.TimeAMString);
    const std::string PM = PictureLiteral(Settings.TimePMString);
    Pic += " {" + AM + "," + PM + "," + vcl::LowerCase(AM + "," + PM) + "}";
  }
  SetPictureField(Pic);
}

bool TCustomTimeValidator::IsValidInput(std::string& S, bool SuppressFill) {
  if (!TCustomPictureValidator::IsValidInput(S, SuppressFill))
    return false;
  if (S.empty())
    return true;
  const char32_t T = FormatSettings().TimeSeparator;
  const int P1 = TextMan::CharPos(T, S, 1);
  int Hour = 0;
  if (!vcl::TryStrToInt(P1 > 0 ? Copy(S, 1, P1 - 1) : S, Hour))
    return false;
  if (FTwelveHour ? Hour < 1 || Hour > 12 : Hour < 0 || Hour > 23)
    return false;
  if (P1 == 0)
    return true;
  const int P2 = TextMan::CharPos(T, S, P1 + 1);
  // Minutes or seconds that are no whole number yet (empty, or still
  // carrying the AM/PM marker) are left to the final conversion.
  int Minutes = 0;
  if (!vcl::TryStrToInt(P2 > 0 ? Copy(S, P1 + 1, P2 - P1 - 1) : Copy(S, P1 + 1, Length(S)),
                        Minutes))
    return true;
  if (Minutes >= 60)
    return false;
  int Seconds = 0;
  if (P2 == 0 || !vcl::TryStrToInt(Copy(S, P2 + 1, Length(S)), Seconds))
    return true;
  return Seconds < 60;
}

void TCustomTimeValidator::SetText(std::string& S) {
  if (S.empty())
    return;
  const char32_t T = FormatSettings().TimeSeparator;
  const int Second = TextMan::CharOccurrence(T, S, 2);
  switch (FFormat) {
  case vtfShort:
    if (Second > 0)
      vcl::Delete(S, Second, 3);
    break;
  case vtfLong:
    // The seconds go right after the minutes, before a blank and AM/PM
    // marker that may follow them, so 12:30 PM becomes 12:30:00 PM and
    // matches the picture; without a marker that is the end of the text.
    if (Second == 0) {
      int After = TextMan::CharPos(T, S, 1) + 1;
      while (After <= Length(S) &&
             TextMan::CharInStr(vcl::Utf8Decode(Copy(S, After, 1))[0], "0123456789"))
        ++After;
      vcl::Insert(vcl::Utf8Encode(T) + "00", S, After);
    }
    break;
  case vtfOptional:
    break;
  }
  S = vcl::UpperCase(S);
}

bool TCustomTimeValidator::IsValid(std::string S) {
  vcl::TDateTime Value = 0;
  if (!vcl::TryStrToTime(S, Value, FormatSettings()))
    return S.empty();
  if (!TCustomPictureValidator::IsValid(S))
    return false;
  return FNoBounds || (FMin <= Value && Value <= FMax);
}

std::string TCustomTimeValidator::ErrorMessage(bool Input, std::string S) {
  if (Input || FNoBounds)
    return QuotedMessage(S, vcl::ResString(vcl::rsNotATime));
  return QuotedMessage(S, RangeLiteral(vcl::rsRangeTime, vcl::TimeToStr(FMin, FormatSettings()),
                                       vcl::TimeToStr(FMax, FormatSettings())));
}

} // namespace Validate
