// Buffered output to a file descriptor with write(2). A failed write is
// remembered (errno) and later output is dropped, so the caller can stop
// and say why once.
#pragma once

#include <string>
#include <string_view>

#include "apps/valcheck/line_reader.h"

namespace ValCheck {

class TOutput : public TByteSink {
public:
  explicit TOutput(int Fd);
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  void Write(std::string_view Bytes) override;
  void Put(char Ch) {
    if (FBuffer.size() == FBuffer.capacity())
      Flush();
    FBuffer.push_back(Ch);
  }
  void Number(long long N);
  // Writes what is buffered; false when this or an earlier write failed.
  bool Flush();
  int Error() const { return FError; }

private:
  void WriteAll(const char* Data, std::size_t Size);

  int FFd;
  std::string FBuffer;
  int FError = 0;
};

} // namespace ValCheck
