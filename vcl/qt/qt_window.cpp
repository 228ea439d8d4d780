// Qt side of the backend: the native window of a shown form. It shows the
// form's picture, copying to the screen only the parts that changed, and
// passes keyboard, mouse, resize, activation and close requests back as
// virtual-key input.
#include <QAccessible>
#include <QBackingStore>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QExposeEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QWindow>
#include <QtMath>

#include "vcl/messages.h"
#include "vcl/qt/detail/qt_common.h"
#include "vcl/windows/detail/backend.h"

namespace vcl::backend {

namespace {

int VirtualKey(int Key) {
  if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9))
    return Key; // the same codes
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F12)
    return VK_F1 + (Key - Qt::Key_F1);
  switch (Key) {
  case Qt::Key_Backspace:
    return VK_BACK;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return VK_TAB;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return VK_RETURN;
  case Qt::Key_Shift:
    return VK_SHIFT;
  case Qt::Key_Control:
    return VK_CONTROL;
  case Qt::Key_Alt:
    return VK_MENU;
  case Qt::Key_Escape:
    return VK_ESCAPE;
  case Qt::Key_Space:
    return VK_SPACE;
  case Qt::Key_PageUp:
    return VK_PRIOR;
  case Qt::Key_PageDown:
    return VK_NEXT;
  case Qt::Key_End:
    return VK_END;
  case Qt::Key_Home:
    return VK_HOME;
  case Qt::Key_Left:
    return VK_LEFT;
  case Qt::Key_Up:
    return VK_UP;
  case Qt::Key_Right:
    return VK_RIGHT;
  case Qt::Key_Down:
    return VK_DOWN;
  case Qt::Key_Menu:
    return VK_APPS;
  case Qt::Key_Insert:
    return VK_INSERT;
  case Qt::Key_Delete:
    return VK_DELETE;
  default:
    return 0;
  }
}

int ShiftBits(Qt::KeyboardModifiers Mods, Qt::MouseButtons Buttons) {
  int Bits = 0;
  if (Mods & Qt::ShiftModifier)
    Bits |= ssShiftBit;
  if (Mods & Qt::AltModifier)
    Bits |= ssAltBit;
  if (Mods & Qt::ControlModifier)
    Bits |= ssCtrlBit;
  if (Buttons & Qt::LeftButton)
    Bits |= ssLeftBit;
  if (Buttons & Qt::RightButton)
    Bits |= ssRightBit;
  if (Buttons & Qt::MiddleButton)
    Bits |= ssMiddleBit;
  return Bits;
}

class TQtWindow : public QWindow, public TNativeWindow {
public:
  explicit TQtWindow(TWindowClient* Client) : FClient(Client), FStore(this) {
    setSurfaceType(QSurface::RasterSurface);
  }

  void SetTitle(const std::string& Title) override { setTitle(FromUtf8(Title)); }
  void SetGeometry(int Left, int Top, int Width, int Height) override {
    setGeometry(Left, Top, std::max(Width, 1), std::max(Height, 1));
    if (FFixed)
      FixSize();
  }
  void SetFixedSize(bool Fixed) override {
    FFixed = Fixed;
    if (Fixed)
      FixSize();
    else {
      setMinimumSize(QSize(1, 1));
      setMaximumSize(QSize(16777215, 16777215));
    }
  }
  void Show() override { show(); }
  void Hide() override { hide(); }
  void Activate() override { requestActivate(); }
  void Invalidate(const TRect& R) override {
    FPending += QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    // requestUpdate would wait for Qt's 5 ms update timer, most of a key's
    // way to the screen; the posted request paints at the event loop's next
    // turn, once for all that was invalidated until then.
    if (!FUpdatePosted) {
      FUpdatePosted = true;
      QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }
  }
  void Flush() override {
    const QRegion Region = FPending;
    FPending = QRegion();
    Show(Region);
  }
  int PixelRatio() const override { return WholePixelRatio(devicePixelRatio()); }
  // A bare window has no accessible root, and Qt leaves it out of the
  // application's tree: ours is the form's (qt_accessible.cpp).
  QAccessibleInterface* accessibleRoot() const override {
    return QAccessible::queryAccessibleInterface(const_cast<TQtWindow*>(this));
  }

protected:
  bool event(QEvent* E) override {
    if (E->type() == QEvent::UpdateRequest) {
      FUpdatePosted = false;
      Flush();
      return true;
    }
    return QWindow::event(E);
  }
  void exposeEvent(QExposeEvent*) override {
    FPending = QRegion();
    Show(QRect(QPoint(0, 0), size()));
  }
  void keyPressEvent(QKeyEvent* E) override { ForwardKey(FClient, true, E); }
  void keyReleaseEvent(QKeyEvent* E) override { ForwardKey(FClient, false, E); }
  void mousePressEvent(QMouseEvent* E) override { ForwardMouse(FClient, maDown, E); }
  void mouseReleaseEvent(QMouseEvent* E) override { ForwardMouse(FClient, maUp, E); }
  void mouseDoubleClickEvent(QMouseEvent* E) override { ForwardMouse(FClient, maDoubleClick, E); }
  void mouseMoveEvent(QMouseEvent* E) override { ForwardMouse(FClient, maMove, E); }
  void wheelEvent(QWheelEvent* E) override { ForwardWheel(FClient, E); }
  void resizeEvent(QResizeEvent* E) override {
    QWindow::resizeEvent(E);
    FStore.resize(E->size());
    FClient->WindowResized(width(), height());
  }
  void focusInEvent(QFocusEvent* E) override {
    QWindow::focusInEvent(E);
    FClient->WindowActivated(true);
  }
  void closeEvent(QCloseEvent* E) override {
    if (FClient->WindowCloseQuery())
      E->accept();
    else
      E->ignore();
  }

private:
  // Paints what is out of date into the form's picture, then copies the
  // region of it to the screen.
  void Show(const QRegion& Region) {
    if (!isExposed() || Region.isEmpty())
      return;
    const TPixelBuffer& Picture = FClient->WindowRender();
    if (Picture.Width() == 0 || Picture.Height() == 0)
      return;
    if (FStore.size() != size())
      FStore.resize(size());
    FStore.beginPaint(Region);
    {
      QPainter P(FStore.paintDevice());
      DrawPicture(P, Picture, Region);
    }
    FStore.endPaint();
    FStore.flush(Region);
  }
  void FixSize() {
    setMinimumSize(size());
    setMaximumSize(size());
  }

public:
  TWindowClient* Client() const { return FClient; }

private:
  TWindowClient* FClient;
  QBackingStore FStore;
  QRegion FPending;
  bool FUpdatePosted = false;
  bool FFixed = false;
};

} // namespace

void ForwardKey(TWindowClient* Client, bool Down, const QKeyEvent* E) {
  const int VK = VirtualKey(E->key());
  std::string Text;
  if (Down)
    for (const char32_t C : E->text().toUcs4())
      if (C != 0x7F) // Delete is a key, not a character
        Utf8Append(Text, C);
  if (VK == 0 && Text.empty())
    return;
  Client->WindowKey(Down, VK, ShiftBits(E->modifiers(), Qt::NoButton), Text);
}

int WholePixelRatio(qreal DeviceRatio) {
  return std::max(qCeil(DeviceRatio - 0.01), 1);
}

void DrawPicture(QPainter& Painter, const TPixelBuffer& Picture, const QRegion& Region) {
  QImage Image = WrapPixels(Picture);
  const int Scale = Picture.Scale();
  Image.setDevicePixelRatio(Scale);
  for (const QRect& R : Region)
    Painter.drawImage(QRectF(R), Image,
                      QRectF(R.x() * Scale, R.y() * Scale, R.width() * Scale, R.height() * Scale));
}

void ForwardMouse(TWindowClient* Client, TMouseAction Action, const QMouseEvent* E) {
  TMouseButtonKind Button = mbkLeft;
  if (E->button() == Qt::RightButton)
    Button = mbkRight;
  else if (E->button() == Qt::MiddleButton)
    Button = mbkMiddle;
  const QPointF P = E->position();
  Client->WindowMouse(Action, Button, ShiftBits(E->modifiers(), E->buttons()),
                      static_cast<int>(P.x()), static_cast<int>(P.y()));
}

// Qt's angle delta counts eighths of a degree, 120 a notch, as WM_MOUSEWHEEL
// does.
void ForwardWheel(TWindowClient* Client, const QWheelEvent* E) {
  const QPointF P = E->position();
  Client->WindowWheel(E->angleDelta().y(), ShiftBits(E->modifiers(), E->buttons()),
                      static_cast<int>(P.x()), static_cast<int>(P.y()));
}

TWindowClient* WindowClientOf(QObject* Object) {
  auto* Window = dynamic_cast<TQtWindow*>(Object);
  return Window ? Window->Client() : nullptr;
}

std::unique_ptr<TNativeWindow> CreateNativeWindow(TWindowClient* Client) {
  return std::make_unique<TQtWindow>(Client);
}

} // namespace vcl::backend
