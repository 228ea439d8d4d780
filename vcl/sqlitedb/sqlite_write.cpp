// How the cursor of TSQLiteDataSet writes. An update or a delete goes to the
// row the key names only while it still holds every value as read (compared
// exactly, whatever the column's collation), and must change exactly that
// one row; when it changes none, the row as it is now tells why: another
// user changed or deleted it, or the table ignored the write (ON CONFLICT
// IGNORE, a trigger's RAISE(IGNORE)).
#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

std::string TSQLiteDataSet::TCursor::KeyExprs() const {
  std::vector<std::string> Exprs;
  for (const TKeySlot& Slot : FKeySlots)
    Exprs.push_back(Slot.Expr);
  return JoinList(Exprs);
}

// "(k) = (?n) AND c1 IS ?m COLLATE BINARY ...": the keyed row still holds
// what was read, to the letter.
std::string TSQLiteDataSet::TCursor::RowMatches(int FirstParam) const {
  const int K = static_cast<int>(FKeySlots.size());
  std::string S = "(" + KeyExprs() + ") = (" + ParamList(FirstParam, K) + ")";
  for (int I = 0; I < FColumns; ++I)
    S += " AND " + FColumnNames[I] + " IS ?" + std::to_string(FirstParam + K + I) +
         " COLLATE BINARY";
  return S;
}

// Binds the key of Row, then its columns, as RowMatches numbers them.
void TSQLiteDataSet::TCursor::BindRow(TSQLiteStatement& S, int FirstParam,
                                      const TRecordBuffer& Row) const {
  const int K = static_cast<int>(FKeySlots.size());
  BindValues(S, FirstParam, TRecordBuffer(Row.end() - K, Row.end()));
  for (int I = 0; I < FColumns; ++I)
    S.Bind(FirstParam + K + I, Row[I]);
}

// Binds the given columns of Rec to the parameters from 1 on.
void TSQLiteDataSet::TCursor::BindColumns(TSQLiteStatement& S, const TRecordBuffer& Rec,
                                          const std::vector<int>& Columns) const {
  for (std::size_t I = 0; I < Columns.size(); ++I)
    S.Bind(static_cast<int>(I) + 1, Rec[Columns[I]]);
}

// The row just written, as stored.
void TSQLiteDataSet::TCursor::ReadBack(const TRecordBuffer& Key, TRecordBuffer& Stored) {
  if (!ReadByKey(Key, Stored))
    DatabaseError("The record could not be read back after it was written", FConnection.Owner());
}

// What the statement just run did to the row read as Old. A row known only
// by its row id that is no longer there as read cannot be told from another
// row that took its number, so it is never merged nor written.
TWriteResult TSQLiteDataSet::TCursor::Written(const TRecordBuffer& Old, TRecordBuffer& Fresh) {
  const int Changes = sqlite3_changes(FConnection.Handle());
  if (Changes == 1)
    return wrDone;
  if (Changes > 1) {
    FMatched = Changes;
    return wrSeveral;
  }
  if (!ReadByKey(KeyOf(Old), Fresh))
    return FKeyKind == kkRowid ? wrLost : wrGone;
  if (Fresh == Old)
    return wrIgnored;
  return FKeyKind == kkRowid ? wrLost : wrChanged;
}

TWriteResult TSQLiteDataSet::TCursor::Update(const TRecordBuffer& Old, TRecordBuffer& Rec,
                                             TRecordBuffer& Fresh) {
  std::vector<int> Changed;
  for (int I = 0; I < FColumns; ++I)
    if (!FGenerated[I] && Rec[I] != Old[I])
      Changed.push_back(I);
  if (Changed.empty()) {
    Rec = Old;
    return wrDone;
  }
  const int K = static_cast<int>(FKeySlots.size());
  const int N = static_cast<int>(Changed.size());
  std::vector<std::string> Sets;
  for (int I = 0; I < N; ++I)
    Sets.push_back(FColumnNames[Changed[I]] + " = ?" + std::to_string(I + 1));
  const std::string SQL =
      "UPDATE " + FTable + " SET " + JoinList(Sets) + " WHERE " + RowMatches(N + 1);
  // The row's key afterwards: an edited key column moves it.
  const TRecordBuffer OldKey(Old.end() - K, Old.end());
  TRecordBuffer NewKey = OldKey;
  for (int I = 0; I < K; ++I)
    if (FKeySlots[I].Column >= 0)
      NewKey[I] = Rec[FKeySlots[I].Column];
  TWriteResult Result = wrDone;
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    BindColumns(*Statement, Rec, Changed);
    BindRow(*Statement, N + 1, Old);
    Statement->Step();
    Result = Written(Old, Fresh);
    if (Result == wrDone)
      ReadBack(NewKey, Stored);
    return Result == wrDone;
  });
  if (Result == wrDone)
    Settle(std::move(Stored), NewKey != OldKey, Rec);
  return Result;
}

// The new row's key comes back from the insert itself: the row id SQLite
// gave it, or key columns that took their defaults. An insert the table
// ignored gives none.
TWriteResult TSQLiteDataSet::TCursor::Insert(TRecordBuffer& Rec) {
  std::vector<int> Given;
  for (int I = 0; I < FColumns; ++I)
    if (!FGenerated[I] && !IsNullValue(Rec[I]))
      Given.push_back(I);
  std::vector<std::string> Names;
  for (int I : Given)
    Names.push_back(FColumnNames[I]);
  const int N = static_cast<int>(Given.size());
  const std::string SQL = (N == 0 ? "INSERT INTO " + FTable + " DEFAULT VALUES"
                                  : "INSERT INTO " + FTable + " (" + JoinList(Names) +
                                        ") VALUES (" + ParamList(1, N) + ")") +
                          " RETURNING " + KeyExprs();
  TWriteResult Result = wrDone;
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    BindColumns(*Statement, Rec, Given);
    if (!Statement->Step()) {
      Result = wrIgnored;
      return false;
    }
    TRecordBuffer Key;
    for (std::size_t I = 0; I < FKeySlots.size(); ++I)
      Key.push_back(Statement->Column(static_cast<int>(I)));
    Statement->Reset();
    ReadBack(Key, Stored);
    return true;
  });
  if (Result != wrDone)
    return Result;
  Settle(std::move(Stored), true, Rec);
  Added();
  return wrDone;
}

TWriteResult TSQLiteDataSet::TCursor::Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh) {
  const std::string SQL = "DELETE FROM " + FTable + " WHERE " + RowMatches(1);
  TWriteResult Result = wrDone;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    BindRow(*Statement, 1, Old);
    Statement->Step();
    Result = Written(Old, Fresh);
    if (Result == wrGone)
      Result = wrDone; // another user deleted it already
    return Result == wrDone;
  });
  if (Result == wrDone)
    RemoveCurrent();
  return Result;
}

} // namespace vcl
