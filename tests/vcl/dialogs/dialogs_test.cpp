// Message boxes through the replaceable handler and the fallback on
// standard error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/dialogs.h"

using namespace vcl;

namespace {

struct TBox {
  std::string Msg;
  TMsgDlgType DlgType;
  TMsgDlgButtons Buttons;
  int HelpCtx;
};

} // namespace

TEST(Dialogs, HandlerReceivesEveryBoxAndAnswersIt) {
  std::vector<TBox> Boxes;
  const TMessageDlgHandler Before = SetMessageDlgHandler(
      [&](const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
        Boxes.push_back({Msg, DlgType, Buttons, HelpCtx});
        return mrNo;
      });
  EXPECT_FALSE(Before);
  EXPECT_EQ(MessageDlg("Save?", mtConfirmation, {mbYes, mbNo}, 12), mrNo);
  ShowMessage("Done");
  ASSERT_EQ(Boxes.size(), 2u);
  EXPECT_EQ(Boxes[0].Msg, "Save?");
  EXPECT_EQ(Boxes[0].DlgType, mtConfirmation);
  EXPECT_EQ(Boxes[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(Boxes[0].HelpCtx, 12);
  EXPECT_EQ(Boxes[1].Msg, "Done");
  EXPECT_EQ(Boxes[1].DlgType, mtCustom);
  EXPECT_EQ(Boxes[1].Buttons, TMsgDlgButtons{mbOK});
  EXPECT_EQ(Boxes[1].HelpCtx, 0);

  const TMessageDlgHandler Recorder = SetMessageDlgHandler(Before);
  ASSERT_TRUE(Recorder);
  EXPECT_EQ(Recorder("again", mtError, {mbOK}, 0), mrNo);
  EXPECT_EQ(Boxes.size(), 3u);
}

TEST(Dialogs, WithoutAHandlerTheTextGoesToStandardErrorAndOkIsTheAnswer) {
  const TMessageDlgHandler Before = SetMessageDlgHandler(nullptr);
  testing::internal::CaptureStderr();
  const int Result = MessageDlg("Disk full", mtError, {mbOK, mbCancel}, 0);
  const std::string Err = testing::internal::GetCapturedStderr();
  SetMessageDlgHandler(Before);
  EXPECT_EQ(Result, mrOk);
  EXPECT_NE(Err.find("Disk full"), std::string::npos);
}

TEST(Dialogs, AHandlerMayReplaceItselfWhileRunning) {
  int Calls = 0;
  SetMessageDlgHandler([&](const std::string&, TMsgDlgType, TMsgDlgButtons, int) {
    ++Calls;
    SetMessageDlgHandler(nullptr);
    return mrCancel;
  });
  EXPECT_EQ(MessageDlg("x", mtWarning, {mbOK}, 0), mrCancel);
  EXPECT_EQ(Calls, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageDlg("y", mtWarning, {mbOK}, 0), mrOk);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Calls, 1);
}
