// TFieldBinding: the rules the data-aware edits share, between the field
// data link and the control's own showing and judging.
#include "vcl/dbctrls/fieldbinding.h"

#include <algorithm>
#include <utility>

#include "vcl/forms.h"

namespace vcl {

namespace {

// The window holds a text up to its first NUL byte: the rest would be
// hidden, and the window's text would never equal the field's again.
std::string Holdable(std::string S) {
  std::replace(S.begin(), S.end(), '\0', NulStandIn);
  return S;
}

// Sets a flag for the lifetime of the guard, also when what it guards fails.
class TFlagGuard {
public:
  explicit TFlagGuard(bool& Flag) : FFlag(Flag), FOld(std::exchange(Flag, true)) {}
  ~TFlagGuard() { FFlag = FOld; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

} // namespace

TFieldBinding::TFieldBinding(TCustomEdit& Edit, IFieldBindingControl& Control)
    : FEdit(Edit), FControl(Control), FDataLink(std::make_unique<TFieldDataLink>()) {
  FControl.SetWindowReadOnly(true);
  FDataLink->SetControl(&Edit);
  FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink->OnEditingChange = [this](TObject*) { EditingChange(); };
  FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
  FDataLink->OnFocusControl = [this] {
    if (!FEdit.CanFocus())
      return false;
    FEdit.SetFocus();
    return true;
  };
}

TFieldBinding::~TFieldBinding() = default;

// ---------------------------------------------------------------------------
// Properties and the component's life

void TFieldBinding::SetDataSource(TDataSource* Value) {
  FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(&FEdit);
}

// The window follows the link: writable only while the data set is edited
// and the link may change its field, so clearing ReadOnly while browsing
// does not let typing run ahead of edit mode.
void TFieldBinding::SetReadOnly(bool Value) {
  FDataLink->SetReadOnly(Value);
  EditingChange();
}

void TFieldBinding::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  ApplyMaxLength();
}

// The user's limit when set: a limit the user chose is never overruled. A
// string field's size otherwise, so that nothing longer than the column is
// typed; other fields are not limited.
void TFieldBinding::ApplyMaxLength() {
  TField* F = Field();
  const int FieldSize = F && F->DataType() == ftString ? F->Size() : 0;
  FControl.SetWindowMaxLength(FMaxLength > 0 ? FMaxLength : FieldSize);
}

void TFieldBinding::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == DataSource())
    SetDataSource(nullptr);
}

void TFieldBinding::Loaded() {
  if (FEdit.ComponentState().Contains(csDesigning))
    DataChange();
}

void TFieldBinding::GetDataLink(TMessage& Message) const {
  Message.Result = reinterpret_cast<std::intptr_t>(FDataLink.get());
}

// ---------------------------------------------------------------------------
// Showing the field

std::string TFieldBinding::FieldText(bool Display) const {
  TField* F = Field();
  if (!F)
    return std::string();
  return Holdable(Display ? F->DisplayText() : F->Text());
}

std::string TFieldBinding::FieldValue() const {
  TField* F = Field();
  return !F || F->IsNull() ? std::string() : Holdable(F->AsString());
}

void TFieldBinding::ShowMasked(TCustomMaskEdit& Edit, TField* F, bool EditForm) const {
  if (!F) {
    Edit.SetEditText(Edit.ComponentState().Contains(csDesigning) ? Edit.Name() : std::string());
  } else if (EditForm) {
    // The same text is not set again, so the caret and the selection of the
    // user who is typing stay where they are.
    const std::string T = FieldText(false);
    if (Edit.Text() != T)
      Edit.SetTextBuf(T);
  } else {
    Edit.SetEditText(FieldText(true));
  }
  Edit.SetModified(false);
}

void TFieldBinding::DataChange() {
  TField* F = Field();
  ApplyMaxLength();
  TFlagGuard Showing(FShowing);
  FControl.ShowField(F, F && FFocused && FDataLink->CanModify());
  FShownText = FControl.TypedText();
}

void TFieldBinding::EditingChange() {
  FControl.SetWindowReadOnly(!FDataLink->Editing());
}

void TFieldBinding::Changed() {
  if (!FShowing)
    FDataLink->Modified();
}

// ---------------------------------------------------------------------------
// Focus

// A text that could not be handed over when a hidden or disabled control
// let the focus go stays as typed, to be judged again on the next road.
void TFieldBinding::SetFocused(bool Value) {
  if (Value == FFocused)
    return;
  FFocused = Value;
  if (!HasPendingEdit())
    FDataLink->Reset();
}

void TFieldBinding::Entered() {
  if (SysLocale.FarEast && FDataLink->CanModify())
    FControl.SetWindowReadOnly(false);
}

bool TFieldBinding::HasPendingEdit() {
  return FDataLink->IsModified() && FControl.TypedText() != FShownText;
}

// Pressed with the mouse: tabbing onto the button is no wish to cancel.
bool TFieldBinding::LeavingForCancel() const {
  TCustomForm* Form = GetParentForm(&FEdit);
  const auto* Button = Form ? dynamic_cast<const TButton*>(Form->FocusedControl()) : nullptr;
  return Button && Button->Cancel() && Button->ControlState().Contains(csLButtonDown);
}

bool TFieldBinding::Exit() {
  if (LeavingForCancel()) {
    FDataLink->Reset();
    return true;
  }
  // A control being hidden or disabled cannot take the focus back: it lets
  // it go without a word, and what was typed waits, unjudged, for the next
  // road to the table.
  if (!HasPendingEdit() || !FEdit.CanFocus())
    return true;
  try {
    if (!FControl.AcceptTyped()) {
      FEdit.SetFocus();
      return false;
    }
    TFlagGuard Judged(FJudged);
    FDataLink->UpdateRecord();
  } catch (...) {
    FEdit.SelectAll();
    FEdit.SetFocus();
    throw;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Handing the text over

// The data set asks for what the user typed (or leaving hands it over).
void TFieldBinding::UpdateData() {
  if (!HasPendingEdit())
    return;
  if (!FJudged && !FControl.AcceptTyped())
    RefuseUpdate();
  // A stored text that was not valid UTF-8 shows its broken parts as U+FFFD;
  // once edited it is written as the user sees it.
  Field()->SetText(RepairUtf8(FControl.TypedText()));
}

void TFieldBinding::RefuseUpdate() {
  if (!FEdit.Focused() && FEdit.CanFocus())
    FEdit.SetFocus();
  Abort();
}

// ---------------------------------------------------------------------------
// The user's actions

bool TFieldBinding::Edit() {
  return FDataLink->Edit();
}

bool TFieldBinding::CanEdit() const {
  if (FDataLink->Editing())
    return true;
  const TDataSource* Source = DataSource();
  return FDataLink->CanModify() && Source && Source->AutoEdit() && Source->State() == dsBrowse;
}

void TFieldBinding::BeforeMessage(const TMessage& Message) {
  if (Message.Msg == WM_CUT || Message.Msg == WM_PASTE || Message.Msg == WM_CLEAR)
    Edit();
}

void TFieldBinding::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
    Edit();
}

void TFieldBinding::KeyPress(char32_t& Key, bool Beep) {
  const auto Printable = [&Key] { return IsTypedChar(Key); };
  if (Printable() && Field() && !Field()->IsValidChar(Key)) {
    if (Beep)
      MessageBeep(0);
    Key = 0;
  }
  if (Key == '\b' || Key == 22 || Key == 24 || Printable()) {
    Edit();
  } else if (Key == '\x1b') {
    Reset();
    Key = 0;
  }
}

void TFieldBinding::Reset() {
  FDataLink->Reset();
  FEdit.SelectAll();
}

} // namespace vcl
