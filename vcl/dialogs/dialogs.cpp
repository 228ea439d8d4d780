// Message boxes through one replaceable handler. The GUI platform installs
// its modal dialog and tests install recorders; a program without either
// still reports every message, on standard error, and goes on as if OK had
// been pressed.
#include <iostream>
#include <utility>

#include "vcl/consts.h"
#include "vcl/dialogs.h"

namespace vcl {

namespace {

TMessageDlgHandler& CurrentHandler() {
  static TMessageDlgHandler Handler;
  return Handler;
}

} // namespace

const char* MsgDlgCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
  case mtWarning:
    return ResString(rsMsgDlgWarning);
  case mtError:
    return ResString(rsMsgDlgError);
  case mtInformation:
    return ResString(rsMsgDlgInformation);
  case mtConfirmation:
    return ResString(rsMsgDlgConfirm);
  case mtCustom:
    break;
  }
  return "";
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler) {
  return std::exchange(CurrentHandler(), std::move(Handler));
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  // A copy: the handler may install another one while it runs.
  const TMessageDlgHandler Handler = CurrentHandler();
  if (Handler)
    return Handler(Msg, DlgType, Buttons, HelpCtx);
  std::cerr << (DlgType == mtCustom ? "Message" : MsgDlgCaption(DlgType)) << ": " << Msg
            << std::endl;
  return mrOk;
}

void ShowMessage(const std::string& Msg) {
  MessageDlg(Msg, mtCustom, {mbOK}, 0);
}

namespace {

TLoginDlgHandler& CurrentLoginHandler() {
  static TLoginDlgHandler Handler;
  return Handler;
}

} // namespace

TLoginDlgHandler SetLoginDlgHandler(TLoginDlgHandler Handler) {
  return std::exchange(CurrentLoginHandler(), std::move(Handler));
}

bool LoginDialog(const std::string& Database, std::string& UserName, std::string& Password) {
  const TLoginDlgHandler Handler = CurrentLoginHandler();
  return Handler && Handler(Database, UserName, Password);
}

} // namespace vcl
