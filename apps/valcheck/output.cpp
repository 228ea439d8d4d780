// Buffered writing to a file descriptor, and numbers for any sink.
#include "apps/valcheck/output.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace ValCheck {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

} // namespace

TOutput::TOutput(int Fd) : FFd(Fd) {
  FBuffer.reserve(BufferSize);
}

void TOutput::Write(std::string_view Bytes) {
  if (FBuffer.size() + Bytes.size() > FBuffer.capacity()) {
    Flush();
    // A piece larger than the buffer goes out directly, never copied.
    if (Bytes.size() >= FBuffer.capacity()) {
      WriteAll(Bytes.data(), Bytes.size());
      return;
    }
  }
  FBuffer.append(Bytes);
}

void TTextSink::Number(long long N) {
  char Digits[24];
  const auto R = std::to_chars(Digits, Digits + sizeof Digits, N);
  Write({Digits, static_cast<std::size_t>(R.ptr - Digits)});
}

void TTextSink::Location(std::string_view File, long long LineNo) {
  Write(File);
  Put(':');
  Number(LineNo);
  Write(": ");
}

bool TOutput::Flush() {
  WriteAll(FBuffer.data(), FBuffer.size());
  FBuffer.clear();
  return FError == 0;
}

void TOutput::WriteAll(const char* Data, std::size_t Size) {
  while (Size > 0 && FError == 0) {
    const ssize_t Done = ::write(FFd, Data, Size);
    if (Done >= 0) {
      Data += Done;
      Size -= static_cast<std::size_t>(Done);
    } else if (errno != EINTR) {
      FError = errno;
    }
  }
}

} // namespace ValCheck
