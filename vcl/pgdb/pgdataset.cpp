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
  CheckSource();
  FCursor = std::make_unique<TCursor>(Connection(), TableName(), SQL()->Text(), *Params(), Defs);
}

void TPgDataSet::InternalClose() {
  FCursor.reset();
}

void TPgDataSet::CheckFieldValue(const TField* Field) {
  if (FCursor)
    FCursor->Check(Field, ActiveBuffer(), State() == dsInsert);
}

TSQLCursor* TPgDataSet::Cursor() const {
  return FCursor.get();
}

} // namespace vcl
