// How the cursor of TSQLiteDataSet fetches rows: a table's by key through
// its prepared statements (the first or last rows, the rows after or before
// a key, the row of a key), a query's by position through itself as a
// subquery. Where the cursor stands is TSQLCursor's; what it reads when it
// opens is in sqlite_schema.cpp, how it writes in sqlite_write.cpp.
#include <algorithm>

#include "vcl/db/detail/storage.h"
#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

// SQLite prepares a statement again when the schema changes: a query's
// columns may then be others than the fields were made from.
void TSQLiteDataSet::TCursor::CheckShape(const TSQLiteStatement& S) const {
  const int Count = S.ColumnCount();
  bool Same = Count == static_cast<int>(FExpected.size());
  for (int I = 0; Same && I < Count; ++I)
    Same = S.ColumnName(I) == FExpected[I];
  if (Same)
    return;
  std::vector<std::string> Names;
  for (int I = 0; I < Count; ++I)
    Names.push_back(S.ColumnName(I));
  DatabaseError("The columns have changed since the data set was opened (now " + JoinList(Names) +
                    "); close and open it again",
                FConnection.Owner());
}

// Steps S to its end into Rows (in reverse for descending statements), and
// always resets it.
void TSQLiteDataSet::TCursor::Step(TSQLiteStatement& S, TWindow& Rows, bool Reversed) {
  // Rows keeps its records' memory: each row read overwrites one in place.
  std::size_t Count = 0;
  const int Width = this->Width();
  try {
    while (S.Step()) {
      if (Count == 0)
        CheckShape(S);
      TRecordBuffer& Row = RowAt(Rows, Count++);
      Row.resize(Width);
      for (int I = 0; I < FColumns; ++I)
        S.ColumnInto(I, Row[I]);
      // A key that is a column holds that column's value: copied, not read
      // again; the statement reads the others after the columns.
      int Read = FColumns;
      for (int K = 0; K < FKeyWidth; ++K) {
        const int Column = FKeySlots[K].Column;
        if (Column >= 0)
          dbstore::CopyValue(Row[FColumns + K], Row[Column]);
        else
          S.ColumnInto(Read++, Row[FColumns + K]);
      }
    }
  } catch (...) {
    S.Reset();
    throw;
  }
  S.Reset();
  EndRows(Rows, Count);
  if (Reversed)
    std::reverse(Rows.begin(), Rows.end());
}

void TSQLiteDataSet::TCursor::BindValues(TSQLiteStatement& S, int First,
                                         const TRecordBuffer& Values) const {
  for (std::size_t I = 0; I < Values.size(); ++I)
    S.Bind(First + static_cast<int>(I), Values[I]);
}

void TSQLiteDataSet::TCursor::Fetch(TFetch What, const TRecordBuffer& Key, int Offset, int Count,
                                    TWindow& Rows) {
  const int K = static_cast<int>(Key.size());
  switch (What) {
  case fFirst:
  case fLast: {
    TSQLiteStatement& S = What == fFirst ? *FFirst : *FLast;
    S.Bind(1, std::int64_t(Count));
    return Step(S, Rows, What == fLast);
  }
  case fAfter:
  case fBefore: {
    TSQLiteStatement& S = What == fAfter ? *FAfter : *FBefore;
    BindValues(S, 1, Key);
    S.Bind(K + 1, std::int64_t(Count));
    return Step(S, Rows, What == fBefore);
  }
  case fByKey:
    BindValues(*FByKey, 1, Key);
    return Step(*FByKey, Rows, false);
  case fAt: {
    const int N = static_cast<int>(FParams.size());
    BindValues(*FAt, 1, FParams);
    FAt->Bind(N + 1, std::int64_t(Count));
    FAt->Bind(N + 2, std::int64_t(Offset));
    return Step(*FAt, Rows, false);
  }
  }
}

int TSQLiteDataSet::TCursor::Count(const TRecordBuffer* Key) {
  if (Key) {
    BindValues(*FCountBefore, 1, *Key);
    return static_cast<int>(Scalar(*FCountBefore));
  }
  BindValues(*FCountAll, 1, FParams);
  return static_cast<int>(Scalar(*FCountAll));
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

} // namespace vcl
