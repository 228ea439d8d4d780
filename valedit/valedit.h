// The validating edit: a button edit that owns one validator, chosen by the
// byte Kind, and judges through it every keystroke and paste (before the edit
// window sees them), every exit from the control and every value assigned
// from code. The control keeps the text as the user entered it (the stored
// text) apart from what its window shows: the stored text while it has the
// focus, the validator's display form of it (grouped digits, a currency sign)
// while it has not. The value is also offered as typed properties.
//
// TCustomValidEdit holds the behaviour and TValidEdit publishes it. The
// sources are split by concern: valedit.cpp (construction, kind and
// validator, focus, error reports), valedit_text.cpp (stored text,
// keystrokes, paste, the two views), valedit_typed.cpp (typed values),
// valedit_completion.cpp (the completion list of a word list) and
// valedit_published.cpp (the form-file table).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "btnedit/btnedit.h"
#include "validate/kinds.h"
#include "validate/validator.h"
#include "vcl/sysutils.h"

namespace ValEdit {

namespace detail {
class TCompletionList;
} // namespace detail

VCL_ENUM(TValidationType, std::uint8_t, vtInput, vtFocus, vtSetValue);
using TValidation = vcl::Set<TValidationType>;
VCL_ENUM(TValidationErrorType, std::uint8_t, veInput, veFocus);
using TValidationError = vcl::Set<TValidationErrorType>;
// How a refusal that ShowErrors lets through is shown: in the validator's
// modal box (edMessageBox, the default), or in place (edInPlace): the frame
// turns red, an error mark stands at the right edge of the text (left of
// the button), and the message becomes the control's hint (shown at once
// under the control, and again on Ctrl+F1 or with the mouse over it).
VCL_ENUM(TErrorDisplay, std::uint8_t, edMessageBox, edInPlace);

// The values of Kind that select a validator class (vkNone ... vkTime, and
// vkFirstApplication, where the application's kinds begin), from the kinds
// table.
using namespace Validate::Kinds;

class TCustomValidEdit;

using TNewValidatorEvent = std::function<void(TCustomValidEdit* Sender, vcl::Byte AKind,
                                              Validate::TValidator*& AValidator)>;
using TValidErrorEvent = std::function<void(vcl::TObject* Sender, const std::string& InvalidStr)>;
using TValidInputErrorEvent =
    std::function<void(vcl::TObject* Sender, const std::string& InvalidInput)>;
using TValidGetTextEvent =
    std::function<void(TCustomValidEdit* Sender, std::string& Text, bool ForDisplay)>;
using TValidSetTextEvent = std::function<void(TCustomValidEdit* Sender, std::string& Text)>;

// A value assigned from code was refused; the message is the refused text.
class EValidationError : public vcl::Exception {
public:
  using Exception::Exception;
};

// The message of a refused exit with an empty text, whatever ShowErrors says.
using Validate::SValueRequired;

class TCustomValidEdit : public BtnEdit::TCustomBtnEdit, public Validate::IValidatorOwner {
public:
  explicit TCustomValidEdit(vcl::TComponent* AOwner);
  ~TCustomValidEdit() override;

  // The owner operations the validator calls back.
  void SetEditText(const std::string& Value) override;
  bool Valid() override;
  void ValidatorChange() override;
  std::string GetEditText() override;
  // The caret position from 0 (the start of the selection).
  int SelStart() const override;

  // The validator's judgement of the stored text, as it stands, together
  // with AllowNull; the Validation switches are not consulted.
  bool IsValid();
  void Clear() override;
  // Required unless AllowNull; invalid while a text the validator refuses
  // stands in the control (an empty one is merely missing).
  void GetAccessibleStates(vcl::TAccessibleStates& States) override;
  // An error shown in place is read as the description, in place of the Hint.
  std::string AccessibleDescription() const override {
    return FErrorMessage.empty() ? Hint() : FErrorMessage;
  }

  // The stored text as the control shows it while unfocused.
  std::string GetDisplayText();
  // The text the window would hold after Insert replaced the selection.
  std::string PrepareText(const std::string& Insert);

  // Typed views of EditText.
  vcl::Currency AsCurrency() { return GetAsCurrency(); }
  virtual void SetAsCurrency(vcl::Currency Value);
  vcl::TDateTime AsDate() { return GetAsDate(); }
  virtual void SetAsDate(vcl::TDateTime Value);
  vcl::Extended AsFloat() { return GetAsFloat(); }
  virtual void SetAsFloat(vcl::Extended Value);
  int AsInteger() { return GetAsInteger(); }
  virtual void SetAsInteger(int Value);
  std::string AsString() { return GetAsString(); }
  virtual void SetAsString(const std::string& Value);
  vcl::TDateTime AsTime() { return GetAsTime(); }
  virtual void SetAsTime(vcl::TDateTime Value);
  vcl::Variant AsVariant() { return GetAsVariant(); }
  virtual void SetAsVariant(const vcl::Variant& Value);

  std::string EditText() { return GetEditText(); }
  std::string DisplayText() { return GetDisplayText(); }

  vcl::Byte Kind() const { return FKind; }
  virtual void SetKind(vcl::Byte Value);
  Validate::TValidator* Validator() const { return FValidator; }
  // Copies Value into the owned validator (the control never adopts it).
  void SetValidator(Validate::TValidator* Value);

  bool AllowNull() const { return FAllowNull; }
  void SetAllowNull(bool Value) { FAllowNull = Value; }
  bool DefaultDisplay() const { return FDefaultDisplay; }
  void SetDefaultDisplay(bool Value) { FDefaultDisplay = Value; }
  TValidationError ShowErrors() const { return FShowErrors; }
  void SetShowErrors(TValidationError Value) { FShowErrors = Value; }
  TValidation Validation() const { return FValidation; }
  void SetValidation(TValidation Value) { FValidation = Value; }
  // When the validator completes a text whose caret is at the end, the
  // completed part is selected, so that typing on replaces it and Backspace
  // removes it. Off by default: the caret then goes to the new end.
  bool SelectCompletion() const { return FSelectCompletion; }
  void SetSelectCompletion(bool Value) { FSelectCompletion = Value; }
  TErrorDisplay ErrorDisplay() const { return FErrorDisplay; }
  void SetErrorDisplay(TErrorDisplay Value);
  // The colour of the frame and the mark of an error shown in place.
  vcl::TColor ErrorColor() const { return FErrorColor; }
  void SetErrorColor(vcl::TColor Value);
  // The message shown in place now; empty while there is none. It goes
  // when the value becomes valid (a refused keystroke's, at the next
  // accepted edit). OnErrorChange fires whenever it comes, changes or goes.
  const std::string& ErrorMessage() const { return FErrorMessage; }
  vcl::TNotifyEvent OnErrorChange;
  // For a word list (a TStringLookupValidator): as the user types, a list
  // under the edit offers the words that may follow the typed text, matched
  // as the validator matches (its CaseSensitive rule). Up and Down move in
  // it, Enter or a click takes a word, Escape closes it; while it is open,
  // Enter and Escape go to it alone, not to the form's default and cancel
  // buttons nor to the edit. Off by default.
  bool CompletionList() const { return FCompletionList; }
  void SetCompletionList(bool Value);
  // What the open completion list offers (empty while it is closed), its
  // highlighted word, and where a word's row lies in the edit's client
  // coordinates (empty while scrolled out of sight).
  std::vector<std::string> CompletionWords() const;
  int CompletionIndex() const;
  vcl::TRect CompletionItemRect(int Index);

  // Undo and redo (which bring back an earlier text as it was, neither
  // screened nor completed again), CM_VALIDATEEXIT (Enter on the form's
  // default button) and the user's edits and focus loss, which the
  // completion list follows, come here before the window's own handling.
  void WndProc(vcl::TMessage& Message) override;

  TValidErrorEvent OnFocusError;
  TValidGetTextEvent OnGetText;
  TValidInputErrorEvent OnInputError;
  TNewValidatorEvent OnNewValidator;
  TValidSetTextEvent OnSetText;
  vcl::TNotifyEvent OnValidatorChange;

protected:
  virtual void FocusError(const std::string& S);
  virtual vcl::Currency GetAsCurrency();
  virtual vcl::TDateTime GetAsDate();
  virtual vcl::Extended GetAsFloat();
  virtual int GetAsInteger();
  virtual std::string GetAsString();
  virtual vcl::TDateTime GetAsTime();
  virtual vcl::Variant GetAsVariant();
  virtual std::string GetDefaultDisplayText(const std::string& Text);
  virtual Validate::TValidator* GetNewValidator(vcl::Byte AKind);
  virtual void GetText(std::string& Text, bool ForDisplay);
  virtual void InputError(const std::string& S);
  virtual void SetFocused(bool Value);
  // Normalises a text about to become the value: OnSetText, then the validator.
  virtual void SetText(std::string& Text);
  virtual void SetValueError(const std::string& S);

  // The calendar picture for the date kind, so that anything that rebuilds
  // the default picture (a ButtonWidth change) keeps it on the button.
  vcl::TBitmap* GetDefaultBitmap(bool& DestroyIt) override;
  bool EditCanModify() override;
  void Loaded() override;
  // The date kind's button (the default calendar picture) picks the date in
  // the calendar dialog; then OnButtonClick fires, as for every kind.
  void ButtonClick() override;
  void Change() override;
  void KeyPress(char32_t& Key) override;

  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void WMPaste(vcl::TMessage& Message) override;
  // The error frame and mark over what the button edit paints.
  void WMPaint(vcl::TMessage& Message) override;
  void PaintNonClient(vcl::HDC__& DC, const vcl::TRect& Outer) override;

  // Keeps the control's own text changes away from its change handling,
  // also when they fail.
  class TLockGuard {
  public:
    explicit TLockGuard(TCustomValidEdit& Edit) : FEdit(Edit) { FEdit.Lock(); }
    ~TLockGuard() { FEdit.UnLock(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

  private:
    TCustomValidEdit& FEdit;
  };

  // The window shows the display text (Display) or the stored text; the
  // control's own change handling is kept out, and the display text is
  // computed under the same lock, so an OnGetText handler sees Locked().
  void ShowText(bool Display);
  // The text as the user entered it (the edit form of the value), for
  // descendants that keep it level with a value held elsewhere.
  const std::string& StoredText() const { return FStoredText; }
  void SetStoredText(const std::string& Value) { FStoredText = Value; }

  // Judges the stored text as leaving the control does; true when it may be
  // left, with the stored text normalised. A refusal is reported when Report.
  bool ValidateExit(bool Report);

private:
  // Errors in place (valedit_errors.cpp).
  void ReportError(bool Input, const std::string& S);
  void ShowErrorInPlace(const std::string& Message, bool Input);
  // Takes the message down when the stored text is valid now (or, for a
  // refused keystroke's, at any accepted edit).
  void ErrorMayGo();
  void ClearError();
  void ErrorChanged();
  void CMHintShow(vcl::TMessage& Message);
  vcl::TRect ErrorMarkRect();
  void PaintErrorFrame(vcl::TCanvas& Canvas, vcl::TRect R, int Width);

  void CMValidateExit(vcl::TMessage& Message);
  void HistoryStep(vcl::TMessage& Message);
  // Screens the window's insertion Insert at the selection.
  bool ScreenInput(const std::string& Insert);
  bool TypeOverCompletion(const std::string& Insert);
  void Complete(const std::string& WindowText);
  void PickDate();
  // Runs a message that is the user's own edit of the text (a typed
  // character, Backspace, Delete, a paste, a cut, a clear) so that the
  // completion list follows it.
  void UserEdit(vcl::TMessage& Message);
  // Shows what may follow the typed text, or closes the list.
  void UpdateCompletionList();
  void CloseCompletionList();
  void TakeCompletion(const std::string& Word);

  bool FAllowNull = true;
  bool FDefaultDisplay = true;
  std::string FStoredText;
  vcl::Byte FKind = vkNone;
  TValidationError FShowErrors{veFocus};
  TValidation FValidation{vtInput, vtFocus};
  Validate::TValidator* FValidator = nullptr;
  bool FSelectCompletion = false;
  // The last completion while it stands: where the user's text ended and
  // the completed window text; -1 when there is none.
  int FCompletionStart = -1;
  std::string FCompletedText;
  TErrorDisplay FErrorDisplay = edMessageBox;
  vcl::TColor FErrorColor = vcl::clRed;
  std::string FErrorMessage;
  bool FInputErrorShown = false;
  bool FCompletionList = false;
  bool FUserEditing = false;
  std::unique_ptr<detail::TCompletionList> FCompletion;
};

class TValidEdit : public TCustomValidEdit {
public:
  explicit TValidEdit(vcl::TComponent* AOwner);

  using TCustomValidEdit::Alignment;
  using TCustomValidEdit::AlwaysEnable;
  using TCustomValidEdit::AutoSelect;
  using TCustomValidEdit::AutoSize;
  using TCustomValidEdit::BorderStyle;
  using TCustomValidEdit::ButtonHint;
  using TCustomValidEdit::ButtonVisible;
  using TCustomValidEdit::ButtonWidth;
  using TCustomValidEdit::CharCase;
  using TCustomValidEdit::ClickKey;
  using TCustomValidEdit::Glyph;
  using TCustomValidEdit::GlyphKind;
  using TCustomValidEdit::HideSelection;
  using TCustomValidEdit::ImeMode;
  using TCustomValidEdit::ImeName;
  using TCustomValidEdit::MaxLength;
  using TCustomValidEdit::NumGlyphs;
  using TCustomValidEdit::OEMConvert;
  using TCustomValidEdit::PasswordChar;
  using TCustomValidEdit::ReadOnly;
  using TCustomValidEdit::SetAlignment;
  using TCustomValidEdit::SetAlwaysEnable;
  using TCustomValidEdit::SetAutoSelect;
  using TCustomValidEdit::SetAutoSize;
  using TCustomValidEdit::SetBorderStyle;
  using TCustomValidEdit::SetButtonHint;
  using TCustomValidEdit::SetButtonVisible;
  using TCustomValidEdit::SetButtonWidth;
  using TCustomValidEdit::SetCharCase;
  using TCustomValidEdit::SetClickKey;
  using TCustomValidEdit::SetGlyph;
  using TCustomValidEdit::SetGlyphKind;
  using TCustomValidEdit::SetHideSelection;
  using TCustomValidEdit::SetImeMode;
  using TCustomValidEdit::SetImeName;
  using TCustomValidEdit::SetMaxLength;
  using TCustomValidEdit::SetNumGlyphs;
  using TCustomValidEdit::SetOEMConvert;
  using TCustomValidEdit::SetPasswordChar;
  using TCustomValidEdit::SetReadOnly;
};

// Declares the published properties of TValidEdit for form files; runs once.
void RegisterValEditClasses();

} // namespace ValEdit
