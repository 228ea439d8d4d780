// GUI platform: the speed button, a windowless button with a glyph. The
// glyph bitmap holds NumGlyphs images side by side (up, disabled, down,
// stays-down); its bottom-left pixel is the transparent colour.
#pragma once

#include <memory>

#include "vcl/controls.h"

namespace vcl {

VCL_ENUM(TButtonLayout, std::uint8_t, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int; // 1 to 4

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  TAccessibleRole AccessibleRole() const override { return arPushButton; }

  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies Value; a glyph whose width is a multiple (up to 4) of its height
  // sets NumGlyphs to that multiple.
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // The state the button is drawn in.
  TButtonState State() const;

  void Click() override;
  // Where Paint puts the glyph and the caption inside PaintRect.
  void CalcLayout(const TRect& PaintRect, TPoint& GlyphPos, TRect& TextRect);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

private:
  void GlyphChanged(TObject* Sender);
  void DrawGlyph(TCanvas* Canvas, const TPoint& At);
  void ReleaseGroup();

  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FPressed = false; // the mouse holds it down
  bool FDragging = false;
};

} // namespace vcl
