// Typing and pasting with and without repainting: our validating edit (the
// base validator, which accepts every text) against QLineEdit, in a form of
// one edit or of 21. One iteration of a keystroke case types a digit in the
// middle of the text and takes it away again with Backspace, so the text
// keeps its length; "+ repaint" paints the edit after each of the two keys
// (ours: Repaint of the edit, painting the form's invalid region now; Qt:
// QWidget::repaint). Both sides use the same font family and pixel size.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <memory>
#include <vector>

#include "compare.h"
#include "valedit/valedit.h"
#include "vcl/clipbrd.h"
#include "vcl/testing.h"

namespace {

constexpr int EditWidth = 300, EditHeight = 21, Pitch = 26;

std::string Digits(int Length) {
  std::string S;
  for (int I = 0; I < Length; ++I)
    S += static_cast<char>('1' + I % 9);
  return S;
}

// A shown form with Count validating edits; the first one holds a text of
// Length digits, has the focus and its caret in the middle of the text.
class TOurStage {
public:
  TOurStage(int Length, int Count, int OtherLength) {
    FForm.SetBounds(0, 0, EditWidth + 40, Count * Pitch + 60);
    for (int I = 0; I < Count; ++I) {
      auto* E =
          vcl::testing::Place<ValEdit::TValidEdit>(&FForm, 8, 8 + I * Pitch, EditWidth, EditHeight);
      E->SetEditText(Digits(I == 0 ? Length : OtherLength));
      FEdits.push_back(E);
    }
    vcl::testing::ShowForm(&FForm);
    vcl::testing::MoveFocus(Edit());
    Edit()->SetSelStart(Length / 2);
    Edit()->SetSelLength(0);
    Edit()->Repaint();
  }
  ValEdit::TValidEdit* Edit() const { return FEdits.front(); }

private:
  vcl::TForm FForm{nullptr};
  std::vector<ValEdit::TValidEdit*> FEdits;
};

// The same with Qt's line edits.
class TQtStage {
public:
  TQtStage(int Length, int Count, int OtherLength) {
    QFont Font(QStringLiteral("Liberation Sans"));
    Font.setPixelSize(11);
    FWindow.setFont(Font);
    FWindow.resize(EditWidth + 40, Count * Pitch + 60);
    for (int I = 0; I < Count; ++I) {
      auto* E = new QLineEdit(&FWindow);
      E->setMaxLength(1 << 24);
      E->setGeometry(8, 8 + I * Pitch, EditWidth, EditHeight);
      E->setText(QString::fromStdString(Digits(I == 0 ? Length : OtherLength)));
      FEdits.push_back(E);
    }
    FWindow.show();
    FWindow.activateWindow();
    Edit()->setFocus();
    QCoreApplication::processEvents();
    Edit()->setCursorPosition(Length / 2);
    Edit()->repaint();
  }
  QLineEdit* Edit() const { return FEdits.front(); }

private:
  QWidget FWindow;
  std::vector<QLineEdit*> FEdits;
};

void QtKey(QLineEdit* Edit, int Key, Qt::KeyboardModifiers Mods, const QString& Text) {
  QKeyEvent Press(QEvent::KeyPress, Key, Mods, Text);
  QCoreApplication::sendEvent(Edit, &Press);
  QKeyEvent Release(QEvent::KeyRelease, Key, Mods, Text);
  QCoreApplication::sendEvent(Edit, &Release);
}

void CheckLength(benchmark::State& State, std::size_t Actual, int Expected) {
  if (Actual != static_cast<std::size_t>(Expected))
    State.SkipWithError("the text lost its length: a key was not taken");
}

void OurKeys(benchmark::State& State, int Length, int Count, int OtherLength, bool Repaint) {
  TOurStage Stage(Length, Count, OtherLength);
  ValEdit::TValidEdit* E = Stage.Edit();
  for (auto _ : State) {
    vcl::testing::PressKey('5');
    if (Repaint)
      E->Repaint();
    vcl::testing::PressKey(vcl::VK_BACK);
    if (Repaint)
      E->Repaint();
  }
  CheckLength(State, E->Text().size(), Length);
}

void QtKeys(benchmark::State& State, int Length, int Count, int OtherLength, bool Repaint) {
  TQtStage Stage(Length, Count, OtherLength);
  QLineEdit* E = Stage.Edit();
  if (!E->hasFocus())
    State.SkipWithError("the line edit has no focus");
  for (auto _ : State) {
    QtKey(E, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    if (Repaint)
      E->repaint();
    QtKey(E, Qt::Key_Backspace, Qt::NoModifier, QString());
    if (Repaint)
      E->repaint();
  }
  CheckLength(State, static_cast<std::size_t>(E->text().size()), Length);
}

// Short text and long ones, without and with repainting; then the edit with
// the focus and 20 more, each holding a text of the same length.
const int KeyCases = [] {
  for (bool Repaint : {false, true})
    for (int Length : {10, 255, 1000, 10000})
      qt_compare::RegisterPair(
          std::string(Repaint ? "keystroke + repaint" : "keystroke") + ", " +
              std::to_string(Length) + " characters",
          [=](benchmark::State& S) { OurKeys(S, Length, 1, 0, Repaint); },
          [=](benchmark::State& S) { QtKeys(S, Length, 1, 0, Repaint); });
  for (int Length : {10, 255})
    qt_compare::RegisterPair(
        "keystroke + repaint, 20 more edits, " + std::to_string(Length) + " characters each",
        [=](benchmark::State& S) { OurKeys(S, Length, 21, Length, true); },
        [=](benchmark::State& S) { QtKeys(S, Length, 21, Length, true); });
  return 0;
}();

// Ctrl+A and Ctrl+V of 100 KB from the clipboard, then a repaint. The text is
// put back before each paste outside the timing (Qt keeps one undo step per
// pasted character, which would otherwise pile up over the iterations).
constexpr int PasteLength = 100 * 1024;

void OurPaste(benchmark::State& State) {
  TOurStage Stage(10, 1, 0);
  ValEdit::TValidEdit* E = Stage.Edit();
  vcl::Clipboard()->SetAsText(Digits(PasteLength));
  for (auto _ : State) {
    State.PauseTiming();
    E->SetEditText(Digits(10));
    E->Repaint();
    State.ResumeTiming();
    vcl::testing::PressKey('A', {vcl::ssCtrl});
    vcl::testing::PressKey('V', {vcl::ssCtrl});
    E->Repaint();
  }
  CheckLength(State, E->Text().size(), PasteLength);
}

void QtPaste(benchmark::State& State) {
  TQtStage Stage(10, 1, 0);
  QLineEdit* E = Stage.Edit();
  QGuiApplication::clipboard()->setText(QString::fromStdString(Digits(PasteLength)));
  for (auto _ : State) {
    State.PauseTiming();
    E->setText(QString::fromStdString(Digits(10)));
    E->repaint();
    State.ResumeTiming();
    QtKey(E, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    QtKey(E, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    E->repaint();
  }
  CheckLength(State, static_cast<std::size_t>(E->text().size()), PasteLength);
}

QT_COMPARE("paste 100 KB + repaint", OurPaste, QtPaste);

} // namespace
