// The check the form-file targets share: a text either reads or raises
// EReadError and leaves nothing behind; what reads must write, and the
// written text must read back and write again to the same text.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "vcl/classes.h"

namespace Fuzz {

// Live: how many of the target's own objects are alive (0 once a read
// failed or the forms are freed).
inline void CheckFormRoundTrip(const std::string& Text, const std::function<int()>& Live) {
  auto Read = [](const std::string& T) {
    return std::unique_ptr<vcl::TComponent>(vcl::TextToComponent(T, nullptr));
  };
  std::unique_ptr<vcl::TComponent> First;
  try {
    First = Read(Text);
  } catch (const vcl::EReadError&) {
    FUZZ_CHECK(Live() == 0, "%d objects left after a failed read", Live());
    return;
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
  FUZZ_CHECK(Live() == 0, "%d objects left", Live());
}

} // namespace Fuzz
