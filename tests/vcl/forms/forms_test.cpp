// Modal forms answered by callbacks, closing, the message dialog, help and
// the message recorder.
#include <gtest/gtest.h>

#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

struct TDialog {
  TForm* Form = new TForm(nullptr);
  TEdit* Edit = new TEdit(Form);
  TButton* OK = new TButton(Form);
  TButton* Cancel = new TButton(Form);
  TDialog() {
    Edit->SetParent(Form);
    OK->SetParent(Form);
    OK->SetTop(40);
    OK->SetDefault(true);
    OK->SetModalResult(mrOk);
    Cancel->SetParent(Form);
    Cancel->SetTop(70);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
  }
  ~TDialog() { delete Form; }
};

TEST(ModalTest, TheCallbackActsOnTheShownFormAndItsButtonsGiveTheResult) {
  TDialog D;
  vt::AnswerNextModal([&D](TCustomForm* Form) {
    EXPECT_EQ(Form, D.Form);
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(D.Edit->Focused());
    vt::TypeText("typed");
    vt::PressKey(VK_RETURN);
    return mrNone; // the default button set the result
  });
  EXPECT_EQ(D.Form->ShowModal(), mrOk);
  EXPECT_EQ(D.Edit->Text(), "typed");
  EXPECT_FALSE(D.Form->Visible());
  // The answer was for one form only: the next one goes unanswered.
  EXPECT_EQ(D.Form->ShowModal(), mrCancel);
}

TEST(ModalTest, EscapeAndCloseCancel) {
  TDialog D;
  vt::AnswerNextModal([](TCustomForm*) {
    vt::PressKey(VK_ESCAPE);
    return mrNone;
  });
  EXPECT_EQ(D.Form->ShowModal(), mrCancel);
  vt::AnswerNextModal([](TCustomForm* Form) {
    Form->Close();
    return mrNone;
  });
  EXPECT_EQ(D.Form->ShowModal(), mrCancel);
  vt::AnswerNextModal([](TCustomForm*) { return mrRetry; });
  EXPECT_EQ(D.Form->ShowModal(), mrRetry);
}

TEST(ModalTest, TheFormBeneathGetsItsFocusBack) {
  TDialog Main;
  vt::ShowForm(Main.Form);
  ASSERT_TRUE(vt::MoveFocus(Main.Cancel));
  TDialog Modal;
  int MainClicks = 0;
  Main.OK->OnClick = [&MainClicks](TObject*) { ++MainClicks; };
  vt::AnswerNextModal([&Main](TCustomForm*) {
    vt::Click(Main.OK); // the form beneath takes no input meanwhile
    Main.Form->KeyInput(true, VK_RETURN, {}, "\r");
    return mrOk;
  });
  Modal.Form->ShowModal();
  EXPECT_EQ(MainClicks, 0);
  EXPECT_EQ(Screen->ActiveForm(), Main.Form);
  EXPECT_TRUE(Main.Cancel->Focused());
  EXPECT_THROW(
      {
        Main.Form->Show();
        Main.Form->ShowModal();
      },
      EInvalidOperation);
}

TEST(ModalTest, NestedModalFormsGoToTheHandlerInstalledBefore) {
  TDialog Outer, Inner;
  std::vector<std::string> Seen;
  const TModalHandler Previous = SetModalHandler([&Seen](TCustomForm*) {
    Seen.push_back("fallback");
    return mrIgnore;
  });
  vt::AnswerNextModal([&](TCustomForm*) {
    Seen.push_back("outer");
    EXPECT_EQ(Inner.Form->ShowModal(), mrIgnore);
    return mrOk;
  });
  EXPECT_EQ(Outer.Form->ShowModal(), mrOk);
  SetModalHandler(Previous);
  EXPECT_EQ(Seen, (std::vector<std::string>{"outer", "fallback"}));
}

TEST(CloseTest, CloseQueryAndCloseActionDecide) {
  TDialog D;
  vt::ShowForm(D.Form);
  bool Allow = false;
  D.Form->OnCloseQuery = [&Allow](TObject*, bool& CanClose) { CanClose = Allow; };
  D.Form->Close();
  EXPECT_TRUE(D.Form->Visible());
  Allow = true;
  D.Form->OnClose = [](TObject*, TCloseAction& Action) { Action = caNone; };
  D.Form->Close();
  EXPECT_TRUE(D.Form->Visible());
  D.Form->OnClose = nullptr;
  D.Form->Close();
  EXPECT_FALSE(D.Form->Visible());
}

TEST(MessageDialogTest, TheDialogHasTheButtonsAndAnswersWithTheOneClicked) {
  std::unique_ptr<TForm> Dialog(
      CreateMessageDialog("Delete the file?", mtConfirmation, {mbYes, mbNo, mbCancel}));
  EXPECT_EQ(Dialog->Caption(), "Confirm");
  std::vector<std::string> Captions;
  for (int I = 0; I < Dialog->ControlCount(); ++I)
    if (auto* B = dynamic_cast<TButton*>(Dialog->Controls(I)))
      Captions.push_back(B->Caption());
  EXPECT_EQ(Captions, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));

  vt::AnswerNextModal([](TCustomForm* Form) {
    for (int I = 0; I < Form->ControlCount(); ++I)
      if (auto* B = dynamic_cast<TButton*>(Form->Controls(I)); B && B->Caption() == "&No")
        vt::Click(B);
    return mrNone;
  });
  EXPECT_EQ(ShowMessageDialog("Delete the file?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0),
            mrNo);
  vt::AnswerNextModal([](TCustomForm*) {
    vt::PressKey(VK_RETURN); // the default button of Yes/No is Yes
    return mrNone;
  });
  EXPECT_EQ(ShowMessageDialog("Sure?", mtWarning, {mbYes, mbNo}, 0), mrYes);
  vt::AnswerNextModal([](TCustomForm*) {
    vt::PressKey(VK_ESCAPE); // with no Cancel button, Escape means No
    return mrNone;
  });
  EXPECT_EQ(ShowMessageDialog("Sure?", mtWarning, {mbYes, mbNo}, 0), mrNo);
}

// Under a German locale the box's title and buttons are German, and the
// buttons answer as before: "&Nein" is No, Help still asks for help.
TEST(MessageDialogTest, TheCaptionsComeInTheLocalesLanguage) {
  SysLocale.PriLangID = 0x07; // as LoadSystemLocale sets it under de_DE
  std::unique_ptr<TForm> Dialog(
      CreateMessageDialog("Datei löschen?", mtConfirmation, {mbYes, mbNo, mbCancel, mbHelp}));
  EXPECT_EQ(Dialog->Caption(), "Bestätigen");
  std::vector<std::string> Captions;
  for (int I = 0; I < Dialog->ControlCount(); ++I)
    if (auto* B = dynamic_cast<TButton*>(Dialog->Controls(I)))
      Captions.push_back(B->Caption());
  EXPECT_EQ(Captions, (std::vector<std::string>{"&Ja", "&Nein", "Abbrechen", "&Hilfe"}));
  vt::THelpRecorder Help;
  vt::AnswerNextModal([](TCustomForm* Form) {
    for (int I = 0; I < Form->ControlCount(); ++I)
      if (auto* B = dynamic_cast<TButton*>(Form->Controls(I)); B && B->Caption() == "&Hilfe")
        vt::Click(B);
    vt::PressKey(VK_ESCAPE);
    return mrNone;
  });
  EXPECT_EQ(ShowMessageDialog("Datei löschen?", mtConfirmation, {mbYes, mbNo, mbCancel, mbHelp}, 7),
            mrCancel);
  EXPECT_EQ(Help.Contexts(), std::vector<int>{7});
  ResetLocale();
}

// The rows of the box's message that are separate runs of painted text.
int PaintedLines(TForm* Dialog) {
  auto* Message = static_cast<TControl*>(Dialog->FindComponent("Message"));
  int Lines = 0;
  bool InLine = false;
  for (int Y = 0; Y < Message->Height(); ++Y) {
    bool Ink = false;
    for (int X = 0; X < Message->Width() && !Ink; ++X)
      Ink = vt::PixelAt(Message, X, Y) != ColorToRGB(clBtnFace);
    Lines += Ink && !InLine;
    InLine = Ink;
  }
  return Lines;
}

TEST(MessageDialogTest, TheMessageBreaksLinesAtCrAtLfAndAtCrLf) {
  const struct {
    const char* Msg;
    int Lines;
  } Cases[] = {
      {"\"x\" contains invalid input for the picture:\r(###) ###-####", 2},
      {"first\nsecond", 2},
      {"first\r\nsecond\rthird", 3},
      {"one line only", 1},
  };
  std::unique_ptr<TForm> OneLine(CreateMessageDialog("one line only", mtError, {mbOK}));
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Msg);
    std::unique_ptr<TForm> Dialog(CreateMessageDialog(C.Msg, mtError, {mbOK}));
    vt::ShowForm(Dialog.get());
    EXPECT_EQ(PaintedLines(Dialog.get()), C.Lines);
    // The box grows by a line's height for each line beyond the icon's.
    auto* Message = static_cast<TControl*>(Dialog->FindComponent("Message"));
    auto* Single = static_cast<TControl*>(OneLine->FindComponent("Message"));
    EXPECT_EQ(Message->Height(), C.Lines * Single->Height());
  }
}

TEST(MessageRecorderTest, RecordsEveryBoxAndAnswers) {
  vt::TMessageBoxRecorder Recorder(mrYes);
  EXPECT_EQ(MessageDlg("First", mtError, {mbOK}, 0), mrYes);
  Recorder.SetAnswer(mrNo);
  EXPECT_EQ(MessageDlg("Second", mtInformation, {mbYes, mbNo}, 7), mrNo);
  ASSERT_EQ(Recorder.Boxes().size(), 2u);
  EXPECT_EQ(Recorder.Boxes()[0].Msg, "First");
  EXPECT_EQ(Recorder.Boxes()[0].DlgType, mtError);
  EXPECT_EQ(Recorder.Boxes()[1].HelpCtx, 7);
}

TEST(HelpTest, F1AsksForTheHelpContextOfTheFocusedControlOrItsParent) {
  TDialog D;
  D.Form->SetHelpContext(20);
  vt::ShowForm(D.Form);
  int Asked = 0;
  Application->OnHelp = [&Asked](Word, std::intptr_t Data, bool&) {
    Asked = static_cast<int>(Data);
    return true;
  };
  vt::PressKey(VK_F1);
  EXPECT_EQ(Asked, 20);
  D.Edit->SetHelpContext(33);
  vt::PressKey(VK_F1);
  EXPECT_EQ(Asked, 33);
  Application->OnHelp = nullptr;
}

TEST(ApplicationTest, HeadlessThereIsNoScreenToGrabAndRunSaysSoAtOnce) {
  EXPECT_TRUE(Application->Initialized());
  EXPECT_FALSE(Application->HasDisplay());
  TPixelBuffer Image;
  EXPECT_FALSE(GrabScreenImage(Image));
  TDialog D;
  TCustomForm* Previous = Application->MainForm();
  Application->SetMainForm(D.Form);
  vt::TMessageBoxRecorder Boxes;
  EXPECT_EQ(Application->Run(), 1);
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "There is no display to show the application on.");
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_FALSE(D.Form->Visible());
  Application->SetMainForm(Previous);
}

TEST(ClockTest, TheClockStaysFixedWhileTheFixtureLives) {
  {
    vt::TFixedClock Clock(40000.5);
    EXPECT_EQ(Now(), 40000.5);
    EXPECT_EQ(Date(), 40000.0);
  }
  EXPECT_NE(Now(), 40000.5);
}

} // namespace
