// What valcheck judges, one value at a time: each line of the input, or in
// column mode one field of each record of a delimited file. Records follow
// RFC 4180: fields are separated by the delimiter, and a field in double
// quotes may hold the delimiter, line breaks and doubled quotes (""). A
// header record may be skipped, and a UTF-8 input's byte order mark is.
#pragma once

#include <string>
#include <string_view>

#include "apps/valcheck/line_reader.h"
#include "apps/valcheck/options.h"

namespace ValCheck {

class TInput {
public:
  enum TKind {
    ikValue,     // Text is a value to judge
    ikTooLong,   // a line (or record) longer than the limit, read past
    ikBadRecord, // Text says what is wrong with the record
    ikEnd,
    ikError // reading failed; errno in Error()
  };

  TInput(int Fd, const TOptions& O);

  // The next value; LineNo is the line it starts on. Text stays valid until
  // the next call. Overflow takes the bytes of a line that is too long, as
  // TLineReader::Next does.
  TKind Next(std::string_view& Text, long long& LineNo, TByteSink* Overflow);

  int Error() const { return FLines.Error(); }

private:
  TKind NextLine(std::string_view& Text, TByteSink* Overflow);
  TKind NextRecord(std::string_view& Text, TByteSink* Overflow);

  const TOptions& FOptions;
  TLineReader FLines;
  long long FNextLine = 1;
  std::string FRecord; // a record that spans lines, joined with "\n"
  std::string FField;
};

// Field Column (from 1) of Record into Field; false, with Field saying why,
// when the record has fewer fields or its quotes are not as RFC 4180 has
// them.
bool FieldOf(std::string_view Record, int Column, char Delimiter, std::string& Field);

} // namespace ValCheck
