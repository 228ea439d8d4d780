// The validators against Qt's own answers to the same questions: a picture
// of any number of digits against a regular-expression validator, and a
// date that does not exist against Qt's parsing of a date by its format.
#include <QDate>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QString>

#include <string>

#include "compare.h"
#include "validate/validate.h"
#include "vcl/sysutils.h"

namespace {

const std::string LongDigits(255, '4');

// A keystroke's screening of 255 digits: the picture *# ...
void PictureDigits(benchmark::State& State) {
  Validate::TPictureValidator V(nullptr);
  V.SetPicture("*#");
  for (auto _ : State) {
    std::string S = LongDigits;
    benchmark::DoNotOptimize(V.IsValidInput(S, true));
  }
}

// ... and [0-9]* in Qt's regular-expression validator.
void RegExpDigits(benchmark::State& State) {
  QRegularExpressionValidator V(QRegularExpression("[0-9]*"));
  const QString Text = QString::fromStdString(LongDigits);
  for (auto _ : State) {
    QString S = Text;
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

} // namespace
