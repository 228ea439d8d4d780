// Popup menus driven as a user drives them: right clicks, the menu key,
// arrows, accelerators, Escape and clicks; and what the open menu paints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class MenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Button = vt::Place<TButton>(Form, 8, 8, 75, 25);
    Edit = vt::Place<TEdit>(Form, 100, 8, 150, 21);
    Menu = new TPopupMenu(Form);
    Open = Add(Menu->Items(), "&Open", ShortCut('O', {ssCtrl}));
    Add(Menu->Items(), "-");
    Disabled = Add(Menu->Items(), "&Disabled");
    Disabled->SetEnabled(false);
    Send = Add(Menu->Items(), "&Send to");
    Mail = Add(Send, "&Mail");
    Disk = Add(Send, "&Disk");
    Save = Add(Menu->Items(), "&Save");
    Button->SetPopupMenu(Menu);
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Edit));
  }
  void TearDown() override {
    CloseOpenMenu();
    delete Form;
  }

  TMenuItem* Add(TMenuItem* Parent, const std::string& Caption, TShortCut Key = 0) {
    auto* Item = new TMenuItem(Form);
    Item->SetCaption(Caption);
    Item->SetShortCut(Key);
    Item->OnClick = [this, Item](TObject*) { Clicked.push_back(Item); };
    Parent->Add(Item);
    return Item;
  }

  TForm* Form = nullptr;
  TButton* Button = nullptr;
  TEdit* Edit = nullptr;
  TPopupMenu* Menu = nullptr;
  TMenuItem *Open = nullptr, *Disabled = nullptr, *Send = nullptr, *Mail = nullptr, *Disk = nullptr,
            *Save = nullptr;
  std::vector<TMenuItem*> Clicked;
};

TEST_F(MenuTest, RightClickOpensTheControlsMenuAndKeepsTheFocusWhereItWas) {
  vt::RightClick(Button);
  EXPECT_EQ(OpenPopupMenu(), Menu);
  EXPECT_EQ(Menu->PopupComponent(), Button);
  EXPECT_TRUE(Edit->Focused());
  // The menu's top-left corner is where the button was clicked.
  const TRect R = OpenMenuItemRect(Open);
  const TPoint At = Button->ClientOrigin();
  const TPoint F = Form->ClientOrigin();
  EXPECT_EQ(R.Left - 3, At.X - F.X + Button->ClientWidth() / 2);
  EXPECT_EQ(R.Top - 3, At.Y - F.Y + Button->ClientHeight() / 2);
}

TEST_F(MenuTest, ShiftF10AndTheMenuKeyOpenTheFocusedControlsMenu) {
  Edit->SetPopupMenu(Menu);
  for (auto [Key, Shift] : {std::pair<Word, TShiftState>{VK_F10, {ssShift}}, {VK_APPS, {}}}) {
    vt::PressKey(Key, Shift);
    EXPECT_EQ(OpenPopupMenu(), Menu) << Key;
    EXPECT_EQ(Menu->PopupComponent(), Edit);
    vt::PressKey(VK_ESCAPE);
    EXPECT_EQ(OpenPopupMenu(), nullptr);
  }
  // F10 alone is no menu key.
  vt::PressKey(VK_F10);
  EXPECT_EQ(OpenPopupMenu(), nullptr);
}

TEST_F(MenuTest, UpAndDownWrapOverTheEnabledItemsOnly) {
  vt::RightClick(Button);
  EXPECT_EQ(OpenMenuSelection(), nullptr);
  const std::vector<std::pair<Word, TMenuItem*>> Steps = {
      {VK_DOWN, Open}, {VK_DOWN, Send}, {VK_DOWN, Save}, {VK_DOWN, Open},
      {VK_UP, Save},   {VK_UP, Send},   {VK_UP, Open},   {VK_UP, Save}};
  for (const auto& [Key, Expected] : Steps) {
    vt::PressKey(Key);
    EXPECT_EQ(OpenMenuSelection(), Expected) << Expected->Caption();
  }
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(MenuTest, RightAndLeftEnterAndLeaveASubmenuAndEnterChooses) {
  vt::RightClick(Button);
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_RIGHT); // Open has no sub-menu
  EXPECT_EQ(OpenMenuSelection(), Open);
  vt::PressKey(VK_DOWN);
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(OpenMenuSelection(), Mail);
  EXPECT_FALSE(IsRectEmpty(OpenMenuItemRect(Disk)));
  vt::PressKey(VK_LEFT);
  EXPECT_EQ(OpenMenuSelection(), Send);
  EXPECT_TRUE(IsRectEmpty(OpenMenuItemRect(Disk)));
  vt::PressKey(VK_RETURN); // Enter on a sub-menu item opens it
  vt::PressKey(VK_DOWN);
  EXPECT_EQ(OpenMenuSelection(), Disk);
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_EQ(Clicked, std::vector<TMenuItem*>{Disk});
  // The edit saw none of the keys.
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(MenuTest, TheAcceleratorLetterChoosesAndSharedLettersTakeTurns) {
  vt::RightClick(Button);
  vt::TypeText("s"); // Send to and Save share the S: the first press selects
  EXPECT_EQ(OpenMenuSelection(), Send);
  vt::TypeText("s");
  EXPECT_EQ(OpenMenuSelection(), Save);
  EXPECT_TRUE(Clicked.empty());
  vt::TypeText("o");
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_EQ(Clicked, std::vector<TMenuItem*>{Open});
  // A disabled item's letter does nothing.
  vt::RightClick(Button);
  vt::TypeText("d");
  EXPECT_EQ(OpenPopupMenu(), Menu);
  EXPECT_EQ(Clicked.size(), 1u);
}

TEST_F(MenuTest, EscapeClosesOneLevelAtATime) {
  vt::RightClick(Button);
  vt::TypeText("s");
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(OpenMenuSelection(), Mail);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(OpenMenuSelection(), Send);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(MenuTest, ClickingItemsChoosesThemButNotDisabledOnesOrSeparators) {
  vt::RightClick(Button);
  EXPECT_TRUE(vt::ClickMenuItem("Disabled"));
  EXPECT_EQ(OpenPopupMenu(), Menu); // a disabled item keeps the menu open
  EXPECT_TRUE(Clicked.empty());
  EXPECT_TRUE(vt::ClickMenuItem("Send to"));
  EXPECT_EQ(OpenPopupMenu(), Menu);
  EXPECT_TRUE(vt::ClickMenuItem("Mail"));
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_EQ(Clicked, std::vector<TMenuItem*>{Mail});
}

TEST_F(MenuTest, AClickOutsideClosesTheMenuAndGoesNoFurther) {
  int ButtonClicks = 0;
  Button->OnClick = [&](TObject*) { ++ButtonClicks; };
  vt::RightClick(Edit);
  ASSERT_NE(OpenPopupMenu(), nullptr);
  vt::Click(Button);
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_EQ(ButtonClicks, 0);
  EXPECT_TRUE(Edit->Focused());
  vt::Click(Button);
  EXPECT_EQ(ButtonClicks, 1);
}

TEST_F(MenuTest, ShortcutsOfTheFocusedControlsMenuClickTheirItems) {
  Edit->SetPopupMenu(Menu);
  vt::PressKey('O', {ssCtrl});
  EXPECT_EQ(Clicked, std::vector<TMenuItem*>{Open});
  EXPECT_EQ(Edit->Text(), "");
  Open->SetEnabled(false);
  vt::PressKey('O', {ssCtrl});
  EXPECT_EQ(Clicked.size(), 1u);
}

TEST_F(MenuTest, AMenuNearTheFormsEdgeOpensToTheOtherSideOfThePoint) {
  Button->SetBounds(Form->ClientWidth() - 20, Form->ClientHeight() - 20, 20, 20);
  vt::RightClickAt(Button, 10, 10);
  const TPoint P{Form->ClientWidth() - 10, Form->ClientHeight() - 10};
  const TRect First = OpenMenuItemRect(Open), Last = OpenMenuItemRect(Save);
  EXPECT_EQ(First.Right + 3, P.X);
  EXPECT_EQ(Last.Bottom + 3, P.Y);
}

TEST_F(MenuTest, FreeingTheMenuOrAnItemItShowsClosesIt) {
  vt::RightClick(Button);
  vt::TypeText("s");
  vt::PressKey(VK_RIGHT);
  delete Disk;
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  vt::RightClick(Button);
  delete Menu;
  EXPECT_EQ(OpenPopupMenu(), nullptr);
  EXPECT_EQ(Button->PopupMenu(), nullptr);
  vt::RightClick(Button); // nothing to open any more
  EXPECT_EQ(OpenPopupMenu(), nullptr);
}

// ---------------------------------------------------------------------------
// Painting

class MenuPaintTest : public MenuTest {
protected:
  TColor At(const TRect& R, int DX, int DY) {
    return vt::PaintForm(Form).Pixel(R.Left + DX, R.Top + DY);
  }
  // True when some pixel of R has the colour C.
  bool Shows(const TRect& R, TColor C) {
    const TPixelBuffer Image = vt::PaintForm(Form);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        if (Image.Pixel(X, Y) == ColorToRGB(C))
          return true;
    return false;
  }
};

TEST_F(MenuPaintTest, TheMenuIsARaisedBoxOverTheControlsInTheMenuColour) {
  Edit->SetPopupMenu(Menu);
  vt::RightClickAt(Edit, 5, 5);
  const TRect Item = OpenMenuItemRect(Open);
  TRect Box = Item;
  InflateRect(Box, 3, 3);
  // Over the edit, the menu's face hides the edit's white.
  EXPECT_EQ(At(Item, 1, 1), ColorToRGB(clMenu));
  EXPECT_EQ(At(Box, 0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(At(Box, 1, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(Box, Box.Width() - 1, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(Box, Box.Width() - 2, 5), ColorToRGB(clBtnShadow));
  CloseOpenMenu();
  EXPECT_EQ(At(Item, 1, 1), ColorToRGB(clWindow));
}

TEST_F(MenuPaintTest, TheSelectionIsHighlightedAndDisabledTextIsGrey) {
  Open->SetChecked(true);
  vt::RightClick(Button);
  const TRect OpenRow = OpenMenuItemRect(Open), SaveRow = OpenMenuItemRect(Save);
  EXPECT_FALSE(Shows(OpenRow, clHighlight));
  EXPECT_TRUE(Shows(OpenRow, clMenuText)); // caption and check mark
  vt::PressKey(VK_DOWN);
  EXPECT_EQ(At(OpenRow, 1, 1), ColorToRGB(clHighlight));
  EXPECT_TRUE(Shows(OpenRow, clHighlightText));
  EXPECT_FALSE(Shows(SaveRow, clHighlight));
  // Embossed: shadow with a light copy, and no text colour.
  const TRect DisabledRow = OpenMenuItemRect(Disabled);
  EXPECT_TRUE(Shows(DisabledRow, clBtnShadow));
  EXPECT_TRUE(Shows(DisabledRow, clBtnHighlight));
  EXPECT_FALSE(Shows(DisabledRow, clMenuText));
}

TEST_F(MenuPaintTest, CheckMarkShortcutAndSubmenuArrowHaveTheirColumns) {
  vt::RightClick(Button);
  const TRect OpenRow = OpenMenuItemRect(Open), SendRow = OpenMenuItemRect(Send);
  const TRect CheckColumn = {OpenRow.Left, OpenRow.Top, OpenRow.Left + 16, OpenRow.Bottom};
  EXPECT_FALSE(Shows(CheckColumn, clMenuText));
  Open->SetChecked(true);
  Form->InvalidateForm();
  EXPECT_TRUE(Shows(CheckColumn, clMenuText));
  // "Ctrl+O" sits in the right part of the row, the arrow at its right end.
  const TRect Right = {OpenRow.Right - 60, OpenRow.Top, OpenRow.Right - 16, OpenRow.Bottom};
  EXPECT_TRUE(Shows(Right, clMenuText));
  const TRect Arrow = {SendRow.Right - 16, SendRow.Top, SendRow.Right, SendRow.Bottom};
  EXPECT_TRUE(Shows(Arrow, clMenuText));
  EXPECT_FALSE(Shows({OpenRow.Right - 16, OpenRow.Top, OpenRow.Right, OpenRow.Bottom}, clMenuText));
}

// ---------------------------------------------------------------------------

TEST(ShortCutTextTest, NamesAndBack) {
  const std::vector<std::pair<TShortCut, std::string>> Table = {
      {ShortCut('Z', {ssCtrl}), "Ctrl+Z"},
      {ShortCut(VK_DELETE, {ssShift}), "Shift+Del"},
      {ShortCut(VK_F4, {ssAlt}), "Alt+F4"},
      {ShortCut(VK_INSERT, {ssShift, ssCtrl}), "Shift+Ctrl+Ins"},
      {ShortCut('5', {ssCtrl, ssAlt}), "Ctrl+Alt+5"},
      {ShortCut(VK_RETURN, {}), "Enter"},
      {ShortCut(VK_F12, {}), "F12"},
      {ShortCut(VK_BACK, {ssAlt}), "Alt+BkSp"},
      {ShortCut(VK_PRIOR, {}), "PgUp"},
  };
  for (const auto& [Key, Name] : Table) {
    EXPECT_EQ(ShortCutToText(Key), Name);
    EXPECT_EQ(TextToShortCut(Name), Key) << Name;
  }
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(TextToShortCut("ctrl+z"), ShortCut('Z', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+Z"), 0);
}

} // namespace
