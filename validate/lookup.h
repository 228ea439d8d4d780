// The lookup validators: a complete text is valid only when it is one of a set
// of known values. TStringLookupValidator keeps the values as a sorted word
// list, accepts while typing any beginning of a word and completes the text to
// the word as soon as only one word can follow.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "validate/validator.h"
#include "vcl/classes.h"

namespace Validate {

class TLookupValidator : public TValidator {
public:
  using TValidator::TValidator;

  bool IsValid(std::string S) override;

  // Whether S is one of the known values; the base knows everything.
  virtual bool Lookup(std::string S);
};

class TStringLookupValidator : public TLookupValidator {
public:
  explicit TStringLookupValidator(vcl::TObject* AOwner);
  ~TStringLookupValidator() override;

  bool IsValidInput(std::string& S, bool SuppressFill) override;
  std::string ErrorMessage(bool Input, std::string S) override;
  bool Lookup(std::string S) override;

  // Copies the words of Value into the owned list, which keeps its own order
  // and duplicate rule. A null Value empties the list.
  virtual void SetItems(vcl::TStrings* Value);

  // The words S is the beginning of, in list order, compared as typing is
  // judged (exactly when CaseSensitive, else ignoring case): what may follow
  // S. At most Max words; none for an empty S.
  std::vector<std::string> WordsBeginningWith(const std::string& S, int Max) const;

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  vcl::TStrings* Items() const { return FItems.get(); }

  // The list's change handler: any change, from SetItems or from code that
  // edits Items directly, reaches the owner through Change.
  void ItemsChanged(vcl::TObject* Sender);

private:
  // Whether two beginnings of the same length match: exactly when
  // CaseSensitive, otherwise ignoring the case of a to z.
  bool SameBeginning(const std::string& Typed, const std::string& Beginning) const;

  bool FCaseSensitive = false;
  std::unique_ptr<vcl::TStringList> FItems;
};

} // namespace Validate
