// Stored values and their conversions, shared by the fields and the SQLite
// data set: numbers written and read without regard to the locale, dates and
// times as ISO 8601 text, and the name of a value's kind for messages.
#pragma once

#include <optional>
#include <string>

#include "vcl/db.h"

namespace vcl::dbstore {

// Locale-independent number texts ("12.5", "-3"), as the storage keeps them.
std::string NumberText(double Value);
std::optional<std::int64_t> ParseInteger(const std::string& Text);
std::optional<double> ParseReal(const std::string& Text);

// "2024-01-31", "13:05:00", "2024-01-31 13:05:00" (milliseconds when there
// are any), and back; numbers are Julian day numbers, as SQLite's date
// functions read them.
std::string IsoDate(TDateTime Value);
std::string IsoTime(TDateTime Value);
std::string IsoDateTime(TDateTime Value);
std::optional<TDateTime> ParseIso(const std::string& Text);
TDateTime FromJulianDay(double Day);

// An exact amount: the integer when whole, else the decimal text; and the
// amount of a stored decimal text, digit by digit (no binary rounding),
// rounded to four decimals.
TDBValue CurrencyValue(Currency Value);
std::optional<Currency> ParseCurrency(const std::string& Text);
// The amount of a real: its shortest decimal text that reads back as the
// same real, rounded to four decimals; none outside the range.
std::optional<Currency> CurrencyOfReal(double Value);

// The number a text writes (blanks, sign, digits, a point, an exponent) in
// one form for every way of writing it ("12.50", "1.25e1" and "+12.5" give
// the same); none when the text is no number.
std::optional<std::string> NumberKey(const std::string& Text);

// The value as text, the way a string field shows any stored value.
std::string ValueText(const TDBValue& Value);

// Copies From into To (as To = From does) with a short way for a value of
// the kind To holds already, the case of every move of a walk: numbers are
// stored, texts copied into the memory To's text holds. Records are copied
// on each move of a data set, where the general copy of a variant costs
// several times this.
inline void CopyValue(TDBValue& To, const TDBValue& From) {
  if (To.index() == From.index()) {
    if (auto* S = std::get_if<std::string>(&To)) {
      S->assign(*std::get_if<std::string>(&From));
      return;
    }
    if (auto* I = std::get_if<std::int64_t>(&To)) {
      *I = *std::get_if<std::int64_t>(&From);
      return;
    }
    if (auto* D = std::get_if<double>(&To)) {
      *D = *std::get_if<double>(&From);
      return;
    }
  }
  To = From;
}

// To becomes a copy of From, value by value as CopyValue copies.
inline void CopyRecord(TRecordBuffer& To, const TRecordBuffer& From) {
  To.resize(From.size());
  for (std::size_t I = 0; I < From.size(); ++I)
    CopyValue(To[I], From[I]);
}

} // namespace vcl::dbstore
