// The date validator. The supported shape of ShortDateFormat is three fields
// of one repeated letter each (M, d and y, in any order) between two date
// separators, as in M/d/yy, dd.MM.yyyy or yyyy-MM-dd; a '/' in the format
// stands for DateSeparator, as it does when dates are formatted.
//
// Formats of any other shape (month names, text around the fields, other
// letters) get no picture at all: input is then not screened while typing,
// no year is supplied, and only the final conversion with StrToDate (and the
// bounds) judge the text. That keeps every locale usable rather than forcing
// a digit picture on a date that is not written in digits.
//
// Most texts the validator judges are dates typed in full, in ASCII: three
// runs of digits that the picture's fields take, between single separators.
// Such a text is read in one pass (ReadWholeDate), and the screening, the
// completion and the final judgement work from the three numbers read,
// without evaluating the picture (Eval is not called for it) and without
// scanning the text again. Any other text takes the full evaluation.
#include "validate/date.h"

#include <algorithm>
#include <utility>

#include "textman/textman.h"
#include "validate/detail/same_text.h"

namespace Validate {

using vcl::Copy;
using vcl::Length;

namespace {

// ShortDateFormat as it reads with its '/' shown as DateSeparator; positions
// in it are positions in ShortDateFormat itself.
std::string SeparatedDateFormat(const vcl::TFormatSettings& Settings) {
  std::string Fmt = Settings.ShortDateFormat;
  TextMan::ReplaceChars('/', Settings.DateSeparator, Fmt);
  return Fmt;
}

// The letter a field is made of, or '\0' when it is empty or mixes letters.
char FieldLetter(const std::string& Field) {
  if (Field.empty() || Field.find_first_not_of(Field[0]) != std::string::npos)
    return '\0';
  return Field[0];
}

// The letter at character Index of Fmt; '\0' where there is none or it is
// not ASCII, which no field letter is.
char LetterAt(const std::string& Fmt, int Index) {
  const std::string Ch = Copy(Fmt, Index, 1);
  return Ch.size() == 1 ? Ch[0] : '\0';
}

// The field (1 to 3) of Fmt, whose separator is D, that holds its first y;
// 0 when Fmt has no y or fewer than two separators.
int YearField(const std::string& Fmt, char32_t D) {
  const int Y = vcl::Pos('y', Fmt);
  const int P1 = TextMan::CharPos(D, Fmt, 1);
  const int P2 = TextMan::CharOccurrence(D, Fmt, 2);
  if (Y == 0 || P2 == 0)
    return 0;
  return Y < P1 ? 1 : Y < P2 ? 2 : 3;
}

// The value of a field. The picture leaves nothing but a few digits there,
// which are read in place; anything else is judged by TryStrToInt.
bool PartValue(std::string_view Part, int& N) {
  N = 0;
  for (const char Ch : Part) {
    if (Ch < '0' || Ch > '9' || N > 999)
      return vcl::TryStrToInt(std::string(Part), N);
    N = N * 10 + (Ch - '0');
  }
  return true;
}

// The part test of a field's value N, whose letter is Letter. A lone 0
// with no separator after it passes as the start of a month or day still
// being typed.
bool CheckPartValue(int N, bool LoneZero, char Letter) {
  switch (Letter) {
  case 'M':
    return (N >= 1 && N <= 12) || LoneZero;
  case 'd':
    return (N >= 1 && N <= 31) || LoneZero;
  case 'y':
    return N >= 0 && N <= 9999;
  default:
    return false;
  }
}

// The part test of a field's text Part.
bool CheckDatePart(std::string_view Part, bool SeparatorFollows, char Letter) {
  if (Part.empty())
    return true;
  int N = 0;
  return PartValue(Part, N) && CheckPartValue(N, Part == "0" && !SeparatorFollows, Letter);
}

// Where a date text's first two separators are and how long it is: character
// positions (0 for a separator that is absent) for the edits, byte offsets
// for cutting out the fields, and the separator's width in bytes.
struct TSeparators {
  int Length = 0;
  int P1 = 0;
  int P2 = 0;
  std::size_t B1 = 0;
  std::size_t B2 = 0;
  std::size_t Width = 1;

  // Notes a separator at character position P, byte offset At.
  void Note(int P, std::size_t At) {
    if (P1 == 0) {
      P1 = P;
      B1 = At;
    } else if (P2 == 0) {
      P2 = P;
      B2 = At;
    }
  }
};

// In ASCII text every byte is a character, so with an ASCII separator the
// positions are the offsets plus one, found without decoding; false, and
// the text left to the walk below, at the first byte that is not ASCII.
bool FindAsciiSeparators(const std::string& S, char D, TSeparators& Result) {
  for (std::size_t At = 0; At < S.size(); ++At) {
    const char Ch = S[At];
    if (static_cast<unsigned char>(Ch) >= 0x80)
      return false;
    if (Ch == D)
      Result.Note(static_cast<int>(At) + 1, At);
  }
  Result.Length = static_cast<int>(S.size());
  return true;
}

// Any text, in one walk over its characters.
TSeparators FindSeparators(const std::string& S, char32_t D) {
  TSeparators Result;
  if (D < 0x80 && FindAsciiSeparators(S, static_cast<char>(D), Result))
    return Result;
  Result = TSeparators();
  for (std::size_t Offset = 0; Offset < S.size();) {
    const std::size_t At = Offset;
    const char32_t Ch = vcl::Utf8Decode(S, Offset);
    ++Result.Length;
    if (Ch == D) {
      Result.Width = Offset - At;
      Result.Note(Result.Length, At);
    }
  }
  return Result;
}

// The current year in decimal digits, only its last two for a short year.
vcl::Word CurrentYear() {
  vcl::Word Year = 0;
  vcl::Word Month = 0;
  vcl::Word Day = 0;
  vcl::DecodeDate(vcl::Date(), Year, Month, Day);
  return Year;
}

std::string CurrentYearText(TDateFormat Format) {
  std::string YearText = vcl::IntToStr(CurrentYear());
  if (Format == vdfShort)
    YearText = Copy(YearText, Length(YearText) - 1, 2);
  return YearText;
}

} // namespace

std::string TCustomDateValidator::TFieldDigits::Picture() const {
  std::string Result = TextMan::FillStr('#', static_cast<std::uint16_t>(Required));
  if (Optional > 0)
    Result += '[' + TextMan::FillStr('#', static_cast<std::uint16_t>(Optional)) + ']';
  return Result;
}

const TCustomDateValidator::TShape* TCustomDateValidator::BuiltShape() const {
  if (FShape.Separator == '\0' ||
      static_cast<char32_t>(FShape.Separator) != FormatSettings().DateSeparator ||
      PictureSerial() != FShape.PictureSerial)
    return nullptr;
  return &FShape;
}

// Whether S is the picture's complete form in ASCII: three runs of digits,
// each as many as its field takes, between single separators. The picture
// takes such a text as it stands, complete, and StrToDate reads it as these
// three numbers. A field of more than four digits is left to the full
// evaluation, so that each value is read as the part test and StrToDate read
// it.
bool TCustomDateValidator::ReadDigitFields(std::string_view S, const TShape& Shape,
                                           TWholeDate& Date) {
  int Field = 0;
  int Value = 0;
  int Digits = 0;
  for (const char Ch : S) {
    if (Ch >= '0' && Ch <= '9') {
      if (++Digits > 4)
        return false;
      Value = Value * 10 + (Ch - '0');
    } else if (Ch == Shape.Separator && Field < 2 && Shape.Fields[Field].Takes(Digits)) {
      Date.Values[Field] = Value;
      Date.Digits[Field] = Digits;
      ++Field;
      Value = 0;
      Digits = 0;
    } else {
      return false;
    }
  }
  if (Field != 2 || !Shape.Fields[2].Takes(Digits))
    return false;
  Date.Values[2] = Value;
  Date.Digits[2] = Digits;
  return true;
}

// A text is read here as it is screened, completed and judged, one call
// after the other, so the last reading is kept.
const TCustomDateValidator::TWholeDate*
TCustomDateValidator::ReadWholeDate(std::string_view S) const {
  const TShape* Shape = BuiltShape();
  if (!Shape || S.size() > sizeof FLastRead.Text)
    return nullptr;
  if (!Detail::SameText(S, std::string_view(FLastRead.Text, FLastRead.Size))) {
    Detail::CopyText(FLastRead.Text, S);
    FLastRead.Size = static_cast<std::uint8_t>(S.size());
    FLastRead.Whole = ReadDigitFields(S, *Shape, FLastRead.Date);
  }
  return FLastRead.Whole ? &FLastRead.Date : nullptr;
}

// The field letters are read from the format in force at fixed places (just
// before the first separator, just after it, the last character), so the
// part test follows the format StrToDate will judge the finished text by.
// What is read from it is kept until the format or the separator changes.
const TCustomDateValidator::TFormatFields& TCustomDateValidator::FormatFields() const {
  const vcl::TFormatSettings& Settings = FormatSettings();
  if (Detail::SameText(FFields.ShortDateFormat, Settings.ShortDateFormat) &&
      FFields.DateSeparator == Settings.DateSeparator)
    return FFields;
  FFields.ShortDateFormat = Settings.ShortDateFormat;
  FFields.DateSeparator = Settings.DateSeparator;
  const std::string Fmt = SeparatedDateFormat(Settings);
  const int P1 = TextMan::CharPos(Settings.DateSeparator, Fmt, 1);
  FFields.Letters[0] = P1 > 1 ? LetterAt(Fmt, P1 - 1) : '\0';
  FFields.Letters[1] = P1 > 0 ? LetterAt(Fmt, P1 + 1) : '\0';
  FFields.Letters[2] = P1 > 0 ? LetterAt(Fmt, Length(Fmt)) : '\0';
  FFields.YearField = YearField(Fmt, Settings.DateSeparator);
  return FFields;
}

TCustomDateValidator::TCustomDateValidator(vcl::TObject* AOwner) : TCustomPictureValidator(AOwner) {
  FMin = vcl::Date();
  FMax = FMin;
  FNoBounds = true;
  SetFormat(vdfLong);
}

void TCustomDateValidator::SetFormat(TDateFormat Value) {
  if (Value == FFormat)
    return;
  FFormat = Value;
  FitYearWidth();
  FormatChanged();
  if (IValidatorOwner* Edit = OwnerEdit())
    Edit->ValidatorChange();
}

void TCustomDateValidator::FitYearWidth() {
  // The year field is the run of y letters at the first y. In the supported
  // shape that is the stretch up to the next separator; counting the letters
  // keeps other formats (dd MMM yyyy) from losing anything but year letters.
  // The year is made exactly two or four letters wide, so that a one- or
  // three-letter year also ends up with a picture of its own width.
  std::string& ShortDateFormat = WritableFormatSettings().ShortDateFormat;
  const std::string Fmt = SeparatedDateFormat(FormatSettings());
  const int Y = vcl::Pos('y', Fmt);
  if (Y == 0)
    return;
  int Width = 0;
  while (LetterAt(Fmt, Y + Width) == 'y')
    ++Width;
  const int Wanted = FFormat == vdfShort ? 2 : 4;
  if (Width > Wanted)
    vcl::Delete(ShortDateFormat, Y, Width - Wanted);
  else if (Width < Wanted)
    vcl::Insert(TextMan::FillStr('y', static_cast<std::uint16_t>(Wanted - Width)), ShortDateFormat,
                Y);
}

void TCustomDateValidator::FormatSettingsChanged() {
  FitYearWidth();
  FormatChanged();
}

// Setting a bound, even to the value it has, makes it one that is stored;
// so does moving it along with the other.
void TCustomDateValidator::SetMax(vcl::TDateTime Value) {
  const vcl::TDateTime OldMin = FMin;
  FMaxSet = true;
  if (StoreMax(FMax, FMin, Value)) {
    FMinSet = FMinSet || FMin != OldMin;
    Change();
  }
}

void TCustomDateValidator::SetMin(vcl::TDateTime Value) {
  const vcl::TDateTime OldMax = FMax;
  FMinSet = true;
  if (StoreMin(FMin, FMax, Value)) {
    FMaxSet = FMaxSet || FMax != OldMax;
    Change();
  }
}

void TCustomDateValidator::FormatChanged() {
  FShape = TShape();
  FLastRead = TLastRead();
  const std::string S = SeparatedDateFormat(FormatSettings());
  const char32_t D = FormatSettings().DateSeparator;
  const int P1 = TextMan::CharPos(D, S, 1);
  const int P2 = P1 > 0 ? TextMan::CharPos(D, S, P1 + 1) : 0;
  const int L = Length(S);
  if (P1 == 0 || P2 == 0 || TextMan::CharPos(D, S, P2 + 1) != 0) {
    SetPictureField("");
    return;
  }
  const std::string Fields[3] = {Copy(S, 1, P1 - 1), Copy(S, P1 + 1, P2 - P1 - 1),
                                 Copy(S, P2 + 1, L - P2)};
  std::string Letters;
  TFieldDigits* Digits = FShape.Fields;
  for (int I = 0; I < 3; ++I) {
    Letters += FieldLetter(Fields[I]);
    const int Width = Length(Fields[I]);
    Digits[I] = Width == 1 ? TFieldDigits{1, 1} : TFieldDigits{Width, 0};
  }
  if (!TextMan::CharInStr('M', Letters) || !TextMan::CharInStr('d', Letters) ||
      !TextMan::CharInStr('y', Letters)) {
    SetPictureField("");
    return;
  }
  FitYearDigits(Digits[YearField(S, D) - 1]);
  const std::string Separator = PictureLiteral(vcl::Utf8Encode(D));
  SetPictureField(Digits[0].Picture() + Separator + Digits[1].Picture() + Separator +
                  Digits[2].Picture());
  FShape.PictureSerial = PictureSerial();
  // A digit would be read as part of a field, and a blank is skipped by the
  // date reader around every piece: texts with such a separator always take
  // the full evaluation.
  if (D < 0x80 && D != ' ' && !(D >= '0' && D <= '9'))
    FShape.Separator = static_cast<char>(D);
}

// The year takes at most two digits in short form, four in long form
// (a two-letter year widened), and in optional form the last two of those
// four may be left out.
void TCustomDateValidator::FitYearDigits(TFieldDigits& Year) const {
  switch (FFormat) {
  case vdfShort:
    Year.Required = std::min(Year.Required, 2);
    Year.Optional = std::min(Year.Optional, 2 - Year.Required);
    break;
  case vdfLong:
  case vdfOptional:
    if (Year.Required == 2 && Year.Optional == 0)
      Year.Required = 4;
    if (FFormat == vdfOptional && Year.Optional == 0 && Year.Required > 2)
      Year = TFieldDigits{Year.Required - 2, 2};
    break;
  }
}

bool TCustomDateValidator::WholeDateInput(const TWholeDate& Whole) const {
  const char* Letters = FormatFields().Letters;
  return CheckPartValue(Whole.Values[0], false, Letters[0]) &&
         CheckPartValue(Whole.Values[1], false, Letters[1]) &&
         CheckPartValue(Whole.Values[2], Whole.Digits[2] == 1 && Whole.Values[2] == 0, Letters[2]);
}

bool TCustomDateValidator::IsValidInput(std::string& S, bool SuppressFill) {
  // A date typed in full needs only its part tests, from its values.
  if (const TWholeDate* Whole = ReadWholeDate(S))
    return WholeDateInput(*Whole);
  if (!TCustomPictureValidator::IsValidInput(S, SuppressFill))
    return false;
  // Without a picture (a format of another shape) input is not screened.
  if (Picture().empty())
    return true;
  const char* Letters = FormatFields().Letters;
  const char32_t D = FormatSettings().DateSeparator;
  const TSeparators Seps = FindSeparators(S, D);
  const std::string_view Text = S;
  if (Seps.P1 == 0)
    return CheckDatePart(Text, false, Letters[0]);
  if (!CheckDatePart(Text.substr(0, Seps.B1), true, Letters[0]))
    return false;
  const std::size_t After1 = Seps.B1 + Seps.Width;
  if (Seps.P2 == 0)
    return CheckDatePart(Text.substr(After1), false, Letters[1]);
  const std::size_t After2 = Seps.B2 + Seps.Width;
  return CheckDatePart(Text.substr(After1, Seps.B2 - After1), true, Letters[1]) &&
         CheckDatePart(Text.substr(After2), false, Letters[2]);
}

void TCustomDateValidator::SetText(std::string& S) {
  if (S.empty())
    return;
  if (const TWholeDate* Whole = ReadWholeDate(S)) {
    // The picture leaves a date typed in full as it stands, and it can lack
    // only the century of a two-digit year at its end.
    if (!WholeDateInput(*Whole) || Whole->Digits[2] != 2)
      return;
  } else {
    // The completion works on the text as the picture normalised it (a
    // typed blank read as the separator), so 12 25 completes like 12/25.
    std::string Typed = S;
    if (!IsValidInput(Typed, true))
      return;
    S = std::move(Typed);
  }
  // A year-first format asks for the year before anything else, so a text
  // that lacks later fields lacks month or day, which are never guessed: it
  // stays as typed. Without a picture there is nothing to complete.
  const int Field = FormatFields().YearField;
  if (Picture().empty() || Field < 2)
    return;

  const char32_t D = FormatSettings().DateSeparator;
  const TSeparators Seps = FindSeparators(S, D);
  const int P1 = Seps.P1;
  int P2 = Seps.P2;
  // Typing the day fills in the separator before the year: 12/25/ lacks its
  // year just as 12/25 does, and is completed the same way.
  if (Field == 3 && P2 == Seps.Length) {
    vcl::Delete(S, P2, 1);
    P2 = 0;
  }
  if (P2 == 0) {
    // With no separator typed yet there is no place after the first one:
    // the year goes at the end in either case.
    const std::string YearText = CurrentYearText(FFormat);
    if (Field == 2 && P1 > 0)
      vcl::Insert(YearText + vcl::Utf8Encode(D), S, P1 + 1);
    else
      S = S + vcl::Utf8Encode(D) + YearText;
  } else if (FFormat == vdfLong && Field == 3 && Seps.Length - P2 == 2) {
    // A two-digit year gets the century StrToDate would read it in: the
    // current one, or the one the settings' century window gives. A year in
    // the middle field needs no such help: the picture takes only all four
    // of its digits before the next separator.
    const vcl::Word Year = vcl::ExpandTwoDigitYear(
        static_cast<vcl::Word>(vcl::StrToInt(Copy(S, P2 + 1, 2))), CurrentYear(), FormatSettings());
    std::string Century = vcl::IntToStr(Year / 100);
    if (Length(Century) < 2)
      Century = "0" + Century;
    vcl::Insert(Century, S, P2 + 1);
  }
}

bool TCustomDateValidator::IsValid(std::string S) {
  vcl::TDateTime Value = 0;
  if (const TWholeDate* Whole = ReadWholeDate(S)) {
    // The picture takes a date typed in full as complete: only the date is
    // left to judge.
    if (!vcl::TryEncodeDateNumbers(Whole->Values, Whole->Digits, FormatSettings(), Value))
      return false;
  } else {
    if (!vcl::TryStrToDate(S, Value, FormatSettings()))
      return S.empty();
    if (!TCustomPictureValidator::IsValid(std::move(S)))
      return false;
  }
  return FNoBounds || (FMin <= Value && Value <= FMax);
}

std::string TCustomDateValidator::ErrorMessage(bool Input, std::string S) {
  if (Input || FNoBounds)
    return QuotedMessage(S, vcl::ResString(vcl::rsNotADate));
  return QuotedMessage(S, RangeLiteral(vcl::rsRangeDate, vcl::DateToStr(FMin, FormatSettings()),
                                       vcl::DateToStr(FMax, FormatSettings())));
}

} // namespace Validate
