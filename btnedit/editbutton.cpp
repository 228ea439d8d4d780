// The embedded button of a button edit and the small window that hosts it.
// The button takes the focus for its edit before it clicks, so a click
// always acts on an edit that the user is in; its left edge is redrawn flat
// so that it joins the edit's text area without a raised seam.
#include "btnedit/btnedit.h"

namespace BtnEdit {

using namespace vcl;

TEditButton::TEditButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TEditButton::Click() {
  auto* Edit = dynamic_cast<TWinControl*>(Owner());
  if (!Edit)
    return;
  Edit->SetFocus();
  if (Edit->Focused())
    TSpeedButton::Click();
}

std::string TEditButton::DefaultAccessibleName() const {
  switch (FGlyphKind) {
  case gkDropDown:
    return "Open";
  case gkEllipsis:
    return "Browse";
  default:
    return "Choose";
  }
}

void TEditButton::Paint() {
  if (!Visible() && ComponentState().Contains(csDesigning))
    return;
  TSpeedButton::Paint();
  if (State() == bsDown)
    return;
  TCanvas* C = Canvas();
  C->Pen()->SetColor(NewStyleControls ? clBtnFace : clBtnShadow);
  C->MoveTo(0, 0);
  C->LineTo(0, Height() - 1);
  C->Pen()->SetColor(clBtnHighlight);
  C->MoveTo(1, 1);
  C->LineTo(1, Height() - 2);
}

// The host never takes the focus; the edit around it does.
TBtnCrack::TBtnCrack(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(false);
}

// A hidden host leaves the edit's pixels alone.
void TBtnCrack::WMEraseBkgnd(TMessage& Message) {
  if (Visible())
    TWinControl::WMEraseBkgnd(Message);
  else
    Message.Result = 1;
}

} // namespace BtnEdit
