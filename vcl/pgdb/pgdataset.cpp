// TPgDataSet: the data set's properties, its login, and its storage
// operations, handed to the connection and the cursor (pgconn.cpp,
// pgschema.cpp, pgwrite.cpp).
#include "vcl/dialogs.h"
#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl {

TPgDataSet::TPgDataSet(TComponent* AOwner) : TCustomSQLDataSet(AOwner, "") {
  RegisterPgClasses();
}

TPgDataSet::~TPgDataSet() {
  CloseForDestroy();
}

std::vector<std::string> TPgDataSet::ParamNames(const std::string& SQL) const {
  return pg::ParamNamesOf(SQL);
}

// A new database forgets the connection, and with it the password.
void TPgDataSet::DatabaseChanged() {
  FConnection.reset();
}

bool TPgDataSet::Login(const std::string& Database, std::string& UserName, std::string& Password) {
  if (OnLogin) {
    OnLogin(this, UserName, Password);
    return true;
  }
  return FLoginPrompt && LoginDialog(Database, UserName, Password);
}

TPgDataSet::TConnection& TPgDataSet::Connection() {
  if (!FConnection)
    FConnection = std::make_unique<TConnection>(DatabaseName(), this);
  return *FConnection;
}

bool TPgDataSet::Connected() const {
  return FConnection && FConnection->Alive();
}

void TPgDataSet::ExecSQL(const std::string& Statements) {
  Connection().Exec(Statements);
}

bool TPgDataSet::CanModify() const {
  return Active() && FCursor && FCursor->Writable();
}

void TPgDataSet::InternalOpen(std::vector<TFieldDef>& Defs) {
  if (TableName().empty() && Trim(SQL()->Text()).empty())
    DatabaseError("No table name and no SQL to open", this);
  FCursor = std::make_unique<TCursor>(Connection(), TableName(), SQL()->Text(), *Params(), Defs);
}

void TPgDataSet::InternalClose() {
  FCursor.reset();
}

void TPgDataSet::CheckFieldValue(const TField* Field) {
  if (FCursor)
    FCursor->Check(Field, ActiveBuffer(), State() == dsInsert);
}

bool TPgDataSet::InternalFirst(TRecordBuffer& Rec) {
  return FCursor->First(Rec);
}
bool TPgDataSet::InternalLast(TRecordBuffer& Rec) {
  return FCursor->Last(Rec);
}
bool TPgDataSet::InternalNext(TRecordBuffer& Rec) {
  return FCursor->Next(Rec);
}
bool TPgDataSet::InternalPrior(TRecordBuffer& Rec) {
  return FCursor->Prior(Rec);
}
bool TPgDataSet::InternalGotoRecNo(int RecNo, TRecordBuffer& Rec) {
  return FCursor->GotoRecNo(RecNo, Rec);
}
int TPgDataSet::InternalRecNo() {
  return FCursor->RecNo();
}
int TPgDataSet::InternalRecordCount() {
  return FCursor->RecordCount();
}
bool TPgDataSet::InternalRefresh(TRecordBuffer& Rec) {
  return FCursor->Refresh(Rec);
}

void TPgDataSet::InternalInitRecord(TRecordBuffer& Rec) {
  Rec.assign(FCursor->Width(), TDBValue());
}

void TPgDataSet::InternalPost(const TRecordBuffer& Old, TRecordBuffer& Rec, bool Inserting) {
  TRecordBuffer Fresh;
  const auto Result = Inserting ? FCursor->Insert(Rec) : FCursor->Update(Old, Rec, Fresh);
  if (Result != wrDone)
    WriteRefused(Result, Fresh, false, FCursor->Matched());
}

bool TPgDataSet::InternalDelete(TRecordBuffer& Rec) {
  TRecordBuffer Fresh;
  const auto Result = FCursor->Delete(Rec, Fresh);
  if (Result != wrDone)
    WriteRefused(Result, Fresh, true, FCursor->Matched());
  return FCursor->Next(Rec) || FCursor->Prior(Rec);
}

} // namespace vcl
