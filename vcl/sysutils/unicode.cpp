// What ICU knows about characters: composition (NFC), user-perceived
// character boundaries, the general categories behind the letter and
// printable tests, and simple case mapping and folding. Texts stay UTF-8 all
// the way: ICU reads them through its UTF-8 interfaces.
#include <unicode/brkiter.h>
#include <unicode/bytestream.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

template <typename TWord> TWord WordAt(std::string_view S, std::size_t At) {
  TWord Word;
  std::memcpy(&Word, S.data() + At, sizeof Word);
  return Word;
}

} // namespace

// A word at a time: the text paths ask this of every text they judge, most
// of them a few bytes long. The last word of a text overlaps the one before
// it rather than leaving bytes to a loop of their own.
bool IsAscii(std::string_view S) {
  constexpr std::uint64_t HighBits = 0x8080808080808080u;
  const std::size_t N = S.size();
  if (N < 8) {
    if (N >= 4)
      return ((WordAt<std::uint32_t>(S, 0) | WordAt<std::uint32_t>(S, N - 4)) &
              static_cast<std::uint32_t>(HighBits)) == 0;
    for (const char Ch : S)
      if (static_cast<unsigned char>(Ch) >= 0x80)
        return false;
    return true;
  }
  for (std::size_t I = 0; I + 8 < N; I += 8)
    if ((WordAt<std::uint64_t>(S, I) & HighBits) != 0)
      return false;
  return (WordAt<std::uint64_t>(S, N - 8) & HighBits) == 0;
}

namespace {

// Every character of S through Map, one character to one.
template <typename TMap> std::string MapChars(const std::string& S, TMap Map) {
  std::string Result;
  Result.reserve(S.size());
  for (std::size_t Offset = 0; Offset < S.size();)
    Utf8Append(Result, Map(Utf8Decode(S, Offset)));
  return Result;
}

// The grapheme boundaries of one text. In ASCII every character stands
// alone but CR LF, which ICU is not asked about. Otherwise ICU's iterator
// answers; it is expensive to create, so each thread keeps one and points it
// at the text in hand. Ill-formed bytes are repaired first so that ICU and
// our decoder count the same characters.
class TGraphemes {
public:
  explicit TGraphemes(const std::string& S)
      : FAscii(IsAscii(S)), FRepaired(FAscii || IsValidUtf8(S) ? std::string() : RepairUtf8(S)),
        FText(FRepaired.empty() ? S : FRepaired) {
    if (FAscii)
      return;
    UErrorCode Status = U_ZERO_ERROR;
    FUText = utext_openUTF8(nullptr, FText.data(), static_cast<int64_t>(FText.size()), &Status);
    FIterator = Iterator();
    if (FIterator != nullptr && U_SUCCESS(Status))
      FIterator->setText(FUText, Status);
    if (U_FAILURE(Status))
      FIterator = nullptr;
  }
  ~TGraphemes() { utext_close(FUText); }
  TGraphemes(const TGraphemes&) = delete;
  TGraphemes& operator=(const TGraphemes&) = delete;

  // Pos lies inside the text (0 < Pos < its length) in all three.
  bool IsBoundary(int Pos) const {
    if (FIterator == nullptr)
      return !IsCrLf(Pos);
    return FIterator->isBoundary(Offset(Pos));
  }
  int Following(int Pos) const {
    if (FIterator == nullptr)
      return IsCrLf(Pos + 1) ? Pos + 2 : Pos + 1;
    return Chars(FIterator->following(Offset(Pos)));
  }
  int Preceding(int Pos) const {
    if (FIterator == nullptr)
      return IsCrLf(Pos - 1) ? Pos - 2 : Pos - 1;
    return Chars(FIterator->preceding(Offset(Pos)));
  }

private:
  static icu::BreakIterator* Iterator() {
    thread_local std::unique_ptr<icu::BreakIterator> Shared = [] {
      UErrorCode Status = U_ZERO_ERROR;
      std::unique_ptr<icu::BreakIterator> It(
          icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), Status));
      return U_SUCCESS(Status) ? std::move(It) : nullptr;
    }();
    return Shared.get();
  }
  // Whether a CR LF pair surrounds Pos; only asked of ASCII texts (and, should
  // ICU fail, of others, where it then counts bytes as characters).
  bool IsCrLf(int Pos) const {
    const auto At = static_cast<std::size_t>(Pos);
    return Pos > 0 && At < FText.size() && FText[At - 1] == '\r' && FText[At] == '\n';
  }
  int32_t Offset(int Pos) const { return static_cast<int32_t>(CharOffset(FText, Pos + 1)); }
  int Chars(int32_t Offset) const {
    return Offset == icu::BreakIterator::DONE ? -1
                                              : CharCount(FText, static_cast<std::size_t>(Offset));
  }

  bool FAscii;
  std::string FRepaired;
  const std::string& FText;
  UText* FUText = nullptr;
  icu::BreakIterator* FIterator = nullptr;
};

} // namespace

std::string NormalizeNFC(const std::string& S) {
  if (IsAscii(S))
    return S;
  const std::string Text = IsValidUtf8(S) ? S : RepairUtf8(S);
  UErrorCode Status = U_ZERO_ERROR;
  const icu::Normalizer2* Nfc = icu::Normalizer2::getNFCInstance(Status);
  if (U_FAILURE(Status) || Nfc->isNormalizedUTF8(Text, Status))
    return Text;
  std::string Result;
  icu::StringByteSink<std::string> Sink(&Result, static_cast<int32_t>(Text.size()));
  Nfc->normalizeUTF8(0, Text, Sink, nullptr, Status);
  return U_SUCCESS(Status) ? Result : Text;
}

bool IsGraphemeBoundary(const std::string& S, int Pos) {
  const int Len = Length(S);
  if (Pos <= 0 || Pos >= Len)
    return Pos == 0 || Pos == Len;
  return TGraphemes(S).IsBoundary(Pos);
}

int NextGraphemeBoundary(const std::string& S, int Pos) {
  const int Len = Length(S);
  if (Pos >= Len)
    return Len;
  if (Pos < 0)
    return 0;
  const int Next = TGraphemes(S).Following(Pos);
  return Next < 0 ? Len : Next;
}

int PriorGraphemeBoundary(const std::string& S, int Pos) {
  if (Pos <= 0)
    return 0;
  const int Len = Length(S);
  if (Pos > Len)
    return Len;
  const int Prior = TGraphemes(S).Preceding(Pos);
  return Prior < 0 ? 0 : Prior;
}

std::string CutToLength(const std::string& S, int Count) {
  if (Count <= 0)
    return {};
  if (Count >= Length(S))
    return S;
  const TGraphemes Graphemes(S);
  const int Cut = Graphemes.IsBoundary(Count) ? Count : Graphemes.Preceding(Count);
  return Copy(S, 1, Cut);
}

bool IsLetter(char32_t Ch) {
  return u_isalpha(static_cast<UChar32>(Ch));
}

bool IsDigit(char32_t Ch) {
  return u_isdigit(static_cast<UChar32>(Ch));
}

bool IsPrintable(char32_t Ch) {
  return u_isprint(static_cast<UChar32>(Ch));
}

bool IsGraphic(char32_t Ch) {
  return u_isgraph(static_cast<UChar32>(Ch));
}

char32_t AnsiUpCase(char32_t Ch) {
  return static_cast<char32_t>(u_toupper(static_cast<UChar32>(Ch)));
}

char32_t AnsiLowCase(char32_t Ch) {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(Ch)));
}

std::string FoldCase(const std::string& S) {
  return MapChars(S, [](char32_t Ch) {
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(Ch), U_FOLD_CASE_DEFAULT));
  });
}

std::string AnsiUpperCase(const std::string& S) {
  return MapChars(S, AnsiUpCase);
}

std::string AnsiLowerCase(const std::string& S) {
  return MapChars(S, AnsiLowCase);
}

} // namespace vcl
