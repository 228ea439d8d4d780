// The line reader: read(2) into a fixed buffer, memchr for line ends.
#include "apps/valcheck/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ValCheck {

namespace {

// Bytes asked of each read beyond what a longest line needs.
constexpr std::size_t ReadSize = 256 * 1024;
// Room for lines at the start; most data has far shorter ones.
constexpr std::size_t StartLineRoom = 64 * 1024;

} // namespace

TLineReader::TLineReader(int Fd, std::size_t MaxLine)
    : FFd(Fd), FMaxLine(MaxLine), FCapacity(MaxLine + 2 + ReadSize),
      FBuffer(std::min(MaxLine + 2, StartLineRoom) + ReadSize) {}

bool TLineReader::Fill() {
  if (FEof || FError)
    return false;
  if (FBuffer.size() - FEnd < ReadSize) {
    std::memmove(FBuffer.data(), FBuffer.data() + FStart, FEnd - FStart);
    FScan -= FStart;
    FEnd -= FStart;
    FStart = 0;
  }
  // The line being read fills the buffer: it grows, the line in place.
  if (FBuffer.size() - FEnd < ReadSize && FBuffer.size() < FCapacity)
    FBuffer.resize(std::min(FBuffer.size() * 2, FCapacity));
  for (;;) {
    const ssize_t Got = ::read(FFd, FBuffer.data() + FEnd, FBuffer.size() - FEnd);
    if (Got > 0) {
      FEnd += static_cast<std::size_t>(Got);
      return true;
    }
    if (Got == 0) {
      FEof = true;
      return false;
    }
    if (errno != EINTR) {
      FError = errno;
      return false;
    }
  }
}

TLineReader::TKind TLineReader::Next(std::string_view& Line, TByteSink* Overflow) {
  for (;;) {
    const char* Begin = FBuffer.data();
    if (const void* Found = std::memchr(Begin + FScan, '\n', FEnd - FScan)) {
      const auto Newline = static_cast<std::size_t>(static_cast<const char*>(Found) - Begin);
      std::size_t Length = Newline - FStart;
      if (Length > 0 && Begin[Newline - 1] == '\r')
        --Length;
      if (Length > FMaxLine) {
        if (Overflow)
          Overflow->Write({Begin + FStart, Newline - FStart});
        FStart = FScan = Newline + 1;
        return lkTooLong;
      }
      Line = {Begin + FStart, Length};
      FStart = FScan = Newline + 1;
      return lkLine;
    }
    FScan = FEnd;
    // One byte more than the limit may still be the '\r' of a "\r\n".
    if (FEnd - FStart > FMaxLine + 1)
      return SkipLongLine(Overflow);
    if (!Fill()) {
      if (FError)
        return lkError;
      if (FStart == FEnd)
        return lkEnd;
      Begin = FBuffer.data(); // Fill may have grown the buffer
      // The last line, without a line end.
      std::size_t Length = FEnd - FStart;
      if (Begin[FEnd - 1] == '\r')
        --Length;
      const std::size_t Start = FStart;
      FStart = FScan = FEnd;
      if (Length > FMaxLine) {
        if (Overflow)
          Overflow->Write({Begin + Start, FEnd - Start});
        return lkTooLong;
      }
      Line = {Begin + Start, Length};
      return lkLine;
    }
  }
}

// Passes the rest of a line that is too long to keep, a buffer at a time.
TLineReader::TKind TLineReader::SkipLongLine(TByteSink* Overflow) {
  for (;;) {
    const char* Begin = FBuffer.data();
    const void* Found = std::memchr(Begin + FStart, '\n', FEnd - FStart);
    const std::size_t Stop =
        Found ? static_cast<std::size_t>(static_cast<const char*>(Found) - Begin) : FEnd;
    if (Overflow && Stop > FStart)
      Overflow->Write({Begin + FStart, Stop - FStart});
    if (Found) {
      FStart = FScan = Stop + 1;
      return lkTooLong;
    }
    FStart = FScan = FEnd;
    if (!Fill())
      return FError ? lkError : lkTooLong;
  }
}

} // namespace ValCheck
