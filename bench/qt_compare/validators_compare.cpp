// The validators against Qt's own answers to the same questions: pictures
// against a regular-expression validator, dates and times against a regular
// expression with QDate's or QTime's test of the fields, and a
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
#include <QTime>

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

// The phone picture screening a keystroke, the text alternating between a
// whole number and one short of its last digit ...
const std::string Phones[2] = {"(555) 123-4567", "(555) 123-456"};

void PicturePhone(benchmark::State& State) {
  Validate::TPictureValidator V(nullptr);
  V.SetPicture("(###) ###-####");
  std::size_t Next = 0;
  for (auto _ : State) {
    std::string S = Phones[Next ^= 1];
    benchmark::DoNotOptimize(V.IsValidInput(S, true));
  }
}

// ... and the regular expression of the same picture in Qt's validator.
void RegExpPhone(benchmark::State& State) {
  QRegularExpressionValidator V(QRegularExpression(R"(\(\d{3}\) \d{3}-\d{4})"));
  const QString Texts[2] = {QString::fromStdString(Phones[0]), QString::fromStdString(Phones[1])};
  std::size_t Next = 0;
  for (auto _ : State) {
    QString S = Texts[Next ^= 1];
    int Pos = static_cast<int>(S.size());
    benchmark::DoNotOptimize(V.validate(S, Pos));
  }
}

QT_COMPARE("picture (###) ###-#### keystroke", PicturePhone, RegExpPhone);

// Dates and times judged as finished texts, two texts taking turns. Qt's
// peer does the same work: a regular expression takes the fields apart and
// QDate or QTime says whether they name a day or a time of day.
struct TDateTimeCase {
  const char* Name;
  bool Date;
  bool Input; // IsValidInput rather than IsValid
  const char* Texts[2];
};

const TDateTimeCase DateTimeCases[] = {
    {"date IsValid, valid", true, false, {"12/25/2026", "11/24/2025"}},
    {"date IsValid, no such day", true, false, {"2/30/2026", "4/31/2025"}},
    {"date IsValidInput, month 13", true, true, {"13/25/2026", "14/2/2025"}},
    {"time IsValid, valid", false, false, {"12:30 PM", "11:45 AM"}},
};

void OurDateTime(benchmark::State& State, const TDateTimeCase& Case) {
  vcl::ResetLocale();
  std::unique_ptr<Validate::TValidator> V;
  if (Case.Date)
    V = std::make_unique<Validate::TDateValidator>(nullptr);
  else
    V = std::make_unique<Validate::TTimeValidator>(nullptr);
  const std::string Texts[2] = {Case.Texts[0], Case.Texts[1]};
  std::size_t Next = 0;
  for (auto _ : State) {
    std::string S = Texts[Next ^= 1];
    benchmark::DoNotOptimize(Case.Input ? V->IsValidInput(S, true) : V->IsValid(S));
  }
}

bool QtDateValid(const QRegularExpression& Pattern, const QString& S) {
  const QRegularExpressionMatch M = Pattern.match(S);
  return M.hasMatch() && QDate::isValid(M.capturedView(3).toInt(), M.capturedView(1).toInt(),
                                        M.capturedView(2).toInt());
}

bool QtTimeValid(const QRegularExpression& Pattern, const QString& S) {
  const QRegularExpressionMatch M = Pattern.match(S);
  if (!M.hasMatch())
    return false;
  const int Hour = M.capturedView(1).toInt();
  const bool PM = M.capturedView(3).compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
  return Hour >= 1 && Hour <= 12 &&
         QTime::isValid(Hour % 12 + (PM ? 12 : 0), M.capturedView(2).toInt(), 0);
}

void QtDateTime(benchmark::State& State, const TDateTimeCase& Case) {
  const QRegularExpression Pattern(Case.Date ? R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)"
                                             : R"(^(\d{1,2}):(\d\d) ([AaPp][Mm])$)");
  const QString Texts[2] = {QString::fromLatin1(Case.Texts[0]), QString::fromLatin1(Case.Texts[1])};
  std::size_t Next = 0;
  for (auto _ : State) {
    const QString& S = Texts[Next ^= 1];
    benchmark::DoNotOptimize(Case.Date ? QtDateValid(Pattern, S) : QtTimeValid(Pattern, S));
  }
}

const int DateTimeCasesRegistered = [] {
  for (const TDateTimeCase& Case : DateTimeCases)
    qt_compare::RegisterPair(
        Case.Name, [&](benchmark::State& S) { OurDateTime(S, Case); },
        [&](benchmark::State& S) { QtDateTime(S, Case); });
  return 0;
}();

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
