// The locale's string collation and letter case for code page 1252 texts.
// Texts are widened to UTF-16 and compared by ICU's root collator, the order
// a user of an English system expects ("apple" < "Banana" < "cherry", accented
// letters beside their base letters). Case-insensitive comparison uses the
// collator at secondary strength. Should ICU not give a collator, comparison
// falls back to the bytes of the ASCII-lowercased texts.
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <array>
#include <memory>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

// A text as UTF-8 for the collator. Pure ASCII texts, the common case, are
// UTF-8 already and are compared in place, so a long text costs nothing until
// the collator actually reads that far.
class TUtf8 {
public:
  explicit TUtf8(const std::string& S) : FData(&S) {
    for (char Ch : S)
      if (static_cast<unsigned char>(Ch) >= 0x80) {
        Widen(S);
        break;
      }
  }
  const char* Data() const { return FData->data(); }
  int32_t Size() const { return static_cast<int32_t>(FData->size()); }

private:
  void Widen(const std::string& S) {
    icu::UnicodeString Wide;
    for (char Ch : S)
      Wide.append(static_cast<UChar>(Cp1252ToUnicode(Ch)));
    Wide.toUTF8String(FWide);
    FData = &FWide;
  }
  const std::string* FData;
  std::string FWide;
};

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
  const TUtf8 A(S1), B(S2);
  const UCollationResult Result = Collator->compareUTF8(
      icu::StringPiece(A.Data(), A.Size()), icu::StringPiece(B.Data(), B.Size()), Status);
  if (U_FAILURE(Status))
    return 2;
  return Result == UCOL_LESS ? -1 : Result == UCOL_GREATER ? 1 : 0;
}

int CompareBytes(const std::string& S1, const std::string& S2) {
  const int Result = S1.compare(S2);
  return Result < 0 ? -1 : Result > 0 ? 1 : 0;
}

std::string AsciiLower(std::string S) {
  for (char& Ch : S)
    if (Ch >= 'A' && Ch <= 'Z')
      Ch = static_cast<char>(Ch - 'A' + 'a');
  return S;
}

using TCaseTable = std::array<char, 256>;

// The case mapping of each code page byte, kept unchanged where the mapped
// letter has no place in the code page (the micro sign has no capital there).
TCaseTable MakeCaseTable(UChar32 (*Map)(UChar32)) {
  TCaseTable Table{};
  for (int Code = 0; Code < 256; ++Code) {
    const char Ch = static_cast<char>(Code);
    const int Mapped =
        UnicodeToCp1252(static_cast<char32_t>(Map(static_cast<UChar32>(Cp1252ToUnicode(Ch)))));
    Table[static_cast<std::size_t>(Code)] = Mapped >= 0 ? static_cast<char>(Mapped) : Ch;
  }
  return Table;
}

std::string MapCase(const std::string& S, const TCaseTable& Table) {
  std::string Result = S;
  for (char& Ch : Result)
    Ch = Table[static_cast<unsigned char>(Ch)];
  return Result;
}

} // namespace

std::string AnsiUpperCase(const std::string& S) {
  static const TCaseTable Table = MakeCaseTable(u_toupper);
  return MapCase(S, Table);
}

std::string AnsiLowerCase(const std::string& S) {
  static const TCaseTable Table = MakeCaseTable(u_tolower);
  return MapCase(S, Table);
}

int AnsiCompareText(const std::string& S1, const std::string& S2) {
  const int Result = Collate(CaseInsensitiveCollator(), S1, S2);
  if (Result == 2)
    return CompareBytes(AsciiLower(S1), AsciiLower(S2));
  // The collator ignores control characters and folds some letter pairs; only
  // texts that differ in letter case alone count as equal, so sorted lists
  // never drop a text as a duplicate of a different one.
  if (Result == 0)
    return CompareBytes(AnsiLowerCase(S1), AnsiLowerCase(S2));
  return Result;
}

int AnsiCompareStr(const std::string& S1, const std::string& S2) {
  const int Result = Collate(CaseSensitiveCollator(), S1, S2);
  if (Result == 2 || Result == 0)
    return CompareBytes(S1, S2);
  return Result;
}

} // namespace vcl
