// Qt side of the backend, internal: conversions shared by the Qt sources.
#pragma once

#include <QImage>
#include <QString>

#include <string>

#include "vcl/graphics.h"

namespace vcl::backend {

QString FromCp1252(const std::string& Text);
std::string ToCp1252(const QString& Text);
// A QImage sharing the buffer's pixels (no copy).
QImage WrapPixels(TPixelBuffer& Pixels);

} // namespace vcl::backend
