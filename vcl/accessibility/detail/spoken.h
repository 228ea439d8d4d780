// GUI platform, internal: captions as a screen reader speaks them.
#pragma once

#include <string>

namespace vcl::accessibility {

// A caption as read aloud: "&Name" is "Name", "&&" one ampersand.
std::string WithoutAccelerator(const std::string& Caption);

} // namespace vcl::accessibility
