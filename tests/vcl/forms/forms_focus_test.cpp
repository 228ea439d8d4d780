// Focus changes, tab order and dialog keys reaching default and cancel buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

// An edit that logs the focus messages it gets and can refuse to let the focus go.
class TLoggingEdit : public TEdit {
public:
  TLoggingEdit(TComponent* AOwner, std::vector<std::string>& Log) : TEdit(AOwner), FLog(Log) {}
  bool Refuse = false;

protected:
  void CMEnter(TMessage& M) override {
    FLog.push_back(Name() + ":enter");
    TEdit::CMEnter(M);
  }
  void CMExit(TMessage& M) override {
    FLog.push_back(Name() + ":exit");
    if (Refuse) {
      SetFocus(); // taking the focus back stops the change
      return;
    }
    TEdit::CMExit(M);
  }
  void WMSetFocus(TMessage& M) override {
    FLog.push_back(Name() + ":setfocus");
    TEdit::WMSetFocus(M);
  }

private:
  std::vector<std::string>& FLog;
};

class FocusTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 320, 240);
    for (const char* Name : {"A", "B", "C"}) {
      auto* E = new TLoggingEdit(Form, Log);
      E->SetName(Name);
      E->SetParent(Form);
      E->SetBounds(8, 8 + 30 * static_cast<int>(Edits.size()), 100, 21);
      E->OnExit = [this, E](TObject*) { Log.push_back(E->Name() + ":OnExit"); };
      E->OnEnter = [this, E](TObject*) { Log.push_back(E->Name() + ":OnEnter"); };
      Edits.push_back(E);
    }
    OK = new TButton(Form);
    OK->SetParent(Form);
    OK->SetCaption("OK");
    OK->SetDefault(true);
    OK->SetModalResult(mrOk);
    OK->SetBounds(8, 100, 75, 25);
    Cancel = new TButton(Form);
    Cancel->SetParent(Form);
    Cancel->SetCaption("Cancel");
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    Cancel->SetBounds(90, 100, 75, 25);
    OK->OnClick = [this](TObject*) { Log.push_back("OK:click"); };
    Cancel->OnClick = [this](TObject*) { Log.push_back("Cancel:click"); };
    vt::ShowForm(Form);
    Log.clear();
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  std::vector<TLoggingEdit*> Edits;
  TButton* OK = nullptr;
  TButton* Cancel = nullptr;
  std::vector<std::string> Log;
};

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstControlInTabOrder) {
  EXPECT_TRUE(Edits[0]->Focused());
  EXPECT_EQ(Form->ActiveControl(), Edits[0]);
}

TEST_F(FocusTest, ExitComesBeforeEnterAndSetFocus) {
  ASSERT_TRUE(vt::MoveFocus(Edits[1]));
  const std::vector<std::string> Expected = {"A:exit", "A:OnExit", "B:enter", "B:OnEnter",
                                             "B:setfocus"};
  EXPECT_EQ(Log, Expected);
  EXPECT_TRUE(Edits[1]->Focused());
  EXPECT_FALSE(Edits[0]->Focused());
}

TEST_F(FocusTest, AControlTakingTheFocusBackDuringExitStopsTheChange) {
  Edits[0]->Refuse = true;
  EXPECT_FALSE(vt::MoveFocus(Edits[1]));
  EXPECT_TRUE(Edits[0]->Focused());
  EXPECT_EQ(Form->ActiveControl(), Edits[0]);
  const std::vector<std::string> Expected = {"A:exit", "A:setfocus"};
  EXPECT_EQ(Log, Expected); // B never entered
  // Tab is refused the same way, and a click on a button does not click it.
  Log.clear();
  vt::PressKey(VK_TAB);
  vt::Click(OK);
  EXPECT_TRUE(Edits[0]->Focused());
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "OK:click"), 0);
  Edits[0]->Refuse = false;
  EXPECT_TRUE(vt::MoveFocus(Edits[2]));
}

TEST_F(FocusTest, TabAndShiftTabFollowTheTabOrderAndSkipWhatCannotFocus) {
  Edits[1]->SetTabOrder(0); // B, A, C, OK, Cancel
  ASSERT_TRUE(vt::MoveFocus(Edits[1]));
  vt::PressKey(VK_TAB);
  EXPECT_TRUE(Edits[0]->Focused());
  Edits[2]->SetEnabled(false);
  vt::PressKey(VK_TAB);
  EXPECT_TRUE(OK->Focused());
  OK->SetTabStop(false);
  vt::PressKey(VK_TAB, {ssShift});
  EXPECT_TRUE(Edits[0]->Focused());
  vt::PressKey(VK_TAB);
  EXPECT_TRUE(Cancel->Focused());
  vt::PressKey(VK_TAB); // wraps around
  EXPECT_TRUE(Edits[1]->Focused());
  EXPECT_EQ(Edits[1]->TabOrder(), 0);
  EXPECT_EQ(Cancel->TabOrder(), 4);
}

TEST_F(FocusTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  Edits[0]->SetTextBuf("abc");
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  const std::vector<std::string> Expected = {"OK:click", "Cancel:click"};
  EXPECT_EQ(Log, Expected);
  EXPECT_EQ(Edits[0]->Text(), "abc"); // the keys never reached the edit
}

TEST_F(FocusTest, EnterOnAFocusedButtonClicksThatButton) {
  ASSERT_TRUE(vt::MoveFocus(Cancel));
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  vt::PressKey(VK_SPACE);
  const std::vector<std::string> Expected = {"A:exit", "A:OnExit", "Cancel:click", "Cancel:click"};
  EXPECT_EQ(Log, Expected);
}

TEST_F(FocusTest, WithoutADefaultButtonEnterReachesTheEdit) {
  OK->SetDefault(false);
  char32_t Seen = 0;
  Edits[0]->OnKeyPress = [&Seen](TObject*, char32_t& Key) { Seen = Key; };
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Seen, U'\r');
  EXPECT_EQ(Form->ModalResult(), mrNone);
}

TEST_F(FocusTest, AcceleratorsClickButtonsWithAlt) {
  OK->SetCaption("&Save");
  vt::PressKey('S', {ssAlt});
  EXPECT_EQ(Log, std::vector<std::string>{"OK:click"});
  vt::TypeText("s"); // without Alt the letter goes to the edit
  EXPECT_EQ(Edits[0]->Text(), "s");
}

TEST_F(FocusTest, KeyEventsFireInOrderAndKeyDownCanSwallowAKey) {
  Edits[0]->OnKeyDown = [this](TObject*, Word& Key, TShiftState) {
    Log.push_back("down:" + std::to_string(Key));
    if (Key == VK_HOME)
      Key = 0;
  };
  Edits[0]->OnKeyPress = [this](TObject*, char32_t& Key) {
    Log.push_back("press:" + Utf8Encode(Key));
  };
  Edits[0]->OnKeyUp = [this](TObject*, Word& Key, TShiftState) {
    Log.push_back("up:" + std::to_string(Key));
  };
  vt::TypeText("x");
  Edits[0]->SetSelStart(1);
  vt::PressKey(VK_HOME);
  EXPECT_EQ(Edits[0]->SelStart(), 1);
  const std::vector<std::string> Expected = {"down:88", "press:x", "up:88", "down:36", "up:36"};
  EXPECT_EQ(Log, Expected);
}

TEST_F(FocusTest, DisablingOrHidingTheFocusedControlMovesTheFocusAway) {
  Edits[0]->SetEnabled(false);
  EXPECT_FALSE(Edits[0]->Focused());
  EXPECT_THROW(Edits[0]->SetFocus(), EInvalidOperation);
  ASSERT_TRUE(vt::MoveFocus(Edits[1]));
  Edits[1]->Hide();
  EXPECT_EQ(Form->FocusedControl(), nullptr);
}

TEST_F(FocusTest, DeletingTheFocusedControlLeavesNoDanglingFocus) {
  ASSERT_TRUE(vt::MoveFocus(Edits[2]));
  delete Edits[2];
  EXPECT_EQ(Form->FocusedControl(), nullptr);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_TRUE(vt::MoveFocus(Edits[0]));
}

TEST(ShortCutTest, CombinesKeyAndShiftBits) {
  EXPECT_EQ(ShortCut(VK_RETURN, {ssCtrl}), 16397);
  EXPECT_EQ(ShortCut(VK_DOWN, {ssAlt}), 32808);
  EXPECT_EQ(ShortCut('A', {ssShift, ssCtrl}), 0x6041);
  Word Key;
  TShiftState Shift;
  ShortCutToKey(32808, Key, Shift);
  EXPECT_EQ(Key, VK_DOWN);
  EXPECT_TRUE(Shift == TShiftState{ssAlt});
}

} // namespace
