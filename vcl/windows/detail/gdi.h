// GUI platform, internal: what the opaque handles of vcl/windows.h hold. A
// device context is a window onto a pixel buffer (origin and clip in buffer
// coordinates) with a selected font; on a picture of a scale above 1 its
// origin and clip stay in the picture's own pixels and only the drawing
// lands on the device's; fonts and bitmaps are the platform
// objects behind TFont and TBitmap.
#pragma once

#include "vcl/graphics.h"
#include "vcl/windows/detail/backend.h"

namespace vcl {

class TControl;

struct HFONT__ {
  backend::TFontSpec Face;
};

struct HBITMAP__ {
  TPixelBuffer Pixels;
  bool Monochrome = false;
};

struct HDC__ {
  TPixelBuffer* Target = nullptr;
  TPoint Origin;        // buffer position of the context's (0, 0)
  TRect Clip;           // in buffer coordinates
  HFONT Font = nullptr; // nullptr: the system font
  bool Monochrome = false;
  HBITMAP Bitmap = nullptr; // set for bitmap contexts
};

struct HWND__ {
  TControl* Control = nullptr;
  HDC PaintDC = nullptr; // the context of the paint pass in progress
};

namespace gdi {

// The font the screen context starts with (the system font).
HFONT SystemFont();
// The family actually used for a font name: the Liberation families stand in
// for the classic Windows faces.
std::string FontFamilyFor(const std::string& Name);
// Resolves a colour for the target: monochrome contexts keep only black and white.
std::uint32_t RawColor(const HDC__& DC, TColor Color);
// The device pixels of R (picture pixels) on a picture drawn at a scale.
TRect ToDevice(const TPixelBuffer& Target, const TRect& R);
// Fills R (context coordinates) clipped to the context.
void FillRect(HDC__& DC, const TRect& R, TColor Color);
// A GDI line: the end point is excluded.
void Line(HDC__& DC, int X1, int Y1, int X2, int Y2, TColor Color, int Width);
void Text(HDC__& DC, int X, int Y, const std::string& Text, const TRect* Clip, HFONT Font,
          TColor Color);
// Copies Src to (X, Y), leaving out pixels of the transparent colour when given.
void Blit(HDC__& DC, int X, int Y, const TPixelBuffer& Src, const TColor* Transparent);

// Draws the caret into a window's paint context when the window owns it and
// it is shown.
void PaintCaret(HWND Wnd, HDC__& DC);
// A window that goes away takes its caret along.
void ForgetCaret(HWND Wnd);

} // namespace gdi
} // namespace vcl
