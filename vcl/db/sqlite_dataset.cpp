// TSQLiteDataSet: the data set's properties and its storage operations,
// handed to the connection and the cursor (sqlite_connection.cpp,
// sqlite_cursor.cpp).
#include "vcl/db/sqlite_impl.h"

namespace vcl {

TSQLiteDataSet::TSQLiteDataSet(TComponent* AOwner)
    : TDataSet(AOwner), FSQL(std::make_unique<TStringList>()) {
  FSQL->OnChanging = [this](TObject* Sender) { SQLChanging(Sender); };
}

TSQLiteDataSet::~TSQLiteDataSet() {
  CloseForDestroy();
}

void TSQLiteDataSet::SetDatabaseName(const std::string& Value) {
  if (Value == FDatabaseName)
    return;
  CheckInactive();
  FDatabaseName = Value;
  FConnection.reset();
}

void TSQLiteDataSet::SetTableName(const std::string& Value) {
  if (Value == FTableName)
    return;
  CheckInactive();
  FTableName = Value;
}

void TSQLiteDataSet::SetSQL(TStrings* Value) {
  FSQL->Assign(Value);
}

void TSQLiteDataSet::SQLChanging(TObject*) {
  CheckInactive();
}

void TSQLiteDataSet::SetBusyTimeout(int Value) {
  FBusyTimeout = std::max(Value, 0);
  if (FConnection)
    FConnection->SetBusyTimeout(FBusyTimeout);
}

TSQLiteDataSet::TConnection& TSQLiteDataSet::Connection() {
  if (!FConnection)
    FConnection = std::make_unique<TConnection>(FDatabaseName, FBusyTimeout, this);
  return *FConnection;
}

void TSQLiteDataSet::ExecSQL(const std::string& Statements) {
  Connection().Exec(Statements);
}

bool TSQLiteDataSet::CanModify() const {
  return Active() && FCursor && FCursor->Writable();
}

void TSQLiteDataSet::InternalOpen(std::vector<TFieldDef>& Defs) {
  if (FTableName.empty() && Trim(FSQL->Text()).empty())
    DatabaseError("No table name and no SQL to open", this);
  FCursor = std::make_unique<TCursor>(Connection(), FTableName, FSQL->Text(), Defs);
  if (FCursor->Writable() && !FTableName.empty())
    FRules = std::make_unique<TColumnRules>(Connection(), FTableName, Defs);
}

void TSQLiteDataSet::InternalClose() {
  FRules.reset();
  FCursor.reset();
}

void TSQLiteDataSet::CheckFieldValue(const TField* Field) {
  if (FRules)
    FRules->Check(Field, ActiveBuffer(), State() == dsInsert);
}

bool TSQLiteDataSet::InternalFirst(TRecordBuffer& Rec) {
  return FCursor->First(Rec);
}
bool TSQLiteDataSet::InternalLast(TRecordBuffer& Rec) {
  return FCursor->Last(Rec);
}
bool TSQLiteDataSet::InternalNext(TRecordBuffer& Rec) {
  return FCursor->Next(Rec);
}
bool TSQLiteDataSet::InternalPrior(TRecordBuffer& Rec) {
  return FCursor->Prior(Rec);
}
bool TSQLiteDataSet::InternalGotoRecNo(int RecNo, TRecordBuffer& Rec) {
  return FCursor->GotoRecNo(RecNo, Rec);
}
int TSQLiteDataSet::InternalRecNo() {
  return FCursor->RecNo();
}
int TSQLiteDataSet::InternalRecordCount() {
  return FCursor->RecordCount();
}
bool TSQLiteDataSet::InternalRefresh(TRecordBuffer& Rec) {
  return FCursor->Refresh(Rec);
}

void TSQLiteDataSet::InternalInitRecord(TRecordBuffer& Rec) {
  Rec.assign(FCursor->Width(), TDBValue());
}

void TSQLiteDataSet::InternalPost(const TRecordBuffer& Old, TRecordBuffer& Rec, bool Inserting) {
  if (Inserting) {
    FCursor->Insert(Rec);
    return;
  }
  TRecordBuffer Fresh;
  switch (FCursor->Update(Old, Rec, Fresh)) {
  case TCursor::wrDone:
    return;
  case TCursor::wrChanged:
    MergeFreshRecord(Fresh);
    DatabaseError("The record was changed by another user since it was read. Post again to "
                  "save your values over the changes, or cancel to keep them",
                  this);
  case TCursor::wrGone:
    DatabaseError("The record was deleted by another user", this);
  }
}

bool TSQLiteDataSet::InternalDelete(TRecordBuffer& Rec) {
  TRecordBuffer Fresh;
  if (FCursor->Delete(Rec, Fresh) == TCursor::wrChanged) {
    MergeFreshRecord(Fresh);
    DatabaseError("The record was changed by another user since it was read. Delete again to "
                  "delete it as it is now",
                  this);
  }
  return FCursor->Next(Rec) || FCursor->Prior(Rec);
}

} // namespace vcl
