// Qt side of the backend: the accessibility tree. A form's window answers
// Qt's accessibility with an interface for the form, parent of one interface
// per control, each reading the platform's accessibility model
// (vcl/accessibility.h); the model's change reports become Qt's
// accessibility events. Qt hands the tree on to the system's service
// (AT-SPI on Linux).
#include <QAccessible>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <unordered_map>

#include "vcl/accessibility.h"
#include "vcl/forms.h"
#include "vcl/qt/detail/qt_common.h"

namespace vcl::backend {

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

QAccessibleInterface* InterfaceOf(TControl* Control);

class TControlAccessible : public QAccessibleInterface,
                           public QAccessibleTextInterface,
                           public QAccessibleActionInterface {
public:
  TControlAccessible(TControl* Control, bool IsForm) : FControl(Control), FIsForm(IsForm) {
    FLastText = Text();
  }
  // The control is going: the interface stays until Qt frees it, as a dead one.
  void Forget() { FControl = nullptr; }

  // What the text was when an event last reported it (a text update
  // carries the old text and the new).
  QString TakeTextChange() {
    QString Old = FLastText;
    FLastText = Text();
    return Old;
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
    const std::vector<TControl*> Children = Kids();
    if (Index < 0 || Index >= static_cast<int>(Children.size()))
      return nullptr;
    return InterfaceOf(Children[Index]);
  }
  int childCount() const override { return static_cast<int>(Kids().size()); }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const std::vector<TControl*> Children = Kids();
    for (std::size_t I = 0; I < Children.size(); ++I)
      if (InterfaceOf(Children[I]) == Child)
        return static_cast<int>(I);
    return -1;
  }
  QAccessibleInterface* childAt(int X, int Y) const override {
    for (TControl* C : Kids())
      if (QAccessibleInterface* I = InterfaceOf(C); I && I->rect().contains(X, Y))
        return I;
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
    QObject* Host = FControl ? HostOf(FControl) : nullptr;
    if (!Host)
      return {};
    TControl* Form = GetParentForm(FControl);
    const TRect R = AccessibleBoundsOf(FControl);
    const TRect F = AccessibleBoundsOf(Form ? Form : FControl);
    QPoint Origin;
    if (auto* Window = qobject_cast<QWindow*>(Host))
      Origin = Window->mapToGlobal(QPoint(0, 0));
    else if (QAccessibleInterface* I = QAccessible::queryAccessibleInterface(Host))
      Origin = I->rect().topLeft();
    return QRect(Origin.x() + R.Left - F.Left, Origin.y() + R.Top - F.Top, R.Width(), R.Height());
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
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* Start, int* End) const override {
    *Start = 0;
    *End = characterCount();
    return {};
  }

  // The action interface.
  QStringList actionNames() const override {
    QStringList Names;
    if (FControl)
      for (const std::string& A : AccessibleActionsOf(FControl))
        Names << QString::fromStdString(A);
    return Names;
  }
  void doAction(const QString& Name) override {
    if (FControl)
      DoAccessibleAction(FControl, Name.toStdString());
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
  std::vector<TControl*> Kids() const {
    return FControl ? AccessibleChildrenOf(FControl) : std::vector<TControl*>();
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
  QString FLastText;
};

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

void Hear(TControl* Control, TAccessibleEvent Event) {
  if (Event == aeDestroyed) {
    Forget(Control);
    return;
  }
  TControlAccessible* I = Listened(Control);
  if (!I)
    return;
  switch (Event) {
  case aeFocus: {
    QAccessibleEvent E(I, QAccessible::Focus);
    QAccessible::updateAccessibility(&E);
    break;
  }
  case aeNameChanged: {
    QAccessibleEvent E(I, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&E);
    break;
  }
  case aeValueChanged: {
    const QString Old = I->TakeTextChange();
    QAccessibleTextUpdateEvent E(I, 0, Old, I->text(0, I->characterCount()));
    QAccessible::updateAccessibility(&E);
    break;
  }
  case aeCaretMoved: {
    QAccessibleTextCursorEvent E(I, I->cursorPosition());
    QAccessible::updateAccessibility(&E);
    break;
  }
  case aeStateChanged: {
    QAccessible::State Changed;
    Changed.disabled = Changed.invisible = true;
    QAccessibleStateChangeEvent E(I, Changed);
    QAccessible::updateAccessibility(&E);
    break;
  }
  case aeDestroyed:
    break;
  }
}

} // namespace

void SetAccessibleHost(TControl* Form, QObject* Host) {
  if (Host)
    Hosts()[Form] = Host;
  else
    Hosts().erase(Form);
}

std::vector<QAccessibleInterface*> AccessibleChildren(TControl* Form) {
  std::vector<QAccessibleInterface*> Children;
  for (TControl* C : AccessibleChildrenOf(Form))
    if (QAccessibleInterface* I = InterfaceOf(C))
      Children.push_back(I);
  return Children;
}

void InstallAccessibility() {
  static const bool Done = [] {
    QAccessible::installFactory(Factory);
    SetAccessibleListener(Hear);
    return true;
  }();
  (void)Done;
}

} // namespace vcl::backend
