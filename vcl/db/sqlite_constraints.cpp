// The column rules of an SQLite table, judged when a field is assigned:
// NOT NULL from the table's column list, and the CHECK constraints written
// in each column's definition, read from the table's CREATE TABLE statement
// and evaluated by SQLite itself over the record being edited. A rule that
// cannot be read or evaluated here is still enforced by the write.
#include <cctype>

#include "vcl/db/sqlite_impl.h"

namespace vcl {

namespace {

// A token of an SQL statement: its text (an identifier unquoted), whether
// it is a bare word, and where it stands in the statement.
struct TToken {
  std::string Text;
  bool Word = false;
  std::size_t Begin = 0;
  std::size_t End = 0;
};

bool IsWordChar(char C) {
  const auto U = static_cast<unsigned char>(C);
  return std::isalnum(U) || C == '_' || C == '$' || U >= 0x80;
}

// The text from Pos up to the closing Quote, a doubled one standing for
// itself; Pos ends after the closing quote (or at the end).
std::string ReadQuoted(const std::string& SQL, std::size_t& Pos, char Quote) {
  std::string Text;
  for (++Pos; Pos < SQL.size(); ++Pos) {
    if (SQL[Pos] != Quote) {
      Text += SQL[Pos];
    } else if (Pos + 1 < SQL.size() && SQL[Pos + 1] == Quote && Quote != ']') {
      Text += Quote;
      ++Pos;
    } else {
      ++Pos;
      break;
    }
  }
  return Text;
}

// The tokens of SQL without blanks and comments. String literals keep their
// quotes (they are never names); quoted identifiers lose theirs.
std::vector<TToken> Tokenize(const std::string& SQL) {
  std::vector<TToken> Tokens;
  std::size_t Pos = 0;
  while (Pos < SQL.size()) {
    const char C = SQL[Pos];
    const std::size_t Begin = Pos;
    if (std::isspace(static_cast<unsigned char>(C))) {
      ++Pos;
      continue;
    }
    if (SQL.compare(Pos, 2, "--") == 0) {
      Pos = std::min(SQL.find('\n', Pos), SQL.size());
      continue;
    }
    if (SQL.compare(Pos, 2, "/*") == 0) {
      const std::size_t Close = SQL.find("*/", Pos + 2);
      Pos = Close == std::string::npos ? SQL.size() : Close + 2;
      continue;
    }
    TToken T;
    if (C == '\'') {
      T.Text = "'" + ReadQuoted(SQL, Pos, '\'') + "'";
    } else if (C == '"' || C == '`') {
      T.Text = ReadQuoted(SQL, Pos, C);
    } else if (C == '[') {
      T.Text = ReadQuoted(SQL, Pos, ']');
    } else if (IsWordChar(C)) {
      while (Pos < SQL.size() && IsWordChar(SQL[Pos]))
        ++Pos;
      T.Text = SQL.substr(Begin, Pos - Begin);
      T.Word = true;
    } else {
      T.Text = std::string(1, C);
      ++Pos;
    }
    T.Begin = Begin;
    T.End = Pos;
    Tokens.push_back(std::move(T));
  }
  return Tokens;
}

bool IsPunct(const TToken& T, char C) {
  return !T.Word && T.Text.size() == 1 && T.Text[0] == C && T.End == T.Begin + 1;
}

bool IsKeyword(const TToken& T, const char* Keyword) {
  return T.Word && SameText(T.Text, Keyword);
}

// The index of the ')' that closes the '(' at Open, or Tokens.size().
std::size_t Closing(const std::vector<TToken>& Tokens, std::size_t Open) {
  int Depth = 0;
  for (std::size_t I = Open; I < Tokens.size(); ++I) {
    if (IsPunct(Tokens[I], '('))
      ++Depth;
    else if (IsPunct(Tokens[I], ')') && --Depth == 0)
      return I;
  }
  return Tokens.size();
}

struct TColumnCheck {
  std::string Column;
  std::string Text; // the constraint's name, or its expression
  std::string Expr;
};

// The CHECK constraints of the column definition in Tokens[First, Last).
void ColumnDefinitionChecks(const std::string& SQL, const std::vector<TToken>& Tokens,
                            std::size_t First, std::size_t Last,
                            std::vector<TColumnCheck>& Checks) {
  static const char* const TableConstraints[] = {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK",
                                                 "FOREIGN"};
  for (const char* Keyword : TableConstraints)
    if (IsKeyword(Tokens[First], Keyword))
      return;
  std::string Name;
  for (std::size_t I = First + 1; I < Last; ++I) {
    if (IsKeyword(Tokens[I], "CONSTRAINT") && I + 1 < Last) {
      // The name belongs to the constraint that follows it.
      Name = Tokens[++I].Text;
      if (I + 1 >= Last || !IsKeyword(Tokens[I + 1], "CHECK"))
        Name.clear();
    } else if (IsKeyword(Tokens[I], "CHECK") && I + 1 < Last && IsPunct(Tokens[I + 1], '(')) {
      const std::size_t Close = Closing(Tokens, I + 1);
      if (Close >= Last)
        return;
      const std::string Expr =
          Trim(SQL.substr(Tokens[I + 1].End, Tokens[Close].Begin - Tokens[I + 1].End));
      Checks.push_back({Tokens[First].Text, Name.empty() ? Expr : Name, Expr});
      Name.clear();
      I = Close;
    } else if (IsPunct(Tokens[I], '(')) {
      I = Closing(Tokens, I); // a type's size, a default or a collation's argument
    }
  }
}

// The column CHECK constraints of a CREATE TABLE statement, in order.
std::vector<TColumnCheck> ColumnChecks(const std::string& CreateTable) {
  std::vector<TColumnCheck> Checks;
  const std::vector<TToken> Tokens = Tokenize(CreateTable);
  std::size_t Open = 0;
  while (Open < Tokens.size() && !IsPunct(Tokens[Open], '('))
    ++Open;
  const std::size_t End = Closing(Tokens, Open);
  std::size_t First = Open + 1;
  int Depth = 0;
  for (std::size_t I = First; I <= End && I < Tokens.size(); ++I) {
    if (IsPunct(Tokens[I], '('))
      ++Depth;
    else if (IsPunct(Tokens[I], ')') && I != End)
      --Depth;
    else if ((IsPunct(Tokens[I], ',') && Depth == 0) || I == End) {
      if (I > First)
        ColumnDefinitionChecks(CreateTable, Tokens, First, I, Checks);
      First = I + 1;
    }
  }
  return Checks;
}

int ColumnOf(const std::vector<TFieldDef>& Defs, const std::string& Name) {
  for (std::size_t I = 0; I < Defs.size(); ++I)
    if (SameText(Defs[I].Name, Name))
      return static_cast<int>(I);
  return -1;
}

} // namespace

TSQLiteDataSet::TColumnRules::TColumnRules(TConnection& Connection, const std::string& TableName,
                                           const std::vector<TFieldDef>& Defs)
    : FColumns(Defs.size()), FOwner(Connection.Owner()) {
  ReadNotNull(Connection, TableName, Defs);
  ReadChecks(Connection, TableName, Defs);
}

TSQLiteDataSet::TColumnRules::~TColumnRules() = default;

void TSQLiteDataSet::TColumnRules::ReadNotNull(TConnection& Connection,
                                               const std::string& TableName,
                                               const std::vector<TFieldDef>& Defs) {
  TSQLiteStatement Columns(Connection.Handle(),
                           "SELECT name, \"notnull\" FROM pragma_table_xinfo(?1)", FOwner);
  Columns.Bind(1, TableName);
  while (Columns.Step()) {
    const int Column = ColumnOf(Defs, std::get<std::string>(Columns.Column(0)));
    if (Column < 0)
      continue;
    FColumns[Column].NotNull = std::get<std::int64_t>(Columns.Column(1)) != 0;
    FColumns[Column].Required = Defs[Column].Required;
  }
  Columns.Reset();
}

// Each check becomes a query over one row holding the record's values under
// the columns' names, so the expression reads them as it reads a row.
void TSQLiteDataSet::TColumnRules::ReadChecks(TConnection& Connection, const std::string& TableName,
                                              const std::vector<TFieldDef>& Defs) {
  TSQLiteStatement Schema(Connection.Handle(),
                          "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1 "
                          "COLLATE NOCASE",
                          FOwner);
  Schema.Bind(1, TableName);
  TDBValue CreateTable;
  if (Schema.Step())
    CreateTable = Schema.Column(0);
  Schema.Reset();
  const auto* SQL = std::get_if<std::string>(&CreateTable);
  if (!SQL)
    return;
  std::string Row;
  for (std::size_t I = 0; I < Defs.size(); ++I)
    Row += (I ? ", ?" : "?") + std::to_string(I + 1) + " AS " + Quote(Defs[I].Name);
  for (TColumnCheck& C : ColumnChecks(*SQL)) {
    const int Column = ColumnOf(Defs, C.Column);
    if (Column < 0)
      continue;
    const std::string Query =
        "SELECT (NOT (" + C.Expr + ")) IS 1 FROM (SELECT " + Row + ") AS " + Quote(TableName);
    try {
      FColumns[Column].Checks.push_back(
          {C.Text, std::make_unique<TSQLiteStatement>(Connection.Handle(), Query, FOwner)});
    } catch (const EDatabaseError&) {
      // An expression that does not read as a query is left to the write.
    }
  }
}

void TSQLiteDataSet::TColumnRules::Check(const TField* Field, const TRecordBuffer& Rec,
                                         bool Inserting) const {
  const int Column = Field->FieldNo() - 1;
  if (Column < 0 || Column >= static_cast<int>(FColumns.size()))
    return;
  const TColumn& Rules = FColumns[Column];
  // An insert leaves Null columns to their defaults; an update writes Null.
  if (IsNullValue(Rec[Column]) && (Inserting ? Rules.Required : Rules.NotNull))
    DatabaseError("Field '" + Field->DisplayLabel() + "' must have a value");
  for (const TCheck& C : Rules.Checks) {
    for (std::size_t I = 0; I < FColumns.size(); ++I)
      C.Broken->Bind(static_cast<int>(I) + 1, Rec[I]);
    const bool Broken = C.Broken->Step() && C.Broken->Column(0) == TDBValue(std::int64_t(1));
    C.Broken->Reset();
    if (Broken)
      DatabaseError("CHECK constraint failed: " + C.Text, FOwner);
  }
}

} // namespace vcl
