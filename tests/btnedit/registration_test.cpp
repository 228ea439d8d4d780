// Button edits in form files: a form holding one of every glyph kind is
// written, read back into a fresh form and written again, and the two forms
// look the same on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "btnedit/btnedit.h"
#include "tests/vcl/forms/recording_form.h"
#include "vcl/menus.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
using namespace BtnEdit;
namespace vt = vcl::testing;

namespace {

TBtnEdit* AddEdit(TForm* Form, const std::string& Name, int Top) {
  auto* E = new TBtnEdit(Form);
  E->SetName(Name);
  E->SetParent(Form);
  E->SetBounds(16, Top, 180, 21);
  return E;
}

// Fills a form with button edits of every kind and a few non-default settings.
void BuildForm(TForm* Form) {
  Form->SetName("EditsForm");
  Form->SetCaption("Button edits");
  Form->SetBounds(0, 0, 240, 250);

  TBtnEdit* Custom = AddEdit(Form, "CustomEdit", 12);
  TBitmap Glyph; // two 8x8 images: a red square, then a grey one
  Glyph.SetSize(16, 8);
  Glyph.Canvas()->Brush()->SetColor(clFuchsia);
  Glyph.Canvas()->FillRect(Rect(0, 0, 16, 8));
  Glyph.Canvas()->Brush()->SetColor(clRed);
  Glyph.Canvas()->FillRect(Rect(1, 1, 7, 7));
  Glyph.Canvas()->Brush()->SetColor(clGray);
  Glyph.Canvas()->FillRect(Rect(9, 1, 15, 7));
  Custom->SetGlyph(&Glyph);
  Custom->SetClickKey(ShortCut(VK_F4, {}));
  Custom->SetAlignment(taRightJustify);
  Custom->SetTextBuf("right");

  TBtnEdit* Default = AddEdit(Form, "DefaultEdit", 44);
  Default->SetGlyphKind(gkDefault);
  Default->SetReadOnly(true);
  Default->SetAlwaysEnable(true);
  Default->SetButtonHint("Nothing to show");
  Default->SetTextBuf("read-only");

  TBtnEdit* DropDown = AddEdit(Form, "DropDownEdit", 76);
  DropDown->SetGlyphKind(gkDropDown);
  DropDown->SetAlignment(taCenter);
  DropDown->SetTextBuf("centred");

  TBtnEdit* Ellipsis = AddEdit(Form, "EllipsisEdit", 108);
  Ellipsis->SetGlyphKind(gkEllipsis);
  Ellipsis->SetButtonWidth(20);
  Ellipsis->SetClickKey(scAltDown); // the other kind's key, chosen by the user
  Ellipsis->SetPasswordChar('*');
  Ellipsis->SetTextBuf("secret");

  TBtnEdit* Hidden = AddEdit(Form, "HiddenEdit", 140);
  Hidden->SetButtonVisible(false);
  Hidden->SetTextBuf("no button");

  TBtnEdit* Flat = AddEdit(Form, "FlatEdit", 172);
  Flat->SetGlyphKind(gkEllipsis);
  Flat->SetCtl3D(false);
  Flat->SetTextBuf("flat");
}

TBtnEdit* Find(TForm* Form, const std::string& Name) {
  auto* E = dynamic_cast<TBtnEdit*>(Form->FindComponent(Name));
  if (!E)
    throw Exception("No button edit " + Name);
  return E;
}

// Every published property of every button edit, as its form-file value.
void ExpectSameEdits(TForm* A, TForm* B) {
  const TClassInfo* Info = FindClassInfo("TBtnEdit");
  ASSERT_NE(Info, nullptr);
  for (const char* Name :
       {"CustomEdit", "DefaultEdit", "DropDownEdit", "EllipsisEdit", "HiddenEdit", "FlatEdit"}) {
    SCOPED_TRACE(Name);
    TBtnEdit* EA = Find(A, Name);
    TBtnEdit* EB = Find(B, Name);
    for (const TPropInfo* P : Info->Properties())
      if (P->Kind != tkClass && P->Kind != tkMethod) {
        EXPECT_TRUE(P->Get(EA) == P->Get(EB)) << P->Name;
      }
    EXPECT_EQ(EA->Glyph()->Pixels(), EB->Glyph()->Pixels());
    EXPECT_EQ(EA->Parent(), A);
    EXPECT_EQ(EB->Parent(), B);
  }
}

class FormFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    Original = new TForm(nullptr);
    BuildForm(Original);
    Copy = new TForm(nullptr);
  }
  void TearDown() override {
    delete Copy;
    delete Original;
  }
  TForm* Original = nullptr;
  TForm* Copy = nullptr;
};

TEST_F(FormFileTest, EveryGlyphKindRoundTrips) {
  const std::string Text = ComponentToText(Original);
  ReadComponentText(Text, Copy);
  ExpectSameEdits(Original, Copy);
  EXPECT_EQ(ComponentToText(Copy), Text);

  // What the user set is back, including the keys the kinds would have replaced.
  EXPECT_EQ(Find(Copy, "CustomEdit")->ClickKey(), ShortCut(VK_F4, {}));
  EXPECT_EQ(Find(Copy, "CustomEdit")->NumGlyphs(), 2);
  EXPECT_EQ(Find(Copy, "EllipsisEdit")->ClickKey(), scAltDown);
  EXPECT_EQ(Find(Copy, "DropDownEdit")->ClickKey(), scAltDown);
  EXPECT_EQ(Find(Copy, "DefaultEdit")->ClickKey(), scCtrlEnter);
  EXPECT_EQ(Find(Copy, "EllipsisEdit")->Glyph()->Width(), 16);
  EXPECT_FALSE(Find(Copy, "HiddenEdit")->ButtonVisible());
}

TEST_F(FormFileTest, OnlyCustomPicturesAndKeysOffTheirKindAreStored) {
  const std::string Text = ComponentToText(Original);
  auto Section = [&Text](const std::string& Name) {
    const auto Start = Text.find("object " + Name + ":");
    return Text.substr(Start, Text.find("\n  end", Start) - Start);
  };
  EXPECT_NE(Section("CustomEdit").find("Glyph.Data = {"), std::string::npos);
  EXPECT_EQ(Section("EllipsisEdit").find("Glyph"), Section("EllipsisEdit").find("GlyphKind"));
  EXPECT_EQ(Section("DropDownEdit").find("ClickKey"), std::string::npos);
  EXPECT_EQ(Section("DefaultEdit").find("ClickKey"), std::string::npos);
  // Published order: the key comes before the kind.
  const std::string Ellipsis = Section("EllipsisEdit");
  EXPECT_LT(Ellipsis.find("ClickKey = 32808"), Ellipsis.find("GlyphKind = gkEllipsis"));
}

TEST_F(FormFileTest, AKeyStoredBeforeTheKindSurvivesReading) {
  Copy->SetName("KeyForm");
  ReadComponentText("object KeyForm: TForm\n"
                    "  object Edit1: TBtnEdit\n"
                    "    ClickKey = 115\n" // F4
                    "    GlyphKind = gkDropDown\n"
                    "  end\n"
                    "  object Edit2: TBtnEdit\n"
                    "    GlyphKind = gkDropDown\n"
                    "  end\n"
                    "end\n",
                    Copy);
  EXPECT_EQ(Find(Copy, "Edit1")->ClickKey(), ShortCut(VK_F4, {}));
  EXPECT_EQ(Find(Copy, "Edit2")->ClickKey(), scAltDown);
  // Once the form is read the kind sets the key again.
  Find(Copy, "Edit1")->SetGlyphKind(gkEllipsis);
  EXPECT_EQ(Find(Copy, "Edit1")->ClickKey(), scCtrlEnter);
}

TEST_F(FormFileTest, TheReadFormLooksLikeTheOriginal) {
  ReadComponentText(ComponentToText(Original), Copy);
  // The focus rests on the edit without a button, so the aligned ones paint their own text.
  vt::ShowForm(Original);
  ASSERT_TRUE(vt::MoveFocus(Find(Original, "HiddenEdit")));
  const TPixelBuffer Before = vt::PaintForm(Original);
  Original->Hide();
  vt::ShowForm(Copy);
  ASSERT_TRUE(vt::MoveFocus(Find(Copy, "HiddenEdit")));
  const TPixelBuffer After = vt::PaintForm(Copy);
  EXPECT_TRUE(Before == After);

  // A picture for people to look at.
  TPixelBuffer Window;
  Copy->PaintTo(Window);
  Window.SaveToPng(::testing::TempDir() + "btnedit_form.png");
}

// The recording form, declared after the button edit's classes.
class THandlerForm : public TRecordingForm {
public:
  using TRecordingForm::TRecordingForm;
  static void Declare() {
    RegisterBtnEditClasses();
    Published<THandlerForm> P("THandlerForm");
    P.Inherits<TForm>();
    PublishHandlers(P);
  }
};

// Every published property of the button edit named in a form file, each
// off its default, with its popup menu found by name and a handler for
// every event; loaded, written and loaded again, it writes the same text.
// (The picture is left to the glyph round trips above; ParentColor False is
// its default, so Color is written in its place.)
TEST(BtnEditFormFileText, EveryPublishedPropertyLoadsAndRoundTrips) {
  static const bool Declared = (THandlerForm::Declare(), true);
  (void)Declared;
  const std::string Text = R"(object Handlers: THandlerForm
  object Edit: TBtnEdit
    Left = 8
    Top = 8
    Width = 180
    Height = 24
    Tag = 7
    AccessibleName = 'Sales region'
    Alignment = taRightJustify
    AlwaysEnable = True
    AutoSelect = False
    AutoSize = True
    BorderStyle = bsNone
    ButtonHint = 'Pick one'
    ButtonVisible = False
    CharCase = ecUpperCase
    ClickKey = 115
    Color = clYellow
    Ctl3D = False
    DragCursor = crHandPoint
    DragMode = dmAutomatic
    Enabled = False
    Font.Color = clRed
    GlyphKind = gkEllipsis
    ButtonWidth = 20
    HideSelection = False
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
    Hint = 'Short|Long'
    ShowHint = True
    TabOrder = 0
    TabStop = False
    Text = 'HELLO'
    TextHint = 'Region'
    TextHintFocused = False
    Visible = False
    OnButtonClick = Notify
    OnChange = Notify
    OnClick = Notify
    OnDblClick = Notify
    OnDragDrop = Dropped
    OnDragOver = Over
    OnEndDrag = Dropped
    OnEnter = Notify
    OnExit = Notify
    OnKeyDown = Key
    OnKeyPress = Typed
    OnKeyUp = Key
    OnMouseDown = Mouse
    OnMouseMove = Moved
    OnMouseUp = Mouse
    OnStartDrag = Started
  end
  object EditMenu: TPopupMenu
    object CopyItem: TMenuItem
      Caption = '&Copy'
      ShortCut = 16451
      OnClick = Notify
    end
  end
end
)";
  THandlerForm First(nullptr), Second(nullptr);
  ReadComponentText(Text, &First);
  auto* Edit = dynamic_cast<TBtnEdit*>(First.FindComponent("Edit"));
  auto* Menu = dynamic_cast<TPopupMenu*>(First.FindComponent("EditMenu"));
  ASSERT_NE(Edit, nullptr);
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(Edit->PopupMenu(), Menu);
  ASSERT_EQ(Menu->Items()->Count(), 1);
  EXPECT_EQ(Menu->Items()->Items(0)->ShortCut(), ShortCut('C', {ssCtrl}));
  EXPECT_EQ(Edit->DragCursor(), crHandPoint);
  EXPECT_EQ(Edit->DragMode(), dmAutomatic);
  // The drag events call the form's handlers they name.
  TDragObject* Object = nullptr;
  bool Accept = false;
  First.Calls.clear(); // loading may already have asked the form's handlers
  Edit->OnStartDrag(Edit, Object);
  Edit->OnDragOver(Edit, Edit, 1, 2, dsDragEnter, Accept);
  Edit->OnDragDrop(Edit, Edit, 1, 2);
  Edit->OnEndDrag(Edit, nullptr, 0, 0);
  EXPECT_EQ(First.Calls, (std::vector<std::string>{"Started", "Over", "Dropped", "Dropped"}));
  EXPECT_TRUE(Accept);

  const std::string Written = ComponentToText(&First);
  ReadComponentText(Written, &Second);
  EXPECT_EQ(ComponentToText(&Second), Written);
  const TClassInfo* Info = FindClassInfo("TBtnEdit");
  ASSERT_NE(Info, nullptr);
  for (const TPropInfo* P : Info->Properties())
    if (P->Name != "Glyph" && P->Name != "ParentColor") {
      EXPECT_NE(Written.find("    " + P->Name + (P->Kind == tkClass ? "." : " = ")),
                std::string::npos)
          << P->Name;
    }
}

} // namespace
