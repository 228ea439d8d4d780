// The GUI platform's process-wide state, made on first use.
#include "vcl/controls/detail/guistate.h"

namespace vcl::detail {

TGuiState& GuiState() {
  static TGuiState State;
  return State;
}

} // namespace vcl::detail
