// GUI platform: the narrow interface between our controls and the windowing
// system. Everything the platform needs from outside (text measuring and
// drawing, PNG encoding, native windows and their input, the clipboard, the
// event loop) goes through these declarations; vcl/qt implements them. No
// type of the windowing toolkit appears here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/graphics.h"

namespace vcl {
class TControl;
}

namespace vcl::backend {

// A font as the toolkit is asked for it: a real family and a pixel size.
struct TFontSpec {
  std::string Family = "Liberation Sans";
  int PixelSize = 11;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const TFontSpec&) const = default;
};

struct TFontMetrics {
  int Height = 0;
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
};

TFontMetrics MeasureFont(const TFontSpec& Font);
// Width in pixels of a UTF-8 text drawn in one line.
int TextWidth(const TFontSpec& Font, const std::string& Text);
// Where the caret stands before each character (code point) of Text drawn
// in one line, and after the last: Length(Text) + 1 offsets from the line's
// start. Positions are logical: inside a right-to-left run the offsets fall
// from one character to the next.
std::vector<int> CaretOffsets(const TFontSpec& Font, const std::string& Text);
// True when Text is drawn character by character, each at the offset of its
// caret position, so that any part of it drawn at its offset looks as it
// does inside the whole; false when it needs shaping (see DrawText).
bool IsPlainText(const std::string& Text);
// Draws a UTF-8 text with its cell's top-left corner at (X, Y), clipped to
// Clip (target pixel coordinates). Glyphs are drawn without antialiasing so
// that a picture comes out the same every time. A text with combining
// marks, a right-to-left or joining script or an emoji sequence is shaped as
// one line and shows in its visual order.
void DrawText(TPixelBuffer& Target, const TRect& Clip, int X, int Y, const std::string& Text,
              const TFontSpec& Font, std::uint32_t Rgb);
// The picture as file data of Format ("PNG", "BMP" or "JPEG"); empty when
// the picture is empty or the format cannot be written.
std::string EncodeImage(const TPixelBuffer& Image, const char* Format);

// Starts the toolkit once per process; Headless selects the offscreen
// platform. The program's arguments go to the toolkit (Argc must live as
// long as the program). An application object the program made already is
// adopted as it is.
void StartPlatform(bool Headless, int* Argc = nullptr, char** Argv = nullptr);
bool PlatformStarted();
// True when windows really show on a screen.
bool HasDisplay();
// Handles pending events; with Wait, first waits for at least one.
void ProcessEvents(bool Wait);
// Calls Due once from the event loop after about DelayMs milliseconds; a
// call replaces the one before it if that has not run yet.
void ScheduleWakeUp(int DelayMs, std::function<void()> Due);
void Beep();
// A picture of the whole screen; false when there is none to take.
bool GrabScreen(TPixelBuffer& Out);
TPoint ScreenSize();

bool ClipboardHasText();
std::string ClipboardText();
void SetClipboardText(const std::string& Text);
void ClearClipboard();

std::unique_ptr<TNativeWindow> CreateNativeWindow(TWindowClient* Client);

} // namespace vcl::backend
