// GUI platform: the clipboard. Text travels as UTF-8, every character of
// any script whole; without a started platform the clipboard lives in this
// process only.
#pragma once

#include <string>

#include "vcl/classes.h"
#include "vcl/windows.h"

namespace vcl {

class TClipboard : public TPersistent {
public:
  bool HasFormat(unsigned Format);
  std::string AsText();
  void SetAsText(const std::string& Value);
  void SetTextBuf(const std::string& Value) { SetAsText(Value); }
  void Clear();
  // Kept for code that brackets several operations; nothing needs locking here.
  void Open() {}
  void Close() {}
};

// The process's clipboard object.
TClipboard* Clipboard();

} // namespace vcl
