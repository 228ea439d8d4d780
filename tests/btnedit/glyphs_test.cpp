// The pictures on the button: the ellipsis drawn to the button width, the
// drop-down arrow, default pictures of descendants, and what switching
// between kinds does to the picture, the image count and the click key.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "btnedit/btnedit.h"
#include "vcl/testing.h"

using namespace vcl;
using namespace BtnEdit;
namespace vt = vcl::testing;

namespace {

// The columns holding black pixels in each row of B.
std::vector<std::set<int>> BlackColumns(const TBitmap* B) {
  std::vector<std::set<int>> Rows(B->Height());
  for (int Y = 0; Y < B->Height(); ++Y)
    for (int X = 0; X < B->Width(); ++X)
      if (B->Pixel(X, Y) == clBlack)
        Rows[Y].insert(X);
  return Rows;
}

struct TEllipsisCase {
  int ButtonWidth;
  int BitmapWidth;
  std::set<int> Dots; // black columns of rows 1 and 2
};

const TEllipsisCase EllipsisCases[] = {
    // Gap 3, X 0.
    {16, 12, {0, 1, 5, 6, 10, 11}},
    // Gap 1, X -1: the first dot is half outside the bitmap.
    {10, 6, {0, 2, 3, 5}},
    // Gap 2, X 0.
    {14, 10, {0, 1, 4, 5, 8, 9}},
    // Gap 3 at most, X 2: the dots are centred.
    {20, 16, {2, 3, 7, 8, 12, 13}},
};

void ExpectEllipsis(const TBitmap* B, const TEllipsisCase& C) {
  ASSERT_EQ(B->Width(), C.BitmapWidth);
  ASSERT_EQ(B->Height(), 4);
  EXPECT_TRUE(B->Monochrome());
  const auto Rows = BlackColumns(B);
  EXPECT_TRUE(Rows[0].empty());
  EXPECT_EQ(Rows[1], C.Dots);
  EXPECT_EQ(Rows[2], C.Dots);
  EXPECT_TRUE(Rows[3].empty());
}

TEST(EllipsisGlyph, DotsAreDrawnToTheButtonWidth) {
  for (const TEllipsisCase& C : EllipsisCases) {
    SCOPED_TRACE(C.ButtonWidth);
    std::unique_ptr<TBitmap> B(CreateEllipsisGlyph(C.ButtonWidth));
    ExpectEllipsis(B.get(), C);
    // The bottom row is white, so the button leaves it transparent and the dots show.
    EXPECT_EQ(B->TransparentColor(), clWhite);
  }
}

TEST(EllipsisGlyph, ANarrowButtonGetsAnEmptyBitmap) {
  std::unique_ptr<TBitmap> B(CreateEllipsisGlyph(0));
  EXPECT_EQ(B->Width(), 0);
}

// A descendant with a two-image default picture that it hands over for destruction.
class TDefaultGlyphEdit : public TBtnEdit {
public:
  explicit TDefaultGlyphEdit(TComponent* AOwner) : TBtnEdit(AOwner) { SetDefaultGlyphCount(2); }
  static inline int Made = 0;
  static inline int Freed = 0;
  int GlyphWidth = 40;

protected:
  class TCountedBitmap : public TBitmap {
  public:
    ~TCountedBitmap() override { ++Freed; }
  };
  TBitmap* GetDefaultBitmap(bool& DestroyIt) override {
    auto* B = new TCountedBitmap();
    B->SetSize(GlyphWidth, 10);
    B->Canvas()->Brush()->SetColor(clRed);
    B->Canvas()->FillRect(Rect(0, 0, 5, 5));
    ++Made;
    DestroyIt = true;
    return B;
  }
};

class GlyphTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 120);
    Edit = vt::Place<TBtnEdit>(Form, 8, 8, 150, 21);
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  TBtnEdit* Edit = nullptr;
};

TEST_F(GlyphTest, TheEllipsisFollowsTheButtonWidth) {
  Edit->SetGlyphKind(gkEllipsis);
  for (const TEllipsisCase& C : EllipsisCases) {
    SCOPED_TRACE(C.ButtonWidth);
    Edit->SetButtonWidth(C.ButtonWidth);
    ExpectEllipsis(Edit->Glyph(), C);
    EXPECT_EQ(Edit->NumGlyphs(), 1); // 12x4 and 16x4 would otherwise count as 3 and 4 images
  }
}

TEST_F(GlyphTest, TheDotsAppearOnTheButton) {
  Edit->SetGlyphKind(gkEllipsis);
  TEditButton* B = Edit->Button();
  // Inside the button's two-pixel frame only the three dots are black.
  const TPixelBuffer Image = vt::PaintForm(Form);
  const TPoint O = B->ClientOrigin();
  const TPoint F = Form->ClientOrigin();
  std::set<int> Columns, Rows;
  for (int Y = 2; Y < B->Height() - 2; ++Y)
    for (int X = 2; X < B->Width() - 2; ++X)
      if (Image.Pixel(O.X - F.X + X, O.Y - F.Y + Y) == clBlack) {
        Columns.insert(X);
        Rows.insert(Y);
      }
  const int Left = (B->Width() - 12 + 1) / 2, Top = (B->Height() - 4 + 1) / 2;
  EXPECT_EQ(Columns, (std::set<int>{Left, Left + 1, Left + 5, Left + 6, Left + 10, Left + 11}));
  EXPECT_EQ(Rows, (std::set<int>{Top + 1, Top + 2}));
}

TEST_F(GlyphTest, TheDropDownShowsTheSystemArrowAndClicksWithAltDown) {
  Edit->SetGlyphKind(gkDropDown);
  std::unique_ptr<TBitmap> Arrow(new TBitmap());
  Arrow->SetHandle(LoadBitmap(nullptr, OBM_COMBO));
  EXPECT_EQ(Edit->Glyph()->Pixels(), Arrow->Pixels());
  EXPECT_EQ(Edit->ClickKey(), scAltDown);

  int Clicks = 0;
  Edit->OnButtonClick = [&Clicks](TObject*) { ++Clicks; };
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::PressKey(VK_DOWN, {ssAlt});
  EXPECT_EQ(Clicks, 1);
  vt::PressKey(VK_RETURN, {ssCtrl});
  EXPECT_EQ(Clicks, 1);
}

TEST_F(GlyphTest, EveryKindButTheDropDownClicksWithCtrlEnter) {
  for (TBtnGlyphKind Kind : {gkDropDown, gkEllipsis, gkDropDown, gkDefault, gkDropDown, gkCustom}) {
    Edit->SetGlyphKind(Kind);
    EXPECT_EQ(Edit->ClickKey(), Kind == gkDropDown ? scAltDown : scCtrlEnter) << int(Kind);
  }
  // Setting the same kind again changes nothing, not even a key set since.
  Edit->SetClickKey(ShortCut(VK_F4, {}));
  Edit->SetGlyphKind(gkCustom);
  EXPECT_EQ(Edit->ClickKey(), ShortCut(VK_F4, {}));
}

TEST_F(GlyphTest, NumGlyphsDependsOnTheKind) {
  struct TCase {
    TBtnGlyphKind Kind;
    int Expected;
  };
  const TCase Cases[] = {{gkCustom, 4}, {gkDefault, 1}, {gkDropDown, 1}, {gkEllipsis, 1}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(int(C.Kind));
    Edit->SetGlyphKind(C.Kind);
    Edit->SetNumGlyphs(4);
    EXPECT_EQ(Edit->NumGlyphs(), C.Expected);
  }
}

TEST_F(GlyphTest, ThePlainEditHasNoDefaultPicture) {
  Edit->SetGlyphKind(gkEllipsis);
  Edit->SetGlyphKind(gkDefault);
  EXPECT_TRUE(Edit->Glyph()->Empty());
}

TEST_F(GlyphTest, ADescendantsDefaultPictureIsShownAndFreed) {
  TDefaultGlyphEdit::Made = TDefaultGlyphEdit::Freed = 0;
  auto* D = vt::Place<TDefaultGlyphEdit>(Form, 8, 40, 150, 21);
  D->SetGlyphKind(gkDefault);
  EXPECT_EQ(D->Glyph()->Width(), 40);
  EXPECT_EQ(D->Glyph()->Pixel(0, 0), clRed);
  EXPECT_EQ(D->NumGlyphs(), 2);
  D->SetNumGlyphs(4);
  EXPECT_EQ(D->NumGlyphs(), 2);
  EXPECT_EQ(TDefaultGlyphEdit::Freed, TDefaultGlyphEdit::Made);

  // The button is never narrower than the picture plus 4.
  D->SetButtonWidth(20);
  EXPECT_EQ(D->ButtonWidth(), 44);
  EXPECT_EQ(TDefaultGlyphEdit::Freed, TDefaultGlyphEdit::Made);
}

TEST_F(GlyphTest, AssigningAGlyphMakesTheKindCustomAndKeepsTheClickKey) {
  Edit->SetGlyphKind(gkDropDown);
  TBitmap B;
  B.SetSize(16, 8); // two images
  Edit->SetGlyph(&B);
  EXPECT_EQ(Edit->GlyphKind(), gkCustom);
  EXPECT_EQ(Edit->Glyph()->Width(), 16);
  EXPECT_EQ(Edit->NumGlyphs(), 2);
  EXPECT_EQ(Edit->ClickKey(), scAltDown);
}

TEST_F(GlyphTest, BackToCustomAtRunTimeKeepsTheDots) {
  Edit->SetGlyphKind(gkEllipsis);
  Edit->SetGlyphKind(gkCustom);
  ExpectEllipsis(Edit->Glyph(), EllipsisCases[0]);
}

TEST_F(GlyphTest, BackToCustomWhileReadingAFormClearsThePicture) {
  Form->SetName("GlyphForm");
  Edit->SetName("Edit1");
  Edit->SetGlyphKind(gkEllipsis);
  ReadComponentText("object GlyphForm: TForm\n"
                    "  object Edit1: TBtnEdit\n"
                    "    GlyphKind = gkCustom\n"
                    "  end\n"
                    "end\n",
                    Form);
  EXPECT_EQ(Edit->GlyphKind(), gkCustom);
  EXPECT_TRUE(Edit->Glyph()->Empty());
}

} // namespace
