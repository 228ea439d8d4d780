// Qt side of the backend, internal: conversions shared by the Qt sources.
#pragma once

#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>

#include <string>
#include <vector>

#include "vcl/graphics.h"
#include "vcl/windows/detail/backend.h"

class QAccessibleInterface;

namespace vcl::backend {

// Our texts are UTF-8 and Qt's UTF-16: these are the only conversions, at
// the boundary. Bytes that are not UTF-8 arrive as U+FFFD, as do lone
// surrogates leaving Qt.
QString FromUtf8(const std::string& Text);
std::string ToUtf8(const QString& Text);
// The Qt font of a TFontSpec as text is drawn with it (no antialiasing, font
// merging on), and its ascent.
const QFont& QtFontFor(const TFontSpec& Face, int* Ascent = nullptr);

// Whether a character is drawn only right through shaping: marks that
// combine with the character before them, right-to-left and joining
// scripts, scripts whose letters change shape or order (Devanagari, Thai,
// ...), emoji sequences. A text with one such character is laid out whole by
// the functions below (qt_shape.cpp), in its visual order.
bool NeedsShaping(char32_t Ch);
int ShapedWidth(const TFontSpec& Font, const std::string& Text);
std::vector<int> ShapedCaretOffsets(const TFontSpec& Font, const std::string& Text);
void DrawShaped(TPixelBuffer& Target, const TRect& Area, int X, int Y, const std::string& Text,
                const TFontSpec& Font, std::uint32_t Rgb);

// A QImage sharing the buffer's pixels (no copy); read-only for a const buffer.
QImage WrapPixels(TPixelBuffer& Pixels);
QImage WrapPixels(const TPixelBuffer& Pixels);

// The input of a Qt window or widget, handed to the form it shows.
void ForwardKey(TWindowClient* Client, bool Down, const QKeyEvent* E);
void ForwardMouse(TWindowClient* Client, TMouseAction Action, const QMouseEvent* E);

// The form behind one of our native windows, or nullptr for any other object.
TWindowClient* WindowClientOf(QObject* Object);
// A form embedded in a widget of a Qt Widgets window (the Qt bridge): the
// widget's accessible interface stands for the form, and the form's
// controls are its children. A null Host ends it.
void SetAccessibleHost(TControl* Form, QObject* Host);
std::vector<QAccessibleInterface*> AccessibleChildren(TControl* Form);
// Makes the forms' windows and their controls known to Qt's accessibility
// (qt_accessible.cpp); once per process, before the first window shows.
void InstallAccessibility();

} // namespace vcl::backend
