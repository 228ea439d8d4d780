// Validating edits stored in and read back from form files: every kind with
// settings of its own keeps its text, whatever order the settings arrive in.
#include <memory>

#include "tests/vcl/forms/recording_form.h"
#include "valedit_fixture.h"
#include "vcl/menus.h"
#include "vcl/typinfo.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

// Reads Text into a new form.
std::unique_ptr<vcl::TForm> ReadForm(const std::string& Text) {
  auto Form = std::make_unique<vcl::TForm>(nullptr);
  vcl::ReadComponentText(Text, Form.get());
  return Form;
}

TValidEdit* EditOf(vcl::TForm* Form, const std::string& Name) {
  auto* E = dynamic_cast<TValidEdit*>(Form->FindComponent(Name));
  EXPECT_NE(E, nullptr) << Name;
  return E;
}

TEST(ValEditFormFile, EveryKindWithItsSettingsRoundTripsWithItsText) {
  vcl::ResetLocale();
  RegisterValEditClasses();
  vcl::TForm Form(nullptr);
  Form.SetName("KindsForm");
  auto Add = [&](const char* Name, vcl::Byte Kind) {
    auto* E = new TValidEdit(&Form);
    E->SetName(Name);
    E->SetParent(&Form);
    E->SetKind(Kind);
    return E;
  };
  Add("Filter", vkFilter)->Validator();
  static_cast<TFilterValidator*>(EditOf(&Form, "Filter")->Validator())->SetFilterChars("XYZ");
  EditOf(&Form, "Filter")->SetEditText("ZYX");

  auto* Int = Add("Int", vkInteger);
  auto* IV = static_cast<TIntegerValidator*>(Int->Validator());
  IV->SetNoBounds(false);
  IV->SetMin(-20);
  IV->SetMax(-10);
  Int->SetEditText("-15");

  auto* Flt = Add("Flt", vkFloat);
  auto* FV = static_cast<TFloatValidator*>(Flt->Validator());
  FV->SetPrecision(3);
  FV->SetNoBounds(false);
  FV->SetMin(1);
  FV->SetMax(2);
  Flt->SetEditText("1.234");

  auto* Cur = Add("Cur", vkCurrency);
  static_cast<TCurrencyValidator*>(Cur->Validator())->SetPrecision(4);
  Cur->SetEditText("0.1234");

  auto* Look = Add("Look", vkStringLookup);
  auto* LV = static_cast<TStringLookupValidator*>(Look->Validator());
  LV->SetCaseSensitive(true);
  LV->Items()->Add("Alpha");
  LV->Items()->Add("Beta");
  Look->SetEditText("Beta");

  auto* Pic = Add("Pic", vkPicture);
  static_cast<TPictureValidator*>(Pic->Validator())->SetPicture("&&-###");
  Pic->SetEditText("AB-123");

  auto* Dat = Add("Dat", vkDate);
  auto* DV = static_cast<TDateValidator*>(Dat->Validator());
  DV->SetNoBounds(false);
  DV->SetMin(vcl::EncodeDate(2000, 1, 1));
  DV->SetMax(vcl::EncodeDate(2001, 12, 31));
  Dat->SetEditText(vcl::DateToStr(vcl::EncodeDate(2001, 6, 15)));

  auto* Tim = Add("Tim", vkTime);
  static_cast<TTimeValidator*>(Tim->Validator())->SetFormat(vtfLong);
  Tim->SetEditText("9:30:15 AM");

  auto* App = Add("App", 150);
  App->SetAllowNull(false);
  App->SetShowErrors({veInput});
  App->SetValidation({vtSetValue});
  App->SetDefaultDisplay(false);
  App->SetSelectCompletion(true);
  App->SetCompletionList(true);
  App->SetEditText("anything");

  const std::string Text = vcl::ComponentToText(&Form);
  std::unique_ptr<vcl::TForm> Copy = ReadForm(Text);
  for (const char* Name : {"Filter", "Int", "Flt", "Cur", "Look", "Pic", "Dat", "Tim", "App"}) {
    TValidEdit* Before = EditOf(&Form, Name);
    TValidEdit* After = EditOf(Copy.get(), Name);
    ASSERT_NE(After, nullptr);
    EXPECT_EQ(After->Kind(), Before->Kind()) << Name;
    EXPECT_EQ(After->EditText(), Before->EditText()) << Name;
    EXPECT_EQ(After->Text(), Before->DisplayText()) << Name;
    EXPECT_EQ(typeid(*After->Validator()), typeid(*Before->Validator())) << Name;
  }
  EXPECT_EQ(EditOf(Copy.get(), "App")->Validation(), TValidation{vtSetValue});
  EXPECT_FALSE(EditOf(Copy.get(), "App")->AllowNull());
  EXPECT_TRUE(EditOf(Copy.get(), "App")->SelectCompletion());
  EXPECT_TRUE(EditOf(Copy.get(), "App")->CompletionList());
  EXPECT_FALSE(EditOf(Copy.get(), "Look")->CompletionList());
  // Off is the default and is not written.
  EXPECT_EQ(Text.find("SelectCompletion = True"), Text.rfind("SelectCompletion"));
  EXPECT_EQ(Text.find("CompletionList = True"), Text.rfind("CompletionList"));
  EXPECT_EQ(static_cast<TFloatValidator*>(EditOf(Copy.get(), "Flt")->Validator())->Precision(), 3);
  EXPECT_EQ(EditOf(Copy.get(), "Dat")->Glyph()->Width(), 12);
  // Writing the copy again gives the same form file.
  EXPECT_EQ(vcl::ComponentToText(Copy.get()), Text);
}

// Each stored text below is valid under the complete settings; the filter's
// is refused while only its characters have been read (they are taken as
// the valid ones until the type that makes them the invalid ones arrives).
TEST(ValEditFormFile, ATextValidUnderTheCompleteSettingsSurvivesLoading) {
  vcl::ResetLocale();
  RegisterValEditClasses();
  const char* Forms[] = {
      "object F: TForm\n"
      "  object E: TValidEdit\n"
      "    EditText = 'chestnut'\n"
      "    Kind = 5\n"
      "    Validator.CaseSensitive = True\n"
      "    Validator.Items.Strings = (\n"
      "      'cherry'\n"
      "      'chestnut')\n"
      "  end\n"
      "end\n",
      "object F: TForm\n"
      "  object E: TValidEdit\n"
      "    EditText = '-15'\n"
      "    Kind = 2\n"
      "    Validator.Max = -10\n"
      "    Validator.Min = -20\n"
      "    Validator.NoBounds = False\n"
      "  end\n"
      "end\n",
      // Until its precision is read the validator allows two decimals.
      "object F: TForm\n"
      "  object E: TValidEdit\n"
      "    EditText = '1.234'\n"
      "    Kind = 3\n"
      "    Validator.Max = 2\n"
      "    Validator.Min = 1\n"
      "    Validator.NoBounds = False\n"
      "    Validator.Precision = 3\n"
      "  end\n"
      "end\n",
      "object F: TForm\n"
      "  object E: TValidEdit\n"
      "    EditText = '123'\n"
      "    Kind = 1\n"
      "    Validator.FilterChars = 'abc'\n"
      "    Validator.FilterType = ftInvalidChars\n"
      "  end\n"
      "end\n",
  };
  const char* Texts[] = {"chestnut", "-15", "1.234", "123"};
  for (int I = 0; I < 4; ++I) {
    std::unique_ptr<vcl::TForm> Form = ReadForm(Forms[I]);
    TValidEdit* E = EditOf(Form.get(), "E");
    ASSERT_NE(E, nullptr);
    EXPECT_EQ(E->EditText(), Texts[I]);
    EXPECT_TRUE(E->IsValid()) << Texts[I];
  }
}

// Min and Max set from code switch the range on; read from a form file they
// do not: a form stored with NoBounds left at its default True keeps
// accepting what it accepted, and one stored with False keeps its range.
TEST(ValEditFormFile, BoundsReadFromAFormKeepTheStoredNoBounds) {
  vcl::ResetLocale();
  RegisterValEditClasses();
  const struct {
    int Kind;
    const char* Bounds;
    bool NoBounds;
  } Cases[] = {
      {vkInteger, "    Validator.Max = 500\n    Validator.Min = 1\n", true},
      {vkInteger,
       "    Validator.Max = 500\n    Validator.Min = 1\n    Validator.NoBounds = False\n", false},
      {vkFloat, "    Validator.Max = 500\n    Validator.Min = 1\n", true},
      {vkCurrency, "    Validator.Max = 500\n    Validator.Min = 1\n", true},
      {vkCurrency, "    Validator.Max = 500\n    Validator.NoBounds = False\n", false},
  };
  for (const auto& C : Cases) {
    const std::string Text =
        "object F: TForm\n  object E: TValidEdit\n    Kind = " + std::to_string(C.Kind) + "\n" +
        C.Bounds + "  end\nend\n";
    SCOPED_TRACE(Text);
    std::unique_ptr<vcl::TForm> Form = ReadForm(Text);
    TValidator* V = EditOf(Form.get(), "E")->Validator();
    EXPECT_EQ(V->IsValid("900"), C.NoBounds);
    EXPECT_TRUE(V->IsValid("500"));
    // Written again, the form says the same.
    std::unique_ptr<vcl::TForm> Again = ReadForm(vcl::ComponentToText(Form.get()));
    EXPECT_EQ(EditOf(Again.get(), "E")->Validator()->IsValid("900"), C.NoBounds);
  }
  // The same settings made in code switch the range on.
  std::unique_ptr<vcl::TForm> Form = ReadForm("object F: TForm\n  object E: TValidEdit\n"
                                              "    Kind = 2\n  end\nend\n");
  auto* V = static_cast<TIntegerValidator*>(EditOf(Form.get(), "E")->Validator());
  V->SetMax(500);
  EXPECT_FALSE(V->NoBounds());
  EXPECT_FALSE(V->IsValid("900"));
  EXPECT_NE(vcl::ComponentToText(Form.get()).find("Validator.NoBounds = False"), std::string::npos);
}

// The recording form with the validating edit's own handlers as well.
class THandlerForm : public TRecordingForm {
public:
  using TRecordingForm::TRecordingForm;
  void Error(vcl::TObject*, const std::string&) { Calls.push_back("Error"); }
  void GetText(TCustomValidEdit*, std::string&, bool) { Calls.push_back("GetText"); }
  void SetText(TCustomValidEdit*, std::string&) { Calls.push_back("SetText"); }
  void NewValidator(TCustomValidEdit*, vcl::Byte, TValidator*&) { Calls.push_back("NewValidator"); }
  static void Declare() {
    using T = THandlerForm;
    vcl::Published<T> P("TValEditHandlerForm");
    P.Inherits<vcl::TForm>();
    PublishHandlers(P);
    P.Method("Error", &T::Error)
        .Method("GetText", &T::GetText)
        .Method("SetText", &T::SetText)
        .Method("NewValidator", &T::NewValidator);
  }
};

// Every published property of the validating edit named in a form file,
// each off its default where it has one, with its popup menu found by name
// and a handler for every event; loaded, written and loaded again, it
// writes the same text. (The picture is left to the button edit's tests;
// ParentColor False is its default, so Color is written in its place.)
TEST(ValEditFormFile, EveryPublishedPropertyLoadsAndRoundTrips) {
  vcl::ResetLocale();
  RegisterValEditClasses();
  static const bool Declared = (THandlerForm::Declare(), true);
  (void)Declared;
  const std::string Text = R"(object Handlers: TValEditHandlerForm
  object Edit: TValidEdit
    Left = 8
    Top = 8
    Width = 180
    Height = 24
    Tag = 7
    AccessibleName = 'Order quantity'
    Alignment = taRightJustify
    AllowNull = False
    AlwaysEnable = True
    AutoSelect = False
    AutoSize = True
    BorderStyle = bsNone
    ButtonHint = 'Pick one'
    ButtonVisible = True
    CharCase = ecLowerCase
    ClickKey = 115
    Color = clYellow
    CompletionList = True
    Ctl3D = False
    DefaultDisplay = False
    ErrorColor = clMaroon
    ErrorDisplay = edInPlace
    DragCursor = crNoDrop
    DragMode = dmAutomatic
    EditText = '42'
    Enabled = False
    Font.Color = clRed
    GlyphKind = gkEllipsis
    ButtonWidth = 20
    HideSelection = False
    Kind = 2
    ImeMode = imClose
    ImeName = 'Latin'
    MaxLength = 12
    NumGlyphs = 2
    OEMConvert = True
    ParentColor = False
    ParentCtl3D = False
    ParentFont = False
    ParentShowHint = False
    PasswordChar = '*'
    PopupMenu = EditMenu
    ReadOnly = True
    SelectCompletion = True
    ShowErrors = [veInput]
    Hint = 'Short|Long'
    ShowHint = True
    TabOrder = 0
    TabStop = False
    TextHint = 'Amount'
    TextHintFocused = False
    Validation = [vtInput, vtSetValue]
    Validator.Max = 99
    Validator.Min = 1
    Validator.NoBounds = False
    Visible = False
    OnButtonClick = Notify
    OnChange = Notify
    OnClick = Notify
    OnDblClick = Notify
    OnDragDrop = Dropped
    OnDragOver = Over
    OnEndDrag = Dropped
    OnEnter = Notify
    OnErrorChange = Notify
    OnExit = Notify
    OnFocusError = Error
    OnGetText = GetText
    OnInputError = Error
    OnKeyDown = Key
    OnKeyPress = Typed
    OnKeyUp = Key
    OnMouseDown = Mouse
    OnMouseMove = Moved
    OnMouseUp = Mouse
    OnNewValidator = NewValidator
    OnSetText = SetText
    OnValidatorChange = Notify
    OnStartDrag = Started
  end
  object EditMenu: TPopupMenu
    object CopyItem: TMenuItem
      Caption = '&Copy'
      OnClick = Notify
    end
  end
end
)";
  THandlerForm First(nullptr), Second(nullptr);
  vcl::ReadComponentText(Text, &First);
  auto* Edit = dynamic_cast<TValidEdit*>(First.FindComponent("Edit"));
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->PopupMenu(), First.FindComponent("EditMenu"));
  EXPECT_EQ(Edit->DragCursor(), vcl::crNoDrop);
  EXPECT_EQ(Edit->DragMode(), vcl::dmAutomatic);
  EXPECT_EQ(Edit->EditText(), "42");
  vcl::TDragObject* Object = nullptr;
  bool Accept = false;
  First.Calls.clear(); // loading may already have asked the form's handlers
  Edit->OnStartDrag(Edit, Object);
  Edit->OnDragOver(Edit, Edit, 1, 2, vcl::dsDragMove, Accept);
  Edit->OnDragDrop(Edit, Edit, 1, 2);
  Edit->OnEndDrag(Edit, nullptr, 0, 0);
  EXPECT_EQ(First.Calls, (std::vector<std::string>{"Started", "Over", "Dropped", "Dropped"}));

  const std::string Written = vcl::ComponentToText(&First);
  vcl::ReadComponentText(Written, &Second);
  EXPECT_EQ(vcl::ComponentToText(&Second), Written);
  const vcl::TClassInfo* Info = vcl::FindClassInfo("TValidEdit");
  ASSERT_NE(Info, nullptr);
  for (const vcl::TPropInfo* P : Info->Properties())
    if (P->Name != "Glyph" && P->Name != "DisplayText" && P->Name != "ParentColor") {
      EXPECT_NE(Written.find("    " + P->Name + (P->Kind == vcl::tkClass ? "." : " = ")),
                std::string::npos)
          << P->Name;
    }
}

} // namespace
} // namespace valedit_test
