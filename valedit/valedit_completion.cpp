// The validating edit's completion list: which of the user's messages are
// edits it follows, what it offers (the words of a word-list validator that
// may follow the typed text), and taking the word the user chooses as an
// edit of the user's.
#include <utility>

#include "valedit/detail/completionlist.h"
#include "valedit/valedit.h"
#include "validate/lookup.h"

namespace ValEdit {

using namespace vcl;

namespace {

// The most words the list holds; it shows a few of them at a time.
constexpr int MaxCompletionWords = 1000;

bool IsUserEdit(const TMessage& Message) {
  switch (Message.Msg) {
  case WM_CHAR:
    // Enter and Escape go to the form's buttons (or give a record's value
    // back), so the text they bring is not typed.
    return IsTypedChar(static_cast<char32_t>(Message.WParam)) || Message.WParam == '\b';
  case WM_KEYDOWN:
    return Message.WParam == VK_DELETE;
  case WM_PASTE:
  case WM_CUT:
  case WM_CLEAR:
    return true;
  default:
    return false;
  }
}

} // namespace

void TCustomValidEdit::SetCompletionList(bool Value) {
  FCompletionList = Value;
  if (!Value)
    CloseCompletionList();
}

std::vector<std::string> TCustomValidEdit::CompletionWords() const {
  return FCompletion && FCompletion->IsOpen() ? FCompletion->Words() : std::vector<std::string>();
}

int TCustomValidEdit::CompletionIndex() const {
  return FCompletion && FCompletion->IsOpen() ? FCompletion->Selected() : -1;
}

TRect TCustomValidEdit::CompletionItemRect(int Index) {
  TRect R = FCompletion ? FCompletion->RowRect(Index) : TRect();
  TCustomForm* Form = GetParentForm(this);
  if (!Form || IsRectEmpty(R))
    return TRect();
  // From the form's client area to the edit's.
  const TPoint Form0 = Form->ClientOrigin();
  const TPoint Edit0 = ClientOrigin();
  OffsetRect(R, Form0.X - Edit0.X, Form0.Y - Edit0.Y);
  return R;
}

void TCustomValidEdit::UserEdit(TMessage& Message) {
  const bool Old = std::exchange(FUserEditing, IsUserEdit(Message));
  try {
    TCustomBtnEdit::WndProc(Message);
  } catch (...) {
    FUserEditing = Old;
    throw;
  }
  FUserEditing = Old;
}

// Only the user's own edits open the list or change what it offers; any
// other change of the text (a value set from code, a record shown again)
// closes it. After an inline completion the list matches what the user
// typed, not the completed word.
void TCustomValidEdit::UpdateCompletionList() {
  auto* Words = dynamic_cast<Validate::TStringLookupValidator*>(FValidator);
  if (!FCompletionList || !FUserEditing || !Words || !FocusedFlag()) {
    CloseCompletionList();
    return;
  }
  const std::string WindowText = Text();
  const std::string Typed =
      FCompletionStart >= 0 ? Copy(WindowText, 1, FCompletionStart) : WindowText;
  std::vector<std::string> Found = Words->WordsBeginningWith(Typed, MaxCompletionWords);
  // A list holding only the word already shown offers nothing.
  if (Found.size() == 1 && Found.front() == WindowText)
    Found.clear();
  if (!FCompletion)
    FCompletion = std::make_unique<detail::TCompletionList>(
        *this, [this](const std::string& Word) { TakeCompletion(Word); });
  FCompletion->Show(std::move(Found));
}

void TCustomValidEdit::CloseCompletionList() {
  if (FCompletion)
    FCompletion->Close();
}

// The word replaces the text as the user's edit would (one undo step,
// OnChange), with the caret after it.
void TCustomValidEdit::TakeCompletion(const std::string& Word) {
  if (!EditCanModify() || ReadOnly())
    return;
  ReplaceAllText(Word);
  SetSelStart(Length(Word));
}

} // namespace ValEdit
