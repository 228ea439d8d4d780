// Design-time registration: the two Register procedures a form designer
// calls when it loads the library, and the palette pictures they refer to.
#pragma once

#include <string>

#include "vcl/designintf.h"

namespace BtnEdit {
// TBtnEdit on the palette page "Additional", TDBBtnEdit on "Data Controls".
void Register();
} // namespace BtnEdit

namespace ValEdit {
// TValidEdit on "Additional", TDBValidEdit on "Data Controls", then the
// editors of Kind, Validator and the date and time bounds.
void Register();
} // namespace ValEdit

namespace Design {
// The palette picture of a registered component: BMP data of the resource
// named after the class in capitals (TBTNEDIT); empty when there is none.
std::string PaletteBitmap(const vcl::TMetaClass& ComponentClass);
} // namespace Design
