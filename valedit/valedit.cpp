// The validating edit's core: construction, the kind and the validator it
// owns, switching the window between the stored and the display text as the
// focus comes and goes, judging the value on leaving the control, and the
// two error reports.
#include "valedit/valedit.h"

#include <memory>

#include "calform/calform.h"
#include "resources/resources.h"
#include "valedit/detail/completionlist.h"
#include "vcl/dialogs.h"

namespace ValEdit {

using namespace vcl;
using Validate::TValidator;

namespace {

// A new bitmap holding the image of the bitmap resource "RValidCalendar".
std::unique_ptr<TBitmap> LoadCalendarBitmap() {
  auto Calendar = std::make_unique<TBitmap>();
  Calendar->LoadFromBmpData(std::string(Resources::Find("RValidCalendar")));
  return Calendar;
}

} // namespace

TCustomValidEdit::TCustomValidEdit(TComponent* AOwner) : TCustomBtnEdit(AOwner) {
  FAllowNull = true;
  SetButtonVisible(false);
  FDefaultDisplay = true;
  FKind = vkNone;
  FShowErrors = {veFocus};
  FValidation = {vtInput, vtFocus};
  FValidator = new TValidator(this);
}

TCustomValidEdit::~TCustomValidEdit() {
  FCompletion.reset();
  delete FValidator;
  FValidator = nullptr;
}

void TCustomValidEdit::ShowText(bool Display) {
  TLockGuard Guard(*this);
  SetTextBuf(Display ? GetDisplayText() : FStoredText);
}

// ---------------------------------------------------------------------------
// Kind and validator

void TCustomValidEdit::SetKind(Byte Value) {
  if (Value == FKind)
    return;
  if (Value == vkDate) {
    SetGlyphKind(BtnEdit::gkDefault);
    // Straight into the button's bitmap, so that GlyphKind stays gkDefault.
    Button()->Glyph()->SetHandle(LoadCalendarBitmap()->ReleaseHandle());
    SetButtonVisible(true);
    Button()->SetLayout(blGlyphBottom);
  } else if (FKind == vkDate && GlyphKind() == BtnEdit::gkDefault) {
    SetGlyph(nullptr);
  }
  FKind = Validate::IsKeptKind(Value) ? Value : vkNone;
  delete FValidator;
  FValidator = nullptr;
  try {
    TValidator* NewValidator = nullptr;
    if (Value >= vkFirstApplication && OnNewValidator)
      OnNewValidator(this, Value, NewValidator);
    FValidator = NewValidator ? NewValidator : GetNewValidator(Value);
  } catch (...) {
    // The control never stays without a validator, whatever a handler does.
    FValidator = new TValidator(this);
    throw;
  }
  ValidatorChange();
}

TValidator* TCustomValidEdit::GetNewValidator(Byte AKind) {
  if (const Validate::TValidatorKind* Row = Validate::FindKind(AKind))
    return Row->Create(this);
  return new TValidator(this);
}

void TCustomValidEdit::SetValidator(TValidator* Value) {
  FValidator->Assign(Value);
  ValidatorChange();
}

void TCustomValidEdit::ValidatorChange() {
  CloseCompletionList();
  {
    TLockGuard Guard(*this);
    // An empty value may be given its edit form (an OnGetText handler that
    // supplies a default), never its display form: that would turn an
    // empty value into "$0.00" or the like as soon as it is edited.
    if (FStoredText.empty())
      GetText(FStoredText, false);
    SetTextBuf(FocusedFlag() ? FStoredText : GetDisplayText());
  }
  if (Alignment() != taLeftJustify)
    Invalidate();
  ErrorMayGo();
  if (OnValidatorChange)
    OnValidatorChange(this);
}

// ---------------------------------------------------------------------------
// Focus

void TCustomValidEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
  case WM_UNDO:
  case EM_UNDO:
  case EM_REDO:
    HistoryStep(Message);
    return;
  case CM_VALIDATEEXIT:
    CMValidateExit(Message);
    return;
  case CM_HINTSHOW:
    CMHintShow(Message);
    return;
  case WM_KILLFOCUS:
    CloseCompletionList();
    TCustomBtnEdit::WndProc(Message);
    return;
  case WM_CHAR:
  case WM_KEYDOWN:
  case WM_PASTE:
  case WM_CUT:
  case WM_CLEAR:
    UserEdit(Message);
    return;
  default:
    TCustomBtnEdit::WndProc(Message);
  }
}

void TCustomValidEdit::CMEnter(TMessage& Message) {
  SetFocused(true);
  TCustomBtnEdit::CMEnter(Message);
}

void TCustomValidEdit::SetFocused(bool Value) {
  if (Value == FocusedFlag())
    return;
  SetFocusedFlag(Value);
  FCompletionStart = -1;
  ShowText(!Value);
  if (Alignment() != taLeftJustify)
    Invalidate();
}

void TCustomValidEdit::CMExit(TMessage& Message) {
  // A control being hidden or disabled cannot take the focus back: it lets
  // it go without a word and keeps a refused text as it was.
  const bool CanStay = CanFocus();
  if (!ValidateExit(CanStay) && CanStay) {
    // Taking the focus back stops the change; the control stays focused
    // with the stored text as it was, and OnExit does not fire.
    SetFocus();
    return;
  }
  SetFocused(false);
  TCustomBtnEdit::CMExit(Message);
}

bool TCustomValidEdit::ValidateExit(bool Report) {
  if (!FValidator || !FValidation.Contains(vtFocus))
    return true;
  std::string S = FStoredText;
  FValidator->SetText(S);
  if (FValidator->IsValid(S) && (FAllowNull || !S.empty())) {
    FStoredText = S;
    ClearError();
    return true;
  }
  if (Report) {
    if (S.empty() && FErrorDisplay == edInPlace)
      ShowErrorInPlace(SValueRequired(), false);
    else if (S.empty())
      MessageDlg(SValueRequired(), mtError, {mbOK}, 0);
    else
      FocusError(FStoredText);
  }
  return false;
}

// Enter on the default button: judged as a focus move would be, but the
// focus stays, so a default button that does not close the form leaves the
// user where they were typing; the window shows the normalised text.
void TCustomValidEdit::CMValidateExit(TMessage& Message) {
  if (!ValidateExit(true)) {
    Message.Result = 1;
    return;
  }
  if (FocusedFlag() && Text() != FStoredText) {
    TLockGuard Guard(*this);
    ReplaceAllText(FStoredText);
  }
}

// ---------------------------------------------------------------------------
// Judging and reporting

bool TCustomValidEdit::Valid() {
  // While a form is read the validator's settings arrive one by one, each
  // asking for a judgement; a stored text may be valid only under all of
  // them, so it is judged by nothing until loading has finished (it was
  // valid when the form was stored, and a hand-edited one is still stopped
  // on leaving the control).
  if (ComponentState().Contains(csLoading))
    return true;
  if (FValidation.Contains(vtFocus) || FValidation.Contains(vtSetValue))
    return IsValid();
  return true;
}

bool TCustomValidEdit::IsValid() {
  bool R = FValidator ? FValidator->IsValid(FStoredText) : true;
  if (R && !FAllowNull)
    R = !FStoredText.empty();
  return R;
}

void TCustomValidEdit::GetAccessibleStates(vcl::TAccessibleStates& States) {
  TCustomBtnEdit::GetAccessibleStates(States);
  if (!FAllowNull)
    States.Include(vcl::asRequired);
  if (!FStoredText.empty() && !IsValid())
    States.Include(vcl::asInvalid);
}

void TCustomValidEdit::FocusError(const std::string& S) {
  if (FShowErrors.Contains(veFocus) && FValidator)
    ReportError(false, S);
  if (OnFocusError)
    OnFocusError(this, S);
}

void TCustomValidEdit::InputError(const std::string& S) {
  if (FShowErrors.Contains(veInput) && FValidator)
    ReportError(true, S);
  if (OnInputError)
    OnInputError(this, S);
}

void TCustomValidEdit::SetValueError(const std::string& S) {
  throw EValidationError(S);
}

TBitmap* TCustomValidEdit::GetDefaultBitmap(bool& DestroyIt) {
  if (FKind != vkDate)
    return nullptr;
  DestroyIt = true;
  return LoadCalendarBitmap().release();
}

// ---------------------------------------------------------------------------
// The calendar button

void TCustomValidEdit::ButtonClick() {
  if (ButtonVisible() && FKind == vkDate && GlyphKind() == BtnEdit::gkDefault)
    PickDate();
  TCustomBtnEdit::ButtonClick();
}

// Opens the calendar dialog on the control's date (today for an empty
// control or one whose text is no date, which is cleared) and writes the
// date chosen with OK back as a value assignment. The dialog is freed
// however the steps end.
void TCustomValidEdit::PickDate() {
  std::unique_ptr<CalForm::TCalendarForm> Dialog(new CalForm::TCalendarForm(Parent()));
  TDateTime D = 0;
  try {
    D = AsDate();
  } catch (...) {
    SetEditText("");
    D = 0;
  }
  Dialog->SetDate(D == 0 ? vcl::Date() : D);
  if (Dialog->ShowModal() == mrOk)
    SetAsDate(Dialog->GetDate());
}

bool TCustomValidEdit::EditCanModify() {
  return true;
}

void TCustomValidEdit::Loaded() {
  TCustomBtnEdit::Loaded();
  if (!ComponentState().Contains(csDesigning) && !Focused())
    ShowText(true);
}

} // namespace ValEdit
