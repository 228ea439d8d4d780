// TSQLCursor: the place of a data set's cursor among the rows of an SQL table
// or query, kept in a window of rows that the engine fetches by key (tables)
// or by position (queries).
#include <algorithm>
#include <cstdlib>

#include "vcl/db.h"
#include "vcl/db/detail/storage.h"

namespace vcl {

namespace {

// A window starts at WindowSize rows; each fetch of a walk going on in the
// same direction doubles it up to MaxWindowSize, so a long walk pays the
// engine's per-statement cost (a read lock, a look at the file) once per
// few thousand rows, while the memory held stays bounded.
constexpr int WindowSize = 256;
constexpr int MaxWindowSize = 4096;

} // namespace

TSQLCursor::~TSQLCursor() = default;

TRecordBuffer TSQLCursor::KeyOf(const TRecordBuffer& Rec) const {
  return TRecordBuffer(Rec.end() - FKeyWidth, Rec.end());
}

bool TSQLCursor::ReadByKey(const TRecordBuffer& Key, TRecordBuffer& Row) {
  TWindow Rows;
  Fetch(fByKey, Key, 0, 1, Rows);
  if (Rows.empty())
    return false;
  Row = std::move(Rows[0]);
  return true;
}

// The cursor stands on FWindow[FPos]. Its key is copied only when asked
// for (CurrentKey): a walk needs it once per window.
void TSQLCursor::Stand() {
  FKeyDue = Keyed();
  FGap = false;
}

// The key of the cursor's row, or of the row removed from the gap.
const TRecordBuffer& TSQLCursor::CurrentKey() {
  if (FKeyDue) {
    // Copied in place: the key's memory serves every row of a walk.
    const TRecordBuffer& Row = FWindow[FPos];
    const std::size_t First = Row.size() - FKeyWidth;
    FKey.resize(FKeyWidth);
    for (int K = 0; K < FKeyWidth; ++K)
      dbstore::CopyValue(FKey[K], Row[First + K]);
    FKeyDue = false;
  }
  return FKey;
}

// The cursor's row into Rec, remembering its key.
void TSQLCursor::Take(TRecordBuffer& Rec) {
  Stand();
  dbstore::CopyRecord(Rec, FWindow[FPos]);
}

// The fetched rows become the window; the old window is kept as the spare.
void TSQLCursor::Arrive(TWindow&& Rows, int Pos) {
  std::swap(FWindow, Rows);
  FPos = Pos;
  Stand();
}

void TSQLCursor::Arrive(TWindow&& Rows, int Pos, TRecordBuffer& Rec) {
  Arrive(std::move(Rows), Pos);
  dbstore::CopyRecord(Rec, FWindow[FPos]);
}

bool TSQLCursor::First(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  FWalk = WindowSize;
  if (Keyed())
    Fetch(fFirst, {}, 0, WindowSize, Rows);
  else
    Fetch(fAt, {}, 0, WindowSize, Rows);
  if (Rows.empty())
    return false;
  FWindowStart = 0;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = 1;
  return true;
}

bool TSQLCursor::Last(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  FWalk = -WindowSize;
  if (Keyed()) {
    Fetch(fLast, {}, 0, WindowSize, Rows);
    FRecNo = FRowCount >= 0 ? FRowCount : 0;
  } else {
    FWindowStart = std::max(RecordCount() - WindowSize, 0);
    Fetch(fAt, {}, FWindowStart, WindowSize, Rows);
    FRecNo = FWindowStart + static_cast<int>(Rows.size());
  }
  if (Rows.empty())
    return false;
  const int Pos = static_cast<int>(Rows.size()) - 1;
  Arrive(std::move(Rows), Pos, Rec);
  return true;
}

// The size of the next window of a walk in Direction (+1 onwards, -1
// backwards): doubled while the walk keeps its direction.
int TSQLCursor::Walk(int Direction) {
  if (Direction * FWalk > 0)
    FWalk = Direction * std::min(std::abs(FWalk) * 2, MaxWindowSize);
  else
    FWalk = Direction * WindowSize;
  return std::abs(FWalk);
}

// From a gap the row after it is the one at FPos, and it takes the number
// the removed row had.
const TRecordBuffer* TSQLCursor::MoveNext() {
  const int Target = FGap ? FPos : FPos + 1;
  const bool Counted = FRecNo > 0 && !FGap;
  if (FPos >= 0 && Target < static_cast<int>(FWindow.size())) {
    FPos = Target;
    Stand();
  } else {
    TWindow& Rows = FSpare;
    const int Size = Walk(+1);
    if (Keyed()) {
      if (CurrentKey().empty())
        return nullptr;
      Fetch(fAfter, FKey, 0, Size, Rows);
    } else {
      Fetch(fAt, {}, FWindowStart + static_cast<int>(FWindow.size()), Size, Rows);
    }
    if (Rows.empty())
      return nullptr;
    FWindowStart += static_cast<int>(FWindow.size());
    Arrive(std::move(Rows), 0);
  }
  if (Counted)
    ++FRecNo;
  return &FWindow[FPos];
}

const TRecordBuffer* TSQLCursor::MovePrior() {
  if (FPos > 0 && FPos <= static_cast<int>(FWindow.size())) {
    --FPos;
    Stand();
  } else {
    TWindow& Rows = FSpare;
    const int Size = Walk(-1);
    int Start = 0;
    if (Keyed()) {
      if (CurrentKey().empty())
        return nullptr;
      Fetch(fBefore, FKey, 0, Size, Rows);
    } else {
      if (FWindowStart == 0)
        return nullptr;
      Start = std::max(FWindowStart - Size, 0);
      Fetch(fAt, {}, Start, FWindowStart - Start, Rows);
    }
    if (Rows.empty())
      return nullptr;
    FWindowStart = Start;
    const int Pos = static_cast<int>(Rows.size()) - 1;
    Arrive(std::move(Rows), Pos);
  }
  if (FRecNo > 0)
    --FRecNo;
  return &FWindow[FPos];
}

bool TSQLCursor::Next(TRecordBuffer& Rec) {
  return Copied(MoveNext(), Rec);
}

bool TSQLCursor::Prior(TRecordBuffer& Rec) {
  return Copied(MovePrior(), Rec);
}

bool TSQLCursor::Copied(const TRecordBuffer* Row, TRecordBuffer& Rec) {
  if (Row)
    dbstore::CopyRecord(Rec, *Row);
  return Row != nullptr;
}

bool TSQLCursor::GotoRecNo(int RecNo, TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  FWalk = WindowSize;
  Fetch(fAt, {}, RecNo - 1, WindowSize, Rows);
  if (Rows.empty())
    return false;
  FWindowStart = RecNo - 1;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = RecNo;
  return true;
}

int TSQLCursor::RecNo() {
  if (FRecNo == 0 && Keyed() && !CurrentKey().empty())
    FRecNo = Count(&FKey) + 1;
  return FRecNo;
}

int TSQLCursor::RecordCount() {
  if (FRowCount < 0)
    FRowCount = Count(nullptr);
  return FRowCount;
}

bool TSQLCursor::Refresh(TRecordBuffer& Rec) {
  FRowCount = -1;
  TWindow Rows;
  if (Keyed()) {
    if (CurrentKey().empty())
      return false;
    Fetch(fByKey, FKey, 0, 1, Rows);
    FRecNo = 0;
  } else {
    Fetch(fAt, {}, FWindowStart + std::max(FPos, 0), WindowSize, Rows);
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

void TSQLCursor::Settle(TRecordBuffer&& Stored, bool Moved, TRecordBuffer& Rec) {
  if (Moved || FGap || FPos < 0 || FPos >= static_cast<int>(FWindow.size())) {
    FWindow.assign(1, std::move(Stored));
    FPos = 0;
    if (Moved)
      FRecNo = 0;
  } else {
    FWindow[FPos] = std::move(Stored);
  }
  Take(Rec);
}

TRecordBuffer& TSQLCursor::RowAt(TWindow& Rows, std::size_t Index) {
  if (Index == Rows.size()) {
    if (FLeftOver.empty()) {
      Rows.emplace_back();
    } else {
      Rows.push_back(std::move(FLeftOver.back()));
      FLeftOver.pop_back();
    }
  }
  return Rows[Index];
}

void TSQLCursor::EndRows(TWindow& Rows, std::size_t Count) {
  while (Rows.size() > Count) {
    FLeftOver.push_back(std::move(Rows.back()));
    Rows.pop_back();
  }
}

void TSQLCursor::Added() {
  if (FRowCount >= 0)
    ++FRowCount;
}

void TSQLCursor::RemoveCurrent() {
  CurrentKey(); // the gap keeps it
  if (FPos >= 0 && FPos < static_cast<int>(FWindow.size()) && !FGap)
    FWindow.erase(FWindow.begin() + FPos);
  FGap = true;
  if (FRowCount > 0)
    --FRowCount;
}

} // namespace vcl
