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
// amount of a stored decimal text, digit by digit (no binary rounding).
TDBValue CurrencyValue(Currency Value);
std::optional<Currency> ParseCurrency(const std::string& Text);

// The value as text, the way a string field shows any stored value.
std::string ValueText(const TDBValue& Value);

} // namespace vcl::dbstore
