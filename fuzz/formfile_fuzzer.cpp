// The form-file reader and writer. Input: a form text, read with the test
// classes that publish a property of every kind (nested components, sub-
// objects, string lists, sets, binary data, references, event handlers).
// A text either reads or raises EReadError and leaves nothing behind; what
// reads must write, and the written text must read back and write again to
// the same text.
#include <memory>

#include "formfile_fixture.h"
#include "fuzz/fuzz_support.h"
#include "vcl/typinfo.h"

namespace {

std::unique_ptr<vcl::TComponent> Read(const std::string& Text) {
  return std::unique_ptr<vcl::TComponent>(vcl::TextToComponent(Text, nullptr));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  formfile_test::RegisterTestClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::unique_ptr<vcl::TComponent> First;
  try {
    First = Read(Text);
  } catch (const vcl::EReadError&) {
    FUZZ_CHECK(formfile_test::LiveWidgets() == 0, "%d widgets left after a failed read",
               formfile_test::LiveWidgets());
    return 0;
  }
  FUZZ_CHECK(First != nullptr, "no component");
  const std::string Written = vcl::ComponentToText(First.get());
  First.reset();
  std::unique_ptr<vcl::TComponent> Second;
  try {
    Second = Read(Written);
  } catch (const vcl::EReadError& E) {
    FUZZ_CHECK(false, "the written text does not read: %s\n%s", E.what(), Written.c_str());
  }
  const std::string Again = vcl::ComponentToText(Second.get());
  FUZZ_CHECK(Again == Written, "written:\n%s\nread and written again:\n%s", Written.c_str(),
             Again.c_str());
  Second.reset();
  FUZZ_CHECK(formfile_test::LiveWidgets() == 0, "%d widgets left", formfile_test::LiveWidgets());
  return 0;
}
