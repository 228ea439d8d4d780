// A QValidator that judges a Qt line edit's text with one of our validators,
// so that an existing Qt Widgets program gets the same screening, completion
// (the literals of a picture, the rest of a word from a list), normalisation
// and refusal messages as our validating edit gives.
//
//   auto* Edit = new QLineEdit;
//   auto* Picture = new Validate::TPictureValidator(nullptr);
//   Picture->SetPicture("(###) ###-####");
//   auto* Adapter = new QtBridge::TValidatorAdapter(Picture, Edit);  // owns Picture
//   Edit->setValidator(Adapter);
//   QObject::connect(Adapter, &QtBridge::TValidatorAdapter::refused, ...);
//
// One adapter serves one line edit, best made with that edit as its parent:
// it follows the edit's text to tell typing (which the validator may
// complete) from deleting (which it must not refill).
#pragma once

#include <QValidator>

#include <memory>
#include <string>

#include "validate/validator.h"

namespace QtBridge {

class TValidatorAdapter : public QValidator {
  Q_OBJECT

public:
  // Takes ownership of Validator (a validator made with no owner).
  explicit TValidatorAdapter(Validate::TValidator* Validator, QObject* Parent = nullptr);
  ~TValidatorAdapter() override;

  Validate::TValidator* Validator() const { return FValidator.get(); }

  // Screens a changed text as a keystroke or paste: a text the validator
  // refuses is Invalid (the line edit keeps its text and cursor, and
  // refused() carries the validator's message); an accepted one may come
  // back completed, with the cursor after the completion; it is Acceptable
  // when the validator takes it as a whole value, else Intermediate.
  State validate(QString& Input, int& Pos) const override;
  // Normalises the text as an assigned value would be (the validator's
  // SetText: a time gets its seconds and marker, a number its decimals).
  void fixup(QString& Input) const override;

signals:
  void refused(const QString& Message) const;

private:
  std::unique_ptr<Validate::TValidator> FValidator;
  mutable std::string FLastText;
};

} // namespace QtBridge
