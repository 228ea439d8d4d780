// The published properties of the button edit family (TBtnEdit, the
// validating edit and their data-aware twins), each declared once, as tags
// for vcl::props::Publish beside the platform's own (vcl/props.h).
#pragma once

#include <string>

#include "btnedit/btnedit.h"
#include "vcl/props.h"

namespace BtnEdit::props {

struct Alignment {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Enum("Alignment", &T::Alignment, &T::SetAlignment, vcl::taLeftJustify);
  }
};
struct AlwaysEnable {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("AlwaysEnable", &T::AlwaysEnable, &T::SetAlwaysEnable, false);
  }
};
struct ButtonHint {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Str("ButtonHint", &T::ButtonHint, &T::SetButtonHint, std::string());
  }
};
// Stored always unless a class whose button starts hidden declares False.
struct ButtonVisible {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("ButtonVisible", &T::ButtonVisible, &T::SetButtonVisible);
  }
};
// The key that clicks depends on the kind (Alt+Down for a drop-down,
// Ctrl+Enter otherwise), so a single declared default would drop a user's
// choice whenever it happened to equal the other kind's key. The key is
// stored whenever it differs from its kind's own key, and a key read from
// the form survives the GlyphKind read after it (see SetGlyphKind): what was
// saved is what comes back.
struct ClickKey {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Int("ClickKey", &T::ClickKey, &T::SetClickKey)
        .Stored(&T::IsClickKeyStored)
        .TypeName("TShortCut");
  }
};
struct GlyphKind {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Enum("GlyphKind", &T::GlyphKind, &T::SetGlyphKind, gkCustom);
  }
};
struct Glyph {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Object("Glyph", &T::Glyph).Stored(&T::IsCustomGlyph);
  }
};
struct ButtonWidth {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Int("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth, 16);
  }
};
struct NumGlyphs {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Int("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs).Range(1, 4);
  }
};
struct OnButtonClick {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<vcl::props::TNotifySig>("OnButtonClick", &T::OnButtonClick);
  }
};

} // namespace BtnEdit::props
