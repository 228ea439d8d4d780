// The form widget: a window of the host toolkit for one of our forms. The
// form asks it to show parts of its picture, the widget hands the form its
// input; the key and mouse translation is the one our own windows use.
#include "qtbridge/form_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include "vcl/gui/backend.h"
#include "vcl/qt/qt_common.h"

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
      FWidget->setWindowTitle(FromCp1252(Title));
  }
  void SetGeometry(int, int, int Width, int Height) override {
    if (!FWidget)
      return;
    FSize = QSize(std::max(Width, 1), std::max(Height, 1));
    FWidget->updateGeometry();
    if (FWidget->size() != FSize)
      FWidget->resize(FSize);
  }
  void SetFixedSize(bool Fixed) override {
    if (FWidget && Fixed && FSize.isValid())
      FWidget->setFixedSize(FSize);
  }
  // Shown and hidden with the form, once the widget has its place in a window.
  void Show() override {
    if (FWidget && FWidget->parentWidget())
      FWidget->show();
  }
  void Hide() override {
    if (FWidget)
      FWidget->hide();
  }
  void Activate() override {
    if (FWidget)
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
  QSize Size() const { return FSize; }

private:
  QPointer<TFormWidget> FWidget;
  TWindowClient* FClient;
  QSize FSize;
};

TFormWidget::TFormWidget(vcl::TCustomForm* Form, QWidget* Parent) : QWidget(Parent), FForm(Form) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FForm->SetWindowMaker([this](TWindowClient* Client) {
    auto Window = std::make_unique<TWindow>(this, Client);
    FWindow = Window.get();
    return Window;
  });
  FForm->Show();
}

TFormWidget::~TFormWidget() {
  if (FWindow) {
    FWindow->Forget();
    FWindow = nullptr;
    FForm->SetWindowMaker(nullptr);
  }
}

QSize TFormWidget::sizeHint() const {
  return FWindow && FWindow->Size().isValid() ? FWindow->Size() : QWidget::sizeHint();
}

void TFormWidget::paintEvent(QPaintEvent* E) {
  if (!FWindow)
    return;
  const vcl::TPixelBuffer& Picture = FWindow->Client()->WindowRender();
  if (Picture.Width() == 0 || Picture.Height() == 0)
    return;
  QPainter P(this);
  const QImage Image = WrapPixels(Picture);
  for (const QRect& R : E->region())
    P.drawImage(R.topLeft(), Image, R);
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

void TFormWidget::resizeEvent(QResizeEvent* E) {
  QWidget::resizeEvent(E);
  if (FWindow)
    FWindow->Client()->WindowResized(width(), height());
}

void TFormWidget::focusInEvent(QFocusEvent* E) {
  QWidget::focusInEvent(E);
  if (FWindow)
    FWindow->Client()->WindowActivated(true);
}

bool TFormWidget::focusNextPrevChild(bool) {
  return false; // Tab and Shift+Tab move the focus inside the form
}

} // namespace QtBridge
