// Qt side of the backend: the accessibility tree. A form's window answers
// Qt's accessibility with an interface for the form, parent of one interface
// per control, each reading the platform's accessibility model
// (vcl/accessibility.h); the model's change reports become Qt's
// accessibility events. Qt hands the tree on to the system's service
// (AT-SPI on Linux). A calendar is a table as well; the parts that are not
// controls live in qt_accessible_parts.cpp.
#include <QAccessible>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "vcl/accessibility.h"
#include "vcl/forms.h"
#include "vcl/qt/detail/qt_accessible.h"
#include "vcl/qt/detail/qt_common.h"

namespace vcl::backend::accessible {

namespace {

// What each form's tree hangs from: its own window, whose interface Qt
// makes through the factory and frees with the window, or the widget of a
// Qt Widgets window it is embedded in, whose interface stands for the form.
std::unordered_map<TControl*, QPointer<QObject>>& Hosts() {
  static std::unordered_map<TControl*, QPointer<QObject>> Map;
  return Map;
}
// The host of Control's form; nullptr while Qt has not asked about it.
QObject* HostOf(TControl* Control) {
  TControl* Form = GetParentForm(Control);
  const auto H = Hosts().find(Form ? Form : Control);
  return H == Hosts().end() ? nullptr : H->second.data();
}
// The other controls' interfaces, by the id Qt registered them under (Qt
// owns them; an id whose interface is gone looks up as nullptr).
std::unordered_map<TControl*, QAccessible::Id>& ControlIds() {
  static std::unordered_map<TControl*, QAccessible::Id> Map;
  return Map;
}

QString QtActionName(const std::string& Action) {
  if (Action == PressAction)
    return QAccessibleActionInterface::pressAction();
  if (Action == FocusAction)
    return QAccessibleActionInterface::setFocusAction();
  return QString::fromStdString(Action);
}

QAccessible::Role RoleOf(TAccessibleRole Role) {
  switch (Role) {
  case arWindow:
    return QAccessible::Window; // a frame to AT-SPI
  case arDialog:
    return QAccessible::Dialog;
  case arGrouping:
    return QAccessible::Grouping;
  case arStaticText:
    return QAccessible::StaticText;
  case arEdit:
    return QAccessible::EditableText;
  case arPushButton:
    return QAccessible::PushButton;
  case arCheckBox:
    return QAccessible::CheckBox;
  case arTable:
    return QAccessible::Table;
  case arCell:
    return QAccessible::Cell;
  case arMenu:
    return QAccessible::PopupMenu;
  case arMenuItem:
    return QAccessible::MenuItem;
  case arAlert:
    return QAccessible::AlertMessage;
  case arClient:
    break;
  }
  return QAccessible::Client;
}

// Our text positions count characters (code points); Qt's count UTF-16
// units, two for a character outside the basic plane.
int UnitsOf(const QString& Text, int Chars) {
  int Units = 0;
  for (; Chars > 0 && Units < Text.size(); --Chars)
    Units += Text[Units].isHighSurrogate() && Units + 1 < Text.size() ? 2 : 1;
  return Units;
}
int CharsOf(const QString& Text, int Units) {
  int Chars = 0;
  for (int I = 0; I < Units && I < Text.size(); ++Chars)
    I += Text[I].isHighSurrogate() && I + 1 < Text.size() ? 2 : 1;
  return Chars;
}

class TControlAccessible : public QAccessibleInterface,
                           public QAccessibleTextInterface,
                           public QAccessibleActionInterface,
                           public QAccessibleTableInterface {
public:
  TControlAccessible(TControl* Control, bool IsForm) : FControl(Control), FIsForm(IsForm) {
    FLastText = Model().Text;
  }
  // The control is going: the interface stays until Qt frees it, as a dead one.
  void Forget() { FControl = nullptr; }

  // How the text changed since an event last reported it.
  TAccessibleTextChange TakeTextChange() {
    const std::string New = Model().Text;
    return AccessibleTextChange(std::exchange(FLastText, New), New);
  }

  bool isValid() const override { return FControl != nullptr; }
  QObject* object() const override { return FIsForm && FControl ? HostOf(FControl) : nullptr; }
  QWindow* window() const override {
    QObject* Host = FControl ? HostOf(FControl) : nullptr;
    if (auto* Window = qobject_cast<QWindow*>(Host))
      return Window;
    QAccessibleInterface* I = Host ? QAccessible::queryAccessibleInterface(Host) : nullptr;
    return I ? I->window() : nullptr;
  }

  QAccessibleInterface* parent() const override {
    if (!FControl)
      return nullptr;
    TControl* Parent = AccessibleParentOf(FControl);
    if (FIsForm || !Parent)
      return QAccessible::queryAccessibleInterface(qApp);
    return InterfaceOf(Parent);
  }
  QAccessibleInterface* child(int Index) const override {
    const std::vector<QAccessibleInterface*> Children = Kids();
    if (Index < 0 || Index >= static_cast<int>(Children.size()))
      return nullptr;
    return Children[Index];
  }
  int childCount() const override { return static_cast<int>(Kids().size()); }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const std::vector<QAccessibleInterface*> Children = Kids();
    const auto It = std::find(Children.begin(), Children.end(), Child);
    return It == Children.end() ? -1 : static_cast<int>(It - Children.begin());
  }
  // The last of the nodes under the point: an open menu lies over the rest.
  QAccessibleInterface* childAt(int X, int Y) const override {
    const std::vector<QAccessibleInterface*> Children = Kids();
    for (auto It = Children.rbegin(); It != Children.rend(); ++It)
      if ((*It)->rect().contains(X, Y))
        return *It;
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    auto* Form = FControl ? dynamic_cast<TCustomForm*>(FControl) : nullptr;
    TWinControl* Focused = Form ? Form->FocusedControl() : nullptr;
    return Focused ? InterfaceOf(Focused) : nullptr;
  }

  QString text(QAccessible::Text T) const override {
    if (!FControl)
      return {};
    switch (T) {
    case QAccessible::Name:
      return FromUtf8(AccessibleNameOf(FControl));
    case QAccessible::Description:
      return FromUtf8(AccessibleDescriptionOf(FControl));
    case QAccessible::Value:
      return FromUtf8(AccessibleValueOf(FControl));
    default:
      return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  // The model's bounds are in the form's coordinates of the screen; the
  // window may stand elsewhere (the window manager places it), and an
  // embedded form stands where its widget does.
  QRect rect() const override {
    return FControl ? ToQt(FControl, AccessibleBoundsOf(FControl)) : QRect();
  }
  QAccessible::Role role() const override {
    return FControl ? RoleOf(FControl->AccessibleRole()) : QAccessible::NoRole;
  }
  QAccessible::State state() const override;

  void* interface_cast(QAccessible::InterfaceType Type) override {
    TAccessibleText T;
    if (Type == QAccessible::TextInterface && FControl && AccessibleTextOf(FControl, T))
      return static_cast<QAccessibleTextInterface*>(this);
    if (Type == QAccessible::ActionInterface && FControl)
      return static_cast<QAccessibleActionInterface*>(this);
    TAccessibleTable Table;
    if (Type == QAccessible::TableInterface && FControl && AccessibleTableOf(FControl, Table))
      return static_cast<QAccessibleTableInterface*>(this);
    return nullptr;
  }

  // The text interface, in UTF-16 units.
  void selection(int Index, int* Start, int* End) const override {
    const TAccessibleText T = Model();
    const QString Q = FromUtf8(T.Text);
    *Start = *End = 0;
    if (Index == 0 && T.SelLength > 0) {
      *Start = UnitsOf(Q, T.SelStart);
      *End = UnitsOf(Q, T.SelStart + T.SelLength);
    }
  }
  int selectionCount() const override { return Model().SelLength > 0 ? 1 : 0; }
  void addSelection(int Start, int End) override { setSelection(0, Start, End); }
  void removeSelection(int) override { setCursorPosition(cursorPosition()); }
  void setSelection(int, int Start, int End) override {
    if (!FControl)
      return;
    const QString Q = Text();
    const int From = CharsOf(Q, std::min(Start, End)), To = CharsOf(Q, std::max(Start, End));
    SetAccessibleSelection(FControl, From, To - From);
  }
  int cursorPosition() const override {
    const TAccessibleText T = Model();
    return UnitsOf(FromUtf8(T.Text), T.Caret);
  }
  void setCursorPosition(int Position) override {
    if (FControl)
      SetAccessibleSelection(FControl, CharsOf(Text(), Position), 0);
  }
  QString text(int Start, int End) const override { return Text().mid(Start, End - Start); }
  int characterCount() const override { return static_cast<int>(Text().size()); }
  QRect characterRect(int Offset) const override;
  int offsetAtPoint(const QPoint& Point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* Start, int* End) const override {
    *Start = 0;
    *End = characterCount();
    return {};
  }

  // The action interface, under Qt's names for the model's actions, which
  // the accessibility bridges look for (AT-SPI's GrabFocus asks for
  // setFocusAction, a reader's click for pressAction).
  QStringList actionNames() const override {
    QStringList Names;
    if (FControl)
      for (const std::string& A : AccessibleActionsOf(FControl))
        Names << QtActionName(A);
    return Names;
  }
  void doAction(const QString& Name) override {
    if (!FControl)
      return;
    for (const std::string& A : AccessibleActionsOf(FControl))
      if (QtActionName(A) == Name) {
        RaiseHost();
        DoAccessibleAction(FControl, A);
      }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  // The table interface: a calendar's days (qt_accessible_parts.cpp makes
  // the cells); selecting from the screen reader is not offered.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int Row, int Column) const override {
    const TAccessibleTable T = Table();
    if (Row < 0 || Row >= T.Rows || Column < 0 || Column >= T.Columns)
      return nullptr;
    return PartOf(FControl, pkCell, Row * T.Columns + Column);
  }
  int columnCount() const override { return Table().Columns; }
  int rowCount() const override { return Table().Rows; }
  QString columnDescription(int Column) const override {
    const TAccessibleTable T = Table();
    return Column >= 0 && Column < T.Columns ? FromUtf8(T.ColumnHeaders[Column]) : QString();
  }
  QString rowDescription(int) const override { return {}; }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> Cells;
    const TAccessibleTable T = Table();
    for (std::size_t I = 0; I < T.Cells.size(); ++I)
      if (T.Cells[I].States.Contains(asSelected))
        Cells << PartOf(FControl, pkCell, static_cast<int>(I));
    return Cells;
  }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
  // An action is input, and input goes to the window or widget that has the
  // keyboard: the form's window is activated, an embedding widget focused
  // (through its slot, as this side of the backend knows no widgets), so
  // that the keys typed next reach the control the action focused.
  void RaiseHost() const {
    if (QWindow* Window = window())
      Window->requestActivate();
    QObject* Host = HostOf(FControl);
    if (Host && !qobject_cast<QWindow*>(Host))
      QMetaObject::invokeMethod(Host, "setFocus", Qt::DirectConnection);
  }
  std::vector<QAccessibleInterface*> Kids() const {
    return FControl ? NodesOf(FControl) : std::vector<QAccessibleInterface*>();
  }
  TAccessibleTable Table() const {
    TAccessibleTable T;
    if (FControl)
      AccessibleTableOf(FControl, T);
    return T;
  }
  TAccessibleText Model() const {
    TAccessibleText T;
    if (FControl)
      AccessibleTextOf(FControl, T);
    return T;
  }
  QString Text() const { return FromUtf8(Model().Text); }

  TControl* FControl;
  bool FIsForm;
  std::string FLastText;
};

// A character outside the basic plane is two UTF-16 units; either of them
// stands for it.
QRect TControlAccessible::characterRect(int Offset) const {
  if (!FControl)
    return {};
  const QString Q = Text();
  if (Offset > 0 && Offset < Q.size() && Q[Offset].isLowSurrogate())
    --Offset;
  const TRect R = AccessibleCharacterBoundsOf(FControl, CharsOf(Q, Offset));
  return IsRectEmpty(R) ? QRect() : ToQt(FControl, R);
}

int TControlAccessible::offsetAtPoint(const QPoint& Point) const {
  if (!FControl)
    return -1;
  const int At = AccessibleOffsetAt(FControl, FromQt(FControl, Point));
  return At < 0 ? -1 : UnitsOf(Text(), At);
}

QAccessible::State TControlAccessible::state() const {
  QAccessible::State S;
  if (!FControl) {
    S.invalid = true; // Qt's word for a dead object
    return S;
  }
  const TAccessibleStates States = AccessibleStatesOf(FControl);
  S.focused = States.Contains(asFocused);
  S.focusable = States.Contains(asFocusable);
  S.readOnly = States.Contains(asReadOnly);
  S.disabled = States.Contains(asDisabled);
  S.invisible = States.Contains(asInvisible);
  S.passwordEdit = States.Contains(asProtected);
  S.editable = FControl->AccessibleRole() == arEdit && !S.readOnly;
  S.selectableText = FControl->AccessibleRole() == arEdit;
  S.active = FIsForm && window() && window()->isActive();
  S.modal = FControl->AccessibleRole() == arDialog;
  return S;
}

QAccessibleInterface* Factory(const QString&, QObject* Object) {
  TWindowClient* Client = WindowClientOf(Object);
  if (!Client)
    return nullptr;
  Hosts()[Client->WindowControl()] = Object;
  return new TControlAccessible(Client->WindowControl(), true);
}

// The interface of a control whose form Qt has asked about; nullptr when no
// one is listening or the control's form is not in the tree.
TControlAccessible* Listened(TControl* Control) {
  if (!QAccessible::isActive() || !QCoreApplication::instance())
    return nullptr;
  if (!HostOf(Control))
    return nullptr;
  return dynamic_cast<TControlAccessible*>(InterfaceOf(Control));
}

void Forget(TControl* Control) {
  ForgetParts(Control, false);
  if (const auto H = Hosts().find(Control); H != Hosts().end()) {
    if (qobject_cast<QWindow*>(H->second))
      if (auto* I =
              dynamic_cast<TControlAccessible*>(QAccessible::queryAccessibleInterface(H->second)))
        I->Forget();
    Hosts().erase(H);
  } else if (const auto It = ControlIds().find(Control); It != ControlIds().end()) {
    if (auto* I = dynamic_cast<TControlAccessible*>(QAccessible::accessibleInterface(It->second))) {
      I->Forget();
      QAccessible::deleteAccessibleInterface(It->second);
    }
    ControlIds().erase(It);
  }
}

void Send(QAccessibleInterface* I, QAccessible::Event Kind) {
  QAccessibleEvent E(I, Kind);
  QAccessible::updateAccessibility(&E);
}

// Only what changed goes out, in UTF-16 units: a reader speaks the typed
// character, not the whole text again.
void SendTextChange(TControlAccessible* I) {
  const TAccessibleTextChange C = I->TakeTextChange();
  const QString Removed = FromUtf8(C.Removed), Inserted = FromUtf8(C.Inserted);
  const int At = UnitsOf(I->text(0, I->characterCount()), C.Position);
  const int Caret = I->cursorPosition();
  if (!Removed.isEmpty() && !Inserted.isEmpty()) {
    QAccessibleTextUpdateEvent E(I, At, Removed, Inserted);
    E.setCursorPosition(Caret);
    QAccessible::updateAccessibility(&E);
  } else if (!Inserted.isEmpty()) {
    QAccessibleTextInsertEvent E(I, At, Inserted);
    E.setCursorPosition(Caret);
    QAccessible::updateAccessibility(&E);
  } else if (!Removed.isEmpty()) {
    QAccessibleTextRemoveEvent E(I, At, Removed);
    E.setCursorPosition(Caret);
    QAccessible::updateAccessibility(&E);
  }
}

// A calendar's day moving is its selection changing; while the calendar
// has the focus, the focus moves to the new day as well.
void SendSelection(TControl* Control, TControlAccessible* I) {
  Send(I, QAccessible::SelectionWithin);
  const QList<QAccessibleInterface*> Selected = I->selectedCells();
  if (!Selected.isEmpty() && AccessibleStatesOf(Control).Contains(asFocused))
    Send(Selected.front(), QAccessible::Focus);
}

// The menu comes and goes as a child of the form; the highlighted item
// takes the focus while it is open.
void SendMenu(TControl* Form, TAccessibleEvent Event) {
  QAccessibleInterface* Menu = PartOf(Form, pkMenu, 0);
  if (!Menu)
    return;
  if (Event == aeMenuEnd) {
    Send(Menu, QAccessible::PopupMenuEnd);
    Send(Menu, QAccessible::ObjectDestroyed);
    ForgetParts(Form, true);
    return;
  }
  if (Event == aeMenuStart) {
    Send(Menu, QAccessible::ObjectCreated);
    Send(Menu, QAccessible::PopupMenuStart);
  }
  const std::vector<TAccessibleItem> Items = AccessibleMenuOf(Form);
  for (std::size_t K = 0; K < Items.size(); ++K)
    if (Items[K].States.Contains(asSelected))
      Send(PartOf(Form, pkMenuItem, static_cast<int>(K)), QAccessible::Focus);
}

void SendState(TControlAccessible* I) {
  QAccessible::State Changed;
  Changed.disabled = Changed.invisible = true;
  QAccessibleStateChangeEvent E(I, Changed);
  QAccessible::updateAccessibility(&E);
}

void Hear(TControl* Control, TAccessibleEvent Event) {
  if (Event == aeDestroyed) {
    Forget(Control);
    return;
  }
  TControlAccessible* I = Listened(Control);
  if (!I)
    return;
  switch (Event) {
  case aeFocus:
    return Send(I, QAccessible::Focus);
  case aeNameChanged:
    return Send(I, QAccessible::NameChanged);
  case aeDescriptionChanged:
    return Send(I, QAccessible::DescriptionChanged);
  case aeValueChanged:
    return SendTextChange(I);
  case aeCaretMoved: {
    QAccessibleTextCursorEvent E(I, I->cursorPosition());
    return QAccessible::updateAccessibility(&E);
  }
  case aeStateChanged:
    return SendState(I);
  case aeSelection:
    return SendSelection(Control, I);
  case aeMenuStart:
  case aeMenuSelection:
  case aeMenuEnd:
    return SendMenu(Control, Event);
  case aeDestroyed:
    break;
  }
}

} // namespace

// The interface of a control: the form's is its window's; the others are
// made on first use and registered with Qt.
QAccessibleInterface* InterfaceOf(TControl* Control) {
  if (const auto H = Hosts().find(Control); H != Hosts().end())
    return H->second ? QAccessible::queryAccessibleInterface(H->second.data()) : nullptr;
  if (const auto It = ControlIds().find(Control); It != ControlIds().end())
    return QAccessible::accessibleInterface(It->second);
  if (!HostOf(Control))
    return nullptr;
  auto* Made = new TControlAccessible(Control, false);
  ControlIds()[Control] = QAccessible::registerAccessibleInterface(Made);
  return Made;
}

namespace {

// How far Qt's screen lies from the model's for Control's form; false
// without a host.
bool HostShift(TControl* Control, QPoint& Shift) {
  QObject* Host = HostOf(Control);
  if (!Host)
    return false;
  TControl* Form = GetParentForm(Control);
  const TRect F = AccessibleBoundsOf(Form ? Form : Control);
  QPoint Origin;
  if (auto* Window = qobject_cast<QWindow*>(Host))
    Origin = Window->mapToGlobal(QPoint(0, 0));
  else if (QAccessibleInterface* I = QAccessible::queryAccessibleInterface(Host))
    Origin = I->rect().topLeft();
  Shift = Origin - QPoint(F.Left, F.Top);
  return true;
}

} // namespace

QRect ToQt(TControl* Control, const TRect& R) {
  QPoint Shift;
  if (!HostShift(Control, Shift))
    return {};
  return QRect(R.Left + Shift.x(), R.Top + Shift.y(), R.Width(), R.Height());
}

TPoint FromQt(TControl* Control, const QPoint& P) {
  QPoint Shift;
  if (!HostShift(Control, Shift))
    return {};
  return {P.x() - Shift.x(), P.y() - Shift.y()};
}

std::vector<QAccessibleInterface*> NodesOf(TControl* Control) {
  std::vector<QAccessibleInterface*> Nodes;
  for (TControl* C : AccessibleChildrenOf(Control))
    if (QAccessibleInterface* I = InterfaceOf(C))
      Nodes.push_back(I);
  TAccessibleTable Table;
  if (AccessibleTableOf(Control, Table))
    for (int K = 0; K < static_cast<int>(Table.Cells.size()); ++K)
      if (QAccessibleInterface* I = PartOf(Control, pkCell, K))
        Nodes.push_back(I);
  if (!AccessibleMenuOf(Control).empty())
    if (QAccessibleInterface* I = PartOf(Control, pkMenu, 0))
      Nodes.push_back(I);
  return Nodes;
}

} // namespace vcl::backend::accessible

namespace vcl::backend {

void SetAccessibleHost(TControl* Form, QObject* Host) {
  if (Host)
    accessible::Hosts()[Form] = Host;
  else
    accessible::Hosts().erase(Form);
}

std::vector<QAccessibleInterface*> AccessibleChildren(TControl* Form) {
  return accessible::NodesOf(Form);
}

void InstallAccessibility() {
  static const bool Done = [] {
    QAccessible::installFactory(accessible::Factory);
    SetAccessibleListener(accessible::Hear);
    return true;
  }();
  (void)Done;
}

} // namespace vcl::backend
