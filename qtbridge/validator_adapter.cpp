// The validator adapter: Qt's text and cursor in, our validator's judgement
// and completion out, converted between Qt's UTF-16 and our UTF-8.
#include "qtbridge/validator_adapter.h"

#include <QLineEdit>

#include "vcl/qt/detail/qt_common.h"
#include "vcl/sysutils.h"

namespace QtBridge {

using vcl::backend::FromUtf8;
using vcl::backend::ToUtf8;

namespace {

// The text as our validators read it; false when it holds a lone surrogate,
// which is no character (such a text is refused as a whole).
bool ToValidatorText(const QString& Input, std::string& Text) {
  Text = ToUtf8(Input);
  return FromUtf8(Text) == Input;
}

} // namespace

TValidatorAdapter::TValidatorAdapter(Validate::TValidator* Validator, QObject* Parent)
    : QValidator(Parent), FValidator(Validator) {
  // Texts the line edit takes without asking (setText, clear) count too.
  if (auto* Edit = qobject_cast<QLineEdit*>(Parent))
    connect(Edit, &QLineEdit::textChanged, this,
            [this](const QString& Text) { FLastText = ToUtf8(Text); });
}

TValidatorAdapter::~TValidatorAdapter() = default;

QValidator::State TValidatorAdapter::validate(QString& Input, int& Pos) const {
  std::string S;
  const bool Representable = ToValidatorText(Input, S);
  // Only a text that grew is completed: deleting a literal must not bring it back.
  const bool Grew = S.size() > FLastText.size();
  const std::string Typed = S;
  if (!Representable || !FValidator->IsValidInput(S, !Grew)) {
    // Our messages may break a line with a lone CR, which Qt's widgets do not read as one.
    emit refused(
        FromUtf8(vcl::AdjustLineBreaks(FValidator->ErrorMessage(true, Typed), vcl::tlbsLF)));
    return Invalid;
  }
  if (S != Typed) {
    Input = FromUtf8(S);
    Pos = static_cast<int>(Input.size());
  }
  FLastText = S;
  return FValidator->IsValid(S) ? Acceptable : Intermediate;
}

void TValidatorAdapter::fixup(QString& Input) const {
  std::string S;
  if (!ToValidatorText(Input, S))
    return;
  try {
    FValidator->SetText(S);
  } catch (const vcl::Exception&) {
    return; // a text the validator cannot read stays as it is
  }
  Input = FromUtf8(S);
  FLastText = S;
}

} // namespace QtBridge
