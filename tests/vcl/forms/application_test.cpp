// Help requests: the application's replaceable help handler and the test
// recorder that stands in for it. Failures of input handling: reported in a
// box, or to the application's own handler.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "vcl/forms.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

TEST(HelpTest, WithoutAHandlerAHelpRequestDoesNothingAndReportsNoHelpShown) {
  ASSERT_FALSE(Application->OnHelp);
  Application->SetHelpFile("calendar.hlp"); // a file no viewer will open
  EXPECT_FALSE(Application->HelpContext(21));
  EXPECT_EQ(Application->LastHelpContext(), 21);
  Application->SetHelpFile("");
}

TEST(HelpTest, TheRecorderTakesEveryRequestAndHandsTheHandlerBack) {
  int Outer = 0;
  Application->OnHelp = [&Outer](Word, std::intptr_t, bool&) {
    ++Outer;
    return false;
  };
  {
    vt::THelpRecorder Help;
    EXPECT_TRUE(Application->HelpContext(21));
    EXPECT_TRUE(Application->HelpContext(5));
    EXPECT_EQ(Help.Contexts(), (std::vector<int>{21, 5}));
  }
  EXPECT_FALSE(Application->HelpContext(7));
  EXPECT_EQ(Outer, 1);
  Application->OnHelp = nullptr;
}

TEST(ExceptionTest, AFailureIsShownInAnErrorBox) {
  vt::TMessageBoxRecorder Boxes;
  Application->HandleException(EConvertError("'13/45/2000' is not a valid date"));
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "'13/45/2000' is not a valid date");
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_EQ(Boxes.Boxes()[0].Buttons, TMsgDlgButtons{mbOK});
}

TEST(ExceptionTest, TheApplicationsHandlerTakesItInsteadAndAbortIsSilent) {
  vt::TMessageBoxRecorder Boxes;
  std::vector<std::string> Seen;
  Application->OnException = [&Seen](TObject* Sender, const std::exception& E) {
    EXPECT_EQ(Sender, Application);
    Seen.push_back(E.what());
  };
  Application->HandleException(std::runtime_error("disk full"));
  try {
    Abort();
  } catch (const EAbort& E) {
    Application->HandleException(E);
  }
  Application->OnException = nullptr;
  EXPECT_EQ(Seen, std::vector<std::string>{"disk full"});
  EXPECT_TRUE(Boxes.Boxes().empty());
}

// The test helpers hand input over as a window does, so a handler's failure
// ends that piece of input with a box and the next one is handled as usual.
TEST(ExceptionTest, InputThatFailsShowsTheBoxAndTheNextInputIsHandled) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 120);
  auto* Edit = vt::Place<TEdit>(&Form, 8, 8, 120, 21);
  auto* Other = vt::Place<TEdit>(&Form, 8, 40, 120, 21);
  auto* Button = vt::Place<TButton>(&Form, 150, 8, 75, 25);
  Edit->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
    if (Key == VK_DELETE)
      throw EConvertError("key refused");
  };
  Edit->OnExit = [Edit](TObject*) {
    if (Edit->Text() == "stay")
      throw EConvertError("exit refused");
  };
  Button->OnClick = [](TObject*) { throw EConvertError("click refused"); };
  vt::ShowForm(&Form);
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TMessageBoxRecorder Boxes;
  vt::PressKey(VK_DELETE);
  vt::TypeText("stay");
  EXPECT_EQ(Edit->Text(), "stay");
  EXPECT_FALSE(vt::MoveFocus(Other));
  EXPECT_TRUE(Edit->Focused());
  Edit->SelectAll();
  vt::TypeText("go");
  EXPECT_TRUE(vt::MoveFocus(Other));
  vt::Click(Button);
  std::vector<std::string> Shown;
  for (const auto& Box : Boxes.Boxes())
    Shown.push_back(Box.Msg);
  EXPECT_EQ(Shown, (std::vector<std::string>{"key refused", "exit refused", "click refused"}));
}

} // namespace
