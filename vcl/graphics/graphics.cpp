// Colours, pixel buffers, fonts, pens and brushes, and the low-level drawing
// into device contexts that the canvas and the Win32-style functions share.
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "vcl/typinfo.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

namespace {

// The classic default scheme, as $00BBGGRR, indexed by system colour number.
constexpr TColor SystemColors[] = {
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF};

struct ColorName {
  TColor Color;
  const char* Name;
};
constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

} // namespace

TColor ColorToRGB(TColor Color) {
  if (Color < 0) {
    const int Index = Color & 0xFF;
    return Index < static_cast<int>(std::size(SystemColors)) ? SystemColors[Index] : clBlack;
  }
  return Color & 0xFFFFFF;
}

const std::vector<TIdentMapEntry>& ColorIdentMap() {
  static const std::vector<TIdentMapEntry> Map = [] {
    std::vector<TIdentMapEntry> Entries;
    for (const ColorName& N : ColorNames)
      Entries.push_back({N.Color, N.Name});
    return Entries;
  }();
  return Map;
}

std::string ColorToString(TColor Color) {
  for (const ColorName& N : ColorNames)
    if (N.Color == Color)
      return N.Name;
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "$%.8X", static_cast<unsigned>(Color));
  return Buffer;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const ColorName& N : ColorNames)
    if (SameText(Ident, N.Name)) {
      Color = N.Color;
      return true;
    }
  return false;
}

TColor StringToColor(const std::string& S) {
  TColor Color;
  if (IdentToColor(S, Color))
    return Color;
  return StrToInt(S);
}

// ---------------------------------------------------------------------------

TPixelBuffer::TPixelBuffer(int Width, int Height, TColor Fill) {
  SetSize(Width, Height, Fill);
}

void TPixelBuffer::SetSize(int Width, int Height, TColor Fill) {
  SetScaledSize(Width, Height, 1, Fill);
}

void TPixelBuffer::SetScaledSize(int Width, int Height, int Scale, TColor Fill) {
  FScale = std::max(Scale, 1);
  FWidth = std::max(Width, 0) * FScale;
  FHeight = std::max(Height, 0) * FScale;
  FData.assign(static_cast<std::size_t>(FWidth) * FHeight, ToRaw(Fill));
}

std::uint32_t TPixelBuffer::ToRaw(TColor Color) {
  const TColor C = ColorToRGB(Color);
  return 0xFF000000u | (static_cast<std::uint32_t>(C & 0xFF) << 16) | (C & 0xFF00) |
         ((C >> 16) & 0xFF);
}

TColor TPixelBuffer::FromRaw(std::uint32_t Raw) {
  return static_cast<TColor>(((Raw >> 16) & 0xFF) | (Raw & 0xFF00) | ((Raw & 0xFF) << 16));
}

TColor TPixelBuffer::Pixel(int X, int Y) const {
  return Contains(X, Y) ? FromRaw(Raw(X, Y)) : clNone;
}

void TPixelBuffer::SetPixel(int X, int Y, TColor Color) {
  if (Contains(X, Y))
    Line(Y)[X] = ToRaw(Color);
}

void TPixelBuffer::Fill(const TRect& R, TColor Color) {
  const std::uint32_t V = ToRaw(Color);
  const int L = std::max(R.Left, 0), T = std::max(R.Top, 0);
  const int Rt = std::min(R.Right, FWidth), B = std::min(R.Bottom, FHeight);
  for (int Y = T; Y < B; ++Y)
    std::fill(Line(Y) + L, Line(Y) + std::max(L, Rt), V);
}

std::string TPixelBuffer::PngData() const {
  return backend::EncodeImage(*this, "PNG");
}

void TPixelBuffer::SaveToPng(const std::string& FileName) const {
  WriteFile(FileName, "PNG");
}

const char* TPixelBuffer::FileFormat(const std::string& FileName) {
  const std::size_t Dot = FileName.rfind('.');
  const std::size_t Slash = FileName.rfind('/');
  if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash))
    return nullptr;
  const std::string Extension = LowerCase(FileName.substr(Dot + 1));
  if (Extension == "png")
    return "PNG";
  if (Extension == "bmp")
    return "BMP";
  if (Extension == "jpg" || Extension == "jpeg")
    return "JPEG";
  return nullptr;
}

void TPixelBuffer::SaveToFile(const std::string& FileName) const {
  const char* Format = FileFormat(FileName);
  if (!Format)
    throw EWriteError("Cannot tell the picture format of " + FileName +
                      ": name it .png, .bmp, .jpg or .jpeg");
  WriteFile(FileName, Format);
}

void TPixelBuffer::WriteFile(const std::string& FileName, const char* Format) const {
  const std::string Data = backend::EncodeImage(*this, Format);
  if (Data.empty() && FWidth > 0 && FHeight > 0)
    throw EWriteError("Cannot write the picture as " + std::string(Format));
  std::ofstream Out(FileName, std::ios::binary);
  Out.write(Data.data(), static_cast<std::streamsize>(Data.size()));
  if (!Out)
    throw EWriteError("Cannot write the picture to " + FileName);
}

// ---------------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (OnChange)
    OnChange(this);
}

TFont::TFont() = default;

TFont::~TFont() {
  delete FHandle;
}

void TFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    FName = F->FName;
    FHeight = F->FHeight;
    FStyle = F->FStyle;
    FColor = F->FColor;
    FPitch = F->FPitch;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Changed() {
  delete FHandle;
  FHandle = nullptr;
  TGraphicsObject::Changed();
}

void TFont::SetName(const std::string& Value) {
  if (Value != FName && !Value.empty()) {
    FName = Value;
    Changed();
  }
}

void TFont::SetHeight(int Value) {
  if (Value != FHeight) {
    FHeight = Value;
    Changed();
  }
}

int TFont::Size() const {
  const int Pixels = FHeight < 0 ? -FHeight : FHeight;
  const int Points = (Pixels * 72 + PixelsPerInch() / 2) / PixelsPerInch();
  return FHeight < 0 ? Points : -Points;
}

void TFont::SetSize(int Value) {
  SetHeight(-((Value * PixelsPerInch() + 36) / 72));
}

void TFont::SetStyle(const TFontStyles& Value) {
  if (!(Value == FStyle)) {
    FStyle = Value;
    Changed();
  }
}

void TFont::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    TGraphicsObject::Changed(); // the colour is not part of the platform font
  }
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value != FPitch) {
    FPitch = Value;
    Changed();
  }
}

HFONT TFont::Handle() {
  if (!FHandle) {
    backend::TFontSpec Face;
    Face.Family = gdi::FontFamilyFor(FPitch == fpFixed ? "Courier New" : FName);
    Face.Bold = FStyle.Contains(fsBold);
    Face.Italic = FStyle.Contains(fsItalic);
    Face.Underline = FStyle.Contains(fsUnderline);
    Face.StrikeOut = FStyle.Contains(fsStrikeOut);
    if (FHeight < 0) {
      Face.PixelSize = -FHeight;
    } else if (FHeight > 0) {
      // A positive height is the whole cell: scale the em size down to fit it.
      Face.PixelSize = FHeight;
      const int Cell = backend::MeasureFont(Face).Height;
      Face.PixelSize = std::max(1, FHeight * FHeight / std::max(Cell, 1));
    }
    FHandle = new HFONT__{Face};
  }
  return FHandle;
}

void TPen::Assign(TPersistent* Source) {
  if (auto* P = dynamic_cast<TPen*>(Source)) {
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}
void TPen::SetWidth(int Value) {
  FWidth = std::max(Value, 1);
  Changed();
}
void TPen::SetStyle(TPenStyle Value) {
  FStyle = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    FColor = B->FColor;
    FStyle = B->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  FColor = Value;
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  FStyle = Value;
  Changed();
}

// ---------------------------------------------------------------------------

namespace gdi {

HFONT SystemFont() {
  // The classic system font is a bold sans serif with a 16-pixel cell.
  static HFONT__ Font{backend::TFontSpec{"Liberation Sans", 13, true, false, false, false}};
  return &Font;
}

std::string FontFamilyFor(const std::string& Name) {
  static const char* const Serif[] = {"Times New Roman", "Times", "Liberation Serif", "Serif",
                                      "MS Serif"};
  static const char* const Mono[] = {"Courier New", "Courier",  "Liberation Mono",
                                     "Fixedsys",    "Terminal", "Monospace"};
  for (const char* N : Serif)
    if (SameText(Name, N))
      return "Liberation Serif";
  for (const char* N : Mono)
    if (SameText(Name, N))
      return "Liberation Mono";
  return "Liberation Sans";
}

std::uint32_t RawColor(const HDC__& DC, TColor Color) {
  if (!DC.Monochrome)
    return TPixelBuffer::ToRaw(Color);
  // Monochrome targets hold black and white only: light colours become white.
  const TColor C = ColorToRGB(Color);
  const int Luma = ((C & 0xFF) * 30 + ((C >> 8) & 0xFF) * 59 + ((C >> 16) & 0xFF) * 11) / 100;
  return TPixelBuffer::ToRaw(Luma >= 128 ? clWhite : clBlack);
}

namespace {

TRect ToBuffer(const HDC__& DC, TRect R) {
  OffsetRect(R, DC.Origin.X, DC.Origin.Y);
  TRect Clipped;
  IntersectRect(Clipped, R, DC.Clip);
  return Clipped;
}

// Fills the device pixels of R (picture pixels, already clipped).
void FillDevice(TPixelBuffer& Target, const TRect& R, std::uint32_t Raw) {
  const TRect D = ToDevice(Target, R);
  // The bounds are read once: the pixel stores could otherwise alias them.
  const int Left = std::max(D.Left, 0), Right = std::min(D.Right, Target.Width());
  const int Top = std::max(D.Top, 0), Bottom = std::min(D.Bottom, Target.Height());
  if (Left >= Right)
    return;
  for (int Y = Top; Y < Bottom; ++Y)
    std::fill_n(Target.Line(Y) + Left, Right - Left, Raw);
}

void PlotRaw(HDC__& DC, int X, int Y, std::uint32_t Raw) {
  X += DC.Origin.X;
  Y += DC.Origin.Y;
  if (X < DC.Clip.Left || X >= DC.Clip.Right || Y < DC.Clip.Top || Y >= DC.Clip.Bottom)
    return;
  if (DC.Target->Scale() == 1) {
    if (DC.Target->Contains(X, Y))
      DC.Target->Line(Y)[X] = Raw;
  } else {
    FillDevice(*DC.Target, Bounds(X, Y, 1, 1), Raw);
  }
}

} // namespace

TRect ToDevice(const TPixelBuffer& Target, const TRect& R) {
  const int S = Target.Scale();
  return {R.Left * S, R.Top * S, R.Right * S, R.Bottom * S};
}

void FillRect(HDC__& DC, const TRect& R, TColor Color) {
  if (DC.Target)
    FillDevice(*DC.Target, ToBuffer(DC, R), RawColor(DC, Color));
}

void Line(HDC__& DC, int X1, int Y1, int X2, int Y2, TColor Color, int Width) {
  if (!DC.Target)
    return;
  const std::uint32_t Raw = RawColor(DC, Color);
  // Bresenham, stopping before the end point as GDI does.
  const int DX = std::abs(X2 - X1), DY = -std::abs(Y2 - Y1);
  const int SX = X1 < X2 ? 1 : -1, SY = Y1 < Y2 ? 1 : -1;
  int Err = DX + DY, X = X1, Y = Y1;
  while (X != X2 || Y != Y2) {
    for (int W = 0; W < Width; ++W)
      PlotRaw(DC, DX >= -DY ? X : X + W, DX >= -DY ? Y + W : Y, Raw);
    const int E2 = 2 * Err;
    if (E2 >= DY) {
      Err += DY;
      X += SX;
    }
    if (E2 <= DX) {
      Err += DX;
      Y += SY;
    }
  }
}

void Text(HDC__& DC, int X, int Y, const std::string& S, const TRect* Clip, HFONT Font,
          TColor Color) {
  if (!DC.Target || S.empty())
    return;
  TRect Area = DC.Clip;
  if (Clip)
    Area = ToBuffer(DC, *Clip);
  const HFONT F = Font ? Font : SystemFont();
  // On a scaled picture the glyphs are drawn at the device's resolution
  // from a font as many times as large, not enlarged afterwards.
  const int Scale = DC.Target->Scale();
  backend::TFontSpec Face = F->Face;
  Face.PixelSize *= Scale;
  backend::DrawText(*DC.Target, ToDevice(*DC.Target, Area), (X + DC.Origin.X) * Scale,
                    (Y + DC.Origin.Y) * Scale, S, Face, RawColor(DC, Color));
}

void Blit(HDC__& DC, int X, int Y, const TPixelBuffer& Src, const TColor* Transparent) {
  if (!DC.Target)
    return;
  const std::uint32_t Skip = Transparent ? TPixelBuffer::ToRaw(*Transparent) : 0;
  auto Keep = [&](std::uint32_t Raw) { return !Transparent || Raw != Skip; };
  auto Color = [&](std::uint32_t Raw) {
    return DC.Monochrome ? RawColor(DC, TPixelBuffer::FromRaw(Raw)) : Raw;
  };
  const int Scale = DC.Target->Scale(), SrcScale = Src.Scale();
  if (SrcScale == Scale) {
    // A picture drawn at the target's resolution (a form's client area on
    // its frame) is copied device pixel for device pixel: the rows of the
    // part inside the clip and the target at once when every pixel is
    // copied as it is, which is most of a form's picture.
    const int Left = (X + DC.Origin.X) * Scale, Top = (Y + DC.Origin.Y) * Scale;
    TRect Dest;
    if (!IntersectRect(Dest, Bounds(Left, Top, Src.Width(), Src.Height()),
                       ToDevice(*DC.Target, DC.Clip)) ||
        !IntersectRect(Dest, Dest, Rect(0, 0, DC.Target->Width(), DC.Target->Height())))
      return;
    const int Count = Dest.Right - Dest.Left;
    for (int DY = Dest.Top; DY < Dest.Bottom; ++DY) {
      const std::uint32_t* From = Src.Line(DY - Top) + (Dest.Left - Left);
      std::uint32_t* To = DC.Target->Line(DY) + Dest.Left;
      if (!Transparent && !DC.Monochrome)
        std::copy_n(From, Count, To);
      else
        for (int I = 0; I < Count; ++I)
          if (Keep(From[I]))
            To[I] = Color(From[I]);
    }
    return;
  }
  for (int SY = 0; SY < Src.Height() / SrcScale; ++SY)
    for (int SX = 0; SX < Src.Width() / SrcScale; ++SX) {
      const std::uint32_t Raw = Src.Raw(SX * SrcScale, SY * SrcScale);
      if (Keep(Raw))
        PlotRaw(DC, X + SX, Y + SY, Color(Raw));
    }
}

} // namespace gdi
} // namespace vcl
