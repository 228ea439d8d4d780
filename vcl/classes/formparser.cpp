// Lexer and parser of the text form file:
//
//   object Name: TClass          (or: object TClass)
//     Path.To.Prop = value       values: 12 -3 $1F 1.5 1E-5 Ident Form.Ident
//     ...                                'text'#13#10'more' + (next line) 'rest'
//     object ... end                     [a, b]  ( 'item' 'item' )  { 0A1B... }
//   end
//
// Properties come before the nested objects. Every error names the line.
#include "vcl/classes/detail/formparser.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <charconv>
#include <cmath>

#include "vcl/sysutils.h"

namespace vcl::formtext {

void ReadError(int Line, const std::string& Msg) {
  throw EReadError("Line " + std::to_string(Line) + ": " + Msg);
}

namespace {

constexpr char32_t MaxCodePoint = 0x10FFFF;

// A decimal or exponent number without its sign. from_chars refuses a value
// that falls into the subnormal range of long double, which the writer
// produces for the smallest Extended values; strtold in the C locale reads
// those correctly rounded. Overflow stays an error.
bool ParseFloat(const char* First, const char* Last, long double& Value) {
  const auto R = std::from_chars(First, Last, Value);
  if (R.ec == std::errc())
    return R.ptr == Last;
  if (R.ec != std::errc::result_out_of_range)
    return false;
  static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string Text(First, Last);
  char* End = nullptr;
  Value = strtold_l(Text.c_str(), &End, CLocale);
  return End == Text.c_str() + Text.size() && std::isfinite(Value);
}

enum TTokenKind : std::uint8_t { toEOF, toIdent, toInteger, toFloat, toString, toBinary, toSymbol };

struct TToken {
  TTokenKind Kind = toEOF;
  int Line = 1;
  std::string Text; // source text; for strings and binary data the value
  std::int64_t Int = 0;
  long double Float = 0;
};

std::string Shorten(const std::string& S) {
  return S.size() > 24 ? S.substr(0, 24) + "..." : S;
}

std::string DescribeToken(const TToken& T) {
  switch (T.Kind) {
  case toEOF:
    return "end of file";
  case toString:
    return "string constant";
  case toBinary:
    return "binary data";
  default:
    return "'" + Shorten(T.Text) + "'";
  }
}

bool IsIdentStart(char C) {
  return std::isalpha(static_cast<unsigned char>(C)) || C == '_';
}
bool IsIdentChar(char C) {
  return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
}
bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}
bool IsHex(char C) {
  return std::isxdigit(static_cast<unsigned char>(C)) != 0;
}

int HexValue(char C) {
  return IsDigit(C) ? C - '0' : std::toupper(static_cast<unsigned char>(C)) - 'A' + 10;
}

class TLexer {
public:
  explicit TLexer(const std::string& Text) : FText(Text) {}

  TToken Next() {
    SkipBlanks();
    TToken T;
    T.Line = FLine;
    if (FPos >= FText.size())
      return T;
    const char C = FText[FPos];
    if (IsIdentStart(C))
      return Ident(T);
    if (IsDigit(C) || C == '$' ||
        (C == '-' && FPos + 1 < FText.size() &&
         (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$')))
      return Number(T);
    if (C == '\'' || C == '#')
      return String(T);
    if (C == '{')
      return Binary(T);
    if (std::string("=:.,[]()+").find(C) != std::string::npos) {
      T.Kind = toSymbol;
      T.Text = std::string(1, C);
      ++FPos;
      return T;
    }
    ReadError(FLine, "Invalid character #" + std::to_string(static_cast<unsigned char>(C)));
  }

private:
  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }

  // A line break is LF, CR LF or a lone CR.
  bool LineBreak() {
    if (Peek() == '\r') {
      ++FPos;
      if (Peek() == '\n')
        ++FPos;
    } else if (Peek() == '\n') {
      ++FPos;
    } else {
      return false;
    }
    ++FLine;
    return true;
  }

  void SkipBlanks() {
    while (!AtEnd())
      if (!LineBreak()) {
        if (Peek() != ' ' && Peek() != '\t')
          return;
        ++FPos;
      }
  }

  TToken Ident(TToken T) {
    const std::size_t Start = FPos;
    while (!AtEnd() && IsIdentChar(Peek()))
      ++FPos;
    T.Kind = toIdent;
    T.Text = FText.substr(Start, FPos - Start);
    return T;
  }

  TToken Number(TToken T) {
    const std::size_t Start = FPos;
    const bool Negative = Peek() == '-';
    if (Negative)
      ++FPos;
    if (Peek() == '$') {
      ++FPos;
      const std::size_t Digits = FPos;
      while (!AtEnd() && IsHex(Peek()))
        ++FPos;
      T.Text = FText.substr(Start, FPos - Start);
      std::uint64_t Value = 0;
      const auto R = std::from_chars(FText.data() + Digits, FText.data() + FPos, Value, 16);
      if (Digits == FPos || R.ec != std::errc() || Value > std::uint64_t(INT64_MAX))
        ReadError(T.Line, "Invalid number " + Shorten(T.Text));
      T.Kind = toInteger;
      T.Int = Negative ? -static_cast<std::int64_t>(Value) : static_cast<std::int64_t>(Value);
      T.Float = static_cast<long double>(T.Int);
      return T;
    }
    bool IsFloat = false;
    while (!AtEnd() && IsDigit(Peek()))
      ++FPos;
    if (Peek() == '.' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1])) {
      IsFloat = true;
      for (++FPos; !AtEnd() && IsDigit(Peek());)
        ++FPos;
    }
    if (Peek() == 'E' || Peek() == 'e') {
      std::size_t P = FPos + 1;
      if (P < FText.size() && (FText[P] == '+' || FText[P] == '-'))
        ++P;
      if (P < FText.size() && IsDigit(FText[P])) {
        IsFloat = true;
        for (FPos = P; !AtEnd() && IsDigit(Peek());)
          ++FPos;
      }
    }
    T.Text = FText.substr(Start, FPos - Start);
    const char* First = FText.data() + Start + (Negative ? 1 : 0);
    const char* Last = FText.data() + FPos;
    if (IsFloat) {
      long double Value = 0;
      if (!ParseFloat(First, Last, Value))
        ReadError(T.Line, "Invalid number " + Shorten(T.Text));
      T.Kind = toFloat;
      T.Float = Negative ? -Value : Value;
      return T;
    }
    std::uint64_t Value = 0;
    const auto R = std::from_chars(First, Last, Value);
    if (R.ec != std::errc() || Value > std::uint64_t(INT64_MAX))
      ReadError(T.Line, "Number " + Shorten(T.Text) + " is too large");
    T.Kind = toInteger;
    T.Int = Negative ? -static_cast<std::int64_t>(Value) : static_cast<std::int64_t>(Value);
    T.Float = static_cast<long double>(T.Int);
    return T;
  }

  // Quoted runs and #nn characters written next to each other make one string.
  // Bytes in a quoted run that are not UTF-8 (a file edited in another
  // encoding) read as U+FFFD, so the text held is the text written back.
  TToken String(TToken T) {
    T.Kind = toString;
    for (;;) {
      if (Peek() == '\'') {
        for (++FPos;; ++FPos) {
          if (AtEnd() || Peek() == '\r' || Peek() == '\n')
            ReadError(FLine, "Unterminated string");
          if (Peek() == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              T.Text += '\'';
              ++FPos;
              continue;
            }
            ++FPos;
            break;
          }
          T.Text += Peek();
        }
      } else if (Peek() == '#') {
        ++FPos;
        Utf8Append(T.Text, CharCode());
      } else {
        if (!IsValidUtf8(T.Text))
          T.Text = RepairUtf8(T.Text);
        return T;
      }
    }
  }

  // #nn names a code point. Files written by earlier versions named code
  // page 1252 bytes; the two agree everywhere but at 128 to 159, which read
  // as the code page's characters there when written in decimal (the C1
  // controls themselves are written in hex, #$80 to #$9F).
  char32_t CharCode() {
    char32_t Code = 0;
    const bool Hex = Peek() == '$';
    if (Hex)
      ++FPos;
    const std::size_t Start = FPos;
    while (!AtEnd() && (Hex ? IsHex(Peek()) : IsDigit(Peek())) && Code <= MaxCodePoint) {
      Code = Code * (Hex ? 16 : 10) + static_cast<char32_t>(HexValue(Peek()));
      ++FPos;
    }
    if (FPos == Start || Code > MaxCodePoint || (Code >= 0xD800 && Code <= 0xDFFF))
      ReadError(FLine, "Invalid character code after '#'");
    return !Hex && Code >= 0x80 && Code <= 0x9F ? Cp1252ToUnicode(static_cast<char>(Code)) : Code;
  }

  TToken Binary(TToken T) {
    T.Kind = toBinary;
    ++FPos;
    int Pending = -1;
    for (;;) {
      if (AtEnd())
        ReadError(FLine, "'}' expected but end of file found");
      if (LineBreak())
        continue;
      const char C = Peek();
      ++FPos;
      if (C == '}')
        break;
      if (C == ' ' || C == '\t')
        continue;
      if (!IsHex(C))
        ReadError(FLine, "Invalid binary data");
      if (Pending < 0) {
        Pending = HexValue(C);
      } else {
        T.Text += static_cast<char>(Pending * 16 + HexValue(C));
        Pending = -1;
      }
    }
    if (Pending >= 0)
      ReadError(FLine, "Binary data has an odd number of digits");
    return T;
  }

  const std::string& FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

class TParser {
public:
  explicit TParser(const std::string& Text) : FLexer(Text) { Advance(); }

  TObjectNode Parse() {
    TObjectNode Root = Object(1);
    if (FToken.Kind != toEOF)
      Expected("End of file");
    return Root;
  }

  std::string RootClassName() {
    TObjectNode Node;
    Header(Node);
    return Node.ClassName;
  }

private:
  void Advance() { FToken = FLexer.Next(); }

  [[noreturn]] void Expected(const std::string& What) const {
    ReadError(FToken.Line, What + " expected but " + DescribeToken(FToken) + " found");
  }

  bool IsKeyword(const char* Word) const {
    return FToken.Kind == toIdent && SameText(FToken.Text, Word);
  }
  bool IsSymbol(char C) const { return FToken.Kind == toSymbol && FToken.Text[0] == C; }

  void Symbol(char C) {
    if (!IsSymbol(C))
      Expected(std::string("'") + C + "'");
    Advance();
  }

  std::string Ident(const std::string& What) {
    if (FToken.Kind != toIdent)
      Expected(What);
    std::string S = FToken.Text;
    Advance();
    return S;
  }

  TObjectNode Object(int Depth) {
    if (Depth > MaxNesting)
      ReadError(FToken.Line,
                "Objects nested deeper than " + std::to_string(MaxNesting) + " levels");
    TObjectNode Node;
    Header(Node);
    while (FToken.Kind == toIdent && !IsKeyword("object") && !IsKeyword("end"))
      Node.Properties.push_back(Property());
    while (IsKeyword("object"))
      Node.Children.push_back(Object(Depth + 1));
    if (!IsKeyword("end"))
      Expected("'end'");
    Advance();
    return Node;
  }

  // object Name: TClass, or object TClass
  void Header(TObjectNode& Node) {
    Node.Line = FToken.Line;
    if (!IsKeyword("object"))
      Expected("'object'");
    Advance();
    Node.ClassName = Ident("Identifier");
    if (IsSymbol(':')) {
      Advance();
      Node.Name = Node.ClassName;
      Node.ClassName = Ident("Class name");
    }
  }

  TPropertyNode Property() {
    TPropertyNode Node;
    Node.Line = FToken.Line;
    Node.Path.push_back(Ident("Property name"));
    while (IsSymbol('.')) {
      Advance();
      Node.Path.push_back(Ident("Property name"));
    }
    Symbol('=');
    Node.Value = Value();
    return Node;
  }

  TValueNode Value() {
    if (IsSymbol('['))
      return SetValue();
    if (IsSymbol('('))
      return ListValue();
    TValueNode V;
    V.Line = FToken.Line;
    switch (FToken.Kind) {
    case toIdent:
      V.Kind = TValueNode::vnIdent;
      V.Text = Ident("Value");
      // A component of another form: Form2.Table1.
      while (IsSymbol('.')) {
        Advance();
        V.Text += '.' + Ident("Identifier");
      }
      return V;
    case toInteger:
    case toFloat:
      V.Kind = FToken.Kind == toInteger ? TValueNode::vnInteger : TValueNode::vnFloat;
      V.Text = FToken.Text;
      V.Int = FToken.Int;
      V.Float = FToken.Float;
      Advance();
      return V;
    case toString:
      V.Kind = TValueNode::vnString;
      V.Text = FToken.Text;
      Advance();
      while (IsSymbol('+')) {
        Advance();
        if (FToken.Kind != toString)
          Expected("String constant");
        V.Text += FToken.Text;
        Advance();
      }
      return V;
    case toBinary:
      V.Kind = TValueNode::vnBinary;
      V.Text = FToken.Text;
      Advance();
      return V;
    default:
      Expected("Value");
    }
  }

  // [fsBold, fsItalic]
  TValueNode SetValue() {
    TValueNode V;
    V.Line = FToken.Line;
    V.Kind = TValueNode::vnSet;
    Advance();
    if (!IsSymbol(']'))
      for (;;) {
        TValueNode Member;
        Member.Line = FToken.Line;
        Member.Text = Ident("Set element");
        V.Items.push_back(std::move(Member));
        if (!IsSymbol(','))
          break;
        Advance();
      }
    Symbol(']');
    return V;
  }

  // ('one' 'two'), the values of a list property.
  TValueNode ListValue() {
    TValueNode V;
    V.Line = FToken.Line;
    V.Kind = TValueNode::vnList;
    Advance();
    while (!IsSymbol(')')) {
      if (FToken.Kind == toEOF || IsSymbol('(') || IsSymbol('[') || IsKeyword("end") ||
          IsKeyword("object"))
        Expected("')'");
      V.Items.push_back(Value());
    }
    Advance();
    return V;
  }

  TLexer FLexer;
  TToken FToken;
};

} // namespace

std::string Describe(const TValueNode& Value) {
  switch (Value.Kind) {
  case TValueNode::vnString:
    return "string constant";
  case TValueNode::vnBinary:
    return "binary data";
  case TValueNode::vnSet:
    return "set";
  case TValueNode::vnList:
    return "list";
  default:
    return "'" + Shorten(Value.Text) + "'";
  }
}

TObjectNode ParseFormText(const std::string& Text) {
  return TParser(Text).Parse();
}

std::string ParseRootClassName(const std::string& Text) {
  return TParser(Text).RootClassName();
}

} // namespace vcl::formtext
