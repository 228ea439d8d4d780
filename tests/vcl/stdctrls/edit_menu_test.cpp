// The edit window's own context menu: what it offers in each state, and that
// each item does what its key does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/clipbrd.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class EditMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Edit = vt::Place<TEdit>(Form, 8, 8, 150, 21);
    Other = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Other));
  }
  void TearDown() override {
    CloseOpenMenu();
    delete Form;
  }

  // The open menu's entries as "caption" or "(caption)" when disabled.
  std::vector<std::string> Entries() {
    std::vector<std::string> Result;
    TPopupMenu* Menu = OpenPopupMenu();
    if (!Menu)
      return Result;
    for (int I = 0; I < Menu->Items()->Count(); ++I) {
      const TMenuItem* Item = Menu->Items()->Items(I);
      Result.push_back(Item->Enabled() || Item->IsLine() ? Item->Caption()
                                                         : "(" + Item->Caption() + ")");
    }
    return Result;
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(EditMenuTest, ARightClickFocusesTheEditAndOffersWhatItsStateAllows) {
  Clipboard()->Clear();
  vt::RightClick(Edit);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"(&Undo)", "-", "(Cu&t)", "(&Copy)", "(&Paste)",
                                                 "(&Delete)", "-", "(Select &All)"}));
  vt::PressKey(VK_ESCAPE);
  struct TCase {
    const char* Name;
    std::function<void()> Setup;
    std::vector<std::string> Expected;
  };
  const std::vector<TCase> Cases = {
      {"typed text, nothing selected",
       [&] { vt::TypeText("abc"); },
       {"&Undo", "-", "(Cu&t)", "(&Copy)", "(&Paste)", "(&Delete)", "-", "Select &All"}},
      {"a selection and text on the clipboard",
       [&] {
         Clipboard()->SetAsText("x");
         Edit->SelectAll();
       },
       {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}},
      {"read-only",
       [&] { Edit->SetReadOnly(true); },
       {"(&Undo)", "-", "(Cu&t)", "&Copy", "(&Paste)", "(&Delete)", "-", "Select &All"}},
      {"a password",
       [&] {
         Edit->SetReadOnly(false);
         Edit->SetPasswordChar('*');
       },
       {"&Undo", "-", "(Cu&t)", "(&Copy)", "&Paste", "&Delete", "-", "Select &All"}},
  };
  for (const TCase& C : Cases) {
    C.Setup();
    vt::RightClick(Edit);
    EXPECT_EQ(Entries(), C.Expected) << C.Name;
    vt::PressKey(VK_ESCAPE);
  }
}

TEST_F(EditMenuTest, EachItemDoesWhatItsKeyDoes) {
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TypeText("Hello world");
  Edit->SetSelStart(0);
  Edit->SetSelLength(6);
  vt::RightClick(Edit);
  ASSERT_TRUE(vt::ClickMenuItem("Cut"));
  EXPECT_EQ(Edit->Text(), "world");
  EXPECT_EQ(Clipboard()->AsText(), "Hello ");
  vt::RightClick(Edit);
  ASSERT_TRUE(vt::ClickMenuItem("Undo"));
  EXPECT_EQ(Edit->Text(), "Hello world");
  vt::PressKey(VK_APPS);
  vt::TypeText("a"); // Select All by its letter
  EXPECT_EQ(Edit->SelLength(), 11);
  vt::PressKey(VK_F10, {ssShift});
  vt::TypeText("c");
  EXPECT_EQ(Clipboard()->AsText(), "Hello world");
  vt::PressKey(VK_END);
  vt::RightClick(Edit);
  ASSERT_TRUE(vt::ClickMenuItem("Paste"));
  EXPECT_EQ(Edit->Text(), "Hello worldHello world");
  Edit->SetSelStart(5);
  Edit->SetSelLength(6);
  vt::RightClick(Edit);
  ASSERT_TRUE(vt::ClickMenuItem("Delete"));
  EXPECT_EQ(Edit->Text(), "HelloHello world");
  EXPECT_TRUE(Edit->Modified());
}

TEST_F(EditMenuTest, AnEditWithItsOwnMenuShowsThatOne) {
  auto* Menu = new TPopupMenu(Form);
  auto* Item = new TMenuItem(Form);
  Item->SetCaption("Mine");
  Menu->Items()->Add(Item);
  Edit->SetPopupMenu(Menu);
  vt::RightClick(Edit);
  EXPECT_EQ(OpenPopupMenu(), Menu);
  EXPECT_EQ(Entries(), std::vector<std::string>{"Mine"});
  // Its own menu does not take the focus along.
  EXPECT_TRUE(Other->Focused());
}

TEST_F(EditMenuTest, ADisabledEditShowsNoMenu) {
  Edit->SetEnabled(false);
  vt::RightClick(Edit);
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_TRUE(Other->Focused());
}

} // namespace
