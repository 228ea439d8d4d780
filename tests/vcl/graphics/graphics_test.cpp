// Bitmaps (BMP data, adoption, monochrome), canvas drawing, Win32-style
// functions, and pixels of painted controls.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

void Put16(std::string& S, unsigned V) {
  S.push_back(static_cast<char>(V & 0xFF));
  S.push_back(static_cast<char>((V >> 8) & 0xFF));
}
void Put32(std::string& S, std::uint32_t V) {
  Put16(S, V & 0xFFFF);
  Put16(S, V >> 16);
}

// A BMP of Bits per pixel whose pixel (X, Y) (top-down) has palette index
// Index(X, Y); 24-bit data stores the palette colour itself.
std::string MakeBmp(int Width, int Height, int Bits, const std::vector<TColor>& Palette,
                    int (*Index)(int, int), bool FileHeader = true, bool TopDown = false) {
  const int Stride = ((Width * Bits + 31) / 32) * 4;
  std::string Pixels(static_cast<std::size_t>(Stride) * Height, '\0');
  for (int Row = 0; Row < Height; ++Row) {
    const int Y = TopDown ? Row : Height - 1 - Row;
    for (int X = 0; X < Width; ++X) {
      const int I = Index(X, Y);
      char* Line = Pixels.data() + static_cast<std::size_t>(Stride) * Row;
      if (Bits == 24) {
        const TColor C = Palette[I];
        Line[X * 3] = static_cast<char>((C >> 16) & 0xFF);
        Line[X * 3 + 1] = static_cast<char>((C >> 8) & 0xFF);
        Line[X * 3 + 2] = static_cast<char>(C & 0xFF);
      } else {
        const int Bit = X * Bits;
        Line[Bit / 8] = static_cast<char>(Line[Bit / 8] | (I << (8 - Bits - Bit % 8)));
      }
    }
  }
  std::string Info;
  Put32(Info, 40);
  Put32(Info, static_cast<std::uint32_t>(Width));
  Put32(Info, static_cast<std::uint32_t>(TopDown ? -Height : Height));
  Put16(Info, 1);
  Put16(Info, static_cast<unsigned>(Bits));
  Put32(Info, 0);
  Put32(Info, static_cast<std::uint32_t>(Pixels.size()));
  Put32(Info, 0);
  Put32(Info, 0);
  Put32(Info, Bits == 24 ? 0 : static_cast<std::uint32_t>(Palette.size()));
  Put32(Info, 0);
  if (Bits != 24)
    for (TColor C : Palette) {
      Info.push_back(static_cast<char>((C >> 16) & 0xFF));
      Info.push_back(static_cast<char>((C >> 8) & 0xFF));
      Info.push_back(static_cast<char>(C & 0xFF));
      Info.push_back(0);
    }
  if (!FileHeader)
    return Info + Pixels;
  std::string File = "BM";
  Put32(File, static_cast<std::uint32_t>(14 + Info.size() + Pixels.size()));
  Put32(File, 0);
  Put32(File, static_cast<std::uint32_t>(14 + Info.size()));
  return File + Info + Pixels;
}

int Diagonal(int X, int Y) {
  return (X + Y) % 2;
}
int Stripes(int X, int) {
  return X % 16;
}
int Columns(int X, int) {
  return X % 3;
}

const std::vector<TColor> Sixteen = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                     clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                     clBlue,  clFuchsia, clAqua,   clWhite};

TEST(BitmapTest, LoadsEachSupportedDepth) {
  struct Case {
    int Bits;
    int Width;
    std::vector<TColor> Palette;
    int (*Index)(int, int);
    bool FileHeader;
    bool TopDown;
  };
  const Case Cases[] = {
      {1, 10, {clWhite, clBlack}, Diagonal, true, false},
      {4, 17, Sixteen, Stripes, true, false},
      {4, 17, Sixteen, Stripes, false, false}, // resource form: no file header
      {8, 5, {clRed, clLime, clBlue}, Columns, true, true},
      {24, 7, {clOlive, clTeal, RGB(1, 2, 3)}, Columns, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Bits);
    TBitmap B;
    B.LoadFromBmpData(MakeBmp(C.Width, 3, C.Bits, C.Palette, C.Index, C.FileHeader, C.TopDown));
    ASSERT_EQ(B.Width(), C.Width);
    ASSERT_EQ(B.Height(), 3);
    EXPECT_EQ(B.Monochrome(), C.Bits == 1);
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < C.Width; ++X)
        ASSERT_EQ(B.Pixel(X, Y), C.Palette[C.Index(X, Y)]) << X << "," << Y;
  }
}

TEST(BitmapTest, MalformedDataIsRefusedAndTheOldPictureKept) {
  TBitmap B;
  B.LoadFromBmpData(MakeBmp(2, 2, 24, {clRed}, [](int, int) { return 0; }));
  const std::string Good = MakeBmp(4, 4, 8, {clRed, clBlue}, Diagonal);
  std::string Compressed = Good;
  Compressed[14 + 16] = 1; // BI_RLE8
  std::string BadDepth = Good;
  BadDepth[14 + 14] = 16;
  for (const std::string& Data :
       {std::string(), std::string("BM"), Good.substr(0, Good.size() - 1), Compressed, BadDepth}) {
    EXPECT_THROW(B.LoadFromBmpData(Data), EInvalidGraphic);
    EXPECT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Pixel(1, 1), clRed);
  }
}

TEST(BitmapTest, AssignCopiesAndHandleAdoptionTakesOwnership) {
  TBitmap A;
  A.SetSize(3, 2);
  A.Canvas()->SetPixels(2, 1, clRed);
  TBitmap B;
  B.Assign(&A);
  A.Canvas()->SetPixels(2, 1, clBlue);
  EXPECT_EQ(B.Pixel(2, 1), clRed);
  B.Assign(nullptr);
  EXPECT_TRUE(B.Empty());

  // The combo-box arrow: a black triangle pointing down on the button face,
  // whose bottom-left pixel (the transparent colour) is background.
  B.SetHandle(LoadBitmap(nullptr, OBM_COMBO));
  ASSERT_EQ(B.Width(), 7);
  ASSERT_EQ(B.Height(), 4);
  EXPECT_EQ(B.Pixel(0, 0), clBlack);
  EXPECT_EQ(B.Pixel(6, 0), clBlack);
  EXPECT_EQ(B.Pixel(3, 3), clBlack);
  EXPECT_EQ(B.Pixel(2, 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(B.TransparentColor(), ColorToRGB(clBtnFace));
  HBITMAP Taken = B.ReleaseHandle();
  EXPECT_TRUE(B.Empty());
  DeleteObject(Taken);
}

TEST(BitmapTest, MonochromeBitmapsHoldBlackAndWhiteAndTakePatBlt) {
  // The ellipsis picture: three 2x2 black dots on a fresh monochrome bitmap.
  TBitmap B;
  B.SetMonochrome(true);
  B.SetWidth(12);
  B.SetHeight(4);
  for (int X : {0, 5, 10})
    PatBlt(B.Canvas()->Handle(), X, 1, 2, 2, BLACKNESS);
  std::string Rows;
  for (int Y = 0; Y < 4; ++Y) {
    for (int X = 0; X < 12; ++X)
      Rows += B.Pixel(X, Y) == clBlack ? '#' : '.';
    Rows += '/';
  }
  EXPECT_EQ(Rows, "............/##...##...##/##...##...##/............/");
  B.Canvas()->Brush()->SetColor(clSilver);
  B.Canvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(B.Pixel(0, 0), clWhite);
  // Turning a colour bitmap monochrome keeps light and dark apart.
  TBitmap C;
  C.SetSize(2, 1);
  C.Canvas()->SetPixels(0, 0, clNavy);
  C.Canvas()->SetPixels(1, 0, clYellow);
  C.SetMonochrome(true);
  EXPECT_EQ(C.Pixel(0, 0), clBlack);
  EXPECT_EQ(C.Pixel(1, 0), clWhite);
}

// A bitmap drawn on another is cut to the target wherever it lands (over an
// edge, a corner, wholly outside), and a monochrome target takes it as black
// and white.
TEST(CanvasTest, ADrawnBitmapIsCutToTheTarget) {
  TBitmap Src;
  Src.SetSize(3, 2);
  const TColor Colors[2][3] = {{clRed, clLime, clBlue}, {clNavy, clYellow, clTeal}};
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X)
      Src.Canvas()->SetPixels(X, Y, Colors[Y][X]);
  const struct {
    int X, Y;
  } Places[] = {{0, 0}, {1, 1}, {-1, -1}, {2, 3}, {-2, 3}, {3, -1}, {-3, 0}, {0, 4}};
  for (bool Monochrome : {false, true})
    for (const auto& At : Places) {
      TBitmap Target;
      Target.SetSize(4, 4);
      Target.SetMonochrome(Monochrome);
      Target.Canvas()->Draw(At.X, At.Y, &Src);
      for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X) {
          const int SX = X - At.X, SY = Y - At.Y;
          TColor Want = SX >= 0 && SX < 3 && SY >= 0 && SY < 2 ? Colors[SY][SX] : clWhite;
          if (Monochrome && Want != clWhite)
            Want = Want == clLime || Want == clYellow ? clWhite : clBlack;
          EXPECT_EQ(Target.Pixel(X, Y), Want)
              << "drawn at " << At.X << "," << At.Y << ", pixel " << X << "," << Y
              << (Monochrome ? " (monochrome)" : "");
        }
    }
}

TEST(CanvasTest, LinesExcludeTheirEndAndTextRectClipsToItsRectangle) {
  TBitmap B;
  B.SetSize(40, 20);
  TCanvas* C = B.Canvas();
  C->Pen()->SetColor(clRed);
  C->MoveTo(0, 0);
  C->LineTo(0, 5);
  EXPECT_EQ(B.Pixel(0, 4), clRed);
  EXPECT_EQ(B.Pixel(0, 5), clWhite);
  C->Brush()->SetColor(clYellow);
  C->TextRect(Rect(10, 2, 20, 18), 10, 2, "WWWWWWWW");
  EXPECT_EQ(B.Pixel(10, 17), clYellow);
  int Black = 0, Outside = 0;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 40; ++X)
      if (B.Pixel(X, Y) == clBlack)
        (X >= 10 && X < 20 && Y >= 2 && Y < 18 ? Black : Outside)++;
  EXPECT_GT(Black, 0);
  EXPECT_EQ(Outside, 0);
  C->Brush()->SetColor(clBlue);
  C->FrameRect(Rect(25, 5, 30, 10));
  EXPECT_EQ(B.Pixel(25, 5), clBlue);
  EXPECT_EQ(B.Pixel(29, 9), clBlue);
  EXPECT_EQ(B.Pixel(27, 7), clWhite);
}

// Characters outside a clip are skipped, but a glyph that reaches over its
// advance (italics) must still show its part inside the clip, and nothing may
// show outside it. The text repeats four characters that reach out left or
// right; every start within one repetition is tried, so that each of them
// meets each side of the clip.
TEST(CanvasTest, ClippedTextIsTheUnclippedPictureCutToTheClip) {
  std::string Text;
  for (int I = 0; I < 20; ++I)
    Text += "fj/A";
  const TRect Clip = Rect(23, 2, 71, 38);
  TBitmap Whole, Cut;
  for (TBitmap* B : {&Whole, &Cut}) {
    B->SetSize(120, 40);
    B->Canvas()->Font()->SetName("Times New Roman");
    B->Canvas()->Font()->SetHeight(-24);
    B->Canvas()->Font()->SetStyle({fsItalic, fsUnderline});
  }
  const int Step = Whole.Canvas()->TextWidth("fj/A");
  int Mismatches = 0, Inked = 0;
  for (int Start = -40; Start < -40 + Step; ++Start) {
    for (TBitmap* B : {&Whole, &Cut}) {
      B->Canvas()->Brush()->SetColor(clWhite);
      B->Canvas()->FillRect(Rect(0, 0, 120, 40));
      B->Canvas()->Brush()->SetStyle(bsClear);
    }
    Whole.Canvas()->TextOut(Start, 4, Text);
    Cut.Canvas()->TextRect(Clip, Start, 4, Text);
    for (int Y = 0; Y < 40; ++Y)
      for (int X = 0; X < 120; ++X) {
        const bool Inside = PtInRect(Clip, {X, Y});
        Mismatches += Cut.Pixel(X, Y) != (Inside ? Whole.Pixel(X, Y) : clWhite);
        Inked += Inside && Cut.Pixel(X, Y) != clWhite;
      }
  }
  EXPECT_EQ(Mismatches, 0);
  EXPECT_GT(Inked, 100);
}

TEST(CanvasTest, TextMetricsFollowTheSelectedFont) {
  HDC DC = GetDC(nullptr);
  TTextMetric System, Small;
  ASSERT_TRUE(GetTextMetrics(DC, System));
  TFont Font;
  HFONT Old = SelectObject(DC, Font.Handle());
  GetTextMetrics(DC, Small);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  EXPECT_GT(System.tmHeight, Small.tmHeight);
  EXPECT_GE(Small.tmHeight, 12);
  EXPECT_LE(Small.tmHeight, 15);
  EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
  TBitmap B;
  EXPECT_GT(B.Canvas()->TextWidth("WWW"), B.Canvas()->TextWidth("iii"));
}

TEST(ColorTest, SystemColoursResolveAndNamesRoundTrip) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
  EXPECT_EQ(ColorToRGB(clActiveCaption), 0x800000);
  EXPECT_EQ(ColorToString(clBtnShadow), "clBtnShadow");
  EXPECT_EQ(StringToColor("clWindowFrame"), clWindowFrame);
  EXPECT_EQ(StringToColor(ColorToString(0x123456)), 0x123456);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

class PaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 200, 120);
    Edit = vt::Place<TEdit>(Form, 10, 10, 100, 21);
    Button = vt::Place<TButton>(Form, 10, 50, 75, 25);
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TButton* Button = nullptr;
};

TEST_F(PaintTest, ControlsPaintTheirFramesFacesAndSelection) {
  const TPixelBuffer Image = vt::PaintForm(Form);
  EXPECT_EQ(Image.Pixel(0, 0), ColorToRGB(clBtnFace));
  // The edit's client edge: shadow outside, dark shadow inside, window colour within.
  EXPECT_EQ(Image.Pixel(10, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Image.Pixel(11, 11), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Image.Pixel(109, 10 + Edit->Height() - 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(vt::PixelAt(Edit, 90, 10), ColorToRGB(clWindow));
  EXPECT_EQ(vt::PixelAt(Button, 30, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(vt::PixelAt(Button, 74, 24), ColorToRGB(cl3DDkShadow));
  vt::TypeText("WWW");
  Edit->SelectAll();
  EXPECT_EQ(vt::PixelAt(Edit, 3, 4), ColorToRGB(clHighlight));
  // Leaving the edit hides its selection.
  ASSERT_TRUE(vt::MoveFocus(Button));
  EXPECT_NE(vt::PixelAt(Edit, 3, 4), ColorToRGB(clHighlight));
}

TEST_F(PaintTest, TheSamePictureTwiceGivesTheSamePng) {
  Edit->SetTextBuf("Same picture");
  TPixelBuffer First, Second;
  Form->PaintTo(First);
  Form->PaintTo(Second);
  EXPECT_EQ(First.PngData(), Second.PngData());
  EXPECT_EQ(First.PngData().substr(1, 3), "PNG");
}

} // namespace

namespace {

TEST(CanvasTest, TheContextFollowsTheCanvasFontAfterItChanges) {
  TBitmap B;
  B.SetSize(10, 10);
  TCanvas* C = B.Canvas();
  TTextMetric Before, After;
  GetTextMetrics(C->Handle(), Before);
  C->Font()->SetHeight(-30);
  GetTextMetrics(C->Handle(), After);
  EXPECT_GT(After.tmHeight, Before.tmHeight + 10);
}

} // namespace
