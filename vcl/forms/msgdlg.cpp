// The message box dialog: a form with an icon of the box's type, the message
// and its buttons, built from our own controls and shown modally.
#include <algorithm>

#include "vcl/consts.h"
#include "vcl/controls/detail/caption.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace {

// The box's icon, drawn as the classic round or triangular sign.
class TDialogIcon : public TGraphicControl {
public:
  TDialogIcon(TComponent* AOwner, TMsgDlgType Kind) : TGraphicControl(AOwner), FKind(Kind) {
    SetBounds(0, 0, 32, 32);
  }

protected:
  void Paint() override {
    TCanvas* C = Canvas();
    HDC DC = C->Handle();
    const char* Sign = "i";
    TColor Back = clWhite, Ink = clBlue;
    switch (FKind) {
    case mtError:
      Back = clRed;
      Ink = clWhite;
      Sign = "X";
      break;
    case mtWarning:
      Back = clYellow;
      Ink = clBlack;
      Sign = "!";
      break;
    case mtConfirmation:
      Back = clWhite;
      Ink = clBlue;
      Sign = "?";
      break;
    default:
      break;
    }
    for (int Y = 0; Y < 32; ++Y)
      for (int X = 0; X < 32; ++X) {
        const bool Inside = FKind == mtWarning
                                ? Y >= 2 && Y < 30 && std::abs(2 * X - 31) <= (Y - 2) * 31 / 28
                                : (X - 15.5) * (X - 15.5) + (Y - 15.5) * (Y - 15.5) <= 15 * 15;
        if (Inside)
          gdi::FillRect(*DC, Bounds(X, Y, 1, 1), Back);
      }
    TFont Font;
    Font.SetHeight(-20);
    Font.SetStyle({fsBold});
    const int W = backend::TextWidth(Font.Handle()->Face, Sign);
    const int H = backend::MeasureFont(Font.Handle()->Face).Height;
    gdi::Text(*DC, (32 - W) / 2, (32 - H) / 2 + (FKind == mtWarning ? 3 : 0), Sign, nullptr,
              Font.Handle(), Ink);
  }

private:
  TMsgDlgType FKind;
};

struct TButtonInfo {
  TMsgDlgBtn Button;
  TResString Caption;
  TModalResult Result;
};
constexpr TButtonInfo ButtonInfos[] = {{mbYes, rsMsgDlgYes, mrYes},
                                       {mbNo, rsMsgDlgNo, mrNo},
                                       {mbOK, rsMsgDlgOK, mrOk},
                                       {mbCancel, rsMsgDlgCancel, mrCancel},
                                       {mbAbort, rsMsgDlgAbort, mrAbort},
                                       {mbRetry, rsMsgDlgRetry, mrRetry},
                                       {mbIgnore, rsMsgDlgIgnore, mrIgnore},
                                       {mbAll, rsMsgDlgAll, mrAll},
                                       {mbNoToAll, rsMsgDlgNoToAll, mrNoToAll},
                                       {mbYesToAll, rsMsgDlgYesToAll, mrYesToAll},
                                       {mbHelp, rsMsgDlgHelp, mrNone}};

// The box as a screen reader hears it: an error or a warning is an alert,
// announced at once; the message is its description too, so the alert is
// read whole without a walk through its children.
class TMessageForm : public TForm {
public:
  TMessageForm(TMsgDlgType Kind, const std::string& Msg) : TForm(nullptr), FKind(Kind) {
    SetHint(Msg);
  }
  TAccessibleRole AccessibleRole() const override {
    return FKind == mtError || FKind == mtWarning ? arAlert : TForm::AccessibleRole();
  }

private:
  TMsgDlgType FKind;
};

} // namespace

TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  constexpr int Margin = 8, ButtonWidth = 75, ButtonHeight = 25, Gap = 6;
  auto* Form = new TMessageForm(DlgType, Msg);
  Form->SetBorderStyle(bsDialog);
  Form->SetPosition(poScreenCenter);
  Form->SetCaption(DlgType == mtCustom ? Application->Title() : MsgDlgCaption(DlgType));

  int TextLeft = Margin;
  if (DlgType != mtCustom) {
    auto* Icon = new TDialogIcon(Form, DlgType);
    Icon->SetParent(Form);
    Icon->SetBounds(Margin, Margin, 32, 32);
    TextLeft = Margin + 32 + 2 * Margin;
  }
  auto* Text = new TLabel(Form);
  Text->SetName("Message");
  Text->SetParent(Form);
  Text->SetShowAccelChar(false);
  const TPoint Size = caption::Measure(Msg, Text->Font()->Handle(), false, true, 360);
  Text->SetAutoSize(false);
  Text->SetWordWrap(true);
  Text->SetBounds(TextLeft, Margin + 2, std::max(Size.X, 1), Size.Y);
  Text->SetCaption(Msg);

  std::vector<const TButtonInfo*> Shown;
  for (const TButtonInfo& Info : ButtonInfos)
    if (Buttons.Contains(Info.Button))
      Shown.push_back(&Info);
  if (Shown.empty())
    Shown.push_back(&ButtonInfos[2]);
  const int Row =
      static_cast<int>(Shown.size()) * ButtonWidth + (static_cast<int>(Shown.size()) - 1) * Gap;
  const int ClientW = std::max({TextLeft + Size.X + Margin, Row + 2 * Margin, 150});
  const int ButtonsTop = std::max(Margin + 32, Margin + 2 + Size.Y) + 2 * Margin;
  Form->SetClientWidth(ClientW);
  Form->SetClientHeight(ButtonsTop + ButtonHeight + Margin);

  const bool HasOk = Buttons.Contains(mbOK), HasCancel = Buttons.Contains(mbCancel);
  int X = (ClientW - Row) / 2;
  for (const TButtonInfo* Info : Shown) {
    auto* B = new TButton(Form);
    B->SetName(std::string("Btn") + std::to_string(static_cast<int>(Info->Button)));
    B->SetParent(Form);
    B->SetCaption(ResString(Info->Caption));
    B->SetModalResult(Info->Result);
    B->SetBounds(X, ButtonsTop, ButtonWidth, ButtonHeight);
    const bool First = Info == Shown.front();
    B->SetDefault(HasOk ? Info->Button == mbOK
                        : (Buttons.Contains(mbYes) ? Info->Button == mbYes : First));
    B->SetCancel(HasCancel
                     ? Info->Button == mbCancel
                     : (Buttons.Contains(mbNo) ? Info->Button == mbNo : Info->Button == mbOK));
    X += ButtonWidth + Gap;
  }
  return Form;
}

int ShowMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      int HelpCtx) {
  std::unique_ptr<TForm> Form(CreateMessageDialog(Msg, DlgType, Buttons));
  Form->SetHelpContext(HelpCtx);
  for (int I = 0; I < Form->ControlCount(); ++I)
    if (auto* B = dynamic_cast<TButton*>(Form->Controls(I));
        B && B->Caption() == ResString(rsMsgDlgHelp))
      B->OnClick = [HelpCtx](TObject*) { Application->HelpContext(HelpCtx); };
  // The default button takes the focus, so that Enter answers at once.
  for (int I = 0; I < Form->ControlCount(); ++I)
    if (auto* B = dynamic_cast<TButton*>(Form->Controls(I)); B && B->Default())
      Form->SetActiveControl(B);
  return Form->ShowModal();
}

} // namespace vcl
