// GUI platform: panels, the bevelled containers that align other controls.
#pragma once

#include "vcl/controls.h"

namespace vcl {

VCL_ENUM(TBevelCut, std::uint8_t, bvNone, bvLowered, bvRaised);
using TPanelBevel = TBevelCut;
using TBevelWidth = int;
using TBorderWidth = int;

// Draws a frame Width pixels thick just inside Rect and shrinks Rect to what is left.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* AOwner);
  TAccessibleRole AccessibleRole() const override { return arGrouping; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  TBorderWidth BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(TBorderWidth Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;

private:
  int BevelSize() const;
  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  TBorderWidth FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
public:
  using TCustomPanel::TCustomPanel;
};

} // namespace vcl
