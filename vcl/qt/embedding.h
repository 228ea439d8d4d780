// Hosting our forms in a Qt program: what a widget that shows one of our
// forms needs from the Qt backend (the text and picture conversions, and
// Qt's key and mouse events turned into the form's input, as our own
// windows turn them), and its place in the accessibility tree. The window seam itself
// (TNativeWindow, TWindowClient) is in vcl/windows.h; TCustomForm::SetWindowMaker puts a form into
// such a window.
#pragma once

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "vcl/graphics.h"
#include "vcl/windows.h"

class QAccessibleInterface;
class QObject;
class QPainter;
class QRegion;

namespace vcl::backend {

// Our texts are UTF-8 and Qt's UTF-16: these are the only conversions, at
// the boundary. Bytes that are not UTF-8 arrive as U+FFFD, as do lone
// surrogates leaving Qt.
QString FromUtf8(const std::string& Text);
std::string ToUtf8(const QString& Text);

// A QImage sharing the buffer's pixels (no copy); read-only for a const buffer.
QImage WrapPixels(TPixelBuffer& Pixels);
QImage WrapPixels(const TPixelBuffer& Pixels);

// The device pixels per window pixel a form is painted at on a device of
// the given ratio: a fractional ratio is painted at the next whole one and
// scaled down by Qt.
int WholePixelRatio(qreal DeviceRatio);
// Draws a region (in window pixels) of a form's picture, which holds
// Picture.Scale() device pixels per window pixel, onto a painter whose
// device has that ratio: the picture lands on the device's pixels one for
// one, sharp rather than enlarged.
void DrawPicture(QPainter& Painter, const TPixelBuffer& Picture, const QRegion& Region);

// The input of a Qt window or widget, handed to the form it shows.
void ForwardKey(TWindowClient* Client, bool Down, const QKeyEvent* E);
void ForwardMouse(TWindowClient* Client, TMouseAction Action, const QMouseEvent* E);
void ForwardWheel(TWindowClient* Client, const QWheelEvent* E);

// A form embedded in a widget of the host: the widget's accessible
// interface stands for the form, and the form's controls are its children
// (what AccessibleChildren gives). A null Host ends it.
void SetAccessibleHost(TControl* Form, QObject* Host);
std::vector<QAccessibleInterface*> AccessibleChildren(TControl* Form);

} // namespace vcl::backend
