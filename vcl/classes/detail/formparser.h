// The syntax of the text form file, apart from what it means: the parser
// turns a text into a tree of objects, properties and values, or raises
// EReadError "Line n: ..." before anything is created. The reader
// (formreader.cpp) then gives the tree its meaning against the property tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vcl::formtext {

// Objects nested deeper than this are refused (a sane form never comes close).
constexpr int MaxNesting = 64;

struct TValueNode {
  enum TKind : std::uint8_t { vnIdent, vnInteger, vnFloat, vnString, vnBinary, vnSet, vnList };
  TKind Kind = vnIdent;
  int Line = 0;
  // Identifiers (a dotted one joined with '.'), string values, binary bytes,
  // and numbers as written.
  std::string Text;
  std::int64_t Int = 0;          // integers
  long double Float = 0;         // integers and floats
  std::vector<TValueNode> Items; // set members and list items
};

struct TPropertyNode {
  int Line = 0;
  std::vector<std::string> Path; // Validator.Max is {"Validator", "Max"}
  TValueNode Value;
};

struct TObjectNode {
  int Line = 0;
  std::string Name; // may be empty
  std::string ClassName;
  std::vector<TPropertyNode> Properties;
  std::vector<TObjectNode> Children;
};

TObjectNode ParseFormText(const std::string& Text);
// The class of the root object, from the text's first object line only.
std::string ParseRootClassName(const std::string& Text);

// How a value appears in a message: 'ident', '12', string constant, ...
std::string Describe(const TValueNode& Value);
[[noreturn]] void ReadError(int Line, const std::string& Msg);

} // namespace vcl::formtext
