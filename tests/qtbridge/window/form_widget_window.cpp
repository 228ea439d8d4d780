// A Qt Widgets window with one of our forms between two line edits of its
// own, for driving the Qt bridge with real clicks and keys.
//
//   form_widget_window   shows the window (needs a display) and prints, once
//                        it is shown, the form widget's size ("form W H") and
//                        the screen positions of the form's edit and of the
//                        line edit after the form ("edit X Y", "after X Y");
//                        then each focus change ("focus before|form|after"),
//                        each value the edit refuses on leaving ("refused
//                        TEXT") and each it lets go ("left TEXT"). It quits
//                        when "done" is typed into the line edit after the
//                        form, printing what the edit holds ("edit TEXT").
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <iostream>

#include "qtbridge/form_widget.h"
#include "valedit/valedit.h"
#include "validate/integer.h"
#include "vcl/forms.h"

namespace {

void PrintCentre(const char* Name, const QPoint& Centre) {
  std::cout << Name << " " << Centre.x() << " " << Centre.y() << std::endl;
}

} // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  vcl::Application->Initialize(argc, argv);
  vcl::ResetLocale();

  QWidget Window;
  Window.setWindowTitle("Form widget");
  auto* Layout = new QVBoxLayout(&Window);
  auto* Before = new QLineEdit;
  auto* After = new QLineEdit;
  auto* Form = new vcl::TForm(vcl::Application);
  Form->SetBounds(0, 0, 200, 40);
  auto* Quantity = new ValEdit::TValidEdit(Form);
  Quantity->SetParent(Form);
  Quantity->SetBounds(8, 8, 150, 21);
  Quantity->SetKind(ValEdit::vkInteger);
  auto* Range = static_cast<Validate::TIntegerValidator*>(Quantity->Validator());
  Range->SetMin(1);
  Range->SetMax(500);
  Quantity->OnFocusError = [](vcl::TObject*, const std::string& S) {
    std::cout << "refused " << S << std::endl;
  };
  Quantity->OnExit = [Quantity](vcl::TObject*) {
    std::cout << "left " << Quantity->EditText() << std::endl;
  };
  auto* Widget = new QtBridge::TFormWidget(Form);
  Layout->addWidget(Before);
  Layout->addWidget(Widget);
  Layout->addWidget(After);

  QObject::connect(&App, &QApplication::focusChanged, [&](QWidget*, QWidget* Now) {
    if (Now == Before || Now == Widget || Now == After)
      std::cout << "focus " << (Now == Before ? "before" : Now == Widget ? "form" : "after")
                << std::endl;
  });
  QObject::connect(After, &QLineEdit::textChanged, [&](const QString& Text) {
    if (Text == "done") {
      std::cout << "edit " << Quantity->EditText() << std::endl;
      App.quit();
    }
  });

  Window.show();
  QTimer::singleShot(200, [&] {
    std::cout << "form " << Widget->width() << " " << Widget->height() << std::endl;
    const vcl::TPoint Edit = Quantity->ClientToScreen({Quantity->Width() / 2, Quantity->Height() / 2});
    const vcl::TPoint Origin = Form->ClientToScreen({0, 0});
    // Our form's own screen position is the widget's, where Qt put it.
    PrintCentre("edit", Widget->mapToGlobal(QPoint(Edit.X - Origin.X, Edit.Y - Origin.Y)));
    PrintCentre("after", After->mapToGlobal(After->rect().center()));
  });
  const int Status = App.exec();
  delete Form;
  return Status;
}
