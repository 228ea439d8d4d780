// The greyed prompt of an empty edit: seen on screen, never in the text,
// and kept in form files.
#include <gtest/gtest.h>

#include "vcl/classes.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class TextHintTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetName("HintForm");
    Form->SetBounds(0, 0, 300, 200);
    Edit = vt::Place<TEdit>(Form, 8, 8, 150, 21);
    Edit->SetName("Search");
    Other = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    Other->SetName("Other");
    Edit->SetTextHint("Search");
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Other));
  }
  void TearDown() override { delete Form; }

  // Pixels of Colour inside the edit's client area.
  int PixelsOf(TEdit* E, TColor Colour) {
    vt::PaintForm(Form);
    const TRect R = E->ClientRect();
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        N += vt::PixelAt(E, X, Y) == ColorToRGB(Colour);
    return N;
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(TextHintTest, TheGreyPromptShowsOnlyWhileTheEditIsEmpty) {
  EXPECT_GT(PixelsOf(Edit, clGrayText), 20);
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_TRUE(Edit->TextHintShowing());

  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TypeText("a");
  EXPECT_EQ(Edit->Text(), "a");
  EXPECT_FALSE(Edit->TextHintShowing());
  EXPECT_EQ(PixelsOf(Edit, clGrayText), 0);
  EXPECT_GT(PixelsOf(Edit, clWindowText), 0);

  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_GT(PixelsOf(Edit, clGrayText), 20);
}

TEST_F(TextHintTest, TextHintFocusedDecidesWhetherAFocusedEditShowsIt) {
  ASSERT_TRUE(vt::MoveFocus(Edit));
  EXPECT_GT(PixelsOf(Edit, clGrayText), 20); // the default keeps it while focused

  Edit->SetTextHintFocused(false);
  EXPECT_EQ(PixelsOf(Edit, clGrayText), 0);
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_GT(PixelsOf(Edit, clGrayText), 20);
}

TEST_F(TextHintTest, FormFilesKeepThePromptAndItsFocusSetting) {
  Other->SetTextHint("Name, 'first' last");
  Other->SetTextHintFocused(false);
  const std::string Written = ComponentToText(Form);
  EXPECT_NE(Written.find("TextHint = 'Search'"), std::string::npos);
  // The default (shown while focused) is not written.
  EXPECT_EQ(Written.find("TextHintFocused = True"), std::string::npos);
  EXPECT_NE(Written.find("TextHintFocused = False"), std::string::npos);

  TForm Copy(nullptr);
  auto* CopySearch = vt::Place<TEdit>(&Copy, 0, 0, 10, 10);
  CopySearch->SetName("Search");
  auto* CopyOther = vt::Place<TEdit>(&Copy, 0, 0, 10, 10);
  CopyOther->SetName("Other");
  ReadComponentText(Written, &Copy);
  EXPECT_EQ(CopySearch->TextHint(), "Search");
  EXPECT_TRUE(CopySearch->TextHintFocused());
  EXPECT_EQ(CopyOther->TextHint(), "Name, 'first' last");
  EXPECT_FALSE(CopyOther->TextHintFocused());
  EXPECT_EQ(CopyOther->Text(), "");
}

} // namespace
