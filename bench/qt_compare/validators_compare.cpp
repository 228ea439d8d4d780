// The validators against Qt's own answers to the same questions: a picture
// of any number of digits against a regular-expression validator, a date
// that does not exist against Qt's parsing of a date by its format, and a
// keystroke screened by the validator of an edit of the integer, picture
// and date kinds against a line edit with Qt's validator for the same text.
#include <QCoreApplication>
#include <QDate>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QString>

#include <memory>
#include <string>

#include "compare.h"
#include "valedit/valedit.h"
#include "validate/validate.h"
#include "vcl/sysutils.h"
#include "vcl/testing.h"

namespace {

const std::string LongDigits(255, '4');

// A keystroke's screening of 255 digits, every other time of 254 as when
// the last key is taken back and typed again: the picture *# ...
void PictureDigits(benchmark::State& State) {
  Validate::TPictureValidator V(nullptr);
  V.SetPicture("*#");
  const std::string Texts[2] = {LongDigits, LongDigits.substr(1)};
  std::size_t Next = 0;
  for (auto _ : State) {
    std::string S = Texts[Next ^= 1];
    benchmark::DoNotOptimize(V.IsValidInput(S, true));
  }
}

// ... and [0-9]* in Qt's regular-expression validator.
void RegExpDigits(benchmark::State& State) {
  QRegularExpressionValidator V(QRegularExpression("[0-9]*"));
  const QString Texts[2] = {QString::fromStdString(LongDigits),
                            QString::fromStdString(LongDigits.substr(1))};
  std::size_t Next = 0;
  for (auto _ : State) {
    QString S = Texts[Next ^= 1];
    int Pos = static_cast<int>(S.size());
    benchmark::DoNotOptimize(V.validate(S, Pos));
  }
}

QT_COMPARE("picture *# on 255 digits", PictureDigits, RegExpDigits);

// A date that does not exist, judged as a finished text ...
void DateInvalid(benchmark::State& State) {
  vcl::ResetLocale();
  Validate::TDateValidator V(nullptr);
  const std::string Text = "2/30/2026";
  for (auto _ : State)
    benchmark::DoNotOptimize(V.IsValid(Text));
}

// ... and parsed by Qt with the same format.
void QtDateInvalid(benchmark::State& State) {
  const QString Text = QStringLiteral("2/30/2026");
  const QString Format = QStringLiteral("M/d/yyyy");
  for (auto _ : State)
    benchmark::DoNotOptimize(QDate::fromString(Text, Format).isValid());
}

QT_COMPARE("date IsValid of 2/30/2026", DateInvalid, QtDateInvalid);

// One iteration takes the last character away with Backspace and types it
// again, so each side screens the typed key against the whole text; the
// text keeps its length and nothing is repainted.
struct TKindCase {
  const char* Name;
  vcl::Byte Kind;
  const char* Picture;
  const char* Text;
};

const TKindCase KindCases[] = {
    {"integer", ValEdit::vkInteger, "", "1234567"},
    {"phone picture", ValEdit::vkPicture, "(###) ###-####", "(555) 123-4567"},
    {"date", ValEdit::vkDate, "", "12/31/2003"},
};

void CheckText(benchmark::State& State, const std::string& Actual, const std::string& Expected) {
  if (Actual != Expected)
    State.SkipWithError("the text changed: a key was not taken");
}

void OurKindKeys(benchmark::State& State, const TKindCase& Case) {
  vcl::ResetLocale();
  vcl::TForm Form(nullptr);
  Form.SetBounds(0, 0, 340, 80);
  auto* E = vcl::testing::Place<ValEdit::TValidEdit>(&Form, 8, 8, 300, 21);
  E->SetKind(Case.Kind);
  if (*Case.Picture)
    static_cast<Validate::TPictureValidator*>(E->Validator())->SetPicture(Case.Picture);
  E->SetEditText(Case.Text);
  vcl::testing::ShowForm(&Form);
  vcl::testing::MoveFocus(E);
  E->SetSelStart(vcl::Length(Case.Text));
  const auto Last = static_cast<vcl::Word>(std::string(Case.Text).back());
  for (auto _ : State) {
    vcl::testing::PressKey(vcl::VK_BACK);
    vcl::testing::PressKey(Last);
  }
  CheckText(State, E->Text(), Case.Text);
}

std::unique_ptr<QValidator> QtValidatorFor(const TKindCase& Case) {
  if (Case.Kind == ValEdit::vkInteger)
    return std::make_unique<QIntValidator>();
  const char* Pattern =
      Case.Kind == ValEdit::vkPicture ? R"(\(\d{3}\) \d{3}-\d{4})" : R"(\d{1,2}/\d{1,2}/\d{4})";
  return std::make_unique<QRegularExpressionValidator>(QRegularExpression(Pattern));
}

void QtKey(QLineEdit& Edit, int Key, const QString& Text) {
  QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
  QCoreApplication::sendEvent(&Edit, &Press);
  QKeyEvent Release(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
  QCoreApplication::sendEvent(&Edit, &Release);
}

void QtKindKeys(benchmark::State& State, const TKindCase& Case) {
  QLineEdit Edit;
  const std::unique_ptr<QValidator> Validator = QtValidatorFor(Case);
  Edit.setValidator(Validator.get());
  Edit.setGeometry(8, 8, 300, 21);
  Edit.setText(QString::fromLatin1(Case.Text));
  Edit.show();
  Edit.activateWindow();
  Edit.setFocus();
  QCoreApplication::processEvents();
  Edit.setCursorPosition(static_cast<int>(Edit.text().size()));
  const QChar Last = QLatin1Char(std::string(Case.Text).back());
  for (auto _ : State) {
    QtKey(Edit, Qt::Key_Backspace, QString());
    QtKey(Edit, Qt::Key_0 + (Last.unicode() - '0'), QString(Last));
  }
  CheckText(State, Edit.text().toStdString(), Case.Text);
}

const int KindKeyCases = [] {
  for (const TKindCase& Case : KindCases)
    qt_compare::RegisterPair(
        std::string("keystroke, ") + Case.Name + ", short text",
        [&](benchmark::State& S) { OurKindKeys(S, Case); },
        [&](benchmark::State& S) { QtKindKeys(S, Case); });
  return 0;
}();

} // namespace
