// The cursor of TSQLiteDataSet. A table is read in key order a window of
// rows at a time: the first or last rows, the rows after or before a key, the
// row of a key, so moving never reads more than one window and no statement
// stays open between moves. The cursor remembers the key of its row, so it
// keeps its place when its row is deleted. A query (or a view: anything
// without a key) is read a window at a time by position. Each record holds
// the columns, then (for tables) the key values. What the cursor reads when
// it opens is in sqlite_schema.cpp, how it writes in sqlite_write.cpp.
#include <algorithm>

#include "vcl/db/sqlite_impl.h"

namespace vcl {

namespace {

constexpr int WindowSize = 256;

} // namespace

// ---------------------------------------------------------------------------
// Reading

// SQLite prepares a statement again when the schema changes: a query's
// columns may then be others than the fields were made from.
void TSQLiteDataSet::TCursor::CheckShape(const TSQLiteStatement& S) const {
  std::vector<std::string> Names;
  for (int I = 0; I < S.ColumnCount(); ++I)
    Names.push_back(S.ColumnName(I));
  if (Names != FExpected)
    DatabaseError("The columns have changed since the data set was opened (now " + JoinList(Names) +
                      "); close and open it again",
                  FConnection.Owner());
}

// Steps S to its end into Rows (in reverse for descending statements), and
// always resets it.
void TSQLiteDataSet::TCursor::Fetch(TSQLiteStatement& S, TWindow& Rows, bool Reversed) const {
  // Rows keeps its records' memory: each row read overwrites one in place.
  std::size_t Count = 0;
  const int Width = this->Width();
  try {
    while (S.Step()) {
      if (Count == 0)
        CheckShape(S);
      if (Count == Rows.size())
        Rows.emplace_back();
      TRecordBuffer& Row = Rows[Count++];
      Row.resize(Width);
      for (int I = 0; I < Width; ++I)
        S.ColumnInto(I, Row[I]);
    }
  } catch (...) {
    S.Reset();
    throw;
  }
  S.Reset();
  Rows.resize(Count);
  if (Reversed)
    std::reverse(Rows.begin(), Rows.end());
}

void TSQLiteDataSet::TCursor::FetchAt(int Offset, int Count, TWindow& Rows) {
  const int N = static_cast<int>(FParams.size());
  BindValues(*FAt, 1, FParams);
  FAt->Bind(N + 1, std::int64_t(Count));
  FAt->Bind(N + 2, std::int64_t(Offset));
  Fetch(*FAt, Rows, false);
}

void TSQLiteDataSet::TCursor::BindValues(TSQLiteStatement& S, int First,
                                         const TRecordBuffer& Values) const {
  for (std::size_t I = 0; I < Values.size(); ++I)
    S.Bind(First + static_cast<int>(I), Values[I]);
}

bool TSQLiteDataSet::TCursor::ReadByKey(const TRecordBuffer& Key, TRecordBuffer& Row) {
  TWindow Rows;
  BindValues(*FByKey, 1, Key);
  Fetch(*FByKey, Rows, false);
  if (Rows.empty())
    return false;
  Row = std::move(Rows[0]);
  return true;
}

// The cursor's row into Rec, remembering its key.
void TSQLiteDataSet::TCursor::Take(TRecordBuffer& Rec) {
  Rec = FWindow[FPos];
  if (FKeyKind != kkNone)
    FKey.assign(Rec.end() - static_cast<int>(FKeySlots.size()), Rec.end());
  FGap = false;
}

// The fetched rows become the window; the old window is kept as the spare.
void TSQLiteDataSet::TCursor::Arrive(TWindow&& Rows, int Pos, TRecordBuffer& Rec) {
  std::swap(FWindow, Rows);
  FPos = Pos;
  Take(Rec);
}

bool TSQLiteDataSet::TCursor::First(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  if (FKeyKind != kkNone) {
    FFirst->Bind(1, std::int64_t(WindowSize));
    Fetch(*FFirst, Rows, false);
  } else {
    FetchAt(0, WindowSize, Rows);
  }
  if (Rows.empty())
    return false;
  FWindowStart = 0;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = 1;
  return true;
}

bool TSQLiteDataSet::TCursor::Last(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  if (FKeyKind != kkNone) {
    FLast->Bind(1, std::int64_t(WindowSize));
    Fetch(*FLast, Rows, true);
    FRecNo = FRowCount >= 0 ? FRowCount : 0;
  } else {
    FWindowStart = std::max(RecordCount() - WindowSize, 0);
    FetchAt(FWindowStart, WindowSize, Rows);
    FRecNo = FWindowStart + static_cast<int>(Rows.size());
  }
  if (Rows.empty())
    return false;
  const int Pos = static_cast<int>(Rows.size()) - 1;
  Arrive(std::move(Rows), Pos, Rec);
  return true;
}

// From a gap the row after it is the one at FPos, and it takes the number
// the removed row had.
bool TSQLiteDataSet::TCursor::Next(TRecordBuffer& Rec) {
  const int Target = FGap ? FPos : FPos + 1;
  const bool Counted = FRecNo > 0 && !FGap;
  if (FPos >= 0 && Target < static_cast<int>(FWindow.size())) {
    FPos = Target;
    Take(Rec);
  } else {
    TWindow& Rows = FSpare;
    if (FKeyKind != kkNone) {
      if (FKey.empty())
        return false;
      BindValues(*FAfter, 1, FKey);
      FAfter->Bind(static_cast<int>(FKey.size()) + 1, std::int64_t(WindowSize));
      Fetch(*FAfter, Rows, false);
    } else {
      FetchAt(FWindowStart + static_cast<int>(FWindow.size()), WindowSize, Rows);
    }
    if (Rows.empty())
      return false;
    FWindowStart += static_cast<int>(FWindow.size());
    Arrive(std::move(Rows), 0, Rec);
  }
  if (Counted)
    ++FRecNo;
  return true;
}

bool TSQLiteDataSet::TCursor::Prior(TRecordBuffer& Rec) {
  if (FPos > 0 && FPos <= static_cast<int>(FWindow.size())) {
    --FPos;
    Take(Rec);
  } else {
    TWindow& Rows = FSpare;
    int Start = 0;
    if (FKeyKind != kkNone) {
      if (FKey.empty())
        return false;
      BindValues(*FBefore, 1, FKey);
      FBefore->Bind(static_cast<int>(FKey.size()) + 1, std::int64_t(WindowSize));
      Fetch(*FBefore, Rows, true);
    } else {
      if (FWindowStart == 0)
        return false;
      Start = std::max(FWindowStart - WindowSize, 0);
      FetchAt(Start, FWindowStart - Start, Rows);
    }
    if (Rows.empty())
      return false;
    FWindowStart = Start;
    const int Pos = static_cast<int>(Rows.size()) - 1;
    Arrive(std::move(Rows), Pos, Rec);
  }
  if (FRecNo > 0)
    --FRecNo;
  return true;
}

bool TSQLiteDataSet::TCursor::GotoRecNo(int RecNo, TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  FetchAt(RecNo - 1, WindowSize, Rows);
  if (Rows.empty())
    return false;
  FWindowStart = RecNo - 1;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = RecNo;
  return true;
}

int TSQLiteDataSet::TCursor::RecNo() {
  if (FRecNo == 0 && FKeyKind != kkNone && !FKey.empty()) {
    BindValues(*FCountBefore, 1, FKey);
    FRecNo = static_cast<int>(Scalar(*FCountBefore)) + 1;
  }
  return FRecNo;
}

int TSQLiteDataSet::TCursor::RecordCount() {
  if (FRowCount < 0) {
    BindValues(*FCountAll, 1, FParams);
    FRowCount = static_cast<int>(Scalar(*FCountAll));
  }
  return FRowCount;
}

std::int64_t TSQLiteDataSet::TCursor::Scalar(TSQLiteStatement& S) const {
  std::int64_t Value = 0;
  try {
    if (S.Step())
      Value = std::get<std::int64_t>(S.Column(0));
  } catch (...) {
    S.Reset();
    throw;
  }
  S.Reset();
  return Value;
}

// Reads the cursor's row again. The window is dropped (what else it held
// may have changed too) and counts are taken again when asked.
bool TSQLiteDataSet::TCursor::Refresh(TRecordBuffer& Rec) {
  FRowCount = -1;
  TWindow Rows;
  if (FKeyKind != kkNone) {
    if (FKey.empty())
      return false;
    BindValues(*FByKey, 1, FKey);
    Fetch(*FByKey, Rows, false);
    FRecNo = 0;
  } else {
    FetchAt(FWindowStart + std::max(FPos, 0), WindowSize, Rows);
    FWindowStart += std::max(FPos, 0);
  }
  if (Rows.empty()) {
    FWindow.clear();
    FPos = 0;
    FGap = true;
    return false;
  }
  Arrive(std::move(Rows), 0, Rec);
  return true;
}

} // namespace vcl
