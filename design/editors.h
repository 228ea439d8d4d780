// The property editors of the validating edit: its Kind by the names of the
// kinds, its Validator with the validator's own settings nested under it,
// and the date and time bounds of the date and time validators as dates and
// times, zero included.
#pragma once

#include <string>

#include "vcl/designintf.h"

namespace ValEdit {

// Kind as the name of its validator kind ("vkDate"); a value without a name
// as its number. A name (any letter case) or a number within the byte's
// range can be typed.
class TValidEditKindProperty : public vcl::TIntegerProperty {
public:
  using vcl::TIntegerProperty::TIntegerProperty;
  vcl::TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const vcl::TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;
};

// The validator, its published properties nested under it. Several selected
// edits agree when they are all of one class, whatever their validators.
class TValidatorProperty : public vcl::TClassProperty {
public:
  using vcl::TClassProperty::TClassProperty;
  bool AllEqual() override;
  vcl::TPropertyAttributes GetAttributes() override;
};

// A date bound, always as a date: zero is the date of day 0, not an empty text.
class TCustomDateProperty : public vcl::TDateProperty {
public:
  using vcl::TDateProperty::TDateProperty;
  std::string GetValue() override;
};

// A time bound, always as a time: zero is midnight, not an empty text.
class TCustomTimeProperty : public vcl::TTimeProperty {
public:
  using vcl::TTimeProperty::TTimeProperty;
  std::string GetValue() override;
};

} // namespace ValEdit
