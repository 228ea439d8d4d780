// One of our forms inside a Qt Widgets window: the widget shows the form's
// picture and passes keys, mouse, focus and size to it, as the form's own
// window would. An existing Qt program can so take our components one form
// at a time, in its own layouts and beside its own widgets.
//
//   auto* Form = new MyForm(vcl::Application);   // built in code or from a form file
//   Layout->addWidget(new QtBridge::TFormWidget(Form));
//
// Inside the widget the form has no frame or caption of its own: its
// BorderStyle becomes bsNone and all of its bounds are the widget's area.
// The widget asks the host's layout for the form's size (its size hint and
// minimum size), and a form resized by the layout follows the widget.
//
// Focus moves between the form's controls and the host's widgets as it does
// inside the form: Tab on the form's last control (Shift+Tab on its first)
// goes on to the host's next (previous) widget, and a click into a host
// widget is a focus move too. Either way the form's control is left first,
// so a validating edit judges its text, reports a refused one and keeps the
// focus when its Validation says so.
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
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* E) override;
  void keyPressEvent(QKeyEvent* E) override;
  void keyReleaseEvent(QKeyEvent* E) override;
  void mousePressEvent(QMouseEvent* E) override;
  void mouseReleaseEvent(QMouseEvent* E) override;
  void mouseDoubleClickEvent(QMouseEvent* E) override;
  void mouseMoveEvent(QMouseEvent* E) override;
  void wheelEvent(QWheelEvent* E) override;
  void resizeEvent(QResizeEvent* E) override;
  void focusInEvent(QFocusEvent* E) override;
  void focusOutEvent(QFocusEvent* E) override;
  bool focusNextPrevChild(bool Next) override;

private:
  class TWindow;
  bool AtTabEnd(bool Next) const;
  bool LeaveForm();
  vcl::TWinControl* EntryControl(Qt::FocusReason Reason) const;
  vcl::TCustomForm* FForm;
  TWindow* FWindow = nullptr;        // owned by the form once shown in this widget
  bool FFollowing = false;           // the form is taking the widget's size
  vcl::TWinControl* FLeft = nullptr; // the control left when the host took the focus
};

} // namespace QtBridge
