// TCustomLabel: a caption painted on its parent, sized to its text, whose
// accelerator moves the focus to the control it labels.
#include "vcl/controls/detail/caption.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 65, 17);
  // The declared default colour (see TButton).
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

// The label names the control it focuses (vcl/accessibility.h): the old
// and the new one are renamed.
void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl)
    return;
  TWinControl* Old = FFocusControl;
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
  for (TWinControl* Named : {Old, Value})
    if (Named)
      NotifyAccessible(Named, aeNameChanged);
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
  if (FFocusControl)
    NotifyAccessible(FFocusControl, aeNameChanged);
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
    return;
  const TPoint Size =
      caption::Measure(Caption(), Font()->Handle(), FShowAccelChar, FWordWrap, Width());
  int NewLeft = Left();
  const int NewWidth = FWordWrap ? Width() : Size.X;
  if (FAlignment == taRightJustify)
    NewLeft = Left() + Width() - NewWidth;
  SetBounds(NewLeft, Top(), NewWidth, Size.Y);
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && FFocusControl && Enabled() && FShowAccelChar &&
      caption::IsAccel(static_cast<char32_t>(Message.WParam), Caption()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TCustomLabel::Paint() {
  HDC DC = Canvas()->Handle();
  const TRect R = ClientRect();
  if (!FTransparent)
    gdi::FillRect(*DC, R, Color());
  caption::Draw(*DC, R, Caption(), Font()->Handle(), Font()->Color(), FAlignment, false,
                FShowAccelChar, FWordWrap, Enabled());
}

} // namespace vcl
