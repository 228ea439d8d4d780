// The lookup validators.
#include "validate/lookup.h"

#include "vcl/sysutils.h"

namespace Validate {

bool TLookupValidator::IsValid(std::string S) {
  return S.empty() || Lookup(S);
}

bool TLookupValidator::Lookup(std::string) {
  return true;
}

// ---------------------------------------------------------------------------

TStringLookupValidator::TStringLookupValidator(vcl::TObject* AOwner)
    : TLookupValidator(AOwner), FItems(std::make_unique<vcl::TStringList>()) {
  FItems->SetDuplicates(vcl::dupIgnore);
  FItems->SetSorted(true);
  FItems->OnChange = [this](vcl::TObject* Sender) { ItemsChanged(Sender); };
}

TStringLookupValidator::~TStringLookupValidator() {
  // The list must not call back into a validator that is going away.
  FItems->OnChange = nullptr;
}

void TStringLookupValidator::SetItems(vcl::TStrings* Value) {
  if (Value)
    FItems->Assign(Value);
  else
    FItems->Clear();
}

void TStringLookupValidator::ItemsChanged(vcl::TObject*) {
  Change();
}

bool TStringLookupValidator::SameBeginning(const std::string& Typed,
                                           const std::string& Beginning) const {
  // The same comparison the list is sorted and searched with: letters of
  // every script compare by their case folding.
  return FCaseSensitive ? Typed == Beginning : vcl::AnsiSameText(Typed, Beginning);
}

bool TStringLookupValidator::Lookup(std::string S) {
  if (FItems->Count() == 0)
    return true;
  int Index = 0;
  if (!FItems->Find(S, Index))
    return false;
  return !FCaseSensitive || S == FItems->Strings(Index);
}

bool TStringLookupValidator::IsValidInput(std::string& S, bool SuppressFill) {
  if (FItems->Count() == 0)
    return true;
  int I = 0;
  if (FItems->Find(S, I))
    return !FCaseSensitive || S == FItems->Strings(I);
  if (I >= FItems->Count())
    return false;
  const std::string W = FItems->Strings(I);
  const std::string P = vcl::Copy(W, 1, vcl::Length(S));
  if (!SameBeginning(S, P))
    return false;
  if (!SuppressFill && AutoFill()) {
    // Only the word that sorts next can share the beginning, so it alone
    // decides whether the completion is unique.
    if (I == FItems->Count() - 1 ||
        !SameBeginning(vcl::Copy(FItems->Strings(I + 1), 1, vcl::Length(P)), P))
      S = W;
  }
  return true;
}

// The words that begin with S ignoring case follow one another from where
// the search for S lands, as IsValidInput relies on; a case-sensitive list
// keeps those among them that begin with S exactly.
std::vector<std::string> TStringLookupValidator::WordsBeginningWith(const std::string& S,
                                                                    int Max) const {
  std::vector<std::string> Words;
  if (S.empty())
    return Words;
  int I = 0;
  FItems->Find(S, I);
  const int Len = vcl::Length(S);
  for (; I < FItems->Count() && static_cast<int>(Words.size()) < Max; ++I) {
    const std::string Beginning = vcl::Copy(FItems->Strings(I), 1, Len);
    if (!vcl::AnsiSameText(S, Beginning))
      break;
    if (SameBeginning(S, Beginning))
      Words.push_back(FItems->Strings(I));
  }
  return Words;
}

std::string TStringLookupValidator::ErrorMessage(bool Input, std::string S) {
  return QuotedMessage(S, vcl::ResString(Input ? vcl::rsNoSuchWordStart : vcl::rsNoSuchWord));
}

} // namespace Validate
