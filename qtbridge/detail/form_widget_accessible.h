// The Qt bridge, internal: the accessible interface of a form widget.
#pragma once

namespace QtBridge {

// Lets Qt's accessibility see an embedded form's controls as children of
// the widget that shows it; once per process, before a form widget is made.
void InstallFormWidgetAccessibility();

} // namespace QtBridge
