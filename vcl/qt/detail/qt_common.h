// Qt side of the backend, internal: conversions shared by the Qt sources.
#pragma once

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

QString FromCp1252(const std::string& Text);
std::string ToCp1252(const QString& Text);
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
