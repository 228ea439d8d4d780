// TSQLiteDataSet: the data set's properties and its storage operations,
// handed to the connection and the cursor (sqlite_connection.cpp,
// sqlite_cursor.cpp).
#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

TSQLiteDataSet::TSQLiteDataSet(TComponent* AOwner) : TCustomSQLDataSet(AOwner, ":memory:") {
  RegisterSQLiteClasses();
}

TSQLiteDataSet::~TSQLiteDataSet() {
  CloseForDestroy();
}

std::vector<std::string> TSQLiteDataSet::ParamNames(const std::string& SQL) const {
  return SQLParamNames(SQL);
}

void TSQLiteDataSet::DatabaseChanged() {
  FConnection.reset();
}

void TSQLiteDataSet::SetBusyTimeout(int Value) {
  FBusyTimeout = std::max(Value, 0);
  if (FConnection)
    FConnection->SetBusyTimeout(FBusyTimeout);
}

void TSQLiteDataSet::SetLegacyCodePage(int Value) {
  if (Value == FLegacyCodePage)
    return;
  if (Value != 0 && Value != 1252)
    DatabaseError("Code page " + std::to_string(Value) + " is not supported (0 or 1252)", this);
  CheckInactive();
  FLegacyCodePage = Value;
  if (FConnection)
    FConnection->SetLegacyCp1252(Value == 1252);
}

TSQLiteDataSet::TConnection& TSQLiteDataSet::Connection() {
  if (!FConnection) {
    FConnection = std::make_unique<TConnection>(DatabaseName(), FBusyTimeout, this);
    FConnection->SetLegacyCp1252(FLegacyCodePage == 1252);
  }
  return *FConnection;
}

void TSQLiteDataSet::ExecSQL(const std::string& Statements) {
  Connection().Exec(Statements);
}

bool TSQLiteDataSet::CanModify() const {
  return Active() && FCursor && FCursor->Writable() && !FConnection->ReadOnly();
}

void TSQLiteDataSet::InternalOpen(std::vector<TFieldDef>& Defs) {
  CheckSource();
  FCursor = std::make_unique<TCursor>(Connection(), TableName(), SQL()->Text(), *Params(), Defs);
  if (FCursor->Writable() && !TableName().empty())
    FRules = std::make_unique<TColumnRules>(Connection(), TableName(), Defs);
}

// A file's connection ends here, so the next Open reads the file that is
// there then; an in-memory database lives on with its connection.
void TSQLiteDataSet::InternalClose() {
  FRules.reset();
  FCursor.reset();
  if (FConnection && !FConnection->InMemory())
    FConnection.reset();
}

void TSQLiteDataSet::CheckFieldValue(const TField* Field) {
  if (FRules)
    FRules->Check(Field, ActiveBuffer(), State() == dsInsert);
}

TSQLCursor* TSQLiteDataSet::Cursor() const {
  return FCursor.get();
}

} // namespace vcl
