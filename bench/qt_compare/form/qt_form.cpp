// qt_form: the peer of the demo's customer form in Qt Widgets, for the
// start-up and keystroke benches. It reads the demo's form file and puts a
// QLabel for every label (wrapped where the label wraps), a QLineEdit for
// every edit (with the text the form file gives it) and a QPushButton for
// every button at the same place and size, so both programs build the same
// form. What the demo adds at run time (values from code and from its
// database, the buttons inside edits) the peer lacks.
// With --screenshot PICTURE it paints the form once offscreen and quits
// (like the demo's --screenshot); without it shows the window until it is
// closed. The demo's picture holds its window's frame and caption, which
// Qt's grab leaves out: --frame WIDTHxHEIGHT (the size of the demo's
// picture) draws a frame and a caption with the title around the form, so
// both programs draw and encode pictures of one size.
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct TObjectText {
  QString Class;
  QString Caption;
  QString Text;
  bool WordWrap = false;
  int Left = 0, Top = 0, Width = -1, Height = -1;
  QWidget* Widget = nullptr;
  bool Built = false;
};

// Builds an object of the form file inside Parent: a label, an edit, a
// button, or a panel (which holds the objects nested in it); anything else
// is skipped.
void Build(TObjectText& O, QWidget* Parent) {
  O.Built = true;
  QWidget* W = nullptr;
  if (O.Class == "TLabel") {
    auto* L = new QLabel(QString(O.Caption).remove('&'), Parent);
    L->setWordWrap(O.WordWrap);
    L->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L->adjustSize();
    W = L;
  } else if (O.Class.endsWith("Edit")) {
    W = new QLineEdit(O.Text, Parent);
  } else if (O.Class == "TButton") {
    W = new QPushButton(O.Caption, Parent);
  } else if (O.Class.endsWith("Panel")) {
    auto* F = new QFrame(Parent);
    F->setFrameShape(QFrame::StyledPanel);
    W = F;
  }
  if (!W)
    return;
  W->move(O.Left, O.Top);
  if (O.Width > 0 && O.Height > 0)
    W->resize(O.Width, O.Height);
  O.Widget = W;
}

// Reads the nested objects of the form file; only their place, size and
// caption matter here. An object is built when its first child begins or
// when it ends, so its properties are all read by then.
void BuildFromFormFile(QWidget& Form, const QString& FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly | QIODevice::Text))
    return;
  QTextStream In(&File);
  static const QRegularExpression ObjectLine(R"(^\s*object \w+: (\w+))");
  static const QRegularExpression Property(R"(^\s*(\w+) = (.*)$)");
  QList<TObjectText> Stack;
  auto ParentOf = [&Form, &Stack](qsizetype Index) {
    for (qsizetype I = Index - 1; I >= 1; --I)
      if (Stack[I].Widget)
        return Stack[I].Widget;
    return &Form;
  };
  while (!In.atEnd()) {
    const QString Line = In.readLine();
    if (auto M = ObjectLine.match(Line); M.hasMatch()) {
      if (Stack.size() > 1 && !Stack.last().Built)
        Build(Stack.last(), ParentOf(Stack.size() - 1));
      Stack.append(TObjectText());
      Stack.last().Class = M.captured(1);
    } else if (Line.trimmed() == "end" && !Stack.isEmpty()) {
      if (Stack.size() > 1 && !Stack.last().Built)
        Build(Stack.last(), ParentOf(Stack.size() - 1));
      Stack.removeLast();
    } else if (auto P = Property.match(Line); P.hasMatch() && !Stack.isEmpty()) {
      TObjectText& O = Stack.last();
      const QString Name = P.captured(1), Value = P.captured(2);
      if (Name == "Left")
        O.Left = Value.toInt();
      else if (Name == "Top")
        O.Top = Value.toInt();
      else if (Name == "Width")
        O.Width = Value.toInt();
      else if (Name == "Height")
        O.Height = Value.toInt();
      else if (Name == "Caption")
        O.Caption = Value.mid(1, Value.size() - 2);
      else if (Name == "Text")
        O.Text = Value.mid(1, Value.size() - 2);
      else if (Name == "WordWrap")
        O.WordWrap = Value == "True";
      else if (Name == "ClientWidth" && Stack.size() == 1)
        Form.resize(Value.toInt(), Form.height());
      else if (Name == "ClientHeight" && Stack.size() == 1)
        Form.resize(Form.width(), Value.toInt());
    }
  }
}

// The form's picture inside a frame and caption of the given outer size:
// the frame as wide on every side as on the left and right, the caption
// taking the rest of the height.
QImage Framed(QWidget& Form, const QSize& Outer) {
  const QImage Client = Form.grab().toImage();
  const int Frame = std::max((Outer.width() - Client.width()) / 2, 0);
  const int Caption = std::max(Outer.height() - Client.height() - 2 * Frame, 0);
  QImage Picture(Outer, QImage::Format_RGB32);
  Picture.fill(Form.palette().window().color());
  QPainter P(&Picture);
  P.setPen(Qt::darkGray);
  P.drawRect(0, 0, Outer.width() - 1, Outer.height() - 1);
  P.fillRect(Frame, Frame, Outer.width() - 2 * Frame, Caption - 1, QColor(0, 0, 128));
  P.setPen(Qt::white);
  P.drawText(QRect(Frame + 4, Frame, Outer.width() - 2 * Frame - 8, Caption - 1),
             Qt::AlignVCenter | Qt::AlignLeft, Form.windowTitle());
  P.drawImage(Frame, Frame + Caption, Client);
  return Picture;
}

} // namespace

int main(int argc, char** argv) {
  const char* Screenshot = nullptr;
  QSize Outer;
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], "--screenshot") == 0)
      Screenshot = argv[I + 1];
    else if (std::strcmp(argv[I], "--frame") == 0)
      std::sscanf(argv[I + 1], "%dx%d", &Outer.rwidth(), &Outer.rheight());
  if (Screenshot)
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QWidget Form;
  Form.setWindowTitle("Customer order (Qt)");
  BuildFromFormFile(Form, QStringLiteral(QT_FORM_FILE));
  if (Screenshot) {
    Form.show();
    const QImage Picture = Outer.isValid() ? Framed(Form, Outer) : Form.grab().toImage();
    if (!Picture.save(QString::fromLocal8Bit(Screenshot))) {
      std::fprintf(stderr, "qt_form: cannot save %s\n", Screenshot);
      return 1;
    }
    return 0;
  }
  Form.show();
  return App.exec();
}
