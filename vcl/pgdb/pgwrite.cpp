// How the cursor of TPgDataSet writes. Each write runs in a transaction of
// its own. An update or a delete goes to the row the key names only while
// it still holds every value as read, compared exactly (letter case counts
// whatever the column's collation), and must change exactly that one row;
// when it changes none, the row as it is now tells why: another user
// changed or deleted it, or the table ignored the write (a trigger that
// skips it). Every write returns the row as stored.
#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl {

namespace {

// Types compared as values; any other is compared as its text (json has no
// equality, a box's compares areas).
bool ComparedAsValue(Oid Type) {
  switch (Type) {
  case pg::BoolOid:
  case pg::ByteaOid:
  case pg::NameOid:
  case pg::Int8Oid:
  case pg::Int2Oid:
  case pg::Int4Oid:
  case pg::TextOid:
  case pg::OidOid:
  case pg::Float4Oid:
  case pg::Float8Oid:
  case pg::VarcharOid:
  case pg::DateOid:
  case pg::TimeOid:
  case pg::TimestampOid:
  case pg::NumericOid:
    return true;
  default:
    return false;
  }
}

} // namespace

// "(k) = ($n) AND c1 IS NOT DISTINCT FROM $m COLLATE "C" ...": the keyed
// row still holds what was read, to the letter.
std::string TPgDataSet::TCursor::RowMatches(int FirstParam) const {
  std::string S = "(" + KeyList() + ") = (" + pg::Placeholders(FirstParam, FKeyWidth) + ")";
  for (int I = 0; I < FColumns; ++I) {
    const pg::TColumn& C = FCols[I];
    const std::string Param = "$" + std::to_string(FirstParam + FKeyWidth + I);
    if (!ComparedAsValue(C.Type))
      S += " AND (" + C.Select + ")::text IS NOT DISTINCT FROM " + Param + "::text";
    else
      S += " AND " + C.Select + " IS NOT DISTINCT FROM " + Param +
           (C.Collatable ? " COLLATE \"C\"" : "");
  }
  return S;
}

// The key of Row, then its columns, as RowMatches numbers them.
void TPgDataSet::TCursor::AddRow(pg::TParamTexts& Params, const TRecordBuffer& Row) const {
  for (const TDBValue& V : KeyOf(Row))
    Params.push_back(pg::ParamText(V));
  for (int I = 0; I < FColumns; ++I)
    Params.push_back(pg::ParamText(Row[I]));
}

TRecordBuffer TPgDataSet::TCursor::FirstRow(const pg::TResult& Result) const {
  TWindow Rows;
  Read(Result, Rows, false);
  return std::move(Rows.at(0));
}

// What a write that touched Affected rows did to the row read as Old. A
// row known only by its place that is no longer there as read cannot be
// told from another row, so it is never merged nor written.
TWriteResult TPgDataSet::TCursor::Written(int Affected, const TRecordBuffer& Old,
                                          TRecordBuffer& Fresh) {
  if (Affected == 1)
    return wrDone;
  if (Affected > 1) {
    FMatched = Affected;
    return wrSeveral;
  }
  if (!ReadByKey(KeyOf(Old), Fresh))
    return FByPlace ? wrLost : wrGone;
  if (Fresh == Old)
    return wrIgnored;
  return FByPlace ? wrLost : wrChanged;
}

TWriteResult TPgDataSet::TCursor::Update(const TRecordBuffer& Old, TRecordBuffer& Rec,
                                         TRecordBuffer& Fresh) {
  std::vector<std::string> Sets;
  pg::TParamTexts Params;
  for (int I = 0; I < FColumns; ++I)
    if (!FCols[I].Generated && Rec[I] != Old[I]) {
      Params.push_back(pg::ParamText(Rec[I]));
      Sets.push_back(FCols[I].Name + " = $" + std::to_string(Params.size()));
    }
  if (Sets.empty()) {
    Rec = Old;
    return wrDone;
  }
  const std::string SQL = "UPDATE " + FTable + " SET " + pg::Join(Sets) + " WHERE " +
                          RowMatches(static_cast<int>(Params.size()) + 1) + " RETURNING " +
                          SelectList();
  AddRow(Params, Old);
  TWriteResult Result = wrDone;
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    const pg::TResult Done = FConnection.Run(SQL, Params);
    Result = Written(Done.Affected(), Old, Fresh);
    if (Result == wrDone)
      Stored = FirstRow(Done);
    return Result == wrDone;
  });
  if (Result == wrDone) {
    const bool Moved = KeyOf(Stored) != KeyOf(Old);
    Settle(std::move(Stored), Moved, Rec);
  }
  return Result;
}

// Null columns are left to their defaults. An insert a trigger skipped
// returns no row.
TWriteResult TPgDataSet::TCursor::Insert(TRecordBuffer& Rec) {
  std::vector<std::string> Names;
  pg::TParamTexts Params;
  for (int I = 0; I < FColumns; ++I)
    if (!FCols[I].Generated && !IsNullValue(Rec[I])) {
      Names.push_back(FCols[I].Name);
      Params.push_back(pg::ParamText(Rec[I]));
    }
  const int N = static_cast<int>(Names.size());
  const std::string SQL = (N == 0 ? "INSERT INTO " + FTable + " DEFAULT VALUES"
                                  : "INSERT INTO " + FTable + " (" + pg::Join(Names) +
                                        ") VALUES (" + pg::Placeholders(1, N) + ")") +
                          " RETURNING " + SelectList();
  TWriteResult Result = wrDone;
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    const pg::TResult Done = FConnection.Run(SQL, Params);
    Result = Done.Rows() == 1 ? wrDone : wrIgnored;
    if (Result == wrDone)
      Stored = FirstRow(Done);
    return Result == wrDone;
  });
  if (Result != wrDone)
    return Result;
  Settle(std::move(Stored), true, Rec);
  Added();
  return wrDone;
}

TWriteResult TPgDataSet::TCursor::Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh) {
  const std::string SQL = "DELETE FROM " + FTable + " WHERE " + RowMatches(1);
  pg::TParamTexts Params;
  AddRow(Params, Old);
  TWriteResult Result = wrDone;
  FConnection.Transaction([&] {
    Result = Written(FConnection.Run(SQL, Params).Affected(), Old, Fresh);
    if (Result == wrGone)
      Result = wrDone; // another user deleted it already
    return Result == wrDone;
  });
  if (Result == wrDone)
    RemoveCurrent();
  return Result;
}

} // namespace vcl
