// Lines from a file descriptor through one buffer: each line is handed out
// in place, so reading costs no allocation per line, and a line longer than
// the limit is never held whole. The buffer starts small and grows with the
// longest line read so far, to the limit plus one read at most: a generous
// limit costs nothing until a line needs it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace ValCheck {

// Receives the bytes of an over-long line as they go by.
class TByteSink {
public:
  virtual void Write(std::string_view Bytes) = 0;

protected:
  ~TByteSink() = default;
};

class TLineReader {
public:
  enum TKind { lkLine, lkTooLong, lkEnd, lkError };

  // MaxLine: the longest line taken, in bytes, without its line end.
  TLineReader(int Fd, std::size_t MaxLine);

  // The next line. lkLine: Line holds it without its line end ("\n", or
  // "\r\n"), valid until the next call. lkTooLong: the line was longer than
  // MaxLine; it has been read past, its bytes (all but the final "\n") going
  // to Overflow when one is given. lkError: reading failed, errno is in
  // Error(). A last line without a line end is a line; an empty input has none.
  TKind Next(std::string_view& Line, TByteSink* Overflow);

  int Error() const { return FError; }

private:
  // Reads more after the unscanned bytes, moving them to the front first
  // when the buffer's end is reached. False at the end of the input or on
  // an error.
  bool Fill();
  TKind SkipLongLine(TByteSink* Overflow);

  int FFd;
  std::size_t FMaxLine;
  std::size_t FCapacity; // the most the buffer grows to
  std::vector<char> FBuffer;
  std::size_t FStart = 0; // first byte of the current line
  std::size_t FEnd = 0;   // end of the bytes read
  std::size_t FScan = 0;  // bytes before this hold no line end
  bool FEof = false;
  int FError = 0;
};

} // namespace ValCheck
