// The picture on the button of a button edit. GlyphKind chooses it: the
// user's bitmap (gkCustom), a descendant's default bitmap (gkDefault), the
// system drop-down arrow (gkDropDown) or an ellipsis drawn to the button's
// width (gkEllipsis). Only custom pictures are stored with a form; the other
// kinds are rebuilt when their GlyphKind is read back.
#include <algorithm>
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

TBitmap* TCustomBtnEdit::GetDefaultBitmap(bool&) {
  return nullptr;
}

bool TCustomBtnEdit::IsCustomGlyph() const {
  return FGlyphKind == gkCustom;
}

TBitmap* TCustomBtnEdit::Glyph() const {
  return FButton->Glyph();
}

void TCustomBtnEdit::SetGlyphKind(TBtnGlyphKind Value) {
  if (Value == FGlyphKind)
    return;
  FGlyphKind = Value;
  // A form that stores gkCustom after another kind stores the picture too,
  // after the kind; whatever another kind left on the button must not stay.
  if (Value == gkCustom && ComponentState().Contains(csReading))
    SetGlyph(nullptr);
  RecreateGlyph();
  if (!FClickKeyRead)
    FClickKey = Value == gkDropDown ? scAltDown : scCtrlEnter;
}

bool TCustomBtnEdit::IsClickKeyStored() const {
  return FClickKey != (FGlyphKind == gkDropDown ? scAltDown : scCtrlEnter);
}

void TCustomBtnEdit::SetClickKey(TShortCut Value) {
  FClickKey = Value;
  if (ComponentState().Contains(csReading))
    FClickKeyRead = true;
}

void TCustomBtnEdit::SetGlyph(TBitmap* Value) {
  FButton->SetGlyph(Value);
  FGlyphKind = gkCustom;
}

int TCustomBtnEdit::NumGlyphs() const {
  return FButton->NumGlyphs();
}

void TCustomBtnEdit::SetNumGlyphs(int Value) {
  switch (FGlyphKind) {
  case gkDropDown:
  case gkEllipsis:
    FButton->SetNumGlyphs(1);
    break;
  case gkDefault:
    FButton->SetNumGlyphs(FDefNumGlyphs);
    break;
  case gkCustom:
    FButton->SetNumGlyphs(Value);
    break;
  }
}

void TCustomBtnEdit::SetDefaultGlyphCount(int Value) {
  FDefNumGlyphs = static_cast<std::uint8_t>(std::clamp(Value, 1, 4));
}

void TCustomBtnEdit::RecreateGlyph() {
  switch (FGlyphKind) {
  case gkCustom:
    break;
  case gkDefault: {
    bool DestroyIt = false;
    TBitmap* B = GetDefaultBitmap(DestroyIt);
    std::unique_ptr<TBitmap> Owned(DestroyIt ? B : nullptr);
    FButton->SetGlyph(B);
    SetNumGlyphs(FDefNumGlyphs);
    break;
  }
  case gkDropDown:
    FButton->Glyph()->SetHandle(LoadBitmap(nullptr, OBM_COMBO));
    SetNumGlyphs(1);
    break;
  case gkEllipsis: {
    std::unique_ptr<TBitmap> B(CreateEllipsisGlyph(ButtonWidth()));
    FButton->SetGlyph(B.get());
    SetNumGlyphs(1);
    break;
  }
  }
}

} // namespace BtnEdit
