// The edit window with text in any script: typed a key per character,
// pasted through the clipboard, moved over and deleted by user-perceived
// characters, cut to MaxLength by characters, shown in its visual order.
#include <gtest/gtest.h>

#include "tests/unicode_texts.h"
#include "vcl/clipbrd.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class EditUnicodeTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 100);
    Edit = vt::Place<TEdit>(Form, 8, 8, 300, 21);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Edit));
  }
  void TearDown() override { delete Form; }

  int CaretX() {
    TPoint P;
    EXPECT_TRUE(GetCaretPos(P));
    return P.X;
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  int Changes = 0;
};

TEST_F(EditUnicodeTest, TextInAnyScriptTypedOrPastedIsStoredComposedAndCopiedBack) {
  for (const auto& T : unicode_texts::Texts) {
    const std::string Composed = NormalizeNFC(T.Text);
    Edit->SetTextBuf("");
    Changes = 0;
    vt::TypeText(T.Text);
    EXPECT_EQ(Edit->Text(), Composed) << T.Name;
    EXPECT_EQ(Edit->SelStart(), Length(Composed)) << T.Name;
    EXPECT_EQ(Changes, T.Characters) << T.Name << ": one change per key";
    Edit->SetTextBuf("");
    vt::PasteText(T.Text);
    EXPECT_EQ(Edit->Text(), Composed) << T.Name;
    Edit->SelectAll();
    vt::PressKey('C', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), Composed) << T.Name;
  }
}

TEST_F(EditUnicodeTest, KeyPressSeesEachCodePointAndMayReplaceIt) {
  std::u32string Seen;
  Edit->OnKeyPress = [&Seen](TObject*, char32_t& Key) {
    Seen += Key;
    if (Key == U'ж')
      Key = U'Ж';
  };
  vt::TypeText("жук 👍🏽");
  EXPECT_EQ(Seen, U"жук 👍🏽");
  EXPECT_EQ(Edit->Text(), "Жук 👍🏽");
}

TEST_F(EditUnicodeTest, CaretBackspaceAndDeleteStepOverUserPerceivedCharacters) {
  struct Case {
    const char* Name;
    std::string Cluster;
  };
  for (const Case& C : {Case{"e + combining acute", "e\u0301"}, Case{"skin tone", "👍🏽"},
                        Case{"flag", "🇵🇱"}, Case{"family", "👨‍👩‍👧"}}) {
    // Set from code, the text stays as it is given (not composed).
    const std::string Text = "a" + C.Cluster + "b";
    const int N = Length(C.Cluster);
    Edit->SetTextBuf(Text);
    vt::PressKey(VK_END);
    vt::PressKey(VK_LEFT);
    EXPECT_EQ(Edit->SelStart(), 1 + N) << C.Name;
    vt::PressKey(VK_LEFT);
    EXPECT_EQ(Edit->SelStart(), 1) << C.Name;
    vt::PressKey(VK_RIGHT, {ssShift});
    EXPECT_EQ(Edit->SelText(), C.Cluster) << C.Name;
    vt::PressKey(VK_END);
    vt::PressKey(VK_LEFT);
    vt::PressKey(VK_BACK);
    EXPECT_EQ(Edit->Text(), "ab") << C.Name;
    Edit->SetTextBuf(Text);
    Edit->SetSelStart(1);
    vt::PressKey(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "ab") << C.Name;
    // A position inside the character moves to its start; a selection
    // that ends inside it takes it whole.
    Edit->SetTextBuf(Text);
    Edit->SetSelStart(2);
    EXPECT_EQ(Edit->SelStart(), 1) << C.Name;
    Edit->SetSelLength(1);
    EXPECT_EQ(Edit->SelText(), C.Cluster) << C.Name;
  }
}

TEST_F(EditUnicodeTest, ACombiningMarkTypedAfterItsLetterIsComposedWithIt) {
  vt::TypeText("e\u0301");
  EXPECT_EQ(Edit->Text(), "é");
  EXPECT_EQ(Edit->SelStart(), 1);
  // Unicode has no one character for q with an acute: the two stay, and
  // Backspace takes them together.
  vt::TypeText("q\u0301");
  EXPECT_EQ(Edit->Text(), "éq\u0301");
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "é");
}

TEST_F(EditUnicodeTest, MaxLengthCountsCharactersAndNeverSplitsOne) {
  Edit->SetMaxLength(4);
  vt::TypeText("Łódź!");
  EXPECT_EQ(Edit->Text(), "Łódź");
  Edit->SetMaxLength(3);
  Edit->SetTextBuf("");
  // The thumb with its skin tone is two code points: it would end past
  // the limit, so the paste stops before it.
  vt::PasteText("ab👍🏽");
  EXPECT_EQ(Edit->Text(), "ab");
  Edit->SetTextBuf("");
  vt::PasteText("東京都庁");
  EXPECT_EQ(Edit->Text(), "東京都");
}

TEST_F(EditUnicodeTest, CharCaseMapsEveryLetterOneToOne) {
  Edit->SetCharCase(ecUpperCase);
  vt::TypeText("äжλı");
  vt::PasteText("ß");
  // The sharp s has no one-character capital and stays as it is.
  EXPECT_EQ(Edit->Text(), "ÄЖΛIß");
  Edit->SetCharCase(ecLowerCase);
  EXPECT_EQ(Edit->Text(), "äжλiß");
}

TEST_F(EditUnicodeTest, APasswordCharacterStandsForEachCharacter) {
  Edit->SetPasswordChar(U'●');
  EXPECT_EQ(Edit->Perform(EM_GETPASSWORDCHAR), U'●');
  vt::TypeText("пароль");
  EXPECT_EQ(Edit->Text(), "пароль");
  // Six dots, each as wide as one alone.
  vt::PressKey(VK_END);
  const int End = CaretX();
  vt::PressKey(VK_HOME);
  const int Start = CaretX();
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(End - Start, 6 * (CaretX() - Start));
}

// A right-to-left run inside the left-to-right line shows reversed: the
// caret, moving on through the text, moves left inside it.
TEST_F(EditUnicodeTest, TheCaretMovesLogicallyThroughARightToLeftRun) {
  Edit->SetTextBuf("abc שלום def");
  auto XAt = [this](int Position) {
    Edit->SetSelStart(Position);
    return CaretX();
  };
  EXPECT_LT(XAt(1), XAt(2));
  EXPECT_GT(XAt(5), XAt(6));
  EXPECT_GT(XAt(6), XAt(7));
  EXPECT_LT(XAt(10), XAt(11));
  // The Latin word after the run stands right of all of it.
  EXPECT_GT(XAt(10), XAt(5));
}

} // namespace
