// Test doubles for the validators: a recorder of message boxes and a small
// stand-in for the validating edit that owns a validator.
#pragma once

#include <string>
#include <vector>

#include "validate/validator.h"
#include "vcl/dialogs.h"

namespace ValidateTesting {

struct TRecordedBox {
  std::string Msg;
  vcl::TMsgDlgType DlgType;
  vcl::TMsgDlgButtons Buttons;
  int HelpCtx;
};

// Records every message box while it lives and answers OK.
class TMessageRecorder {
public:
  TMessageRecorder() {
    FPrevious = vcl::SetMessageDlgHandler([this](const std::string& Msg, vcl::TMsgDlgType DlgType,
                                                 vcl::TMsgDlgButtons Buttons, int HelpCtx) {
      Boxes.push_back({Msg, DlgType, Buttons, HelpCtx});
      return vcl::mrOk;
    });
  }
  ~TMessageRecorder() { vcl::SetMessageDlgHandler(FPrevious); }
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  // The text of the only box shown since the last call; "" when there was
  // not exactly one, or when it was not an error box with one OK button.
  std::string TakeError() {
    std::vector<TRecordedBox> Taken;
    Taken.swap(Boxes);
    if (Taken.size() != 1)
      return "<" + std::to_string(Taken.size()) + " boxes>";
    const TRecordedBox& Box = Taken.front();
    if (Box.DlgType != vcl::mtError || !(Box.Buttons == vcl::TMsgDlgButtons{vcl::mbOK}) ||
        Box.HelpCtx != 0)
      return "<not an error box with OK>";
    return Box.Msg;
  }

  std::vector<TRecordedBox> Boxes;

private:
  vcl::TMessageDlgHandler FPrevious;
};

// What a validating edit offers its validator: it judges its own text with
// the validator (as the edit's Valid does) and counts the callbacks.
class TStandInEdit : public vcl::TObject, public Validate::IValidatorOwner {
public:
  bool Valid() override {
    ++ValidCalls;
    return !Validator || Validator->IsValid(Text);
  }
  void SetEditText(const std::string& Value) override {
    ++SetEditTextCalls;
    Text = Value;
  }
  void ValidatorChange() override { ++ValidatorChanges; }
  std::string GetEditText() override { return Text; }
  int SelStart() const override { return Caret; }

  Validate::TValidator* Validator = nullptr;
  std::string Text;
  int Caret = 0;
  int ValidCalls = 0;
  int SetEditTextCalls = 0;
  int ValidatorChanges = 0;
};

} // namespace ValidateTesting
