// The form widget: a window of the host toolkit for one of our forms. The
// form asks it to show parts of its picture, the widget hands the form its
// input; the key and mouse translation is the one our own windows use.
#include "qtbridge/form_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

#include "qtbridge/detail/form_widget_accessible.h"
#include "vcl/qt/embedding.h"

namespace QtBridge {

using namespace vcl::backend;

// What the form takes for its window: it forwards to the widget while the
// widget lives, and tells the widget when the form lets it go.
class TFormWidget::TWindow : public TNativeWindow {
public:
  TWindow(TFormWidget* Widget, TWindowClient* Client) : FWidget(Widget), FClient(Client) {}
  ~TWindow() override {
    if (FWidget)
      FWidget->FWindow = nullptr;
  }

  TWindowClient* Client() const { return FClient; }
  void Forget() { FWidget = nullptr; }

  void SetTitle(const std::string& Title) override {
    if (FWidget)
      FWidget->setWindowTitle(FromUtf8(Title));
  }
  // The size the form asks for is what the widget asks of the host's
  // layout; a size the form takes from the widget is not.
  void SetGeometry(int, int, int Width, int Height) override {
    if (!FWidget || FWidget->FFollowing)
      return;
    FSize = QSize(std::max(Width, 1), std::max(Height, 1));
    FWidget->updateGeometry();
    if (FWidget->size() != FSize)
      FWidget->resize(FSize);
  }
  // The host's layout decides how far the widget stretches; it never makes
  // it smaller than the form.
  void SetFixedSize(bool) override {}
  // Shown and hidden with the form, once the widget has its place in a window.
  void Show() override {
    if (FWidget && FWidget->parentWidget())
      FWidget->show();
  }
  void Hide() override {
    if (FWidget)
      FWidget->hide();
  }
  // The host's window comes back to the front with the form (after a
  // message box, say) and the focus goes to the widget.
  void Activate() override {
    if (!FWidget)
      return;
    FWidget->activateWindow();
    FWidget->setFocus();
  }
  void Invalidate(const vcl::TRect& R) override {
    if (FWidget)
      FWidget->update(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  }
  void Flush() override {
    if (FWidget)
      FWidget->repaint();
  }
  // The form paints at the ratio of the screen the widget is on; moved to a
  // screen of another ratio, the widget repaints and the form follows.
  int PixelRatio() const override {
    return FWidget ? WholePixelRatio(FWidget->devicePixelRatioF()) : 1;
  }
  QSize Size() const { return FSize; }

private:
  QPointer<TFormWidget> FWidget;
  TWindowClient* FClient;
  QSize FSize;
};

TFormWidget::TFormWidget(vcl::TCustomForm* Form, QWidget* Parent) : QWidget(Parent), FForm(Form) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // No frame or caption inside a widget: all of the form's bounds are its
  // client area, so a form made 200 x 40 shows 200 x 40.
  const vcl::TRect Bounds = FForm->BoundsRect();
  FForm->SetBorderStyle(vcl::bsNone);
  FForm->SetBoundsRect(Bounds);
  FForm->SetWindowMaker([this](TWindowClient* Client) {
    auto Window = std::make_unique<TWindow>(this, Client);
    FWindow = Window.get();
    return Window;
  });
  FForm->Show();
  // Qt's accessibility reads the form's controls as this widget's children.
  InstallFormWidgetAccessibility();
  SetAccessibleHost(FForm, this);
}

TFormWidget::~TFormWidget() {
  SetAccessibleHost(FForm, nullptr);
  if (FWindow) {
    FWindow->Forget();
    FWindow = nullptr;
    FForm->SetWindowMaker(nullptr);
  }
}

QSize TFormWidget::sizeHint() const {
  return FWindow && FWindow->Size().isValid() ? FWindow->Size() : QWidget::sizeHint();
}

// Never squeezed below the form's own size: a layout short of room would
// otherwise cut the form off.
QSize TFormWidget::minimumSizeHint() const {
  return sizeHint();
}

void TFormWidget::paintEvent(QPaintEvent* E) {
  if (!FWindow)
    return;
  const vcl::TPixelBuffer& Picture = FWindow->Client()->WindowRender();
  if (Picture.Width() == 0 || Picture.Height() == 0)
    return;
  QPainter P(this);
  DrawPicture(P, Picture, E->region());
}

void TFormWidget::keyPressEvent(QKeyEvent* E) {
  if (FWindow)
    ForwardKey(FWindow->Client(), true, E);
}

void TFormWidget::keyReleaseEvent(QKeyEvent* E) {
  if (FWindow)
    ForwardKey(FWindow->Client(), false, E);
}

void TFormWidget::mousePressEvent(QMouseEvent* E) {
  if (FWindow)
    ForwardMouse(FWindow->Client(), maDown, E);
}

void TFormWidget::mouseReleaseEvent(QMouseEvent* E) {
  if (FWindow)
    ForwardMouse(FWindow->Client(), maUp, E);
}

void TFormWidget::mouseDoubleClickEvent(QMouseEvent* E) {
  if (FWindow)
    ForwardMouse(FWindow->Client(), maDoubleClick, E);
}

void TFormWidget::mouseMoveEvent(QMouseEvent* E) {
  if (FWindow)
    ForwardMouse(FWindow->Client(), maMove, E);
}

void TFormWidget::wheelEvent(QWheelEvent* E) {
  if (FWindow)
    ForwardWheel(FWindow->Client(), E);
}

void TFormWidget::resizeEvent(QResizeEvent* E) {
  QWidget::resizeEvent(E);
  if (!FWindow)
    return;
  QScopedValueRollback<bool> Following(FFollowing, true);
  FWindow->Client()->WindowResized(width(), height());
}

// ---------------------------------------------------------------------------
// Focus between the form and the host

// The control that takes the focus when the host hands it to the form: Tab
// enters at the first control, Shift+Tab at the last; any other move (a
// click, the program's setFocus) goes back to the control the host took it
// from. Null leaves the choice to the form (its focused control, or the one
// it picks when it is activated).
vcl::TWinControl* TFormWidget::EntryControl(Qt::FocusReason Reason) const {
  if (Reason == Qt::TabFocusReason || Reason == Qt::BacktabFocusReason)
    return FForm->FindNextControl(nullptr, Reason == Qt::TabFocusReason, true, false);
  if (Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason ||
      FForm->FocusedControl())
    return nullptr;
  // The control left may have gone since: it is taken only while the form still holds it.
  std::vector<vcl::TWinControl*> Order;
  FForm->GetTabOrderList(Order);
  if (std::find(Order.begin(), Order.end(), FLeft) != Order.end() && FLeft->CanFocus())
    return FLeft;
  return FForm->FindNextControl(nullptr, true, true, false);
}

// The form's focused control is left as for a focus move inside the form
// (a validating edit judges its text, may report it and keep the focus);
// false when it kept the focus.
bool TFormWidget::LeaveForm() {
  vcl::TWinControl* Leaving = FForm->FocusedControl();
  if (!Leaving || !FForm->Active())
    return true;
  vcl::Application->HandleInput([this] { FForm->SetFocusedControl(nullptr); });
  if (FForm->FocusedControl())
    return false;
  FLeft = Leaving;
  return true;
}

// True when Tab (Shift+Tab) would go round from the form's last (first)
// control to its first (last), or there is nothing to move to.
bool TFormWidget::AtTabEnd(bool Next) const {
  vcl::TWinControl* Current = FForm->FocusedControl();
  vcl::TWinControl* Target = FForm->FindNextControl(Current, Next, true, false);
  if (!Current || !Target || Target == Current)
    return true;
  std::vector<vcl::TWinControl*> Order;
  FForm->GetTabOrderList(Order);
  const auto At = [&Order](vcl::TWinControl* C) {
    return std::find(Order.begin(), Order.end(), C);
  };
  return Next ? At(Target) < At(Current) : At(Target) > At(Current);
}

void TFormWidget::focusInEvent(QFocusEvent* E) {
  QWidget::focusInEvent(E);
  if (!FWindow)
    return;
  vcl::TWinControl* Target = EntryControl(E->reason());
  vcl::Application->HandleInput([&] {
    if (Target)
      FForm->SetActiveControl(Target); // waits for the activation when the form is not active
    FWindow->Client()->WindowActivated(true);
  });
}

// Another widget of the host took the focus (a click, its setFocus, a
// shortcut): the form's control is left as for a move inside the form, and
// one that keeps the focus takes it back. A window or popup that comes up
// over the host moves no focus.
void TFormWidget::focusOutEvent(QFocusEvent* E) {
  QWidget::focusOutEvent(E);
  const Qt::FocusReason Reason = E->reason();
  if (!FWindow || Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason)
    return;
  if (!LeaveForm() && isVisible() && !hasFocus())
    setFocus(Qt::OtherFocusReason);
}

// Inside the form Tab and Shift+Tab move through its tab order (the key goes
// to the form); from its last control (first, going back) they leave it for
// the host's next (previous) widget once the control has let the focus go.
bool TFormWidget::focusNextPrevChild(bool Next) {
  if (!FWindow || !AtTabEnd(Next))
    return false;
  if (!LeaveForm())
    return true;
  if (QWidget::focusNextPrevChild(Next) && !hasFocus())
    return true;
  // No other widget of the host takes the focus: round the form's own order.
  vcl::Application->HandleInput([&] {
    FForm->SetActiveControl(EntryControl(Next ? Qt::TabFocusReason : Qt::BacktabFocusReason));
  });
  return true;
}

} // namespace QtBridge
