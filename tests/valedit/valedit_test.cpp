// The validating edit's core: a new control, the kind table and validator
// ownership, the empty-value rule on leaving, completion and the caret, the
// two text views, the date kind's button, Enter on a default button, and
// the focus leaving a control that can no longer keep it.
#include <functional>
#include <typeinfo>

#include "valedit_fixture.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

// An application validator that refuses the empty text.
class TNonEmptyValidator : public TValidator {
public:
  using TValidator::TValidator;
  bool IsValid(std::string S) override { return !S.empty(); }
};

using CoreTest = ValEditTest;

TEST_F(CoreTest, ANewControlAcceptsEverythingAndMayBeLeftEmpty) {
  EXPECT_EQ(Edit->Kind(), vkNone);
  EXPECT_FALSE(Edit->ButtonVisible());
  EXPECT_EQ(typeid(*Edit->Validator()), typeid(TValidator));
  EXPECT_EQ(Edit->Validator()->Owner(), Edit);
  EXPECT_TRUE(Edit->AllowNull());
  EXPECT_TRUE(Edit->DefaultDisplay());
  EXPECT_EQ(Edit->ShowErrors(), TValidationError{veFocus});
  EXPECT_EQ(Edit->Validation(), (TValidation{vtInput, vtFocus}));
  Enter();
  EXPECT_TRUE(Leave());
  vt::MoveFocus(Edit);
  vt::TypeText("any text at all%");
  EXPECT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "any text at all%");
  EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(CoreTest, EachKindMakesItsValidatorOwnedByTheControl) {
  struct {
    vcl::Byte Kind;
    const std::type_info& Class;
  } const Table[] = {
      {vkFilter, typeid(TFilterValidator)},
      {vkInteger, typeid(TIntegerValidator)},
      {vkFloat, typeid(TFloatValidator)},
      {vkCurrency, typeid(TCurrencyValidator)},
      {vkStringLookup, typeid(TStringLookupValidator)},
      {vkPicture, typeid(TPictureValidator)},
      {vkDate, typeid(TDateValidator)},
      {vkTime, typeid(TTimeValidator)},
      {vkNone, typeid(TValidator)},
      {9, typeid(TValidator)},
      {50, typeid(TValidator)},
      {99, typeid(TValidator)},
      {150, typeid(TValidator)},
      {255, typeid(TValidator)},
  };
  for (const auto& Row : Table) {
    Edit->SetKind(Row.Kind);
    const vcl::Byte Kept = Row.Kind >= 9 && Row.Kind <= 99 ? vkNone : Row.Kind;
    EXPECT_EQ(Edit->Kind(), Kept) << int(Row.Kind);
    EXPECT_EQ(typeid(*Edit->Validator()), Row.Class) << int(Row.Kind);
    EXPECT_EQ(Edit->Validator()->Owner(), Edit);
  }
}

TEST_F(CoreTest, AnUnansweredApplicationKindValidatesLikeKindZero) {
  Edit->SetKind(150);
  Enter();
  vt::TypeText("x%1");
  EXPECT_EQ(Edit->Text(), "x%1");
  EXPECT_TRUE(Leave());
}

TEST_F(CoreTest, OnNewValidatorSuppliesTheValidatorOfApplicationKindsOnly) {
  std::vector<int> Asked;
  Edit->OnNewValidator = [&](TCustomValidEdit* Sender, vcl::Byte AKind, TValidator*& AValidator) {
    EXPECT_EQ(Sender, Edit);
    EXPECT_EQ(AValidator, nullptr);
    Asked.push_back(AKind);
    AValidator = new TNonEmptyValidator(Sender);
  };
  Edit->SetKind(vkInteger);
  Edit->SetKind(200);
  EXPECT_EQ(Asked, std::vector<int>{200});
  EXPECT_EQ(typeid(*Edit->Validator()), typeid(TNonEmptyValidator));
  Enter();
  EXPECT_FALSE(Leave());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{SValueRequired()});
}

TEST_F(CoreTest, SettingTheSameKindKeepsTheValidatorAndFiresNothing) {
  int Notified = 0;
  Edit->OnValidatorChange = [&](vcl::TObject* Sender) {
    EXPECT_EQ(Sender, Edit);
    ++Notified;
  };
  Edit->SetKind(vkInteger);
  EXPECT_EQ(Notified, 1);
  TValidator* Before = Edit->Validator();
  Edit->SetKind(vkInteger);
  EXPECT_EQ(Edit->Validator(), Before);
  EXPECT_EQ(Notified, 1);
}

TEST_F(CoreTest, AssigningAValidatorThatCannotBeCopiedChangesNothing) {
  Edit->SetKind(vkInteger);
  Edit->SetEditText("42");
  TValidator* Before = Edit->Validator();
  TIntegerValidator Other(nullptr);
  EXPECT_THROW(Edit->SetValidator(&Other), vcl::EConvertError);
  EXPECT_EQ(Edit->Validator(), Before);
  EXPECT_EQ(Edit->EditText(), "42");
}

TEST_F(CoreTest, AChangedSettingThatRefusesTheTextEmptiesIt) {
  Edit->SetKind(vkInteger);
  Edit->SetEditText("500");
  auto* I = ValidatorAs<TIntegerValidator>();
  I->SetNoBounds(false);
  I->SetMax(100);
  EXPECT_EQ(Edit->EditText(), "");
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(CoreTest, WithoutAllowNullAnEmptyExitIsRefusedWithOneBoxAndNoEvents) {
  Edit->SetAllowNull(false);
  Enter();
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(Edit->Focused());
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "A value must be entered.");
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, vcl::mtError);
  EXPECT_EQ(Boxes.Boxes()[0].Buttons, vcl::TMsgDlgButtons{vcl::mbOK});
  EXPECT_EQ(Boxes.Boxes()[0].HelpCtx, 0);
  EXPECT_TRUE(FocusErrors.empty());
  EXPECT_EQ(Exits, 0);
  // The box shows even when no error boxes are asked for.
  Edit->SetShowErrors({});
  EXPECT_FALSE(Leave());
  EXPECT_EQ(Boxes.Boxes().size(), 2u);
  vt::TypeText("a");
  EXPECT_TRUE(Leave());
  EXPECT_EQ(Exits, 1);
}

TEST_F(CoreTest, ExitNormalisesTheStoredTextBeforeShowingIt) {
  Edit->SetKind(vkFloat);
  Edit->SetValidation({vtFocus});
  Enter();
  vt::TypeText("2.345");
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->EditText(), "2.35");
  EXPECT_EQ(Edit->Text(), "2.35");
}

TEST_F(CoreTest, CompletionMovesACaretAtTheEndAndKeepsOneInside) {
  Edit->SetKind(vkPicture);
  ValidatorAs<TPictureValidator>()->SetPicture("###-###");
  Enter();
  vt::TypeText("123");
  EXPECT_EQ(Edit->Text(), "123-");
  EXPECT_EQ(Edit->SelStart(), 4);
  Edit->SetEditText("");
  vt::TypeText("12");
  Edit->SetSelStart(1);
  vt::TypeText("3");
  EXPECT_EQ(Edit->Text(), "132-");
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Changes.back(), "132-");
}

TEST_F(CoreTest, AKeyReplacingASelectionIsCompletedAsGrowth) {
  Edit->SetKind(vkStringLookup);
  auto* L = ValidatorAs<TStringLookupValidator>();
  L->Items()->Add("banana");
  L->Items()->Add("cherry");
  Enter();
  vt::TypeText("ch");
  EXPECT_EQ(Edit->Text(), "cherry");
  Edit->SelectAll();
  Changes.clear();
  vt::TypeText("b");
  EXPECT_EQ(Edit->Text(), "banana");
  EXPECT_EQ(Edit->EditText(), "banana");
  EXPECT_EQ(Changes, std::vector<std::string>{"banana"});
}

TEST_F(CoreTest, OnGetTextIsAskedForTheDisplayOnlyWithoutDefaultDisplay) {
  Edit->SetKind(vkInteger);
  std::vector<bool> Asked;
  Edit->OnGetText = [&](TCustomValidEdit*, std::string& Text, bool ForDisplay) {
    Asked.push_back(ForDisplay);
    if (ForDisplay)
      Text = "<" + Text + ">";
  };
  Edit->SetEditText("1234");
  Asked.clear();
  EXPECT_EQ(Edit->DisplayText(), "1,234");
  EXPECT_EQ(Edit->EditText(), "1234");
  EXPECT_EQ(Asked, std::vector<bool>{false});
  Edit->SetDefaultDisplay(false);
  Asked.clear();
  EXPECT_EQ(Edit->DisplayText(), "<1234>");
  EXPECT_EQ(Asked, std::vector<bool>{true});
  Edit->OnGetText = nullptr;
  EXPECT_EQ(Edit->DisplayText(), "1234");
}

TEST_F(CoreTest, OnSetTextRewritesAnAssignedValueBeforeTheValidatorJudgesIt) {
  Edit->SetKind(vkFilter);
  ValidatorAs<TFilterValidator>()->SetFilterChars("ABC");
  Edit->SetValidation({vtInput, vtFocus, vtSetValue});
  Edit->OnSetText = [](TCustomValidEdit*, std::string& Text) { Text = vcl::UpperCase(Text); };
  Edit->SetEditText("cab");
  EXPECT_EQ(Edit->EditText(), "CAB");
}

TEST_F(CoreTest, TheDateKindShowsTheCalendarAtTheBottomOfTheButton) {
  Edit->SetKind(vkDate);
  EXPECT_TRUE(Edit->ButtonVisible());
  EXPECT_EQ(Edit->GlyphKind(), BtnEdit::gkDefault);
  EXPECT_EQ(Edit->ClickKey(), BtnEdit::scCtrlEnter);
  EXPECT_EQ(Edit->Button()->Layout(), vcl::blGlyphBottom);
  vcl::TBitmap* Glyph = Edit->Glyph();
  ASSERT_EQ(Glyph->Width(), 12);
  ASSERT_EQ(Glyph->Height(), 12);
  EXPECT_EQ(Glyph->TransparentColor(), vcl::clOlive);
  EXPECT_EQ(Glyph->Pixel(0, 0), vcl::clOlive);
  EXPECT_EQ(Glyph->Pixel(3, 0), vcl::clBlack); // a binder ring
  EXPECT_EQ(Glyph->Pixel(1, 5), vcl::clBlack); // the frame
  EXPECT_EQ(Glyph->Pixel(2, 5), vcl::clWhite); // the page
  EXPECT_EQ(Glyph->Pixel(4, 5), vcl::clBlue);  // the 1 of 15

  // On screen the page shows and the olive background does not.
  vcl::TPoint At;
  vcl::TRect TextRect;
  Edit->Button()->CalcLayout(Edit->Button()->ClientRect(), At, TextRect);
  EXPECT_EQ(vt::PixelAt(Edit->Button(), At.X + 2, At.Y + 5), vcl::clWhite);
  EXPECT_EQ(vt::PixelAt(Edit->Button(), At.X + 4, At.Y + 5), vcl::clBlue);
  EXPECT_NE(vt::PixelAt(Edit->Button(), At.X, At.Y), vcl::clOlive);
}

TEST_F(CoreTest, TheCalendarSurvivesAButtonWidthChange) {
  Edit->SetKind(vkDate);
  Edit->SetButtonWidth(20);
  EXPECT_EQ(Edit->Glyph()->Width(), 12);
  EXPECT_EQ(Edit->Glyph()->Pixel(4, 5), vcl::clBlue);
}

TEST_F(CoreTest, LeavingTheDateKindClearsThePictureButKeepsTheButton) {
  Edit->SetKind(vkDate);
  Edit->SetKind(vkInteger);
  EXPECT_TRUE(Edit->Glyph()->Empty());
  EXPECT_EQ(Edit->GlyphKind(), BtnEdit::gkCustom);
  EXPECT_TRUE(Edit->ButtonVisible());
}

TEST_F(CoreTest, TheDateButtonClickFiresOnButtonClick) {
  Edit->SetKind(vkDate);
  int Clicks = 0;
  Edit->OnButtonClick = [&](vcl::TObject* Sender) {
    EXPECT_EQ(Sender, Edit);
    ++Clicks;
  };
  vt::Click(Edit->Button());
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Edit->Focused());
}

// ---------------------------------------------------------------------------
// Enter, buttons and the focus

class ButtonsTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    OK = vt::Place<vcl::TButton>(Form, 8, 80, 75, 25);
    OK->SetDefault(true);
    OK->SetModalResult(vcl::mrOk);
    OK->OnClick = [this](vcl::TObject*) { ++OKClicks; };
    Cancel = vt::Place<vcl::TButton>(Form, 90, 80, 75, 25);
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](vcl::TObject*) { ++CancelClicks; };
    Edit->SetKind(vkInteger);
    auto* I = ValidatorAs<TIntegerValidator>();
    I->SetNoBounds(false);
    I->SetMin(0);
    I->SetMax(100);
  }
  // Types Text over whatever the focused edit holds.
  void Retype(const std::string& Text) {
    Edit->SelectAll();
    vt::TypeText(Text);
  }

  vcl::TButton* OK = nullptr;
  vcl::TButton* Cancel = nullptr;
  int OKClicks = 0;
  int CancelClicks = 0;
};

TEST_F(ButtonsTest, EnterPressesTheDefaultButtonOnlyWhenTheValueMayBeLeft) {
  Enter();
  vt::TypeText("500");
  ASSERT_FALSE(Leave());
  const std::vector<std::string> OnFocusMove = BoxTexts();
  ASSERT_EQ(OnFocusMove.size(), 1u);
  vt::PressKey(vcl::VK_RETURN);
  EXPECT_EQ(OKClicks, 0);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{OnFocusMove[0], OnFocusMove[0]}));
  EXPECT_EQ(FocusErrors, (std::vector<std::string>{"500", "500"}));
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->Text(), "500");
  // An accepted value presses the button, and the focus stays in the edit.
  Retype("50");
  vt::PressKey(vcl::VK_RETURN);
  EXPECT_EQ(OKClicks, 1);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Exits, 0);
}

TEST_F(ButtonsTest, EnterKeepsADialogOpenWhileItsValueIsRefused) {
  auto* Dialog = new vcl::TForm(Form);
  auto* Value = vt::Place<TValidEdit>(Dialog, 8, 8, 100, 21);
  Value->SetKind(vkInteger);
  auto* I = dynamic_cast<TIntegerValidator*>(Value->Validator());
  I->SetNoBounds(false);
  I->SetMax(100);
  auto* Button = vt::Place<vcl::TButton>(Dialog, 8, 40, 75, 25);
  Button->SetDefault(true);
  Button->SetModalResult(vcl::mrOk);
  vcl::TModalResult AfterBadEnter = vcl::mrNone;
  vt::AnswerNextModal([&](vcl::TCustomForm* F) {
    vt::MoveFocus(Value);
    vt::TypeText("500");
    vt::PressKey(vcl::VK_RETURN);
    AfterBadEnter = F->ModalResult();
    Value->SelectAll();
    vt::TypeText("42");
    vt::PressKey(vcl::VK_RETURN);
    return vcl::mrNone; // the form's own ModalResult answers
  });
  EXPECT_EQ(Dialog->ShowModal(), vcl::mrOk);
  EXPECT_EQ(AfterBadEnter, vcl::mrNone);
  EXPECT_EQ(Value->AsInteger(), 42);
  EXPECT_EQ(Boxes.Boxes().size(), 1u);
}

TEST_F(ButtonsTest, EnterNormalisesTheValueTheButtonReads) {
  Edit->SetKind(vkFloat);
  Edit->SetValidation({vtFocus}); // the third decimal is typed
  std::string Read;
  OK->OnClick = [&](vcl::TObject*) { Read = Edit->EditText(); };
  Enter();
  vt::TypeText("2.345");
  vt::PressKey(vcl::VK_RETURN);
  EXPECT_EQ(Read, "2.35");
  EXPECT_EQ(Edit->Text(), "2.35");
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(ButtonsTest, EscapeAndTheCancelButtonAreNotValidated) {
  Enter();
  vt::TypeText("500");
  vt::PressKey(vcl::VK_ESCAPE);
  EXPECT_EQ(CancelClicks, 1);
  EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(ButtonsTest, AClickOnAButtonIsLostWhenTheValueKeepsTheFocus) {
  auto* Browse = vt::Place<BtnEdit::TBtnEdit>(Form, 180, 8, 100, 21);
  int BrowseClicks = 0;
  Browse->OnButtonClick = [&](vcl::TObject*) { ++BrowseClicks; };
  Enter();
  vt::TypeText("500");
  vt::Click(OK);
  vt::Click(Browse->Button());
  EXPECT_EQ(OKClicks, 0);
  EXPECT_EQ(BrowseClicks, 0);
  EXPECT_EQ(Boxes.Boxes().size(), 2u);
  EXPECT_TRUE(Edit->Focused());
  Retype("5");
  vt::Click(OK);
  EXPECT_EQ(OKClicks, 1);
  EXPECT_TRUE(OK->Focused());
}

TEST_F(ButtonsTest, AControlThatCannotKeepTheFocusLetsItGoQuietly) {
  const std::function<void(bool)> Ways[] = {[this](bool On) { Edit->SetVisible(On); },
                                            [this](bool On) { Edit->SetEnabled(On); }};
  for (const auto& Way : Ways) {
    Enter();
    Retype("500");
    EXPECT_NO_THROW(Way(false));
    EXPECT_FALSE(Edit->Focused());
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_EQ(Edit->EditText(), "500");
    Way(true);
  }
}

// A validator whose display form of the empty text is not empty.
class TPlaceholderValidator : public TValidator {
public:
  using TValidator::TValidator;
  std::string GetDisplayText(std::string S) override { return S.empty() ? "(none)" : S; }
};

TEST_F(CoreTest, AValidatorChangeKeepsAnEmptyValueEmpty) {
  Edit->OnNewValidator = [](TCustomValidEdit* Sender, vcl::Byte, TValidator*& V) {
    V = new TPlaceholderValidator(Sender);
  };
  Edit->SetKind(vkFirstApplication);
  EXPECT_EQ(Edit->Text(), "(none)");
  Enter();
  EXPECT_EQ(Edit->Text(), "");
  Edit->ValidatorChange();
  EXPECT_EQ(Edit->EditText(), "");
  EXPECT_EQ(Edit->Text(), "");
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "(none)");
  EXPECT_EQ(Edit->EditText(), "");
}

TEST_F(CoreTest, TheDisplayTextIsAskedForUnderTheLock) {
  Edit->SetDefaultDisplay(false);
  int Asked = 0, Unlocked = 0;
  Edit->OnGetText = [&](TCustomValidEdit* Sender, std::string&, bool ForDisplay) {
    if (!ForDisplay)
      return;
    ++Asked;
    if (!Sender->Locked())
      ++Unlocked;
  };
  Enter();
  ASSERT_TRUE(Leave());
  Edit->SetEditText("1");
  auto* Loaded = new TValidEdit(Form);
  Loaded->OnGetText = Edit->OnGetText;
  Loaded->SetDefaultDisplay(false);
  vcl::ReadComponentText("object Loaded: TValidEdit\n  EditText = '2'\nend\n", Loaded);
  EXPECT_GE(Asked, 3);
  EXPECT_EQ(Unlocked, 0);
}

} // namespace
} // namespace valedit_test
