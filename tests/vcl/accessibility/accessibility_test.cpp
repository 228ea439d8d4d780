// The accessibility model as a screen reader reads it: names from the
// property, a label or the caption; values, states, bounds, the children in
// tab order, an edit's text interface, and the change reports the backend
// hears while a user types and tabs.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vcl/accessibility.h"
#include "vcl/buttons.h"
#include "vcl/dialogs.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class AccessibilityTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(100, 50, 320, 240);
    Form->SetCaption("Customer");
    Panel = vt::Place<TPanel>(Form, 0, 100, 320, 100);
    Name = vt::Place<TEdit>(Form, 100, 10, 120, 21);
    City = vt::Place<TEdit>(Form, 100, 40, 120, 21);
    OK = vt::Place<TButton>(Panel, 10, 10, 75, 25);
    OK->SetCaption("&OK");
    Label = vt::Place<TLabel>(Form, 10, 12, 80, 13);
    Label->SetCaption("&Name:");
    Label->SetFocusControl(Name);
    Previous = SetAccessibleListener(
        [this](TControl* C, TAccessibleEvent E) { Events.emplace_back(C, E); });
  }
  void TearDown() override {
    SetAccessibleListener(std::move(Previous));
    delete Form;
  }
  // The events of one kind, in order.
  std::vector<TControl*> Heard(TAccessibleEvent Kind) const {
    std::vector<TControl*> Out;
    for (const auto& [C, E] : Events)
      if (E == Kind)
        Out.push_back(C);
    return Out;
  }

  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  TEdit* Name = nullptr;
  TEdit* City = nullptr;
  TButton* OK = nullptr;
  TLabel* Label = nullptr;
  TAccessibleListener Previous;
  std::vector<std::pair<TControl*, TAccessibleEvent>> Events;
};

TEST_F(AccessibilityTest, RolesAndNames) {
  City->SetTextBuf("Springfield"); // an edit's contents never name it
  struct Row {
    TControl* Control;
    TAccessibleRole Role;
    std::string Name;
  };
  for (const Row& R : {Row{Form, arWindow, "Customer"}, Row{Name, arEdit, "Name:"},
                       Row{City, arEdit, ""}, Row{OK, arPushButton, "OK"},
                       Row{Label, arStaticText, "Name:"}, Row{Panel, arGrouping, ""}}) {
    EXPECT_EQ(R.Control->AccessibleRole(), R.Role) << R.Name;
    EXPECT_EQ(AccessibleNameOf(R.Control), R.Name) << static_cast<int>(R.Role);
  }
}

TEST_F(AccessibilityTest, TheNamePropertyWinsOverTheLabel) {
  Name->SetAccessibleName("Customer name");
  EXPECT_EQ(AccessibleNameOf(Name), "Customer name");
  Name->SetAccessibleName("");
  Label->SetShowAccelChar(false);
  EXPECT_EQ(AccessibleNameOf(Name), "&Name:");
  Label->SetFocusControl(nullptr);
  EXPECT_EQ(AccessibleNameOf(Name), "");
  Label->SetCaption("A && B");
  EXPECT_EQ(AccessibleNameOf(Label), "A & B");
}

TEST_F(AccessibilityTest, TheNameIsStoredInTheFormFile) {
  City->SetName("City");
  City->SetAccessibleName("City of residence");
  const std::string Text = ComponentToText(City);
  EXPECT_NE(Text.find("AccessibleName = 'City of residence'"), std::string::npos) << Text;
  TEdit Copy(nullptr);
  ReadComponentText(Text, &Copy);
  EXPECT_EQ(Copy.AccessibleName(), "City of residence");
  EXPECT_EQ(ComponentToText(Name).find("AccessibleName"), std::string::npos);
}

TEST_F(AccessibilityTest, DescriptionAndValue) {
  Name->SetHint("As on the passport");
  Name->SetTextBuf("Ann");
  City->SetTextBuf("secret");
  City->SetPasswordChar('*');
  EXPECT_EQ(AccessibleDescriptionOf(Name), "As on the passport");
  EXPECT_EQ(AccessibleValueOf(Name), "Ann");
  EXPECT_EQ(AccessibleValueOf(City), "******");
  EXPECT_EQ(AccessibleValueOf(OK), "");
}

TEST_F(AccessibilityTest, States) {
  vt::ShowForm(Form);
  ASSERT_TRUE(vt::MoveFocus(Name));
  EXPECT_EQ(AccessibleStatesOf(Name), (TAccessibleStates{asFocused, asFocusable}));
  City->SetReadOnly(true);
  City->SetPasswordChar('*');
  EXPECT_EQ(AccessibleStatesOf(City), (TAccessibleStates{asFocusable, asReadOnly, asProtected}));
  Panel->SetEnabled(false); // disables what it holds
  EXPECT_EQ(AccessibleStatesOf(OK), TAccessibleStates{asDisabled});
  Panel->SetVisible(false);
  EXPECT_TRUE(AccessibleStatesOf(OK).Contains(asInvisible));
  EXPECT_FALSE(AccessibleStatesOf(Label).Contains(asFocusable));
}

TEST_F(AccessibilityTest, BoundsAreOnTheScreen) {
  const TPoint Origin = Form->ClientOrigin();
  const TRect R = AccessibleBoundsOf(OK); // inside the panel, at (10, 10) of it
  const TPoint PanelOrigin = Panel->ClientOrigin();
  EXPECT_EQ(R.Left, PanelOrigin.X + 10);
  EXPECT_EQ(R.Top, PanelOrigin.Y + 10);
  EXPECT_EQ(R.Width(), 75);
  EXPECT_EQ(AccessibleBoundsOf(Name).Left, Origin.X + 100);
  EXPECT_EQ(AccessibleBoundsOf(Form).Left, Origin.X);
}

TEST_F(AccessibilityTest, ChildrenComeInTabOrder) {
  City->SetTabOrder(0);
  EXPECT_EQ(AccessibleChildrenOf(Form), (std::vector<TControl*>{City, Panel, Name, Label}));
  EXPECT_EQ(AccessibleChildrenOf(Panel), std::vector<TControl*>{OK});
  EXPECT_TRUE(AccessibleChildrenOf(Label).empty());
  Name->SetVisible(false);
  EXPECT_EQ(AccessibleChildrenOf(Form), (std::vector<TControl*>{City, Panel, Label}));
}

// A window that only hosts a button (as the button edit's does) is left
// out; the picture-only button is named by its tool tip.
TEST_F(AccessibilityTest, AHostWindowGivesWayToWhatItHolds) {
  auto* Host = vt::Place<TWinControl>(Panel, 100, 10, 20, 20);
  auto* Arrow = new TSpeedButton(Host);
  Arrow->SetParent(Host);
  Arrow->SetHint("Open the list");
  EXPECT_EQ(AccessibleChildrenOf(Panel), (std::vector<TControl*>{OK, Arrow}));
  EXPECT_EQ(AccessibleParentOf(Arrow), Panel);
  EXPECT_EQ(AccessibleParentOf(OK), Panel);
  EXPECT_EQ(AccessibleParentOf(Form), nullptr);
  EXPECT_EQ(AccessibleNameOf(Arrow), "Open the list");
  Host->SetAccessibleName("Chooser"); // a named host stands for itself
  EXPECT_EQ(AccessibleChildrenOf(Panel), (std::vector<TControl*>{OK, Host}));
}

TEST_F(AccessibilityTest, TheTextInterfaceFollowsTheCaret) {
  vt::ShowForm(Form);
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::TypeText("Annie");
  vt::PressKey(VK_LEFT, {ssShift});
  vt::PressKey(VK_LEFT, {ssShift});
  TAccessibleText T;
  ASSERT_TRUE(AccessibleTextOf(Name, T));
  EXPECT_EQ(T.Text, "Annie");
  EXPECT_EQ(T.Caret, 3);
  EXPECT_EQ(T.SelStart, 3);
  EXPECT_EQ(T.SelLength, 2);
  EXPECT_FALSE(AccessibleTextOf(OK, T));
}

TEST_F(AccessibilityTest, TypingAndTabbingAreReported) {
  vt::ShowForm(Form);
  ASSERT_TRUE(vt::MoveFocus(Name));
  Events.clear();
  vt::TypeText("Al");
  EXPECT_EQ(Heard(aeValueChanged), (std::vector<TControl*>{Name, Name}));
  vt::PressKey(VK_LEFT);
  EXPECT_EQ(Heard(aeCaretMoved).size(), 1u);
  vt::PressKey(VK_TAB);
  vt::PressKey(VK_TAB);
  EXPECT_EQ(Heard(aeFocus), (std::vector<TControl*>{City, OK}));
  OK->SetEnabled(false);
  EXPECT_EQ(Heard(aeStateChanged).back(), OK);
  Name->SetAccessibleName("Full name");
  EXPECT_EQ(Heard(aeNameChanged).back(), Name);
  Events.clear();
  Label->SetCaption("&Surname:"); // renames the label and the field it names
  EXPECT_EQ(Heard(aeNameChanged), (std::vector<TControl*>{Label, Name}));
  Events.clear();
  Label->SetFocusControl(City);
  EXPECT_EQ(Heard(aeNameChanged), (std::vector<TControl*>{Name, City}));
  delete City;
  EXPECT_EQ(Heard(aeDestroyed), std::vector<TControl*>{City});
}

} // namespace

// An error box is an alert whose description is its message; a question is
// a plain dialog. Both read their message from a label among their children.
TEST(MessageBoxAccessibility, ErrorsAreAlertsThatReadTheirMessage) {
  struct Row {
    TMsgDlgType Kind;
    TAccessibleRole Role;
    std::string Name;
  };
  for (const Row& R : {Row{mtError, arAlert, "Error"}, Row{mtWarning, arAlert, "Warning"},
                       Row{mtConfirmation, arWindow, "Confirm"}}) {
    std::unique_ptr<TForm> Box(
        CreateMessageDialog("\"12a\" is not a valid integer", R.Kind, {mbOK, mbCancel}));
    EXPECT_EQ(Box->AccessibleRole(), R.Role) << R.Name;
    EXPECT_EQ(AccessibleNameOf(Box.get()), R.Name);
    EXPECT_EQ(AccessibleDescriptionOf(Box.get()), "\"12a\" is not a valid integer");
    std::vector<std::string> Read;
    for (TControl* C : AccessibleChildrenOf(Box.get()))
      Read.push_back(AccessibleNameOf(C));
    EXPECT_NE(std::find(Read.begin(), Read.end(), "\"12a\" is not a valid integer"), Read.end());
    EXPECT_NE(std::find(Read.begin(), Read.end(), "Cancel"), Read.end());
  }
}
