// The locale's string collation. Texts are compared by ICU's root collator,
// the order a user of an English system expects ("apple" < "Banana" <
// "cherry", accented letters beside their base letters). Case-insensitive
// comparison uses the collator at secondary strength and case folding.
// Should ICU not give a collator, comparison falls back to the code points
// of the texts (folded when case is ignored).
#include <memory>
#include <unicode/coll.h>
#include <unicode/locid.h>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

std::unique_ptr<icu::Collator> MakeCollator(icu::Collator::ECollationStrength Strength) {
  UErrorCode Status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> Collator(
      icu::Collator::createInstance(icu::Locale::getRoot(), Status));
  if (U_FAILURE(Status))
    return nullptr;
  Collator->setStrength(Strength);
  return Collator;
}

// Created once; compare() is const and safe to share.
const icu::Collator* CaseInsensitiveCollator() {
  static const std::unique_ptr<icu::Collator> Collator = MakeCollator(icu::Collator::SECONDARY);
  return Collator.get();
}

const icu::Collator* CaseSensitiveCollator() {
  static const std::unique_ptr<icu::Collator> Collator = MakeCollator(icu::Collator::TERTIARY);
  return Collator.get();
}

// Returns -1, 0 or 1, or 2 when ICU could not compare.
int Collate(const icu::Collator* Collator, const std::string& S1, const std::string& S2) {
  if (Collator == nullptr)
    return 2;
  UErrorCode Status = U_ZERO_ERROR;
  const UCollationResult Result = Collator->compareUTF8(S1, S2, Status);
  if (U_FAILURE(Status))
    return 2;
  return Result == UCOL_LESS ? -1 : Result == UCOL_GREATER ? 1 : 0;
}

int CompareBytes(const std::string& S1, const std::string& S2) {
  const int Result = S1.compare(S2);
  return Result < 0 ? -1 : Result > 0 ? 1 : 0;
}

} // namespace

bool AnsiSameText(const std::string& S1, const std::string& S2) {
  return FoldCase(S1) == FoldCase(S2);
}

int AnsiCompareText(const std::string& S1, const std::string& S2) {
  // Texts equal after case folding are equal, whatever the collator thinks
  // of them; the others are ordered by the collator and, where it sees no
  // difference (it ignores control characters and some marks), by their
  // folded code points. Equality is thus exactly AnsiSameText, and the order
  // is total, so a sorted list never drops a text as a duplicate of another.
  const std::string F1 = FoldCase(S1), F2 = FoldCase(S2);
  if (F1 == F2)
    return 0;
  const int Result = Collate(CaseInsensitiveCollator(), S1, S2);
  return Result == 2 || Result == 0 ? CompareBytes(F1, F2) : Result;
}

int AnsiCompareStr(const std::string& S1, const std::string& S2) {
  const int Result = Collate(CaseSensitiveCollator(), S1, S2);
  if (Result == 2 || Result == 0)
    return CompareBytes(S1, S2);
  return Result;
}

} // namespace vcl
