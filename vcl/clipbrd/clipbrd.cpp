// The clipboard object over the backend's clipboard.
#include "vcl/clipbrd.h"
#include "vcl/windows/detail/backend.h"

namespace vcl {

namespace {
// Used until the platform starts.
std::string LocalText;
bool LocalHasText = false;
} // namespace

bool TClipboard::HasFormat(unsigned Format) {
  if (Format != CF_TEXT)
    return false;
  return backend::PlatformStarted() ? backend::ClipboardHasText() : LocalHasText;
}

std::string TClipboard::AsText() {
  return backend::PlatformStarted() ? backend::ClipboardText() : LocalText;
}

void TClipboard::SetAsText(const std::string& Value) {
  if (backend::PlatformStarted()) {
    backend::SetClipboardText(Value);
    return;
  }
  LocalText = Value;
  LocalHasText = true;
}

void TClipboard::Clear() {
  if (backend::PlatformStarted()) {
    backend::ClearClipboard();
    return;
  }
  LocalText.clear();
  LocalHasText = false;
}

TClipboard* Clipboard() {
  static TClipboard Instance;
  return &Instance;
}

} // namespace vcl
