// The validating edit and its button as a screen reader reads them: a value
// that may not be left empty is required, a typed value the validator
// refuses is invalid, and the embedded button is a push button of the edit,
// named by its hint or else by its picture, that the reader can press.
#include "tests/valedit/valedit_fixture.h"

#include "vcl/accessibility.h"

namespace valedit_test {
namespace {

using namespace vcl;

TEST_F(ValEditTest, RequiredAndInvalidFollowTheValue) {
  Edit->SetKind(ValEdit::vkInteger);
  auto* Range = ValidatorAs<Validate::TIntegerValidator>();
  Range->SetNoBounds(false);
  Range->SetMin(1);
  Range->SetMax(500);
  Edit->SetAllowNull(true);
  EXPECT_FALSE(AccessibleStatesOf(Edit).Contains(asRequired));
  Edit->SetAllowNull(false);
  EXPECT_TRUE(AccessibleStatesOf(Edit).Contains(asRequired));
  EXPECT_FALSE(AccessibleStatesOf(Edit).Contains(asInvalid)) << "empty is missing, not invalid";
  Enter();
  vt::TypeText("900"); // each key keeps a possible integer; the whole is out of range
  EXPECT_TRUE(AccessibleStatesOf(Edit).Contains(asInvalid));
  vt::PressKey(VK_BACK);
  EXPECT_FALSE(AccessibleStatesOf(Edit).Contains(asInvalid)); // 90
}

TEST_F(ValEditTest, TheButtonIsAPushButtonOfTheEdit) {
  int Clicks = 0;
  Edit->OnButtonClick = [&Clicks](TObject*) { ++Clicks; };
  Edit->SetButtonVisible(true); // a plain validating edit hides it
  const std::vector<TControl*> Children = AccessibleChildrenOf(Edit);
  ASSERT_EQ(Children.size(), 1u);
  TControl* Button = Children[0];
  EXPECT_EQ(Button->AccessibleRole(), arPushButton);
  // Without a hint the button is named by its picture.
  for (const auto& [Kind, Name] :
       {std::pair{BtnEdit::gkDropDown, "Open"}, std::pair{BtnEdit::gkEllipsis, "Browse"},
        std::pair{BtnEdit::gkCustom, "Choose"}}) {
    Edit->SetGlyphKind(Kind);
    EXPECT_EQ(AccessibleNameOf(Button), Name);
  }
  Edit->SetButtonHint("Choose a value");
  EXPECT_EQ(AccessibleNameOf(Button), "Choose a value");
  EXPECT_EQ(AccessibleParentOf(Button), Edit);
  EXPECT_EQ(AccessibleActionsOf(Button), std::vector<std::string>{"press"});
  EXPECT_TRUE(DoAccessibleAction(Button, "press"));
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Edit->Focused()) << "a press focuses the edit, as a click does";
  EXPECT_FALSE(DoAccessibleAction(Button, "toggle"));
  Edit->SetReadOnly(true);
  EXPECT_TRUE(DoAccessibleAction(Button, "press"));
  EXPECT_EQ(Clicks, 1) << "the button of a read-only edit does nothing";
}

} // namespace
} // namespace valedit_test
