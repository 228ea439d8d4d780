// One of our forms inside a Qt Widgets window: the widget shows the form's
// picture and passes keys, mouse, focus and size to it, as the form's own
// window would. An existing Qt program can so take our components one form
// at a time, in its own layouts and beside its own widgets.
//
//   auto* Form = new MyForm(vcl::Application);   // built in code or from a form file
//   Layout->addWidget(new QtBridge::TFormWidget(Form));
//
// The form must outlive the widget (the application owns it); it runs on the
// Qt application the program made, which vcl::Application adopts.
#pragma once

#include <QWidget>

#include "vcl/forms.h"

namespace QtBridge {

class TFormWidget : public QWidget {
  Q_OBJECT

public:
  explicit TFormWidget(vcl::TCustomForm* Form, QWidget* Parent = nullptr);
  ~TFormWidget() override;

  vcl::TCustomForm* Form() const { return FForm; }
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* E) override;
  void keyPressEvent(QKeyEvent* E) override;
  void keyReleaseEvent(QKeyEvent* E) override;
  void mousePressEvent(QMouseEvent* E) override;
  void mouseReleaseEvent(QMouseEvent* E) override;
  void mouseDoubleClickEvent(QMouseEvent* E) override;
  void mouseMoveEvent(QMouseEvent* E) override;
  void resizeEvent(QResizeEvent* E) override;
  void focusInEvent(QFocusEvent* E) override;
  bool focusNextPrevChild(bool Next) override;

private:
  class TWindow;
  vcl::TCustomForm* FForm;
  TWindow* FWindow = nullptr; // owned by the form once shown in this widget
};

} // namespace QtBridge
