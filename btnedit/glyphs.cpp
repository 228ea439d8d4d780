// The ellipsis picture of a button edit, drawn to the button's width. The
// other pictures (the user's bitmap, a descendant's default bitmap, the
// system drop-down arrow) are chosen by GlyphKind in btnedit.cpp.
#include <memory>

#include "btnedit/btnedit.h"

namespace BtnEdit {

using namespace vcl;

TBitmap* CreateEllipsisGlyph(int ButtonWidth) {
  auto B = std::make_unique<TBitmap>();
  B->SetMonochrome(true);
  B->SetWidth(ButtonWidth - 4);
  B->SetHeight(4);
  const int D = 2; // dot size
  const int W = B->Width();
  int Gap = (W - 3 * D) / 2;
  if (Gap == 0)
    Gap = 1;
  else if (Gap > 3)
    Gap = 3;
  // On a narrow button X goes negative and the first dot is cut by the edge.
  const int X = (W - 3 * D - 2 * Gap) / 2;
  HDC DC = B->Canvas()->Handle();
  PatBlt(DC, X, 1, D, D, BLACKNESS);
  PatBlt(DC, X + Gap + D, 1, D, D, BLACKNESS);
  PatBlt(DC, X + 2 * Gap + 2 * D, 1, D, D, BLACKNESS);
  return B.release();
}

} // namespace BtnEdit
