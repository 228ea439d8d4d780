// The validator kinds: the values of a validating edit's byte Kind that
// select a validator class. Everything that chooses a validator by kind reads
// this one table: the validating edit's factory, the names the kind editor
// shows and takes, valcheck's --kind, and the form-file tables of the
// validator classes. A new kind is one row here plus its validator class
// (and that class's property table in validate/published.cpp).
//
// Kinds after the table's last row up to 99 are not kept (Kind reads back 0
// and the edit takes the base validator); 100 to 255 are the application's,
// answered by the edit's OnNewValidator.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "validate/published.h"
#include "validate/validate.h"

namespace Validate {

struct TValidatorKind {
  vcl::Byte Number;
  // The kind's identifier, which is also the name the kind editor shows.
  std::string_view Name;
  // The value of valcheck's --kind; empty for a kind it does not offer.
  std::string_view CommandName;
  // Makes the kind's validator with Owner (which it does not own).
  TValidator* (*Create)(vcl::TObject* Owner);
  // Declares the class's published properties for form files.
  void (*Publish)();
};

template <typename T> TValidator* CreateValidator(vcl::TObject* Owner) {
  return new T(Owner);
}

template <typename T>
constexpr TValidatorKind KindOf(vcl::Byte Number, std::string_view Name,
                                std::string_view CommandName) {
  return {Number, Name, CommandName, CreateValidator<T>, DeclarePublished<T>};
}

// Kind 0, the base validator, judges nothing: valcheck does not offer it.
inline constexpr std::array ValidatorKinds{
    KindOf<TValidator>(0, "vkNone", ""),
    KindOf<TFilterValidator>(1, "vkFilter", "filter"),
    KindOf<TIntegerValidator>(2, "vkInteger", "integer"),
    KindOf<TFloatValidator>(3, "vkFloat", "float"),
    KindOf<TCurrencyValidator>(4, "vkCurrency", "currency"),
    KindOf<TStringLookupValidator>(5, "vkStringLookup", "lookup"),
    KindOf<TPictureValidator>(6, "vkPicture", "picture"),
    KindOf<TDateValidator>(7, "vkDate", "date"),
    KindOf<TTimeValidator>(8, "vkTime", "time"),
};

// A row's Number is its place, so that a kind finds its row by index.
consteval bool NumbersArePlaces() {
  for (std::size_t I = 0; I < ValidatorKinds.size(); ++I)
    if (ValidatorKinds[I].Number != I)
      return false;
  return true;
}
static_assert(NumbersArePlaces(), "each row of ValidatorKinds carries its own index");
static_assert(ValidatorKinds.size() <= 100, "kinds from 100 on are the application's");

// The number of the row called Name; a name without a row does not compile.
consteval vcl::Byte KindNumber(std::string_view Name) {
  for (const TValidatorKind& Row : ValidatorKinds)
    if (Row.Name == Name)
      return Row.Number;
  throw std::logic_error("no validator kind of that name");
}

// The kinds by name, as the validating edit's unit offers them
// (ValEdit::vkDate). Each is defined by its row.
namespace Kinds {
inline constexpr vcl::Byte vkNone = KindNumber("vkNone");
inline constexpr vcl::Byte vkFilter = KindNumber("vkFilter");
inline constexpr vcl::Byte vkInteger = KindNumber("vkInteger");
inline constexpr vcl::Byte vkFloat = KindNumber("vkFloat");
inline constexpr vcl::Byte vkCurrency = KindNumber("vkCurrency");
inline constexpr vcl::Byte vkStringLookup = KindNumber("vkStringLookup");
inline constexpr vcl::Byte vkPicture = KindNumber("vkPicture");
inline constexpr vcl::Byte vkDate = KindNumber("vkDate");
inline constexpr vcl::Byte vkTime = KindNumber("vkTime");
inline constexpr vcl::Byte vkFirstApplication = 100;
} // namespace Kinds

// The row of Kind, or null for a kind the table does not hold.
constexpr const TValidatorKind* FindKind(vcl::Byte Kind) {
  return Kind < ValidatorKinds.size() ? &ValidatorKinds[Kind] : nullptr;
}

// The row whose CommandName is Name, or null.
constexpr const TValidatorKind* FindKindByCommandName(std::string_view Name) {
  for (const TValidatorKind& Row : ValidatorKinds)
    if (!Row.CommandName.empty() && Row.CommandName == Name)
      return &Row;
  return nullptr;
}

// Whether Kind is kept as it is set: a row of the table or an application
// kind.
constexpr bool IsKeptKind(vcl::Byte Kind) {
  return FindKind(Kind) != nullptr || Kind >= Kinds::vkFirstApplication;
}

} // namespace Validate
