// TCustomSQLDataSet: what the data sets over SQL databases share, whatever
// the engine: the database, table and query properties, the query's
// parameters (children of the data set in form files), the messages of a
// write that did not happen, and the choice among a table's unique keys.
#include <algorithm>

#include "vcl/db.h"

namespace vcl {

TCustomSQLDataSet::TCustomSQLDataSet(TComponent* AOwner, std::string DefaultDatabaseName)
    : TDataSet(AOwner), FDatabaseName(std::move(DefaultDatabaseName)),
      FSQL(std::make_unique<TStringList>()), FParams(std::make_unique<TParams>(this)) {
  FSQL->OnChanging = [this](TObject* Sender) { SQLChanging(Sender); };
  FSQL->OnChange = [this](TObject* Sender) { SQLChanged(Sender); };
}

TCustomSQLDataSet::~TCustomSQLDataSet() = default;

void TCustomSQLDataSet::SetDatabaseName(const std::string& Value) {
  if (Value == FDatabaseName)
    return;
  CheckInactive();
  FDatabaseName = Value;
  DatabaseChanged();
}

void TCustomSQLDataSet::SetTableName(const std::string& Value) {
  if (Value == FTableName)
    return;
  CheckInactive();
  FTableName = Value;
}

void TCustomSQLDataSet::SetSQL(TStrings* Value) {
  FSQL->Assign(Value);
}

void TCustomSQLDataSet::SQLChanging(TObject*) {
  CheckInactive();
}

// A form file names the parameters after the SQL: they are matched up once
// the whole data set is read (Loaded).
void TCustomSQLDataSet::SQLChanged(TObject*) {
  if (!ComponentState().Contains(csLoading))
    FParams->Update(ParamNames(FSQL->Text()));
}

void TCustomSQLDataSet::Loaded() {
  FParams->Update(ParamNames(FSQL->Text()));
  TDataSet::Loaded();
}

void TCustomSQLDataSet::CheckSource() const {
  if (FTableName.empty() && Trim(FSQL->Text()).empty())
    DatabaseError("No table name and no SQL to open", this);
}

TParam* TCustomSQLDataSet::ParamByName(const std::string& Name) const {
  TParam* Param = FParams->FindParam(Name);
  if (!Param)
    DatabaseError("Parameter '" + Name + "' not found", this);
  return Param;
}

void TCustomSQLDataSet::GetChildren(const std::function<void(TComponent*)>& Proc,
                                    const TComponent* Root) const {
  TDataSet::GetChildren(Proc, Root);
  for (int I = 0; I < FParams->Count(); ++I)
    Proc(FParams->Params(I));
}

void TCustomSQLDataSet::WriteRefused(TWriteResult Result, const TRecordBuffer& Fresh, bool Deleting,
                                     int Matched) {
  const std::string Look = " Cancel and refresh to see the table as it is now";
  std::string Message;
  switch (Result) {
  case wrChanged:
    MergeFreshRecord(Fresh);
    Message = "The record was changed by another user since it was read. " +
              std::string(Deleting ? "Delete again to delete it as it is now"
                                   : "Post again to save your values over the changes, or "
                                     "cancel to keep them");
    break;
  case wrGone:
    Message = "The record was deleted by another user";
    break;
  case wrIgnored:
    Message = "The table ignored the write (a constraint or trigger of the table that ignores "
              "it); nothing was written";
    break;
  case wrLost:
    Message = "The record was changed or deleted by another user and can no longer be found as "
              "it was read; nothing was written." +
              Look;
    break;
  case wrSeveral:
    Message = "The record now matches " + std::to_string(Matched) +
              " records of the table; nothing was written." + Look;
    break;
  case wrDone:
    break;
  }
  DatabaseError(Message, this);
}

// ---------------------------------------------------------------------------
// The storage, through the engine's cursor

bool TCustomSQLDataSet::InternalFirst(TRecordBuffer& Rec) {
  return Cursor()->First(Rec);
}
bool TCustomSQLDataSet::InternalLast(TRecordBuffer& Rec) {
  return Cursor()->Last(Rec);
}
bool TCustomSQLDataSet::InternalNext(TRecordBuffer& Rec) {
  return Cursor()->Next(Rec);
}
bool TCustomSQLDataSet::InternalPrior(TRecordBuffer& Rec) {
  return Cursor()->Prior(Rec);
}
const TRecordBuffer* TCustomSQLDataSet::InternalStep(int Direction) {
  return Direction > 0 ? Cursor()->MoveNext() : Cursor()->MovePrior();
}
bool TCustomSQLDataSet::InternalGotoRecNo(int RecNo, TRecordBuffer& Rec) {
  return Cursor()->GotoRecNo(RecNo, Rec);
}
int TCustomSQLDataSet::InternalRecNo() {
  return Cursor()->RecNo();
}
int TCustomSQLDataSet::InternalRecordCount() {
  return Cursor()->RecordCount();
}
bool TCustomSQLDataSet::InternalRefresh(TRecordBuffer& Rec) {
  return Cursor()->Refresh(Rec);
}

void TCustomSQLDataSet::InternalInitRecord(TRecordBuffer& Rec) {
  Rec.assign(Cursor()->Width(), TDBValue());
}

void TCustomSQLDataSet::InternalPost(const TRecordBuffer& Old, TRecordBuffer& Rec, bool Inserting) {
  TRecordBuffer Fresh;
  const auto Result = Inserting ? Cursor()->Insert(Rec) : Cursor()->Update(Old, Rec, Fresh);
  if (Result != wrDone)
    WriteRefused(Result, Fresh, false, Cursor()->Matched());
}

bool TCustomSQLDataSet::InternalDelete(TRecordBuffer& Rec) {
  TRecordBuffer Fresh;
  const auto Result = Cursor()->Delete(Rec, Fresh);
  if (Result != wrDone)
    WriteRefused(Result, Fresh, true, Cursor()->Matched());
  return Cursor()->Next(Rec) || Cursor()->Prior(Rec);
}

std::vector<int> TCustomSQLDataSet::SmallestKey(const std::vector<std::vector<int>>& Candidates) {
  std::vector<int> Best;
  for (const std::vector<int>& Key : Candidates)
    if (!Key.empty() && std::find(Key.begin(), Key.end(), -1) == Key.end() &&
        (Best.empty() || Key.size() < Best.size()))
      Best = Key;
  return Best;
}

} // namespace vcl
