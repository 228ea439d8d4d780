// Our validators behind a plain QLineEdit, typed into with Qt's own test
// keys: completion of picture literals, refused keys that change nothing,
// normalisation through fixup(), and the refusal message, which never goes
// through the process's message box.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "qtbridge/validator_adapter.h"
#include "validate/filter.h"
#include "validate/integer.h"
#include "validate/lookup.h"
#include "validate/picture.h"
#include "validate/time.h"
#include "vcl/dialogs.h"

using QtBridge::TValidatorAdapter;

namespace {

struct PhoneEdit : ::testing::Test {
  PhoneEdit() {
    auto* Picture = new Validate::TPictureValidator(nullptr);
    Picture->SetPicture("(###) ###-####");
    Adapter = new TValidatorAdapter(Picture, &Edit);
    Edit.setValidator(Adapter);
  }
  QLineEdit Edit;
  TValidatorAdapter* Adapter;
};

// The opening bracket is the user's to type; the literals after a digit are
// filled in.
TEST_F(PhoneEdit, TypingTheDigitsFillsTheLiterals) {
  QTest::keyClicks(&Edit, "(5551234567");
  EXPECT_EQ(Edit.text().toStdString(), "(555) 123-4567");
  EXPECT_EQ(Edit.cursorPosition(), 14);
  EXPECT_TRUE(Edit.hasAcceptableInput());
}

TEST_F(PhoneEdit, ARefusedKeyLeavesTextAndCursorAndReportsTheValidatorsMessage) {
  QTest::keyClicks(&Edit, "(5551");
  ASSERT_EQ(Edit.text().toStdString(), "(555) 1");
  const QString Before = Edit.text();
  QTest::keyClick(&Edit, Qt::Key_Left);
  QTest::keyClick(&Edit, Qt::Key_Left);
  const int Cursor = Edit.cursorPosition();
  QSignalSpy Refused(Adapter, &TValidatorAdapter::refused);
  QTest::keyClicks(&Edit, "x");
  EXPECT_EQ(Edit.text(), Before);
  EXPECT_EQ(Edit.cursorPosition(), Cursor);
  ASSERT_EQ(Refused.count(), 1);
  // The validator ends its words with a lone CR before the picture; a Qt
  // program gets a line feed there (a QLabel breaks the line at it).
  const std::string Message = Refused.at(0).at(0).toString().toStdString();
  EXPECT_TRUE(Message.ends_with("\" contains invalid input for the picture:\n(###) ###-####"))
      << Message;
  EXPECT_EQ(Message.find('\r'), std::string::npos) << Message;
  EXPECT_FALSE(Edit.hasAcceptableInput());
}

TEST_F(PhoneEdit, DeletingALiteralDoesNotBringItBack) {
  QTest::keyClicks(&Edit, "(555");
  const std::string Filled = Edit.text().toStdString();
  ASSERT_EQ(Filled, "(555) ");
  QTest::keyClick(&Edit, Qt::Key_Backspace);
  EXPECT_EQ(Edit.text().toStdString(), Filled.substr(0, Filled.size() - 1));
}

TEST(ValidatorAdapter, FixupNormalisesATime) {
  auto* Time = new Validate::TTimeValidator(nullptr);
  Time->SetFormat(Validate::vtfLong);
  TValidatorAdapter Adapter(Time);
  QString Text = "12:30 pm";
  Adapter.fixup(Text);
  EXPECT_EQ(Text.toStdString(), "12:30:00 PM");
  int Pos = 0;
  EXPECT_EQ(Adapter.validate(Text, Pos), QValidator::Acceptable);
}

TEST(ValidatorAdapter, WordsAreCompletedAndOthersRefused) {
  auto* Colours = new Validate::TStringLookupValidator(nullptr);
  for (const char* Word : {"green", "grey", "red"})
    Colours->Items()->Add(Word);
  QLineEdit Edit;
  Edit.setValidator(new TValidatorAdapter(Colours, &Edit));
  QTest::keyClicks(&Edit, "r");
  EXPECT_EQ(Edit.text().toStdString(), "red");
  Edit.clear();
  QTest::keyClicks(&Edit, "gx");
  EXPECT_EQ(Edit.text().toStdString(), "g");
}

TEST(ValidatorAdapter, AnyCharacterIsTakenAndALoneSurrogateRefused) {
  auto* Any = new Validate::TValidator(nullptr);
  TValidatorAdapter Adapter(Any);
  for (const char* Utf8 : {"caf\xc3\xa9", "\xe4\xb8\xad", "\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd"}) {
    QString Text = QString::fromUtf8(Utf8);
    int Pos = static_cast<int>(Text.size());
    EXPECT_EQ(Adapter.validate(Text, Pos), QValidator::Acceptable) << Utf8;
    EXPECT_EQ(Text.toStdString(), Utf8);
  }
  QString Lone(QChar(0xD800));
  int Pos = 1;
  EXPECT_EQ(Adapter.validate(Lone, Pos), QValidator::Invalid);
}

// Each adapter takes its validator's message as a value: adapters refusing
// keys on two threads at once each report their own message, and the
// message box handler is neither called nor replaced.
TEST(ValidatorAdapter, RefusalsOnTwoThreadsCarryEachOwnMessageAndShowNoBox) {
  std::atomic<int> Boxes = 0;
  const vcl::TMessageDlgHandler Previous = vcl::SetMessageDlgHandler(
      [&Boxes](const std::string&, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
        ++Boxes;
        return static_cast<int>(vcl::mrOk);
      });
  constexpr int Keys = 20000;
  std::latch Start(2);
  // Types Typed Keys times into a fresh adapter of V, made on this thread,
  // once both threads are ready.
  auto Refuse = [&Start](Validate::TValidator* V, QString Typed,
                         std::vector<std::string>& Messages) {
    TValidatorAdapter Adapter(V);
    QObject::connect(&Adapter, &TValidatorAdapter::refused,
                     [&Messages](const QString& M) { Messages.push_back(M.toStdString()); });
    Start.arrive_and_wait();
    for (int I = 0; I < Keys; ++I) {
      QString Text = Typed;
      int Pos = static_cast<int>(Text.size());
      EXPECT_EQ(Adapter.validate(Text, Pos), QValidator::Invalid);
    }
  };
  auto* Letters = new Validate::TFilterValidator(nullptr);
  Letters->SetFilterChars("abc");
  std::vector<std::string> FromDigits, FromLetters;
  std::thread A(Refuse, new Validate::TIntegerValidator(nullptr), QString("x"),
                std::ref(FromDigits));
  std::thread B(Refuse, Letters, QString("1"), std::ref(FromLetters));
  A.join();
  B.join();

  EXPECT_EQ(FromDigits, std::vector<std::string>(Keys, "\"x\" is not a digit or (-)."));
  EXPECT_EQ(FromLetters, std::vector<std::string>(Keys, "\"1\" is an invalid character."));
  EXPECT_EQ(Boxes, 0);
  vcl::MessageDlg("after", vcl::mtError, {vcl::mbOK}, 0);
  EXPECT_EQ(Boxes, 1) << "the handler installed before is still the one in place";
  vcl::SetMessageDlgHandler(Previous);
}

} // namespace
