// Scripts: how lines read into steps, which lines are refused, and how the
// player answers boxes and dialogs, finds controls and reports failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "apps/demo/script.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

namespace {

using namespace Demo;
using namespace vcl;
namespace vt = vcl::testing;

TEST(ScriptKeys, NamesReadAsKeysWithTheirShiftState) {
  struct Case {
    const char* Name;
    Word Key;
    TShiftState Shift;
  };
  const Case Cases[] = {
      {"Tab", VK_TAB, {}},
      {"shift+tab", VK_TAB, {ssShift}},
      {"Return", VK_RETURN, {}},
      {"Ctrl+Enter", VK_RETURN, {ssCtrl}},
      {"Alt+Down", VK_DOWN, {ssAlt}},
      {"PageDown", VK_NEXT, {}},
      {"Ctrl+PageUp", VK_PRIOR, {ssCtrl}},
      {"F2", VK_F1 + 1, {}},
      {"F12", VK_F12, {}},
      {"a", 'A', {}},
      {"Ctrl+Shift+Z", 'Z', {ssCtrl, ssShift}},
      {"7", '7', {}},
      {"Ctrl++", 0, {}}, // a plus sign has no name
  };
  for (const Case& C : Cases) {
    TKeyStroke Stroke;
    const bool Known = ParseKeyName(C.Name, Stroke);
    EXPECT_EQ(Known, C.Key != 0) << C.Name;
    if (Known) {
      EXPECT_EQ(Stroke, (TKeyStroke{C.Key, C.Shift})) << C.Name;
    }
  }
  for (const char* Unknown : {"", "Meta+A", "F0", "F13", "Fx", "Ctrl+", "Tabulator", "$41"}) {
    TKeyStroke Stroke;
    EXPECT_FALSE(ParseKeyName(Unknown, Stroke)) << Unknown;
  }
}

TEST(ScriptReading, EachLineBecomesOneStep) {
  const auto Steps = ParseScript("# a comment\n"
                                 "\n"
                                 "focus CodeEdit\r\n"
                                 "  click CheckButton 4 5\n"
                                 "dblclick Calendar\n"
                                 "button BirthDateEdit\n"
                                 "type 12.5 kg\n"
                                 "type \"  two blanks first\"\n"
                                 "key Tab Shift+Tab Ctrl+Enter\n"
                                 "paste (555) 123-4567\n"
                                 "wait 250\n"
                                 "shot out/start.png\n"
                                 "expect Status ~was refused\n"
                                 "expect CodeEdit \"\"\n"
                                 "expect Note \"say \\\"hi\\\" \\\\ bye\"\n"
                                 "expect Note \"1\" or \"2\n"
                                 "focused CodeEdit\n");
  ASSERT_EQ(Steps.size(), 15u);
  EXPECT_EQ(Steps[0].Line, 3);
  EXPECT_EQ(Steps[0].Kind, skFocus);
  EXPECT_EQ(Steps[0].Target, "CodeEdit");
  EXPECT_EQ(Steps[0].Source, "focus CodeEdit");
  EXPECT_EQ(Steps[1].Kind, skClick);
  EXPECT_TRUE(Steps[1].HasPoint);
  EXPECT_EQ(Steps[1].X, 4);
  EXPECT_EQ(Steps[1].Y, 5);
  EXPECT_EQ(Steps[2].Kind, skDblClick);
  EXPECT_FALSE(Steps[2].HasPoint);
  EXPECT_EQ(Steps[3].Kind, skButton);
  EXPECT_EQ(Steps[4].Text, "12.5 kg");
  EXPECT_EQ(Steps[5].Text, "  two blanks first");
  ASSERT_EQ(Steps[6].Keys.size(), 3u);
  EXPECT_EQ(Steps[6].Keys[1], (TKeyStroke{VK_TAB, {ssShift}}));
  EXPECT_EQ(Steps[7].Kind, skPaste);
  EXPECT_EQ(Steps[7].Text, "(555) 123-4567");
  EXPECT_EQ(Steps[8].Millis, 250);
  EXPECT_EQ(Steps[9].Text, "out/start.png");
  EXPECT_TRUE(Steps[10].Contains);
  EXPECT_EQ(Steps[10].Text, "was refused");
  EXPECT_FALSE(Steps[11].Contains);
  EXPECT_EQ(Steps[11].Text, "");
  EXPECT_EQ(Steps[12].Text, "say \"hi\" \\ bye");
  EXPECT_EQ(Steps[13].Text, "\"1\" or \"2");
  EXPECT_EQ(Steps[14].Kind, skFocused);
}

TEST(ScriptReading, ALineItCannotReadIsNamedByItsNumber) {
  const char* Bad[] = {
      "jump CodeEdit", "focus",        "click A 1", "click A 1 2 3", "click A x y",
      "key",           "key Ctrl+Foo", "wait",      "wait -5",       "wait soon",
      "shot",          "expect",       "button",    "focused",
  };
  for (const char* Line : Bad) {
    try {
      ParseScript("# first\nfocus A\n" + std::string(Line) + "\n");
      ADD_FAILURE() << "accepted: " << Line;
    } catch (const EScriptError& E) {
      EXPECT_EQ(std::string(E.what()).rfind("Line 3: ", 0), 0u) << E.what();
    }
  }
}

TEST(ScriptReading, AMissingFileIsAnError) {
  EXPECT_THROW(LoadScript("/nonexistent/script.txt"), EScriptError);
}

// A form with an edit and a button that asks a question in a box.
class ScriptPlayerTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetName("PlayForm");
    Form->SetBounds(0, 0, 300, 120);
    Edit = vt::Place<TEdit>(Form, 8, 8, 120, 21);
    Edit->SetName("Edit");
    Other = vt::Place<TEdit>(Form, 8, 40, 120, 21);
    Other->SetName("Other");
    Ask = vt::Place<TButton>(Form, 140, 8, 75, 25);
    Ask->SetName("Ask");
    Ask->SetCaption("Ask");
    Ask->OnClick = [this](TObject*) {
      Answer = MessageDlg("Go on?", mtConfirmation, {mbYes, mbNo}, 0);
    };
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  bool Play(const std::string& Script) {
    TScriptPlayer Player(Form, Log, [this] { return Edit->Text(); });
    return Player.Play(ParseScript(Script));
  }

  std::ostringstream Log;
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  TButton* Ask = nullptr;
  int Answer = 0;
};

TEST_F(ScriptPlayerTest, TypesKeysAndChecksWhatItSees) {
  EXPECT_TRUE(Play("focus Edit\n"
                   "type abc\n"
                   "key BackSpace\n"
                   "expect Edit ab\n"
                   "paste 12\n"
                   "expect Edit ~b1\n"
                   "key Tab\n"
                   "focused Other\n"));
  EXPECT_EQ(Edit->Text(), "ab12");
  EXPECT_TRUE(Other->Focused());
  // Each step is logged with where the focus went and how the status changed.
  EXPECT_NE(Log.str().find("[2] type abc\n    focus: Edit \"abc\"\n    status: \"abc\"\n"),
            std::string::npos)
      << Log.str();
  EXPECT_NE(Log.str().find("script done"), std::string::npos);
}

TEST_F(ScriptPlayerTest, TheStepsAfterABoxAnswerIt) {
  EXPECT_TRUE(Play("click Ask\n"
                   "focused Btn0\n" // the box's first button, Yes, has the focus
                   "key Tab\n"
                   "key Return\n"
                   "focus Edit\n"))
      << Log.str();
  EXPECT_EQ(Answer, mrNo) << Log.str();
  EXPECT_TRUE(Edit->Focused());
  const std::string L = Log.str();
  EXPECT_NE(L.find("    box: \"Go on?\"\n    dialog \"Confirm\" opens\n"), std::string::npos) << L;
  EXPECT_NE(L.find("    dialog \"Confirm\" closes\n"), std::string::npos) << L;
}

TEST_F(ScriptPlayerTest, ABoxLeftOpenAtTheEndIsCancelled) {
  EXPECT_TRUE(Play("click Ask\n"));
  EXPECT_EQ(Answer, mrCancel);
  EXPECT_NE(Log.str().find("the script ended with \"Confirm\" open: cancelled"), std::string::npos)
      << Log.str();
}

TEST_F(ScriptPlayerTest, FailuresAreLoggedAndThePlayGoesOn) {
  EXPECT_FALSE(Play("focus Edit\n"
                    "expect Edit something\n"
                    "focused Other\n"
                    "click Nobody\n"
                    "button Edit\n"
                    "type x\n"));
  // The steps after the failures still ran.
  EXPECT_EQ(Edit->Text(), "x");
  const std::string L = Log.str();
  EXPECT_NE(L.find("FAILED: Edit reads \"\", not \"something\""), std::string::npos) << L;
  EXPECT_NE(L.find("FAILED: Other does not have the focus; Edit \"\" has it"), std::string::npos)
      << L;
  EXPECT_NE(L.find("FAILED: no control is named Nobody on the active form"), std::string::npos)
      << L;
  EXPECT_NE(L.find("FAILED: Edit is a TEdit, which cannot do that"), std::string::npos) << L;
  EXPECT_NE(L.find("script FAILED"), std::string::npos);
}

TEST_F(ScriptPlayerTest, WhileABoxIsOpenOnlyItsControlsTakeActions) {
  // The form behind the box can be read but not typed into.
  EXPECT_FALSE(Play("click Ask\n"
                    "focus Edit\n"
                    "expect Edit \"\"\n"
                    "key Escape\n"));
  const std::string L = Log.str();
  EXPECT_NE(L.find("[2] focus Edit\n    FAILED: no control is named Edit on the active form"),
            std::string::npos)
      << L;
  EXPECT_EQ(L.find("[3] expect Edit \"\"\n    FAILED"), std::string::npos) << L;
}

TEST_F(ScriptPlayerTest, AShotPaintsTheFormWithItsBoxOverIt) {
  const std::string File = ::testing::TempDir() + "script_shot.png";
  std::remove(File.c_str());
  EXPECT_TRUE(Play("click Ask\nshot " + File + "\nkey Escape\n"));
  std::ifstream In(File, std::ios::binary);
  const std::string Shot{std::istreambuf_iterator<char>(In), {}};
  const std::string FormAlone = PictureOfForms(Form).PngData();
  EXPECT_FALSE(Shot.empty());
  EXPECT_NE(Shot, FormAlone);
}

} // namespace
