// The picture syntax check: one pass from the left with a stack of the
// brackets still open.
#include "validate/picture_syntax.h"

#include <vector>

#include "vcl/sysutils.h"

namespace Validate {

namespace {

std::string Quoted(char Ch) {
  return std::string("'") + Ch + "'";
}

std::string At(char Ch, int Position) {
  return Quoted(Ch) + " at position " + std::to_string(Position);
}

char Opening(char Closing) {
  return Closing == ']' ? '[' : '{';
}

struct TOpen {
  char Bracket;
  int Position;
};

TPictureSyntaxError Fault(int Position, std::string Message) {
  return {Position, std::move(Message)};
}

} // namespace

std::optional<TPictureSyntaxError> CheckPictureSyntax(const std::string& Picture) {
  if (Picture.empty())
    return Fault(0, "the picture is empty");
  // Positions count characters (code points), as the picture's do.
  const std::u32string Chars = vcl::Utf8Decode(Picture);
  const int Length = static_cast<int>(Chars.size());
  auto Char = [&](int P) { return P <= Length ? Chars[static_cast<std::size_t>(P - 1)] : U'\0'; };
  std::vector<TOpen> Open;
  for (int P = 1; P <= Length; ++P) {
    // Every character the syntax names is ASCII.
    const char Ch = Char(P) < 0x80 ? static_cast<char>(Char(P)) : '\0';
    switch (Ch) {
    case ';':
      if (P == Length)
        return Fault(P, At(';', P) + " is at the end, with nothing to escape");
      ++P;
      break;
    case '*': {
      int Next = P + 1;
      while (Char(Next) >= '0' && Char(Next) <= '9')
        ++Next;
      const char32_t After = Char(Next);
      if (Next > Length || After == ',' || After == ']' || After == '}')
        return Fault(P, At('*', P) + " has no piece to repeat");
      P = Next - 1;
      break;
    }
    case '[':
    case '{':
      Open.push_back({Ch, P});
      break;
    case ']':
    case '}':
      if (Open.empty())
        return Fault(P, At(Ch, P) + " has no " + Quoted(Opening(Ch)) + " before it");
      if (Open.back().Bracket != Opening(Ch))
        return Fault(P, At(Ch, P) + " cannot close the " +
                            At(Open.back().Bracket, Open.back().Position));
      Open.pop_back();
      break;
    default:
      break;
    }
  }
  if (!Open.empty())
    return Fault(Open.back().Position,
                 At(Open.back().Bracket, Open.back().Position) + " is never closed");
  return std::nullopt;
}

} // namespace Validate
