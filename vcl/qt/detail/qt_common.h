// Qt side of the backend, internal: what the Qt sources share beyond the
// embedding interface (fonts, shaped text, the accessibility factory).
#pragma once

#include <QFont>

#include <string>
#include <vector>

#include "vcl/graphics.h"
#include "vcl/qt/embedding.h"
#include "vcl/windows/detail/backend.h"

namespace vcl::backend {

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

// The form behind one of our native windows, or nullptr for any other object.
TWindowClient* WindowClientOf(QObject* Object);
// Makes the forms' windows and their controls known to Qt's accessibility
// (qt_accessible.cpp); once per process, before the first window shows.
void InstallAccessibility();

} // namespace vcl::backend
