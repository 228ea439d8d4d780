#include "apps/valcheck/input.h"

#include <algorithm>

#include "apps/valcheck/encoding.h"

namespace ValCheck {

namespace {

// Whether a quoted field is still open after Line, when one was open at its
// start (Open). A quote opens a field only where the field starts; inside
// one a doubled quote stands for itself and a single one closes it.
bool StillOpen(std::string_view Line, bool Open, char Delimiter) {
  bool FieldStart = !Open;
  for (std::size_t I = 0; I < Line.size(); ++I) {
    const char C = Line[I];
    if (Open && C == '"') {
      if (I + 1 < Line.size() && Line[I + 1] == '"')
        ++I;
      else
        Open = false;
    } else if (!Open && C == '"' && FieldStart) {
      Open = true;
    }
    FieldStart = !Open && C == Delimiter;
  }
  return Open;
}

} // namespace

TInput::TInput(int Fd, const TOptions& O) : FOptions(O), FLines(Fd, O.MaxLineLength) {}

TInput::TKind TInput::Next(std::string_view& Text, long long& LineNo, TByteSink* Overflow) {
  for (;;) {
    LineNo = FNextLine;
    const TKind Kind = FOptions.Column == 0 ? NextLine(Text, Overflow) : NextRecord(Text, Overflow);
    if (Kind == ikEnd || Kind == ikError)
      return Kind;
    if (LineNo == 1 && FOptions.Encoding == enUtf8 && Text.starts_with(Utf8Bom))
      Text.remove_prefix(Utf8Bom.size());
    if (LineNo == 1 && FOptions.Header)
      continue;
    if (Kind != ikValue || FOptions.Column == 0)
      return Kind;
    if (!FieldOf(Text, FOptions.Column, FOptions.Delimiter, FField)) {
      Text = FField;
      return ikBadRecord;
    }
    Text = FField;
    return ikValue;
  }
}

TInput::TKind TInput::NextLine(std::string_view& Text, TByteSink* Overflow) {
  switch (FLines.Next(Text, Overflow)) {
  case TLineReader::lkLine:
    ++FNextLine;
    return ikValue;
  case TLineReader::lkTooLong:
    ++FNextLine;
    return ikTooLong;
  case TLineReader::lkEnd:
    return ikEnd;
  case TLineReader::lkError:
    break;
  }
  return ikError;
}

// One record: a line, or lines joined while a quoted field is open. A record
// longer than the limit is read past to its end.
TInput::TKind TInput::NextRecord(std::string_view& Text, TByteSink* Overflow) {
  std::string_view Line;
  bool Joined = false;
  bool TooLong = false;
  bool Open = false;
  for (;;) {
    const TLineReader::TKind Kind = FLines.Next(Line, Overflow);
    if (Kind == TLineReader::lkError)
      return ikError;
    if (Kind == TLineReader::lkEnd) {
      if (!Joined && !TooLong)
        return ikEnd;
      break; // a quote left open at the end: the record ends with the input
    }
    ++FNextLine;
    if (Kind == TLineReader::lkTooLong) {
      TooLong = true;
      // Its bytes are not held, so whether it closes the quote is unknown:
      // the record ends here.
      break;
    }
    Open = StillOpen(Line, Open, FOptions.Delimiter);
    if (!Open && !Joined) {
      Text = Line;
      return ikValue;
    }
    if (!Joined)
      FRecord.clear();
    else
      FRecord += '\n';
    Joined = true;
    if (FRecord.size() + Line.size() > FOptions.MaxLineLength) {
      TooLong = true;
      if (!Open)
        break;
      continue; // read past the rest of the record
    }
    if (!TooLong)
      FRecord.append(Line);
    if (!Open)
      break;
  }
  if (TooLong)
    return ikTooLong;
  Text = FRecord;
  return ikValue;
}

bool FieldOf(std::string_view Record, int Column, char Delimiter, std::string& Field) {
  std::size_t At = 0;
  for (int Index = 1;; ++Index) {
    Field.clear();
    if (At < Record.size() && Record[At] == '"') {
      for (++At;; ++At) {
        if (At >= Record.size()) {
          Field = "the quote that opens field " + std::to_string(Index) + " is never closed";
          return false;
        }
        if (Record[At] == '"') {
          if (At + 1 < Record.size() && Record[At + 1] == '"') {
            Field += '"';
            ++At;
            continue;
          }
          ++At;
          break;
        }
        Field += Record[At];
      }
      if (At < Record.size() && Record[At] != Delimiter) {
        Field = "field " + std::to_string(Index) + " goes on after its closing quote";
        return false;
      }
    } else {
      const std::size_t End = std::min(Record.find(Delimiter, At), Record.size());
      Field.assign(Record.substr(At, End - At));
      if (Field.find('"') != std::string::npos) {
        Field = "field " + std::to_string(Index) + " holds a quote but is not quoted";
        return false;
      }
      At = End;
    }
    if (Index == Column)
      return true;
    if (At >= Record.size()) {
      Field = "the record has " + std::to_string(Index) + (Index == 1 ? " field" : " fields") +
              ", not " + std::to_string(Column);
      return false;
    }
    ++At; // the delimiter
  }
}

} // namespace ValCheck
