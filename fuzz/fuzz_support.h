// What the fuzz targets share: inputs read as lines, a check that stops the
// run with a message (a finding), and a quiet, fixed environment (message
// boxes recorded instead of shown, a clock that does not move).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace Fuzz {

// The input split at '\n'; a final line end adds no empty line.
inline std::vector<std::string> Lines(const std::uint8_t* Data, std::size_t Size) {
  std::vector<std::string> Result;
  std::string Current;
  for (std::size_t I = 0; I < Size; ++I) {
    if (Data[I] == '\n') {
      Result.push_back(Current);
      Current.clear();
    } else {
      Current += static_cast<char>(Data[I]);
    }
  }
  if (!Current.empty())
    Result.push_back(Current);
  return Result;
}

// A broken invariant: print it and abort, which libFuzzer reports as a crash
// and keeps the input.
#define FUZZ_CHECK(Condition, ...)                                                                 \
  do {                                                                                             \
    if (!(Condition)) {                                                                            \
      std::fprintf(stderr, "check failed: %s\n", #Condition);                                      \
      std::fprintf(stderr, __VA_ARGS__);                                                           \
      std::fputc('\n', stderr);                                                                    \
      std::abort();                                                                                \
    }                                                                                              \
  } while (false)

// The last message box, and how many were shown.
struct TBoxes {
  std::string Last;
  int Count = 0;
};

inline TBoxes& Boxes() {
  static TBoxes B;
  return B;
}

// Boxes are recorded, the clock stands at noon of 15 June 2026, and the
// locale is the default one. Call from LLVMFuzzerInitialize.
inline void QuietEnvironment() {
  vcl::SetMessageDlgHandler([](const std::string& Msg, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
    Boxes().Last = Msg;
    ++Boxes().Count;
    return vcl::mrOk;
  });
  vcl::SetNowFunction([] { return vcl::EncodeDate(2026, 6, 15) + 0.5; });
  vcl::ResetLocale();
}

} // namespace Fuzz
