// Registration: the palette in its order and pages, and the palette
// pictures, 24 by 24 pixels in 16 colours on an olive background.
#include <gtest/gtest.h>

#include "btnedit/btnedit.h"
#include "btnedit/dbbtnedit.h"
#include "design/register.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "vcl/graphics.h"

using namespace vcl;

namespace {

TEST(Register, PutsTheFourComponentsOnTheirPagesInOrder) {
  BtnEdit::Register();
  ValEdit::Register();
  ValEdit::Register(); // loading twice changes nothing
  std::vector<std::string> Seen;
  for (const TPaletteEntry& E : PaletteEntries())
    Seen.push_back(E.Page + ":" + E.ComponentClass->ClassName());
  EXPECT_EQ(Seen,
            (std::vector<std::string>{"Additional:TBtnEdit", "Data Controls:TDBBtnEdit",
                                      "Additional:TValidEdit", "Data Controls:TDBValidEdit"}));
  for (const TPaletteEntry& E : PaletteEntries()) {
    std::unique_ptr<TComponent> Made(E.ComponentClass->Create(nullptr));
    EXPECT_TRUE(E.ComponentClass->IsInstance(Made.get())) << E.ComponentClass->ClassName();
  }
}

// The BMP header of a palette picture: 24 by 24, 4 bits per pixel.
TEST(PaletteBitmaps, AreTwentyFourSquareInSixteenColours) {
  auto Header = [](const std::string& Data, int Offset, int Size) {
    std::uint32_t V = 0;
    for (int I = Size - 1; I >= 0; --I)
      V = V * 256 + static_cast<unsigned char>(Data.at(Offset + I));
    return V;
  };
  for (const TMetaClass* Class :
       {&ClassOf<BtnEdit::TBtnEdit>(), &ClassOf<BtnEdit::TDBBtnEdit>(),
        &ClassOf<ValEdit::TValidEdit>(), &ClassOf<ValEdit::TDBValidEdit>()}) {
    SCOPED_TRACE(Class->ClassName());
    const std::string Data = Design::PaletteBitmap(*Class);
    ASSERT_GT(Data.size(), 54u);
    EXPECT_EQ(Data.substr(0, 2), "BM");
    EXPECT_EQ(Header(Data, 18, 4), 24u); // width
    EXPECT_EQ(Header(Data, 22, 4), 24u); // height
    EXPECT_EQ(Header(Data, 28, 2), 4u);  // bits per pixel
    TBitmap Picture;
    Picture.LoadFromBmpData(Data);
    EXPECT_EQ(Picture.TransparentColor(), clOlive);
    EXPECT_EQ(Picture.Pixel(0, 0), clOlive);
    EXPECT_EQ(Picture.Pixel(23, 23), clOlive);
  }
}

TBitmap* Load(TBitmap& Picture, const TMetaClass& Class) {
  Picture.LoadFromBmpData(Design::PaletteBitmap(Class));
  return &Picture;
}

int Count(const TBitmap& B, const TRect& R, TColor Color) {
  int N = 0;
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X)
      N += B.Pixel(X, Y) == Color;
  return N;
}

// Where the pictures differ and where they agree: a white edit box in each;
// an ellipsis button on the button edits, a check mark on the validating
// ones; the data-aware twins add a grey grid at the top left only.
TEST(PaletteBitmaps, ShowAnEditBoxAndWhatSetsTheComponentsApart) {
  TBitmap Btn, DBBtn, Valid, DBValid;
  Load(Btn, ClassOf<BtnEdit::TBtnEdit>());
  Load(DBBtn, ClassOf<BtnEdit::TDBBtnEdit>());
  Load(Valid, ClassOf<ValEdit::TValidEdit>());
  Load(DBValid, ClassOf<ValEdit::TDBValidEdit>());
  const TRect Box{4, 9, 12, 18}; // the left part of the box, the text cursor in it
  for (TBitmap* B : {&Btn, &DBBtn, &Valid, &DBValid}) {
    EXPECT_GT(Count(*B, Box, clWhite), 30);
    EXPECT_GT(Count(*B, Box, clBlack), 6);
  }
  const TRect Right{13, 9, 21, 17};
  EXPECT_GT(Count(Btn, Right, clSilver), 30); // the button face
  EXPECT_EQ(Count(Btn, Right, clBlack), 3);   // three dots
  EXPECT_EQ(Count(Valid, Right, clSilver), 0);
  EXPECT_GT(Count(Valid, Right, clBlack), 8); // the rising stroke of the check
  const TRect Grid{0, 0, 13, 7};
  EXPECT_EQ(Count(Btn, Grid, clOlive), 13 * 7);
  EXPECT_GT(Count(DBBtn, Grid, clGray), 20);
  for (auto [Plain, DB] : {std::pair{&Btn, &DBBtn}, std::pair{&Valid, &DBValid}})
    for (int Y = 0; Y < 24; ++Y)
      for (int X = 0; X < 24; ++X)
        if (X > 12 || Y > 12) {
          EXPECT_EQ(Plain->Pixel(X, Y), DB->Pixel(X, Y)) << X << "," << Y;
        }
}

} // namespace
