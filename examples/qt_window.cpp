// A Qt Widgets program that takes our components: a QLineEdit screened by
// one of our validators through the bridge, and one of our forms (a
// validating time edit) inside the same window. The program makes its own
// QApplication; our platform adopts it.
//
//   qt_window          shows the window
//   qt_window --type   types a phone number into the line edit and prints it (headless)
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <iostream>

#include "qtbridge/form_widget.h"
#include "qtbridge/validator_adapter.h"
#include "valedit/valedit.h"
#include "validate/picture.h"
#include "vcl/forms.h"

int main(int argc, char** argv) {
  const bool Type = argc > 1 && std::string(argv[1]) == "--type";
  if (Type)
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  vcl::Application->Initialize(argc, argv); // adopts App

  QWidget Window;
  auto* Layout = new QVBoxLayout(&Window);
  auto* Phone = new QLineEdit;
  auto* Picture = new Validate::TPictureValidator(nullptr);
  Picture->SetPicture("(###) ###-####");
  auto* Adapter = new QtBridge::TValidatorAdapter(Picture, Phone);
  Phone->setValidator(Adapter);
  auto* Message = new QLabel;
  QObject::connect(Adapter, &QtBridge::TValidatorAdapter::refused, Message, &QLabel::setText);
  Layout->addWidget(new QLabel("Phone (a Qt line edit):"));
  Layout->addWidget(Phone);
  Layout->addWidget(Message);

  auto* Form = new vcl::TForm(vcl::Application);
  Form->SetBounds(0, 0, 200, 40);
  auto* Time = new ValEdit::TValidEdit(Form);
  Time->SetParent(Form);
  Time->SetBounds(8, 8, 150, 21);
  Time->SetKind(ValEdit::vkTime);
  Layout->addWidget(new QLabel("Time (our validating edit):"));
  Layout->addWidget(new QtBridge::TFormWidget(Form));
  Window.show();

  if (!Type)
    return App.exec();
  // The opening bracket is typed; the picture fills in the other literals.
  const QString Keys = "(5551234x567";
  for (QChar C : Keys) {
    QKeyEvent Press(QEvent::KeyPress, 0, Qt::NoModifier, QString(C));
    QApplication::sendEvent(Phone, &Press);
  }
  std::cout << "typed " << Keys.toStdString() << ": '" << Phone->text().toStdString()
            << "'; the x: " << Message->text().toStdString() << "\n";
  return Phone->text() == "(555) 123-4567" ? 0 : 1;
}
