// Where valcheck's text goes: standard output or error through a buffer
// (TOutput, write(2); a failed write is remembered and later output
// dropped, so the caller can stop and say why once), or the text buffer of
// a block of lines judged by a worker thread (TTextBuffer).
#pragma once

#include <string>
#include <string_view>

#include "apps/valcheck/line_reader.h"

namespace ValCheck {

class TTextSink : public TByteSink {
public:
  virtual void Put(char Ch) = 0;
  void Number(long long N);
  // The head of a report, "FILE:LINE: ", as compilers and grep write it.
  void Location(std::string_view File, long long LineNo);

protected:
  ~TTextSink() = default;
};

class TOutput final : public TTextSink {
public:
  explicit TOutput(int Fd);
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  void Write(std::string_view Bytes) override;
  void Put(char Ch) override {
    if (FBuffer.size() == FBuffer.capacity())
      Flush();
    FBuffer.push_back(Ch);
  }
  // Writes what is buffered; false when this or an earlier write failed.
  bool Flush();
  int Error() const { return FError; }

private:
  void WriteAll(const char* Data, std::size_t Size);

  int FFd;
  std::string FBuffer;
  int FError = 0;
};

class TTextBuffer final : public TTextSink {
public:
  void Write(std::string_view Bytes) override { Text.append(Bytes); }
  void Put(char Ch) override { Text.push_back(Ch); }

  std::string Text;
};

} // namespace ValCheck
