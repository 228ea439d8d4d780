// Reading SQL text the way SQLite does, as far as the data set needs it:
// tokens without blanks and comments, what a CREATE TABLE statement says of
// each column (its collation, its CHECK constraints), and the :name
// parameters of a query.
#include <cctype>

#include "vcl/sqlitedb/detail/sqlite_impl.h"

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

// The column definition in Tokens[First, Last) into Columns; nothing for
// a table constraint.
void ReadColumnDefinition(const std::string& SQL, const std::vector<TToken>& Tokens,
                          std::size_t First, std::size_t Last,
                          std::vector<TColumnDefinition>& Columns) {
  static const char* const TableConstraints[] = {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK",
                                                 "FOREIGN"};
  for (const char* Keyword : TableConstraints)
    if (IsKeyword(Tokens[First], Keyword))
      return;
  TColumnDefinition& Column = Columns.emplace_back();
  Column.Name = Tokens[First].Text;
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
      Column.Checks.push_back({Name.empty() ? Expr : Name, Expr});
      Name.clear();
      I = Close;
    } else if (IsKeyword(Tokens[I], "COLLATE") && I + 1 < Last) {
      Column.Collation = Tokens[++I].Text;
    } else if (IsPunct(Tokens[I], '(')) {
      I = Closing(Tokens, I); // a type's size, a default or a collation's argument
    }
  }
}

} // namespace

std::vector<TColumnDefinition> ColumnDefinitions(const std::string& CreateTable) {
  std::vector<TColumnDefinition> Columns;
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
        ReadColumnDefinition(CreateTable, Tokens, First, I, Columns);
      First = I + 1;
    }
  }
  return Columns;
}

std::vector<std::string> SQLParamNames(const std::string& SQL) {
  std::vector<std::string> Names;
  const std::vector<TToken> Tokens = Tokenize(SQL);
  for (std::size_t I = 0; I + 1 < Tokens.size(); ++I) {
    const TToken& Name = Tokens[I + 1];
    if (IsPunct(Tokens[I], ':') && Name.Word && Name.Begin == Tokens[I].End &&
        std::none_of(Names.begin(), Names.end(),
                     [&](const std::string& N) { return SameText(N, Name.Text); }))
      Names.push_back(Name.Text);
  }
  return Names;
}

} // namespace vcl
