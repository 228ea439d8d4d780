// Mutated form texts: the reader either reads them or raises EReadError,
// never crashes, never leaves components behind, and whatever it reads
// writes and reads again to the same text. The sanitizer build watches for
// leaks and bad memory use.
#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "formfile_fixture.h"

namespace formfile_test {
namespace {

const char* const Seeds[] = {
    "object Form1: TTestForm\n"
    "  Tag = 4\n"
    "  object Panel1: TPanel\n"
    "    Columns = 2\n"
    "    Shades = [shLight, shDark]\n"
    "    object Widget1: TWidget\n"
    "      Caption = 'It''s'#13#10'x' +\n"
    "        'more'\n"
    "      Level = 12\n"
    "      Ratio = 1.5E-7\n"
    "      Price = -12.3456\n"
    "      Data = {\n"
    "        00FF7A}\n"
    "      Lines.Strings = (\n"
    "        'a'\n"
    "        'b')\n"
    "      Sample.Inner.Max = 3\n"
    "      Buddy = Panel1\n"
    "      OnClick = ButtonClick\n"
    "    end\n"
    "  end\n"
    "  object W2: TWidget\n"
    "    Mark = #9\n"
    "    OnCount = CountChanged\n"
    "    Buddy = Form1.Widget1\n"
    "  end\n"
    "end\n",
};

// Fragments worth splicing in: the syntax's own characters and words.
const std::string_view Fragments[] = {"'",
                                      "#",
                                      "#$",
                                      "{",
                                      "}",
                                      "(",
                                      ")",
                                      "[",
                                      "]",
                                      "=",
                                      ".",
                                      ":",
                                      "+",
                                      "-",
                                      "$",
                                      "9",
                                      "1E400",
                                      "\n",
                                      "end",
                                      "object",
                                      "object X: TWidget\n",
                                      "True",
                                      "shDark",
                                      "''",
                                      " ",
                                      ",",
                                      "\r",
                                      "\x80",
                                      std::string_view("\0", 1)};

std::string Mutate(std::string Text, std::mt19937& Rng) {
  auto Pick = [&](std::size_t N) {
    return std::uniform_int_distribution<std::size_t>(0, N - 1)(Rng);
  };
  const int Edits = 1 + static_cast<int>(Pick(3));
  for (int I = 0; I < Edits && !Text.empty(); ++I) {
    const std::size_t At = Pick(Text.size());
    switch (Pick(5)) {
    case 0: // delete a run
      Text.erase(At, 1 + Pick(8));
      break;
    case 1: // splice a fragment in
      Text.insert(At, Fragments[Pick(std::size(Fragments))]);
      break;
    case 2: // overwrite a character
      Text[At] = static_cast<char>(Pick(256));
      break;
    case 3: // duplicate a run somewhere else
      Text.insert(Pick(Text.size()), Text.substr(At, 1 + Pick(40)));
      break;
    default: // cut the text short
      Text.resize(At);
      break;
    }
  }
  return Text;
}

TEST(FormFileFuzzTest, MutatedTextsAreReadOrRefusedCleanly) {
  RegisterTestClasses();
  std::mt19937 Rng(20240611);
  int Read = 0;
  int Refused = 0;
  for (int Round = 0; Round < 3000; ++Round) {
    const std::string Text = Mutate(Seeds[Round % std::size(Seeds)], Rng);
    TTestForm Form(nullptr);
    try {
      vcl::ReadComponentText(Text, &Form);
    } catch (const vcl::EReadError&) {
      ++Refused;
      EXPECT_EQ(Form.ComponentCount(), 0) << Text;
      EXPECT_EQ(LiveWidgets(), 0) << Text;
      EXPECT_TRUE(Form.ComponentState().Empty());
      continue;
    }
    ++Read;
    const std::string Written = vcl::ComponentToText(&Form);
    TTestForm Again(nullptr);
    ASSERT_NO_THROW(vcl::ReadComponentText(Written, &Again)) << Written;
    EXPECT_EQ(vcl::ComponentToText(&Again), Written);
  }
  EXPECT_EQ(LiveWidgets(), 0);
  // The mutations must exercise both roads.
  EXPECT_GT(Read, 50);
  EXPECT_GT(Refused, 1000);
}

} // namespace
} // namespace formfile_test
