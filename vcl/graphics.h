// GUI platform: colours, fonts, pens, brushes, the canvas that paints into a
// device context, and bitmaps (including 1-, 4-, 8- and 24-bit Windows BMP
// data). TPixelBuffer is the plain picture that forms paint into and that
// screenshots and tests read back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vcl/classes.h"
#include "vcl/windows.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Colours: $00BBGGRR, or a system colour ($80000000 + the system colour index).

using TColor = std::int32_t;

constexpr TColor SystemColor(int Index) {
  return static_cast<TColor>(0x80000000u | Index);
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The $00BBGGRR value of a colour, system colours resolved to the classic scheme.
TColor ColorToRGB(TColor Color);
constexpr TColor RGB(int R, int G, int B) {
  return R | (G << 8) | (B << 16);
}
// The colour's name ("clBtnFace") or its hexadecimal value ("$00102030").
std::string ColorToString(TColor Color);
// Accepts names and numbers; raises EConvertError otherwise.
TColor StringToColor(const std::string& S);
bool IdentToColor(const std::string& Ident, TColor& Color);
struct TIdentMapEntry;
// The colour names form files use for colour properties ("clWindow").
const std::vector<TIdentMapEntry>& ColorIdentMap();

// ---------------------------------------------------------------------------
// A picture in memory: top-down rows of 0xFFRRGGBB pixels.

class TPixelBuffer {
public:
  TPixelBuffer() = default;
  TPixelBuffer(int Width, int Height, TColor Fill = clWhite);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int Width, int Height, TColor Fill = clWhite);
  // A picture of Width x Height pixels of a form, drawn at Scale device
  // pixels per pixel (a high-DPI screen's ratio): Width() and Height() are
  // then Scale times as large, and drawing through a device context lands
  // at the device's resolution. SetSize makes a picture of Scale 1.
  void SetScaledSize(int Width, int Height, int Scale, TColor Fill = clWhite);
  int Scale() const { return FScale; }
  bool Contains(int X, int Y) const { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
  // The pixel as a TColor ($00BBGGRR); outside the picture clNone.
  TColor Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor Color);
  std::uint32_t Raw(int X, int Y) const { return FData[static_cast<std::size_t>(Y) * FWidth + X]; }
  std::uint32_t* Line(int Y) { return FData.data() + static_cast<std::size_t>(Y) * FWidth; }
  const std::uint32_t* Line(int Y) const {
    return FData.data() + static_cast<std::size_t>(Y) * FWidth;
  }
  // Fills the part of R inside the picture.
  void Fill(const TRect& R, TColor Color);
  bool operator==(const TPixelBuffer&) const = default;

  // PNG data of the picture; SaveToPng raises EWriteError when the file cannot be written.
  std::string PngData() const;
  void SaveToPng(const std::string& FileName) const;
  // Writes the picture in the format its file name's extension names: .png,
  // .bmp, .jpg or .jpeg (in any case). EWriteError for another extension,
  // before anything is written, or when the file cannot be written.
  void SaveToFile(const std::string& FileName) const;
  // The format SaveToFile would write FileName in ("PNG", "BMP", "JPEG"), or
  // null when its extension names none of them.
  static const char* FileFormat(const std::string& FileName);

  static std::uint32_t ToRaw(TColor Color);
  static TColor FromRaw(std::uint32_t Raw);

private:
  void WriteFile(const std::string& FileName, const char* Format) const;

  int FWidth = 0;
  int FHeight = 0;
  int FScale = 1;
  std::vector<std::uint32_t> FData;
};

// ---------------------------------------------------------------------------
// Fonts, pens and brushes.

VCL_ENUM(TFontStyle, std::uint8_t, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = Set<TFontStyle>;
VCL_ENUM(TFontPitch, std::uint8_t, fpDefault, fpVariable, fpFixed);
enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // In points at 96 pixels per inch.
  int Size() const;
  void SetSize(int Value);
  const TFontStyles& Style() const { return FStyle; }
  void SetStyle(const TFontStyles& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return 96; }
  // The font object of the platform; valid until the font changes.
  HFONT Handle();

private:
  void Changed() override;
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontPitch FPitch = fpDefault;
  HFONT FHandle = nullptr;
};

class TPen : public TGraphicsObject {
public:
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
};

class TBrush : public TGraphicsObject {
public:
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------
// The canvas: drawing operations on a device context, in the context's
// coordinates and clipped to it.

class TGraphic;

class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  TPoint PenPos() const { return FPenPos; }
  void MoveTo(int X, int Y);
  // Draws from the pen position to (X, Y), the end point excluded.
  void LineTo(int X, int Y);
  // A one-pixel frame of R in the brush colour.
  void FrameRect(const TRect& R);
  void FillRect(const TRect& R);
  // Filled with the brush, outlined with the pen.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);
  // Draws the text on a brush-coloured background (unless the brush is clear)
  // and moves the pen to its end.
  void TextOut(int X, int Y, const std::string& Text);
  // Fills R with the brush and draws the text at (X, Y) clipped to R.
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  void Draw(int X, int Y, TGraphic* Graphic);
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Color);
  // The visible part of the context in its own coordinates.
  TRect ClipRect();

protected:
  // Descendants supply a context on demand (bitmaps, controls).
  virtual void CreateHandle() {}
  void RequiredState();
  HDC PeekHandle() const { return FHandle; }

private:
  HDC FHandle = nullptr;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TPoint FPenPos;
};

// ---------------------------------------------------------------------------
// Graphics and bitmaps.

class TGraphic : public TPersistent {
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Empty() const = 0;
  // Draws the picture with its top-left corner at (X, Y) of the canvas.
  virtual void Draw(TCanvas* ACanvas, int X, int Y) = 0;
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  int Width() const override;
  int Height() const override;
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  void SetSize(int AWidth, int AHeight);
  bool Empty() const override;
  bool Monochrome() const;
  // Turning monochrome reduces every pixel to black or white.
  void SetMonochrome(bool Value);
  TCanvas* Canvas();
  void Draw(TCanvas* ACanvas, int X, int Y) override;

  // The bitmap of the platform. SetHandle adopts the given bitmap: this
  // object frees it from then on. ReleaseHandle gives it up to the caller.
  HBITMAP Handle();
  void SetHandle(HBITMAP Value);
  HBITMAP ReleaseHandle();

  // The colour that glyph drawing leaves out: the bottom-left pixel.
  TColor TransparentColor() const;
  TColor Pixel(int X, int Y) const;
  const TPixelBuffer& Pixels() const;

  // Windows BMP data (1, 4, 8 or 24 bits per pixel, uncompressed);
  // malformed data raises EInvalidGraphic and leaves the bitmap unchanged.
  void LoadFromBmpData(const std::string& Data);
  void LoadFromFile(const std::string& FileName);
  // The picture as BMP file data: 1 bit per pixel when monochrome, else 24.
  std::string SaveToBmpData() const;
  // The BMP data as form files store a glyph; assigning "" empties the bitmap.
  std::string Data() const { return Empty() ? std::string() : SaveToBmpData(); }
  void SetData(const std::string& Value);

private:
  HBITMAP Image() const;
  void FreeImage();
  void ResizeImage(int AWidth, int AHeight);
  HBITMAP FImage = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};

class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

} // namespace vcl
