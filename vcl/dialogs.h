// Run-time core: message boxes and the login box. Every box goes through one
// replaceable handler: the GUI platform installs a modal dialog, tests
// install a recorder, and without any handler the text goes to standard
// error (and nobody logs in).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vcl/classes.h"

namespace vcl {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
using TMsgDlgButtons = Set<TMsgDlgBtn>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TMessageDlgHandler = std::function<int(const std::string& Msg, TMsgDlgType DlgType,
                                             TMsgDlgButtons Buttons, int HelpCtx)>;

// Installs a handler and returns the previous one (an empty one restores the
// standard-error fallback).
TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler);
// The caption of a box of the given type; empty for mtCustom, whose caption
// is the application's title.
const char* MsgDlgCaption(TMsgDlgType DlgType);
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ShowMessage(const std::string& Msg);

// The login box a database connection shows when the server asks for a
// password: it names Database, and lets the user change UserName and type
// Password. True when the user gave them (OK). Like message boxes it goes
// through a replaceable handler, which the GUI platform installs; without
// one there is nobody to ask and it returns false.
using TLoginDlgHandler =
    std::function<bool(const std::string& Database, std::string& UserName, std::string& Password)>;
TLoginDlgHandler SetLoginDlgHandler(TLoginDlgHandler Handler);
bool LoginDialog(const std::string& Database, std::string& UserName, std::string& Password);

} // namespace vcl
