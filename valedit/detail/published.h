// The published properties of the validating edits (TValidEdit and its
// data-aware twin), each declared once, as tags for vcl::props::Publish
// beside those of the button edit (btnedit/detail/published.h).
#pragma once

#include <string>

#include "btnedit/detail/published.h"
#include "valedit/valedit.h"

namespace ValEdit::props {

struct AllowNull {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("AllowNull", &T::AllowNull, &T::SetAllowNull, true);
  }
};
struct CompletionList {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("CompletionList", &T::CompletionList, &T::SetCompletionList, false);
  }
};
struct DefaultDisplay {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("DefaultDisplay", &T::DefaultDisplay, &T::SetDefaultDisplay, true);
  }
};
struct DisplayText {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Str("DisplayText", &T::DisplayText, nullptr);
  }
};
struct EditText {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Str("EditText", &T::EditText, &T::SetEditText);
  }
};
struct Kind {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Int("Kind", &T::Kind, &T::SetKind, vkNone);
  }
};
struct SelectCompletion {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Bool("SelectCompletion", &T::SelectCompletion, &T::SetSelectCompletion, false);
  }
};
struct ErrorDisplay {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Enum("ErrorDisplay", &T::ErrorDisplay, &T::SetErrorDisplay, edMessageBox);
  }
};
struct ErrorColor {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Int("ErrorColor", &T::ErrorColor, &T::SetErrorColor, vcl::clRed).TypeName("TColor");
  }
};
struct ShowErrors {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Set("ShowErrors", &T::ShowErrors, &T::SetShowErrors, TValidationError{veFocus});
  }
};
struct Validation {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Set("Validation", &T::Validation, &T::SetValidation, TValidation{vtInput, vtFocus});
  }
};
// The validator's own settings, written into the validator the control
// already owns (Kind, read before, made it).
struct Validator {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.Object("Validator", &T::Validator);
  }
};
struct OnErrorChange {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<vcl::props::TNotifySig>("OnErrorChange", &T::OnErrorChange);
  }
};
struct OnFocusError {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<void(vcl::TObject*, const std::string&)>("OnFocusError", &T::OnFocusError);
  }
};
struct OnGetText {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<void(TCustomValidEdit*, std::string&, bool)>("OnGetText", &T::OnGetText);
  }
};
struct OnInputError {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<void(vcl::TObject*, const std::string&)>("OnInputError", &T::OnInputError);
  }
};
struct OnNewValidator {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<void(TCustomValidEdit*, vcl::Byte, Validate::TValidator*&)>(
        "OnNewValidator", &T::OnNewValidator);
  }
};
struct OnSetText {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<void(TCustomValidEdit*, std::string&)>("OnSetText", &T::OnSetText);
  }
};
struct OnValidatorChange {
  template <typename T> static void Declare(vcl::Published<T>& P) {
    P.template Event<vcl::props::TNotifySig>("OnValidatorChange", &T::OnValidatorChange);
  }
};

} // namespace ValEdit::props
