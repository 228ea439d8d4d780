// The form-file reader and writer. Input: a form text, read with the test
// classes that publish a property of every kind (nested components, sub-
// objects, string lists, sets, binary data, references, event handlers).
// A text either reads or raises EReadError and leaves nothing behind; what
// reads must write, and the written text must read back and write again to
// the same text.
#include "formfile_fixture.h"
#include "fuzz/form_round_trip.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  formfile_test::RegisterTestClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  Fuzz::CheckFormRoundTrip(std::string(reinterpret_cast<const char*>(Data), Size),
                           [] { return formfile_test::LiveWidgets(); });
  return 0;
}
