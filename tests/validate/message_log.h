// A test fixture helper that records every message box instead of showing
// it, and puts the locale back to the US defaults around each test.
#pragma once

#include <string>
#include <vector>

#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

struct TRecordedMessage {
  std::string Msg;
  vcl::TMsgDlgType DlgType;
  vcl::TMsgDlgButtons Buttons;
  int HelpCtx;
};

class TMessageLog {
public:
  TMessageLog() {
    vcl::ResetLocale();
    FPrevious = vcl::SetMessageDlgHandler([this](const std::string& Msg, vcl::TMsgDlgType DlgType,
                                                 vcl::TMsgDlgButtons Buttons, int HelpCtx) {
      Messages.push_back({Msg, DlgType, Buttons, HelpCtx});
      return vcl::mrOk;
    });
  }
  ~TMessageLog() {
    vcl::SetMessageDlgHandler(FPrevious);
    vcl::ResetLocale();
  }
  TMessageLog(const TMessageLog&) = delete;
  TMessageLog& operator=(const TMessageLog&) = delete;

  std::vector<TRecordedMessage> Messages;

private:
  vcl::TMessageDlgHandler FPrevious;
};
