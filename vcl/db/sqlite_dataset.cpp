// TSQLiteDataSet: the data set's properties and its storage operations,
// handed to the connection and the cursor (sqlite_connection.cpp,
// sqlite_cursor.cpp).
#include "vcl/db/sqlite_impl.h"

namespace vcl {

TSQLiteDataSet::TSQLiteDataSet(TComponent* AOwner)
    : TDataSet(AOwner), FSQL(std::make_unique<TStringList>()),
      FParams(std::make_unique<TParams>(this)) {
  FSQL->OnChanging = [this](TObject* Sender) { SQLChanging(Sender); };
  FSQL->OnChange = [this](TObject* Sender) { SQLChanged(Sender); };
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

// A form file names the parameters after the SQL: they are matched up once
// the whole data set is read (Loaded).
void TSQLiteDataSet::SQLChanged(TObject*) {
  if (!ComponentState().Contains(csLoading))
    FParams->Update(SQLParamNames(FSQL->Text()));
}

void TSQLiteDataSet::Loaded() {
  FParams->Update(SQLParamNames(FSQL->Text()));
  TDataSet::Loaded();
}

TParam* TSQLiteDataSet::ParamByName(const std::string& Name) const {
  TParam* Param = FParams->FindParam(Name);
  if (!Param)
    DatabaseError("Parameter '" + Name + "' not found", this);
  return Param;
}

void TSQLiteDataSet::GetChildren(const std::function<void(TComponent*)>& Proc,
                                 const TComponent* Root) const {
  TDataSet::GetChildren(Proc, Root);
  for (int I = 0; I < FParams->Count(); ++I)
    Proc(FParams->Params(I));
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
    FConnection = std::make_unique<TConnection>(FDatabaseName, FBusyTimeout, this);
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
  if (FTableName.empty() && Trim(FSQL->Text()).empty())
    DatabaseError("No table name and no SQL to open", this);
  FCursor = std::make_unique<TCursor>(Connection(), FTableName, FSQL->Text(), *FParams, Defs);
  if (FCursor->Writable() && !FTableName.empty())
    FRules = std::make_unique<TColumnRules>(Connection(), FTableName, Defs);
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
  TRecordBuffer Fresh;
  const auto Result = Inserting ? FCursor->Insert(Rec) : FCursor->Update(Old, Rec, Fresh);
  if (Result == TCursor::wrDone)
    return;
  if (Result == TCursor::wrChanged)
    MergeFreshRecord(Fresh);
  DatabaseError(FCursor->Failure(Result, "Post again to save your values over the changes, or "
                                         "cancel to keep them"),
                this);
}

bool TSQLiteDataSet::InternalDelete(TRecordBuffer& Rec) {
  TRecordBuffer Fresh;
  const auto Result = FCursor->Delete(Rec, Fresh);
  if (Result == TCursor::wrChanged)
    MergeFreshRecord(Fresh);
  if (Result != TCursor::wrDone)
    DatabaseError(FCursor->Failure(Result, "Delete again to delete it as it is now"), this);
  return FCursor->Next(Rec) || FCursor->Prior(Rec);
}

} // namespace vcl
