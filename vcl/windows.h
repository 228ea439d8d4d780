// GUI platform: the Win32-style functions and types that control code calls
// directly (device contexts, text metrics, carets, system bitmaps, beeps),
// served by our own windowless controls and the backend underneath; and the
// window a form shows in, which a host toolkit's widget can stand in for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vcl/messages.h"

namespace vcl {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

inline TPoint Point(int X, int Y) {
  return {X, Y};
}
inline TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}
void SetRect(TRect& R, int Left, int Top, int Right, int Bottom);
void InflateRect(TRect& R, int DX, int DY);
void OffsetRect(TRect& R, int DX, int DY);
bool PtInRect(const TRect& R, const TPoint& P);
bool IsRectEmpty(const TRect& R);
// The common part of two rectangles; false (and an empty Dest) when they do not meet.
bool IntersectRect(TRect& Dest, const TRect& R1, const TRect& R2);

// Handles are opaque pointers to objects of the platform.
struct HWND__;
struct HDC__;
struct HFONT__;
struct HBITMAP__;
using HWND = HWND__*;
using HDC = HDC__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HINSTANCE = void*;

struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 400;
  bool tmItalic = false;
};

struct TPaintStruct {
  HDC hdc = nullptr;
  TRect rcPaint;
};

// Window styles (CreateParams).
constexpr std::uint32_t WS_POPUP = 0x80000000u;
constexpr std::uint32_t WS_CHILD = 0x40000000u;
constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
constexpr std::uint32_t WS_DISABLED = 0x08000000u;
constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000u;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000u;
constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
constexpr std::uint32_t WS_BORDER = 0x00800000u;
constexpr std::uint32_t WS_TABSTOP = 0x00010000u;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200u;
// Edit control styles.
constexpr std::uint32_t ES_LEFT = 0x0000;
constexpr std::uint32_t ES_CENTER = 0x0001;
constexpr std::uint32_t ES_RIGHT = 0x0002;
constexpr std::uint32_t ES_MULTILINE = 0x0004;
constexpr std::uint32_t ES_UPPERCASE = 0x0008;
constexpr std::uint32_t ES_LOWERCASE = 0x0010;
constexpr std::uint32_t ES_PASSWORD = 0x0020;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_NOHIDESEL = 0x0100;
constexpr std::uint32_t ES_OEMCONVERT = 0x0400;
constexpr std::uint32_t ES_READONLY = 0x0800;

// GetSystemMetrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;

// Raster operations of PatBlt.
constexpr std::uint32_t BLACKNESS = 0x00000042u;
constexpr std::uint32_t WHITENESS = 0x00FF0062u;
constexpr std::uint32_t PATCOPY = 0x00F00021u;
constexpr std::uint32_t DSTINVERT = 0x00550009u;

// System bitmaps of LoadBitmap (no instance).
constexpr int OBM_COMBO = 32738;

// Clipboard formats.
constexpr unsigned CF_TEXT = 1;

// MessageBeep sounds.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;

// Device contexts. GetDC(nullptr) is the screen, whose selected font is the
// system font; GetDC of a control paints into its form's image.
HDC GetDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);
// Selecting returns the previous object of the same kind, for restoring it.
HFONT SelectObject(HDC DC, HFONT Font);
HBITMAP SelectObject(HDC DC, HBITMAP Bitmap);
bool DeleteObject(HBITMAP Bitmap);
bool GetTextMetrics(HDC DC, TTextMetric& TM);
int GetSystemMetrics(int Index);
bool PatBlt(HDC DC, int X, int Y, int Width, int Height, std::uint32_t Rop);
HBITMAP LoadBitmap(HINSTANCE Instance, int Id);
bool MessageBeep(unsigned Type);

// Painting a control outside the form's own paint pass.
HDC BeginPaint(HWND Wnd, TPaintStruct& PS);
bool EndPaint(HWND Wnd, const TPaintStruct& PS);

// One caret per application, owned by a window; shown only while its owner has the focus.
bool CreateCaret(HWND Wnd, HBITMAP Bitmap, int Width, int Height);
bool DestroyCaret();
bool ShowCaret(HWND Wnd);
bool HideCaret(HWND Wnd);
bool SetCaretPos(int X, int Y);
bool GetCaretPos(TPoint& P);

// Timers. SetTimer calls Proc from the event loop every Elapse milliseconds
// (at least 1) until KillTimer; the result names the timer and is never 0.
// Time is GetTickCount's: milliseconds of a steady clock, which tests may
// stop and move on by hand (vcl/testing.h, TTimerClock).
using TTimerProc = std::function<void()>;
std::uintptr_t SetTimer(unsigned Elapse, TTimerProc Proc);
bool KillTimer(std::uintptr_t Id);
std::uint32_t GetTickCount();

std::intptr_t SendMessage(HWND Wnd, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);
HWND GetFocus();

class TPixelBuffer;
class TControl;

// The window a form shows in. The platform makes one of its own for each
// shown form; a program that hosts a form in a widget of another toolkit
// (see TCustomForm::SetWindowMaker) implements TNativeWindow for that
// widget and hands the widget's input to the form's TWindowClient.
namespace backend {

// Shift bits of input events.
constexpr int ssShiftBit = 1, ssAltBit = 2, ssCtrlBit = 4, ssLeftBit = 8, ssRightBit = 16,
              ssMiddleBit = 32;
enum TMouseAction { maDown, maUp, maMove, maDoubleClick };
enum TMouseButtonKind { mbkLeft, mbkRight, mbkMiddle };

// What a native window asks of the form it shows.
class TWindowClient {
public:
  virtual void WindowKey(bool Down, int VirtualKey, int Shift, const std::string& Text) = 0;
  virtual void WindowMouse(TMouseAction Action, TMouseButtonKind Button, int Shift, int X,
                           int Y) = 0;
  // Delta as WM_MOUSEWHEEL counts it.
  virtual void WindowWheel(int Delta, int Shift, int X, int Y) = 0;
  // False keeps the window open.
  virtual bool WindowCloseQuery() = 0;
  virtual void WindowResized(int Width, int Height) = 0;
  virtual void WindowActivated(bool Active) = 0;
  // The picture of the client area, with everything out of date repainted.
  virtual const TPixelBuffer& WindowRender() = 0;
  // The form the window shows, for the accessibility tree (vcl/accessibility.h).
  virtual TControl* WindowControl() = 0;

protected:
  ~TWindowClient() = default;
};

class TNativeWindow {
public:
  virtual ~TNativeWindow() = default;
  virtual void SetTitle(const std::string& Title) = 0;
  // Client-area geometry in screen pixels.
  virtual void SetGeometry(int Left, int Top, int Width, int Height) = 0;
  virtual void SetFixedSize(bool Fixed) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Activate() = 0;
  // Asks for R (client coordinates) to be shown anew: soon, from the event
  // loop, through WindowRender.
  virtual void Invalidate(const TRect& R) = 0;
  // Shows what was asked for now.
  virtual void Flush() = 0;
  // Device pixels per client pixel of the screen the window shows on: the
  // form's picture is drawn at that resolution.
  virtual int PixelRatio() const { return 1; }
};

} // namespace backend

} // namespace vcl
