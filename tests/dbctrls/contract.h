// The contract every data-aware edit keeps, whatever the control and
// whatever the engine: a type-parameterised suite over (control, engine)
// pairs. Each engine's test file instantiates it for the three controls
// (sqlite_contract_test.cpp does it for SQLite).
//
// The controls are driven as a user drives them, on a form with a cancel
// button, another edit and a toolbar button that never takes the focus;
// the engine's own connection checks what was stored.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "btnedit/dbbtnedit.h"
#include "engine.h"
#include "valedit/dbvaledit.h"
#include "validate/integer.h"
#include "vcl/buttons.h"
#include "vcl/dbctrls.h"
#include "vcl/testing.h"

namespace dbtest {

template <class TControlType, class TEngineType> struct TContractCase {
  using Control = TControlType;
  using Engine = TEngineType;
};

// The rule each control holds the quantity to, in its own way, with a
// stored value outside it and a typed one it refuses. The validating edit
// takes 1 to 100 through its validator.
template <class TControl> struct TQuantityRule {
  static void Apply(TControl* Edit, vcl::TField*) {
    Edit->SetKind(ValEdit::vkInteger);
    auto* V = dynamic_cast<Validate::TIntegerValidator*>(Edit->Validator());
    V->SetNoBounds(false);
    V->SetMin(1);
    V->SetMax(100);
  }
  static constexpr const char* Outside = "500";
  static constexpr const char* Refused = "250";
};

// The masked edits take two digits at least, through the field's edit mask.
struct TMaskedQuantityRule {
  static void Apply(vcl::TWinControl*, vcl::TField* Field) { Field->SetEditMask("009;0;_"); }
  static constexpr const char* Outside = "5";
  static constexpr const char* Refused = "7";
};
template <> struct TQuantityRule<vcl::TDBEdit> : TMaskedQuantityRule {};
template <> struct TQuantityRule<BtnEdit::TDBBtnEdit> : TMaskedQuantityRule {};

template <class TCase> class DataAwareEditContract : public ::testing::Test {
protected:
  using TControl = typename TCase::Control;
  using TRule = TQuantityRule<TControl>;

  void SetUp() override {
    vcl::ResetLocale();
    Form = new vcl::TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Data = Engine.Customers(Form);
    Source = new vcl::TDataSource(Form);
    Source->SetDataSet(Data);
    Name = Edit(8, "name");
    Qty = Edit(40, "qty");
    Credit = Edit(72, "credit");
    Since = Edit(104, "since");
    Note = Edit(136, "note");
    Other = vcl::testing::Place<vcl::TEdit>(Form, 8, 168, 150, 21);
    CancelButton = vcl::testing::Place<vcl::TButton>(Form, 8, 200, 75, 25);
    CancelButton->SetCancel(true);
    CancelButton->OnClick = [this](vcl::TObject*) { Data->Cancel(); };
    Toolbar = vcl::testing::Place<vcl::TSpeedButton>(Form, 300, 8, 23, 22);
    Toolbar->OnClick = [this](vcl::TObject*) { Action(); };
    Action = [this] { Data->Post(); };
  }
  void TearDown() override {
    delete Form;
    vcl::ResetLocale();
  }
  // Opens the table and shows the form, the focus on the other edit.
  void Start() {
    Data->Open();
    vcl::testing::ShowForm(Form);
    ASSERT_TRUE(vcl::testing::MoveFocus(Other));
  }

  TControl* Edit(int Top, const char* Field) {
    auto* E = vcl::testing::Place<TControl>(Form, 8, Top, 150, 21);
    E->SetDataSource(Source);
    E->SetDataField(Field);
    return E;
  }
  // Enters E, selects all with Ctrl+A and types Text.
  void Retype(TControl* E, const std::string& Text) {
    ASSERT_TRUE(vcl::testing::MoveFocus(E));
    vcl::testing::PressKey('A', {vcl::ssCtrl});
    vcl::testing::TypeText(Text);
  }
  vcl::TField* FieldOf(TControl* E) { return Data->FieldByName(E->DataField()); }

  typename TCase::Engine Engine;
  vcl::testing::TMessageBoxRecorder Boxes;
  vcl::TForm* Form = nullptr;
  vcl::TDataSet* Data = nullptr;
  vcl::TDataSource* Source = nullptr;
  TControl *Name = nullptr, *Qty = nullptr, *Credit = nullptr, *Since = nullptr, *Note = nullptr;
  vcl::TEdit* Other = nullptr;
  vcl::TButton* CancelButton = nullptr;
  vcl::TSpeedButton* Toolbar = nullptr;
  std::function<void()> Action;
};

TYPED_TEST_SUITE_P(DataAwareEditContract);

namespace vt = vcl::testing;

// The field's edit form is in the window from the moment the control is
// entered, so the first key replaces what the user saw selected and is not
// swapped for another text under the selection.
TYPED_TEST_P(DataAwareEditContract, TypingOverTheShownValueReplacesIt) {
  this->Start();
  ASSERT_TRUE(vt::MoveFocus(this->Qty));
  vt::PressKey(vcl::VK_TAB);
  ASSERT_TRUE(this->Credit->Focused());
  EXPECT_EQ(this->Data->State(), vcl::dsBrowse);
  vt::PressKey('A', {vcl::ssCtrl});
  vt::TypeText("75");
  EXPECT_EQ(this->Credit->Text(), "75");
  vt::PressKey(vcl::VK_TAB);
  vt::Click(this->Toolbar);
  EXPECT_EQ(this->Data->State(), vcl::dsBrowse);
  EXPECT_TRUE(this->Engine.Holds(1, "credit = 75"));
}

// Emptying a value stores Null, whatever the field's type.
TYPED_TEST_P(DataAwareEditContract, AnEmptiedValueIsNull) {
  this->Start();
  for (auto* E : {this->Qty, this->Credit, this->Since, this->Note}) {
    ASSERT_TRUE(vt::MoveFocus(E));
    vt::PressKey('A', {vcl::ssCtrl});
    vt::PressKey(vcl::VK_DELETE);
    EXPECT_EQ(E->Text(), "") << E->DataField();
  }
  ASSERT_TRUE(vt::MoveFocus(this->Other));
  vt::Click(this->Toolbar);
  EXPECT_TRUE(this->Boxes.Boxes().empty());
  for (const char* Column : {"qty", "credit", "since", "note"})
    EXPECT_TRUE(this->Engine.Holds(1, std::string(Column) + " IS NULL")) << Column;
  EXPECT_EQ(this->Since->Text(), "");
}

// What the control refuses reaches neither the field nor the table, on any
// road: leaving it, or a post from a button that leaves the focus where it
// is. Escape gives back the record's value.
TYPED_TEST_P(DataAwareEditContract, ARefusedValueNeverReachesTheTable) {
  using TRule = typename TestFixture::TRule;
  this->Start();
  TRule::Apply(this->Qty, this->Data->FieldByName("qty"));
  this->Retype(this->Qty, TRule::Refused);
  EXPECT_FALSE(vt::MoveFocus(this->Other));
  EXPECT_TRUE(this->Qty->Focused());
  EXPECT_EQ(this->Boxes.Boxes().size(), 1u);
  EXPECT_EQ(this->FieldOf(this->Qty)->AsInteger(), 50);
  vt::PressKey(vcl::VK_ESCAPE);
  EXPECT_EQ(this->Qty->Text(), "50");
  EXPECT_EQ(this->FieldOf(this->Qty)->AsInteger(), 50);

  // Typed and never judged: the post judges it, fails and keeps it all.
  this->Retype(this->Qty, TRule::Refused);
  vt::Click(this->Toolbar);
  EXPECT_EQ(this->Boxes.Boxes().size(), 2u);
  EXPECT_TRUE(this->Qty->Focused());
  EXPECT_EQ(this->Data->State(), vcl::dsEdit);
  EXPECT_EQ(this->Qty->Text(), TRule::Refused);
  EXPECT_EQ(this->FieldOf(this->Qty)->AsInteger(), 50);
  EXPECT_TRUE(this->Engine.Holds(1, "qty = 50"));

  this->Retype(this->Qty, "75");
  vt::Click(this->Toolbar);
  EXPECT_EQ(this->Boxes.Boxes().size(), 2u);
  EXPECT_EQ(this->Data->State(), vcl::dsBrowse);
  EXPECT_TRUE(this->Engine.Holds(1, "qty = 75"));
}

// A value stored before the rule was tightened is judged only once the user
// changes it: tabbing through holds nobody, Escape gives the stored value
// back, and the form's cancel button or a cancel from the toolbar abandons
// the record from inside the control.
TYPED_TEST_P(DataAwareEditContract, NobodyIsTrappedInAControl) {
  using TRule = typename TestFixture::TRule;
  this->Engine.Exec(std::string("UPDATE customers SET qty = ") + TRule::Outside + " WHERE id = 1");
  this->Start();
  TRule::Apply(this->Qty, this->Data->FieldByName("qty"));
  this->Retype(this->Name, "Ada L"); // the record is being edited
  vt::PressKey(vcl::VK_TAB);
  ASSERT_TRUE(this->Qty->Focused());
  vt::PressKey(vcl::VK_TAB);
  EXPECT_TRUE(this->Credit->Focused());
  EXPECT_TRUE(this->Boxes.Boxes().empty());

  this->Retype(this->Qty, TRule::Refused);
  vt::PressKey(vcl::VK_ESCAPE);
  EXPECT_EQ(this->Qty->Text(), TRule::Outside);
  EXPECT_TRUE(vt::MoveFocus(this->Other));

  // Tabbing onto the cancel button is no wish to cancel: the text is judged.
  this->Retype(this->Qty, TRule::Refused);
  this->CancelButton->SetTabOrder(this->Qty->TabOrder() + 1);
  vt::PressKey(vcl::VK_TAB);
  EXPECT_TRUE(this->Qty->Focused());
  EXPECT_EQ(this->Boxes.Boxes().size(), 1u);
  vt::Click(this->CancelButton);
  EXPECT_TRUE(this->CancelButton->Focused());
  EXPECT_EQ(this->Data->State(), vcl::dsBrowse);
  EXPECT_EQ(this->Qty->Text(), TRule::Outside);
  EXPECT_EQ(this->Name->Text(), "Ada");

  this->Action = [this] { this->Data->Cancel(); };
  this->Retype(this->Qty, TRule::Refused);
  vt::Click(this->Toolbar);
  EXPECT_EQ(this->Data->State(), vcl::dsBrowse);
  EXPECT_EQ(this->Qty->Text(), TRule::Outside);
  EXPECT_TRUE(vt::MoveFocus(this->Other));
  EXPECT_EQ(this->Boxes.Boxes().size(), 1u);
  EXPECT_TRUE(this->Engine.Holds(1, std::string("name = 'Ada' AND qty = ") + TRule::Outside));
}

// A text with a NUL byte, stored by another program: shown whole with the
// NUL visibly replaced, written back only when the user edits it.
TYPED_TEST_P(DataAwareEditContract, AStoredNulIsShownAndNeverWrittenBackUnedited) {
  const std::string Stored("ab\0cd", 5);
  if (!this->Engine.StoreNote(1, Stored))
    GTEST_SKIP() << "the engine's texts hold no NUL";
  this->Start();
  const std::string Shown = std::string("ab") + vcl::NulStandIn + "cd";
  EXPECT_EQ(this->Note->Text(), Shown);
  ASSERT_TRUE(vt::MoveFocus(this->Note));
  EXPECT_EQ(this->Note->Text(), Shown);
  this->Retype(this->Name, "Ada L");
  vt::PressKey(vcl::VK_TAB);
  vt::Click(this->Toolbar);
  EXPECT_TRUE(this->Engine.Holds(1, "name = 'Ada L'"));
  EXPECT_EQ(this->Engine.Note(1), Stored);

  ASSERT_TRUE(vt::MoveFocus(this->Note));
  vt::PressKey(vcl::VK_END);
  vt::TypeText("e");
  ASSERT_TRUE(vt::MoveFocus(this->Other));
  vt::Click(this->Toolbar);
  EXPECT_EQ(this->Engine.Note(1), Shown + "e");
}

// Every way a user changes the text asks for edit mode first, so none of
// them is lost on a browsing data set.
TYPED_TEST_P(DataAwareEditContract, EveryEditOfTheUsersEntersEditMode) {
  this->Start();
  this->Other->SetTextBuf("dropped");
  this->Other->SetDragMode(vcl::dmAutomatic);
  auto* Note = this->Note;
  Note->OnDragOver = [](vcl::TObject*, vcl::TObject*, int, int, vcl::TDragState, bool& Accept) {
    Accept = true;
  };
  Note->OnDragDrop = [this, Note](vcl::TObject*, vcl::TObject*, int X, int) {
    Note->DropText(this->Other->Text(), X);
  };
  struct TAction {
    const char* What;
    std::function<void()> Do;
    const char* Result;
  };
  const TAction Actions[] = {
      {"a character", [] { vt::TypeText("x"); }, "x"},
      {"Backspace", [] { vt::PressKey(vcl::VK_BACK); }, ""},
      {"Delete", [] { vt::PressKey(vcl::VK_DELETE); }, ""},
      {"Ctrl+V", [] { vt::PasteText("pasted"); }, "pasted"},
      {"Ctrl+X", [] { vt::PressKey('X', {vcl::ssCtrl}); }, ""},
      {"a drop", [this, Note] { vt::DragAndDrop(this->Other, 5, 5, Note, 1, 5); }, "droppedfirst"},
      {"the menu's Delete",
       [Note] {
         vt::RightClickAt(Note, 2, 2);
         EXPECT_TRUE(vt::ClickMenuItem("Delete"));
       },
       ""},
  };
  for (const TAction& A : Actions) {
    ASSERT_TRUE(vt::MoveFocus(Note)) << A.What;
    vt::PressKey('A', {vcl::ssCtrl});
    A.Do();
    EXPECT_EQ(this->Data->State(), vcl::dsEdit) << A.What;
    EXPECT_EQ(Note->Text(), A.Result) << A.What;
    ASSERT_TRUE(vt::MoveFocus(this->Other)) << A.What;
    this->Data->Cancel();
    EXPECT_EQ(Note->Text(), "first") << A.What;
  }
}

// The user's MaxLength holds when set; otherwise the string field's size.
TYPED_TEST_P(DataAwareEditContract, MaxLengthIsTheUsersElseTheFieldsSize) {
  this->Start();
  this->Retype(this->Name, std::string(25, 'n'));
  EXPECT_EQ(this->Name->Text(), std::string(20, 'n'));
  this->Data->Cancel();
  this->Name->SetMaxLength(5);
  this->Retype(this->Name, std::string(25, 'n'));
  EXPECT_EQ(this->Name->Text(), "nnnnn");
  EXPECT_EQ(this->Name->MaxLength(), 5);
  this->Data->Cancel();
  this->Name->SetMaxLength(0);
  this->Name->SetDataField("note");
  this->Retype(this->Name, std::string(45, 'n'));
  EXPECT_EQ(this->Name->Text(), std::string(40, 'n'));
  EXPECT_EQ(this->Name->MaxLength(), 0);
}

REGISTER_TYPED_TEST_SUITE_P(DataAwareEditContract, TypingOverTheShownValueReplacesIt,
                            AnEmptiedValueIsNull, ARefusedValueNeverReachesTheTable,
                            NobodyIsTrappedInAControl, AStoredNulIsShownAndNeverWrittenBackUnedited,
                            EveryEditOfTheUsersEntersEditMode,
                            MaxLengthIsTheUsersElseTheFieldsSize);

} // namespace dbtest
