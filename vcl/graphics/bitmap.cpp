// TBitmap: pixels with their own canvas, handle adoption, and the reader of
// Windows BMP data (file or resource form; 1, 4, 8 and 24 bits, uncompressed).
#include <fstream>
#include <iterator>
#include <sstream>

#include "vcl/windows/detail/gdi.h"

namespace vcl {

namespace {

const char* const InvalidBitmap = "Bitmap image is not valid";

// The reader checks every header field against what a bitmap can be before
// any arithmetic is done with it: form files and resources come from
// outside, and a height of INT_MIN, say, has no positive twin.
class TBmpReader {
public:
  explicit TBmpReader(const std::string& Data) : FData(Data) {}

  // Decodes the data into Out; raises EInvalidGraphic on anything malformed.
  void Read(HBITMAP__& Out) {
    ReadHeader();
    ReadPalette();
    // All the rows are there before the picture is made.
    if (FBitsAt == 0)
      FBitsAt = FPaletteAt + FPalette.size() * FEntrySize;
    FStride = ((static_cast<std::size_t>(FWidth) * FBits + 31) / 32) * 4;
    Need(FBitsAt + FStride * FHeight);
    TPixelBuffer Pixels(FWidth, FHeight);
    ReadPixels(Pixels);
    Out.Pixels = std::move(Pixels);
    Out.Monochrome = FBits == 1;
  }

private:
  // The largest width and height taken.
  static constexpr std::int64_t MaxSide = 32768;

  void ReadHeader() {
    std::size_t InfoAt = 0;
    if (FData.size() >= 2 && FData[0] == 'B' && FData[1] == 'M') {
      InfoAt = 14;
      FBitsAt = U32(10);
    }
    const std::uint32_t HeaderSize = U32(InfoAt);
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    if (HeaderSize == 12) { // the old OS/2 header
      Width = U16(InfoAt + 4);
      Height = U16(InfoAt + 6);
      FBits = static_cast<int>(U16(InfoAt + 10));
      FEntrySize = 3;
    } else if (HeaderSize >= 40) {
      Width = static_cast<std::int32_t>(U32(InfoAt + 4));
      Height = static_cast<std::int32_t>(U32(InfoAt + 8));
      FBits = static_cast<int>(U16(InfoAt + 14));
      if (U32(InfoAt + 16) != 0)
        Fail(); // compressed data is not supported
      FColors = U32(InfoAt + 32);
    } else {
      Fail();
    }
    // A negative height means rows stored top-down; in 64 bits it has a
    // positive twin whatever the file says.
    FTopDown = Height < 0;
    if (FTopDown)
      Height = -Height;
    if (Width <= 0 || Height <= 0 || Width > MaxSide || Height > MaxSide)
      Fail();
    if (FBits != 1 && FBits != 4 && FBits != 8 && FBits != 24)
      Fail();
    FWidth = static_cast<int>(Width);
    FHeight = static_cast<int>(Height);
    FPaletteAt = InfoAt + HeaderSize;
  }

  void ReadPalette() {
    if (FBits > 8)
      return;
    const std::uint32_t Max = 1u << FBits;
    if (FColors == 0 || FColors > Max)
      FColors = Max;
    for (std::uint32_t I = 0; I < FColors; ++I) {
      const std::size_t At = FPaletteAt + I * FEntrySize;
      Need(At + 3);
      FPalette.push_back(0xFF000000u | (Get8(At + 2) << 16) | (Get8(At + 1) << 8) | Get8(At));
    }
  }

  void ReadPixels(TPixelBuffer& Pixels) const {
    for (int Row = 0; Row < FHeight; ++Row) {
      const std::size_t Line = FBitsAt + FStride * Row;
      std::uint32_t* Dest = Pixels.Line(FTopDown ? Row : FHeight - 1 - Row);
      for (int X = 0; X < FWidth; ++X) {
        if (FBits == 24) {
          const std::size_t At = Line + X * 3;
          Dest[X] = 0xFF000000u | (Get8(At + 2) << 16) | (Get8(At + 1) << 8) | Get8(At);
          continue;
        }
        const std::size_t Bit = static_cast<std::size_t>(X) * FBits;
        const unsigned Octet = Get8(Line + Bit / 8);
        const unsigned Shift = 8 - FBits - Bit % 8;
        const unsigned Index = (Octet >> Shift) & ((1u << FBits) - 1);
        // An index past the palette reads as black rather than out of bounds.
        Dest[X] = Index < FPalette.size() ? FPalette[Index] : 0xFF000000u;
      }
    }
  }

  [[noreturn]] static void Fail() { throw EInvalidGraphic(InvalidBitmap); }
  void Need(std::size_t End) const {
    if (End > FData.size())
      Fail();
  }
  std::uint32_t Get8(std::size_t At) const {
    Need(At + 1);
    return static_cast<unsigned char>(FData[At]);
  }
  std::uint32_t U16(std::size_t At) const { return Get8(At) | (Get8(At + 1) << 8); }
  std::uint32_t U32(std::size_t At) const { return U16(At) | (U16(At + 2) << 16); }

  const std::string& FData;
  int FWidth = 0;
  int FHeight = 0;
  int FBits = 0;
  bool FTopDown = false;
  std::size_t FBitsAt = 0; // from the file header, else right after the palette
  std::size_t FStride = 0; // bytes per row
  std::size_t FPaletteAt = 0;
  std::uint32_t FColors = 0;
  int FEntrySize = 4;
  std::vector<std::uint32_t> FPalette;
};

class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
  // The context follows the bitmap's current image, which resizing replaces.
  void Refresh() { SetHandle(nullptr); }

protected:
  void CreateHandle() override {
    HBITMAP Image = FBitmap->Handle();
    FDC.Target = &Image->Pixels;
    FDC.Origin = {};
    FDC.Clip = Rect(0, 0, Image->Pixels.Width(), Image->Pixels.Height());
    FDC.Monochrome = Image->Monochrome;
    FDC.Bitmap = Image;
    SetHandle(&FDC);
  }

private:
  TBitmap* FBitmap;
  HDC__ FDC;
};

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FreeImage();
}

void TBitmap::FreeImage() {
  if (FCanvas)
    static_cast<TBitmapCanvas*>(FCanvas.get())->Refresh();
  delete FImage;
  FImage = nullptr;
}

HBITMAP TBitmap::Image() const {
  return FImage;
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    FreeImage();
    Changed();
    return;
  }
  if (auto* B = dynamic_cast<TBitmap*>(Source)) {
    if (B == this)
      return;
    HBITMAP Copy = B->FImage ? new HBITMAP__(*B->FImage) : nullptr;
    FreeImage();
    FImage = Copy;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

int TBitmap::Width() const {
  return FImage ? FImage->Pixels.Width() : 0;
}
int TBitmap::Height() const {
  return FImage ? FImage->Pixels.Height() : 0;
}
bool TBitmap::Empty() const {
  return Width() == 0 || Height() == 0;
}
bool TBitmap::Monochrome() const {
  return FImage && FImage->Monochrome;
}

void TBitmap::ResizeImage(int AWidth, int AHeight) {
  if (AWidth == Width() && AHeight == Height() && FImage)
    return;
  auto Fresh = std::make_unique<HBITMAP__>();
  Fresh->Monochrome = Monochrome();
  Fresh->Pixels.SetSize(AWidth, AHeight, clWhite);
  if (FImage)
    for (int Y = 0; Y < std::min(AHeight, Height()); ++Y)
      for (int X = 0; X < std::min(AWidth, Width()); ++X)
        Fresh->Pixels.Line(Y)[X] = FImage->Pixels.Raw(X, Y);
  FreeImage();
  FImage = Fresh.release();
  Changed();
}

void TBitmap::SetWidth(int Value) {
  ResizeImage(std::max(Value, 0), Height());
}
void TBitmap::SetHeight(int Value) {
  ResizeImage(Width(), std::max(Value, 0));
}
void TBitmap::SetSize(int AWidth, int AHeight) {
  ResizeImage(std::max(AWidth, 0), std::max(AHeight, 0));
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome())
    return;
  HBITMAP Image = Handle();
  Image->Monochrome = Value;
  if (Value) {
    HDC__ Probe;
    Probe.Monochrome = true;
    for (int Y = 0; Y < Image->Pixels.Height(); ++Y)
      for (int X = 0; X < Image->Pixels.Width(); ++X)
        Image->Pixels.Line(Y)[X] =
            gdi::RawColor(Probe, TPixelBuffer::FromRaw(Image->Pixels.Raw(X, Y)));
  }
  if (FCanvas)
    static_cast<TBitmapCanvas*>(FCanvas.get())->Refresh();
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas)
    FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  if (!FImage)
    FImage = new HBITMAP__();
  return FImage;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FImage)
    return;
  FreeImage();
  FImage = Value;
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP Image = Handle();
  if (FCanvas)
    static_cast<TBitmapCanvas*>(FCanvas.get())->Refresh();
  FImage = nullptr;
  return Image;
}

TColor TBitmap::TransparentColor() const {
  return Pixel(0, Height() - 1);
}

TColor TBitmap::Pixel(int X, int Y) const {
  return FImage ? FImage->Pixels.Pixel(X, Y) : clNone;
}

const TPixelBuffer& TBitmap::Pixels() const {
  static const TPixelBuffer Nothing;
  return FImage ? FImage->Pixels : Nothing;
}

void TBitmap::Draw(TCanvas* ACanvas, int X, int Y) {
  if (FImage)
    gdi::Blit(*ACanvas->Handle(), X, Y, FImage->Pixels, nullptr);
}

void TBitmap::LoadFromBmpData(const std::string& Data) {
  auto Fresh = std::make_unique<HBITMAP__>();
  TBmpReader(Data).Read(*Fresh);
  FreeImage();
  FImage = Fresh.release();
  Changed();
}

std::string TBitmap::SaveToBmpData() const {
  const int W = Width(), H = Height();
  const int Bits = Monochrome() ? 1 : 24;
  const std::size_t Stride = ((static_cast<std::size_t>(W) * Bits + 31) / 32) * 4;
  const std::uint32_t PaletteSize = Bits == 1 ? 8 : 0;
  const std::uint32_t Offset = 14 + 40 + PaletteSize;
  std::string Out;
  auto Put16 = [&Out](unsigned V) {
    Out.push_back(static_cast<char>(V & 0xFF));
    Out.push_back(static_cast<char>((V >> 8) & 0xFF));
  };
  auto Put32 = [&Put16](std::uint32_t V) {
    Put16(V & 0xFFFF);
    Put16(V >> 16);
  };
  Out += "BM";
  Put32(static_cast<std::uint32_t>(Offset + Stride * H));
  Put32(0);
  Put32(Offset);
  for (std::uint32_t V : {40u, static_cast<std::uint32_t>(W), static_cast<std::uint32_t>(H)})
    Put32(V);
  Put16(1);
  Put16(static_cast<unsigned>(Bits));
  for (std::uint32_t V : {0u, static_cast<std::uint32_t>(Stride * H), 0u, 0u, 0u, 0u})
    Put32(V);
  if (Bits == 1)
    Out += std::string("\0\0\0\0\xFF\xFF\xFF\0", 8);
  for (int Row = H - 1; Row >= 0; --Row) {
    std::string Line(Stride, '\0');
    for (int X = 0; X < W; ++X) {
      const TColor C = Pixel(X, Row);
      if (Bits == 1) {
        if (C == clWhite)
          Line[X / 8] = static_cast<char>(Line[X / 8] | (0x80 >> (X % 8)));
      } else {
        Line[X * 3] = static_cast<char>((C >> 16) & 0xFF);
        Line[X * 3 + 1] = static_cast<char>((C >> 8) & 0xFF);
        Line[X * 3 + 2] = static_cast<char>(C & 0xFF);
      }
    }
    Out += Line;
  }
  return Out;
}

void TBitmap::SetData(const std::string& Value) {
  if (Value.empty())
    Assign(nullptr);
  else
    LoadFromBmpData(Value);
}

void TBitmap::LoadFromFile(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In)
    throw EInvalidGraphic("Cannot open file " + FileName);
  LoadFromBmpData(std::string(std::istreambuf_iterator<char>(In), {}));
}

} // namespace vcl
