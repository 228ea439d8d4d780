// TStrings, the abstract list of strings with associated objects, and
// TStringList, its array-backed form. A sorted TStringList keeps the locale's
// case-insensitive order (AnsiCompareText) and finds by binary search; its
// duplicate rule compares the same way. Change events fire once per change,
// and once for a whole batch between BeginUpdate and EndUpdate.
#include <algorithm>

#include "vcl/classes.h"

namespace vcl {

namespace {

const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SDuplicateString = "String list does not allow duplicates";
const char* const SSortedListError = "Operation not allowed on sorted string list";

// Runs Body between BeginUpdate and EndUpdate, closing the batch also when
// Body fails so the list is never left updating.
template <typename F> void Batch(TStrings& List, F Body) {
  List.BeginUpdate();
  try {
    Body();
  } catch (...) {
    List.EndUpdate();
    throw;
  }
  List.EndUpdate();
}

// An empty item is quoted too, so that one at the end of the list is not
// lost when the text is read back.
bool NeedsQuotes(const std::string& S) {
  return S.empty() || std::any_of(S.begin(), S.end(), [](char Ch) {
           return static_cast<unsigned char>(Ch) <= ' ' || Ch == '"' || Ch == ',';
         });
}

std::string DoubleQuoted(const std::string& S) {
  std::string Result = "\"";
  for (char Ch : S) {
    if (Ch == '"')
      Result += '"';
    Result += Ch;
  }
  return Result + '"';
}

bool IsBlank(char Ch) {
  const auto Code = static_cast<unsigned char>(Ch);
  return Code >= 1 && Code <= ' ';
}

} // namespace

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Put(int Index, const std::string& S) {
  TObject* const Obj = Objects(Index);
  Batch(*this, [&] {
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, Obj);
  });
}

TObject* TStrings::Objects(int) const {
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& S) {
  const int Result = Count();
  Insert(Result, S);
  return Result;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int Result = 0;
  Batch(*this, [&] {
    Result = Add(S);
    PutObject(Result, AObject);
  });
  return Result;
}

void TStrings::AddStrings(const TStrings* Strings) {
  Batch(*this, [&] {
    // Counted up front: adding a list to itself doubles it once.
    const int N = Strings->Count();
    for (int I = 0; I < N; ++I)
      AddObject(Strings->Strings(I), Strings->Objects(I));
  });
}

int TStrings::IndexOf(const std::string& S) const {
  for (int I = 0; I < Count(); ++I)
    if (AnsiCompareText(Strings(I), S) == 0)
      return I;
  return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
  Batch(*this, [&] {
    TObject* const TempObject = Objects(Index1);
    const std::string TempString = Strings(Index1);
    Put(Index1, Strings(Index2));
    PutObject(Index1, Objects(Index2));
    Put(Index2, TempString);
    PutObject(Index2, TempObject);
  });
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex)
    return;
  Batch(*this, [&] {
    TObject* const TempObject = Objects(CurIndex);
    const std::string TempString = Strings(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, TempString);
    PutObject(NewIndex, TempObject);
  });
}

void TStrings::Assign(TPersistent* Source) {
  auto* const Other = dynamic_cast<TStrings*>(Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this)
    return;
  Batch(*this, [&] {
    Clear();
    AddStrings(Other);
  });
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (Strings == nullptr || Strings->Count() != Count())
    return false;
  for (int I = 0; I < Count(); ++I)
    if (Strings->Strings(I) != this->Strings(I))
      return false;
  return true;
}

std::string TStrings::Text() const {
  std::string Result;
  for (int I = 0; I < Count(); ++I)
    Result += Strings(I) + "\r\n";
  return Result;
}

void TStrings::SetTextStr(const std::string& Value) {
  Batch(*this, [&] {
    Clear();
    std::size_t P = 0;
    while (P < Value.size()) {
      const std::size_t Start = P;
      while (P < Value.size() && Value[P] != '\r' && Value[P] != '\n')
        ++P;
      Add(Value.substr(Start, P - Start));
      if (P < Value.size() && Value[P] == '\r')
        ++P;
      if (P < Value.size() && Value[P] == '\n')
        ++P;
    }
  });
}

std::string TStrings::CommaText() const {
  std::string Result;
  for (int I = 0; I < Count(); ++I) {
    if (I > 0)
      Result += ',';
    const std::string S = Strings(I);
    Result += NeedsQuotes(S) ? DoubleQuoted(S) : S;
  }
  return Result;
}

void TStrings::SetCommaText(const std::string& Value) {
  Batch(*this, [&] {
    Clear();
    std::size_t P = 0;
    const auto SkipBlanks = [&] {
      while (P < Value.size() && IsBlank(Value[P]))
        ++P;
    };
    SkipBlanks();
    while (P < Value.size()) {
      std::string S;
      if (Value[P] == '"') {
        // A quoted item runs to the next lone quote; a doubled one stands for
        // itself, and an unterminated one takes the rest of the text.
        ++P;
        while (P < Value.size()) {
          if (Value[P] == '"') {
            if (P + 1 < Value.size() && Value[P + 1] == '"')
              ++P;
            else {
              ++P;
              break;
            }
          }
          S += Value[P++];
        }
      } else {
        const std::size_t Start = P;
        while (P < Value.size() && static_cast<unsigned char>(Value[P]) > ' ' && Value[P] != ',')
          ++P;
        S = Value.substr(Start, P - Start);
      }
      Add(S);
      SkipBlanks();
      if (P < Value.size() && Value[P] == ',') {
        ++P;
        SkipBlanks();
      }
    }
  });
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0)
    SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0)
    return;
  --FUpdateCount;
  if (FUpdateCount == 0)
    SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Error(const std::string& Msg, int Data) const {
  std::string Text = Msg;
  const auto Slot = Text.find("%d");
  if (Slot != std::string::npos)
    Text.replace(Slot, 2, std::to_string(Data));
  throw EStringListError(Text);
}

// ---------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() {
  // Nobody is told about the teardown.
  OnChange = nullptr;
  OnChanging = nullptr;
}

std::string TStringList::Strings(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted)
    Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].S = S;
  Changed();
}

TObject* TStringList::Objects(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].Obj = AObject;
  Changed();
}

int TStringList::Add(const std::string& S) {
  int Result = Count();
  if (FSorted && Find(S, Result)) {
    if (FDuplicates == dupIgnore)
      return Result;
    if (FDuplicates == dupError)
      Error(SDuplicateString, 0);
  }
  InsertItem(Result, S);
  return Result;
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted)
    Error(SSortedListError, 0);
  if (Index < 0 || Index > Count())
    Error(SListIndexError, Index);
  InsertItem(Index, S);
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty())
    return;
  Changing();
  FList.clear();
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted)
    return TStrings::IndexOf(S);
  int Index = 0;
  return Find(S, Index) ? Index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  bool Result = false;
  int L = 0;
  int H = Count() - 1;
  while (L <= H) {
    const int I = (L + H) / 2;
    const int C = AnsiCompareText(FList[static_cast<std::size_t>(I)].S, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Result = true;
        // Without accepted duplicates the hit is the only match; with them
        // the search goes on to the first of the equal run.
        if (FDuplicates != dupAccept)
          L = I;
      }
    }
  }
  Index = L;
  return Result;
}

void TStringList::Sort() {
  if (FSorted || FList.size() < 2)
    return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(),
                   [](const Item& A, const Item& B) { return AnsiCompareText(A.S, B.S) < 0; });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value)
    return;
  if (Value)
    Sort();
  FSorted = Value;
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange)
    OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging)
    OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, nullptr});
  Changed();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    Error(SListIndexError, Index);
}

} // namespace vcl
