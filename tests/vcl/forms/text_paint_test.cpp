// Text in any script drawn through the canvas: every character finds a
// glyph (fallback fonts bring CJK and emoji), joining scripts are shaped,
// and shaped text keeps to its clip like any other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/graphics.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

constexpr int Width = 120, Height = 24;

std::vector<TColor> Pixels(const TBitmap& B) {
  std::vector<TColor> P;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X)
      P.push_back(B.Pixel(X, Y));
  return P;
}

int Inked(const std::vector<TColor>& P) {
  int N = 0;
  for (TColor C : P)
    N += C != clWhite;
  return N;
}

// Text drawn at (X, 2) for each X of Starts, on one white bitmap.
std::vector<TColor> Picture(const std::vector<std::pair<int, std::string>>& Pieces,
                            const TRect* Clip = nullptr) {
  TBitmap B;
  B.SetSize(Width, Height);
  B.Canvas()->Font()->SetHeight(-16);
  B.Canvas()->Brush()->SetStyle(bsClear);
  for (const auto& [X, Text] : Pieces)
    if (Clip)
      B.Canvas()->TextRect(*Clip, X, 2, Text);
    else
      B.Canvas()->TextOut(X, 2, Text);
  return Pixels(B);
}

std::vector<TColor> Picture(const std::string& Text) {
  return Picture({{2, Text}});
}

TEST(TextPaintTest, EveryScriptFindsItsGlyphs) {
  // A private-use character no font has: what a missing glyph looks like.
  const std::vector<TColor> Missing = Picture("\U000F0000");
  for (const char* S : {"ж", "λ", "Ł", "東", "京", "ひ", "カ", "한", "ש", "ب", "क", "ก", "👍"}) {
    const std::vector<TColor> P = Picture(S);
    EXPECT_GT(Inked(P), 10) << S;
    EXPECT_NE(P, Missing) << S;
  }
  EXPECT_NE(Picture("東"), Picture("京"));
}

// Three beh letters in a row take their initial, medial and final forms
// and join; drawn one by one they keep their isolated form.
TEST(TextPaintTest, ArabicLettersAreShapedAsTheyJoin) {
  TBitmap B;
  B.Canvas()->Font()->SetHeight(-16);
  const int Advance = B.Canvas()->TextWidth("ب");
  ASSERT_GT(Advance, 0);
  const std::vector<TColor> Joined = Picture("ببب");
  const std::vector<TColor> Apart = Picture({{2, "ب"}, {2 + Advance, "ب"}, {2 + 2 * Advance, "ب"}});
  EXPECT_GT(Inked(Joined), 10);
  EXPECT_NE(Joined, Apart);
  EXPECT_LT(B.Canvas()->TextWidth("ببب"), 3 * Advance);
}

TEST(TextPaintTest, ShapedTextKeepsToItsClip) {
  const std::string Text = "שלום مرحبا नमस्ते สวัสดี 👍🏽";
  const TRect Clip = Rect(20, 0, 60, Height);
  const std::vector<TColor> Whole = Picture({{-10, Text}});
  const std::vector<TColor> Cut = Picture({{-10, Text}}, &Clip);
  int Mismatches = 0;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const std::size_t I = static_cast<std::size_t>(Y) * Width + X;
      Mismatches += Cut[I] != (PtInRect(Clip, {X, Y}) ? Whole[I] : clWhite);
    }
  EXPECT_EQ(Mismatches, 0);
  EXPECT_GT(Inked(Cut), 10);
}

} // namespace
