// TCustomPanel: a container drawn with an outer and an inner bevel; its
// aligned children fill what the bevels leave.
#include "vcl/controls/detail/caption.h"
#include "vcl/extctrls.h"

namespace vcl {

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  HDC DC = Canvas->Handle();
  for (int I = 0; I < Width; ++I) {
    --Rect.Right;
    --Rect.Bottom;
    gdi::FillRect(*DC, {Rect.Left, Rect.Top, Rect.Right, Rect.Top + 1}, TopColor);
    gdi::FillRect(*DC, {Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom}, TopColor);
    gdi::FillRect(*DC, {Rect.Right, Rect.Top, Rect.Right + 1, Rect.Bottom + 1}, BottomColor);
    gdi::FillRect(*DC, {Rect.Left, Rect.Bottom, Rect.Right + 1, Rect.Bottom + 1}, BottomColor);
    InflateRect(Rect, -1, -1);
    ++Rect.Right;
    ++Rect.Bottom;
  }
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                   csOpaque,          csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (NewStyleControls && Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

int TCustomPanel::BevelSize() const {
  int Size = FBorderWidth;
  if (FBevelOuter != bvNone)
    Size += FBevelWidth;
  if (FBevelInner != bvNone)
    Size += FBevelWidth;
  return Size;
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  InflateRect(Rect, -BevelSize(), -BevelSize());
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  FBevelWidth = std::max(Value, 1);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(TBorderWidth Value) {
  FBorderWidth = std::max(Value, 0);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  RecreateWnd();
  Realign();
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  auto Bevel = [&](TPanelBevel Kind) {
    if (Kind == bvNone)
      return;
    const bool Raised = Kind == bvRaised;
    Frame3D(C, R, Raised ? clBtnHighlight : clBtnShadow, Raised ? clBtnShadow : clBtnHighlight,
            FBevelWidth);
  };
  Bevel(FBevelOuter);
  Frame3D(C, R, Color(), Color(), FBorderWidth);
  Bevel(FBevelInner);
  gdi::FillRect(*C->Handle(), R, Color());
  caption::Draw(*C->Handle(), R, Caption(), Font()->Handle(), Font()->Color(), FAlignment, true,
                true, false, Enabled());
}

} // namespace vcl
