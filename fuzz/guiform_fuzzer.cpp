// Form files of the platform's own controls, read and written as the
// applications do: forms, panels, labels, edits, buttons, and speed buttons
// whose Glyph.Data goes through the bitmap reader. Input: a form text. The
// check is the form-file round trip (form_round_trip.h); no form may be left
// behind among the screen's forms.
#include <cstdlib>

#include "fuzz/form_round_trip.h"
#include "vcl/controls.h"
#include "vcl/forms.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  vcl::Application->Initialize(true);
  Fuzz::QuietEnvironment();
  vcl::RegisterGuiClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  Fuzz::CheckFormRoundTrip(std::string(reinterpret_cast<const char*>(Data), Size),
                           [] { return vcl::Screen->FormCount(); });
  return 0;
}
