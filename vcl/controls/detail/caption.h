// GUI platform, internal: captions with '&' accelerators ("&Save" shows an
// underlined S and answers Alt+S; "&&" is a plain ampersand), measured and
// drawn in one or more lines.
#pragma once

#include <string>
#include <vector>

#include "vcl/controls.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl::caption {

// True when Ch (any case) is the accelerator of Caption.
bool IsAccel(char32_t Ch, const std::string& Caption);

// The lines of a caption as shown: a line ends at CR LF, CR or LF, and with
// WordWrap lines are broken at blanks to fit MaxWidth.
std::vector<std::string> Lines(const std::string& Caption, HFONT Font, bool ShowAccel,
                               bool WordWrap, int MaxWidth);
TPoint Measure(const std::string& Caption, HFONT Font, bool ShowAccel, bool WordWrap, int MaxWidth);

// Draws the caption in R (context coordinates) aligned horizontally, at the
// top or vertically centred; a disabled caption is drawn embossed.
void Draw(HDC__& DC, const TRect& R, const std::string& Caption, HFONT Font, TColor Color,
          TAlignment Alignment, bool VCenter, bool ShowAccel, bool WordWrap, bool Enabled);

} // namespace vcl::caption
