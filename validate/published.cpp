// The property tables of the validator classes, in published order with
// their declared defaults. A default given here is what a stored form is
// compared against, not necessarily what the constructor sets: a float
// validator starts with the locale's currency decimals, but its Precision is
// left out of a form only when it is 2. FilterChars, CaseSensitive and the
// time Format have no default and are always stored. The numeric and time
// bounds are left out while they hold the values a new validator starts
// with; the date bounds start as today, which a form file must not freeze,
// and are stored once set (IsMinStored, IsMaxStored).
#include "validate/published.h"

#include "validate/kinds.h"
#include "vcl/typinfo.h"

namespace Validate {

using vcl::Published;

template <> void DeclarePublished<TValidator>() {
  Published<TValidator>("TValidator").Inherits<vcl::TPersistent>();
}

template <> void DeclarePublished<TFilterValidator>() {
  using T = TFilterValidator;
  vcl::DeclareEnum<TFilterType>("TFilterType");
  Published<T>("TFilterValidator")
      .Inherits<TValidator>()
      .Str("FilterChars", &T::FilterChars, &T::SetFilterChars)
      .Enum("FilterType", &T::FilterType, &T::SetFilterType, ftValidChars);
}

template <> void DeclarePublished<TIntegerValidator>() {
  using T = TIntegerValidator;
  Published<T>("TIntegerValidator")
      .Inherits<TValidator>()
      .Bool("LeadingZeros", &T::LeadingZeros, &T::SetLeadingZeros, false)
      .Int("Max", &T::Max, &T::SetMax, 0)
      .Int("Min", &T::Min, &T::SetMin, 0)
      .Bool("NoBounds", &T::NoBounds, &T::SetNoBounds, true);
}

template <> void DeclarePublished<TFloatValidator>() {
  using T = TFloatValidator;
  Published<T>("TFloatValidator")
      .Inherits<TValidator>()
      .Bool("LeadingZeros", &T::LeadingZeros, &T::SetLeadingZeros, false)
      .Float("Max", &T::Max, &T::SetMax, 0)
      .Float("Min", &T::Min, &T::SetMin, 0)
      .Bool("NoBounds", &T::NoBounds, &T::SetNoBounds, true)
      .Int("Precision", &T::Precision, &T::SetPrecision, 2);
}

template <> void DeclarePublished<TCurrencyValidator>() {
  using T = TCurrencyValidator;
  Published<T>("TCurrencyValidator")
      .Inherits<TValidator>()
      .Float("Max", &T::Max, &T::SetMax, 0)
      .Float("Min", &T::Min, &T::SetMin, 0)
      .Bool("NoBounds", &T::NoBounds, &T::SetNoBounds, true)
      .Int("Precision", &T::Precision, &T::SetPrecision, 2);
}

template <> void DeclarePublished<TStringLookupValidator>() {
  using T = TStringLookupValidator;
  Published<TLookupValidator>("TLookupValidator").Inherits<TValidator>();
  Published<T>("TStringLookupValidator")
      .Inherits<TLookupValidator>()
      .Bool("AutoFill", &T::AutoFill, &T::SetAutoFill, true)
      .Bool("CaseSensitive", &T::CaseSensitive, &T::SetCaseSensitive)
      .Strings("Items", &T::Items, &T::SetItems);
}

template <> void DeclarePublished<TPictureValidator>() {
  using T = TPictureValidator;
  Published<T>("TPictureValidator")
      .Inherits<TValidator>()
      .Bool("AutoFill", &T::AutoFill, &T::SetAutoFill, true)
      .Str("Picture", &T::Picture, &T::SetPicture);
}

// The date and time validators build their picture themselves: Picture is
// not published for them.
template <> void DeclarePublished<TDateValidator>() {
  using T = TDateValidator;
  vcl::DeclareEnum<TDateFormat>("TDateFormat");
  Published<T>("TDateValidator")
      .Inherits<TValidator>()
      .Bool("AutoFill", &T::AutoFill, &T::SetAutoFill, true)
      .Enum("Format", &T::Format, &T::SetFormat, vdfLong)
      .DateTime("Max", &T::Max, &T::SetMax)
      .Stored(&T::IsMaxStored)
      .DateText()
      .DateTime("Min", &T::Min, &T::SetMin)
      .Stored(&T::IsMinStored)
      .DateText()
      .Bool("NoBounds", &T::NoBounds, &T::SetNoBounds, true);
}

template <> void DeclarePublished<TTimeValidator>() {
  using T = TTimeValidator;
  vcl::DeclareEnum<TTimeFormat>("TTimeFormat");
  Published<T>("TTimeValidator")
      .Inherits<TValidator>()
      .Bool("AutoFill", &T::AutoFill, &T::SetAutoFill, true)
      .Enum("Format", &T::Format, &T::SetFormat)
      .DateTime("Max", &T::Max, &T::SetMax, T::StartMax)
      .DateTime("Min", &T::Min, &T::SetMin, T::StartMin)
      .Bool("NoBounds", &T::NoBounds, &T::SetNoBounds, true);
}

void RegisterValidatorClasses() {
  static const bool Done = [] {
    for (const TValidatorKind& Kind : ValidatorKinds)
      Kind.Publish();
    return true;
  }();
  (void)Done;
}

} // namespace Validate
