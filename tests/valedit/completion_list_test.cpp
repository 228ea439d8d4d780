// The completion list of the word-list kind, driven as a user drives it: keys
// typed into the edit, Up, Down, Enter and Escape, clicks on the list and
// beside it, on a form with a default and a cancel button that must not see
// the Enter and Escape the open list takes; and what the list looks like.
#include <string>
#include <vector>

#include "tests/valedit/valedit_fixture.h"

using namespace vcl;
using namespace ValEdit;

namespace valedit_test {
namespace {

using TWords = std::vector<std::string>;

class CompletionListTest : public ValEditTest {
protected:
  void SetUp() override {
    ValEditTest::SetUp();
    Edit->SetKind(vkStringLookup);
    Words()->Items()->SetCommaText("Apple,Applesauce,Apricot,Banana,Blueberry");
    // Out of the list's way, which lies over whatever is under the edit.
    Other->SetTop(150);
    Edit->SetCompletionList(true);
    Ok = vt::Place<TButton>(Form, 180, 8, 75, 25);
    Ok->SetDefault(true);
    Ok->OnClick = [this](TObject*) { ++OkClicks; };
    Cancel = vt::Place<TButton>(Form, 180, 40, 75, 25);
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    Enter();
  }
  Validate::TStringLookupValidator* Words() {
    return ValidatorAs<Validate::TStringLookupValidator>();
  }
  // Clicks the middle of a word's row in the list.
  void ClickWord(int Index) {
    const TRect R = Edit->CompletionItemRect(Index);
    ASSERT_FALSE(IsRectEmpty(R)) << Index;
    vt::ClickAt(Edit, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }

  TButton* Ok = nullptr;
  TButton* Cancel = nullptr;
  int OkClicks = 0;
  int CancelClicks = 0;
};

TEST_F(CompletionListTest, OffByDefaultAndOnlyForWordLists) {
  Edit->SetCompletionList(false);
  vt::TypeText("apple");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OkClicks, 1);
  // Another kind has no words to offer.
  Edit->SetCompletionList(true);
  Edit->SetKind(vkFilter);
  vt::TypeText("a");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
}

TEST_F(CompletionListTest, TypingOffersTheWordsThatMayFollow) {
  vt::TypeText("ap");
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Apple", "Applesauce", "Apricot"}));
  EXPECT_EQ(Edit->CompletionIndex(), 0);
  vt::TypeText("p");
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Apple", "Applesauce"}));
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Apple", "Applesauce", "Apricot"}));
  // Inline completion goes on: a unique beginning is completed, and the
  // list, with nothing left to offer, closes.
  vt::TypeText("r");
  EXPECT_EQ(Edit->Text(), "Apricot");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  Edit->SelectAll();
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(CompletionListTest, TheCaseRuleIsTheValidators) {
  Words()->Items()->Add("apple pie");
  vt::TypeText("app");
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Apple", "apple pie", "Applesauce"}));
  Edit->SelectAll();
  Words()->SetCaseSensitive(true);
  vt::TypeText("App");
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Apple", "Applesauce"}));
}

TEST_F(CompletionListTest, UpDownMoveAndEnterTakesTheWordNotTheDefaultButton) {
  vt::TypeText("ap");
  Changes.clear();
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_DOWN); // the last word stays highlighted
  EXPECT_EQ(Edit->CompletionIndex(), 2);
  vt::PressKey(VK_UP);
  EXPECT_EQ(Edit->CompletionIndex(), 1);
  EXPECT_EQ(Edit->Text(), "ap"); // moving only highlights
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Edit->Text(), "Applesauce");
  EXPECT_EQ(Edit->EditText(), "Applesauce");
  EXPECT_EQ(Edit->SelStart(), 10);
  EXPECT_EQ(Changes, TWords{"Applesauce"});
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  EXPECT_EQ(OkClicks, 0);
  EXPECT_TRUE(Edit->Focused());
  // With the list closed, Enter is the form's again.
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OkClicks, 1);
}

TEST_F(CompletionListTest, EscapeClosesOnlyTheList) {
  vt::TypeText("b");
  EXPECT_EQ(Edit->CompletionWords(), (TWords{"Banana", "Blueberry"}));
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  EXPECT_EQ(Edit->Text(), "b");
  EXPECT_EQ(CancelClicks, 0);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(CancelClicks, 1);
}

TEST_F(CompletionListTest, AClickTakesAWordAndAClickElsewhereClosesTheList) {
  vt::TypeText("ap");
  ClickWord(2);
  EXPECT_EQ(Edit->Text(), "Apricot");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  EXPECT_TRUE(Edit->Focused());
  Edit->SelectAll();
  vt::TypeText("b");
  ASSERT_EQ(Edit->CompletionWords().size(), 2u);
  // A click beside the list closes it, and goes on.
  int FormClicks = 0;
  Form->OnClick = [&](TObject*) { ++FormClicks; };
  vt::ClickAt(Form, 300, 120);
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  EXPECT_EQ(FormClicks, 1);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->Text(), "b");
}

TEST_F(CompletionListTest, LeavingOrAValueFromCodeClosesTheList) {
  vt::TypeText("apple");
  ASSERT_EQ(Edit->CompletionWords().size(), 2u);
  vt::PressKey(VK_TAB);
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  // A value set from code is not typed: it offers nothing.
  Enter();
  Edit->SetEditText("Ap");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
  // Changing the words closes a list that offers the old ones.
  Edit->SelectAll();
  vt::TypeText("b");
  ASSERT_FALSE(Edit->CompletionWords().empty());
  Words()->Items()->Add("Cherry");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
}

// The list lies under the edit, in the highlight colour where its
// highlighted word is, and leaves nothing behind when it closes.
TEST_F(CompletionListTest, TheListIsPaintedUnderTheEdit) {
  vt::TypeText("ap");
  const TRect First = Edit->CompletionItemRect(0);
  const TRect Second = Edit->CompletionItemRect(1);
  EXPECT_GE(First.Top, Edit->Height() - 2);
  EXPECT_EQ(Second.Top, First.Bottom);
  EXPECT_EQ(vt::PixelAt(Edit, First.Right - 2, First.Top + 1), ColorToRGB(clHighlight));
  EXPECT_EQ(vt::PixelAt(Edit, Second.Right - 2, Second.Top + 1), ColorToRGB(clWindow));
  vt::PressKey(VK_DOWN);
  EXPECT_EQ(vt::PixelAt(Edit, First.Right - 2, First.Top + 1), ColorToRGB(clWindow));
  EXPECT_EQ(vt::PixelAt(Edit, Second.Right - 2, Second.Top + 1), ColorToRGB(clHighlight));
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(vt::PixelAt(Edit, Second.Right - 2, Second.Top + 1), ColorToRGB(clBtnFace));
}

// More words than rows: the scroll bar at the list's right edge pages with a
// click above or below its thumb and scrolls with the thumb dragged, without
// moving the highlight or closing the list; a word brought into sight is
// taken with a click.
TEST_F(CompletionListTest, AScrollBarReachesEveryWord) {
  for (int I = 10; I < 30; ++I)
    Words()->Items()->Add("Cherry" + std::to_string(I));
  vt::TypeText("ch");
  ASSERT_EQ(Edit->CompletionWords().size(), 20u);
  const TRect First = Edit->CompletionItemRect(0);
  const int BarX = First.Right + GetSystemMetrics(SM_CXVSCROLL) / 2;
  const int BarTop = First.Top;
  const int BarBottom = Edit->CompletionItemRect(7).Bottom;
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(8)));
  // The thumb at the top, a raised button face; the track below it.
  EXPECT_EQ(vt::PixelAt(Edit, BarX, BarTop + 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(vt::PixelAt(Edit, BarX, BarBottom - 2), ColorToRGB(clScrollBar));

  vt::ClickAt(Edit, BarX, BarBottom - 2);
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(0)));
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(8)));
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(15)));
  EXPECT_EQ(Edit->CompletionIndex(), 0) << "the highlight stays where it was";
  EXPECT_EQ(vt::PixelAt(Edit, BarX, BarTop + 3), ColorToRGB(clScrollBar)) << "the thumb moved";
  vt::ClickAt(Edit, BarX, BarTop + 1);
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(0)));

  // Dragged from the top to below the bar's end: the last words in sight.
  vt::MouseDownAt(Edit, BarX, BarTop + 3);
  vt::MouseMoveTo(Edit, BarX, (BarTop + BarBottom) / 2);
  const TRect Middle = Edit->CompletionItemRect(10);
  EXPECT_FALSE(IsRectEmpty(Middle)) << "the list follows the thumb while it is dragged";
  vt::MouseMoveTo(Edit, BarX, BarBottom + 40);
  vt::MouseUpAt(Edit, BarX, BarBottom + 40);
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(19)));
  EXPECT_EQ(Edit->CompletionWords().size(), 20u) << "the list is still open";
  ClickWord(19);
  EXPECT_EQ(Edit->Text(), "Cherry29");
  EXPECT_EQ(Edit->CompletionWords(), TWords());
}

// The wheel over the list scrolls it three words a notch, up to its ends;
// over the edit it leaves the list alone.
TEST_F(CompletionListTest, TheWheelScrollsTheList) {
  for (int I = 10; I < 30; ++I)
    Words()->Items()->Add("Cherry" + std::to_string(I));
  vt::TypeText("ch");
  const TRect First = Edit->CompletionItemRect(0);
  const int X = First.Left + 5, Y = First.Top + 2;
  vt::WheelAt(Edit, X, Y, -1);
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(2)));
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(3)));
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(10)));
  EXPECT_EQ(Edit->CompletionIndex(), 0);
  vt::WheelAt(Edit, X, Y, -10);
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(19)));
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(11)));
  vt::WheelAt(Edit, 5, 5, 10);
  EXPECT_TRUE(IsRectEmpty(Edit->CompletionItemRect(0))) << "the wheel over the edit";
  vt::WheelAt(Edit, X, Y, 1);
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(9)));
  vt::WheelAt(Edit, X, Y, 10);
  EXPECT_FALSE(IsRectEmpty(Edit->CompletionItemRect(0)));
  ClickWord(0);
  EXPECT_EQ(Edit->Text(), "Cherry10");
}

} // namespace
} // namespace valedit_test
