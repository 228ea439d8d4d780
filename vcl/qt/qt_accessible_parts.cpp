// Qt side of the backend: the accessibility interfaces of what a screen
// reader walks as nodes although they are not controls. A calendar's days
// are the cells of its table; a popup menu open over a form is a menu among
// the form's children, its items menu items one can press. Each reads the
// model afresh (vcl/accessibility.h), so it is never stale; one whose part
// is gone (the menu closed) answers as invalid until it is freed.
#include <QAccessible>

#include <algorithm>
#include <map>
#include <tuple>

#include "vcl/accessibility.h"
#include "vcl/qt/detail/qt_accessible.h"
#include "vcl/qt/detail/qt_common.h"

namespace vcl::backend::accessible {

namespace {

class TPartAccessible : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleActionInterface {
public:
  TPartAccessible(TControl* Owner, TPartKind Kind, int Index)
      : FOwner(Owner), FKind(Kind), FIndex(Index) {}

  bool isValid() const override { return Item(nullptr); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    QAccessibleInterface* Owner = InterfaceOf(FOwner);
    return Owner ? Owner->window() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return FKind == pkMenuItem ? PartOf(FOwner, pkMenu, 0) : InterfaceOf(FOwner);
  }
  QAccessibleInterface* child(int Index) const override {
    return Index >= 0 && Index < childCount() ? PartOf(FOwner, pkMenuItem, Index) : nullptr;
  }
  int childCount() const override {
    return FKind == pkMenu ? static_cast<int>(AccessibleMenuOf(FOwner).size()) : 0;
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    for (int I = 0; I < childCount(); ++I)
      if (PartOf(FOwner, pkMenuItem, I) == Child)
        return I;
    return -1;
  }
  QAccessibleInterface* childAt(int X, int Y) const override {
    for (int I = 0; I < childCount(); ++I)
      if (QAccessibleInterface* C = child(I); C->rect().contains(X, Y))
        return C;
    return nullptr;
  }

  QString text(QAccessible::Text T) const override {
    TAccessibleItem A;
    return T == QAccessible::Name && Item(&A) ? FromUtf8(A.Name) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    TAccessibleItem A;
    return Item(&A) ? ToQt(FOwner, A.Bounds) : QRect();
  }
  QAccessible::Role role() const override {
    switch (FKind) {
    case pkCell:
      return QAccessible::Cell;
    case pkMenu:
      return QAccessible::PopupMenu;
    case pkMenuItem:
      return QAccessible::MenuItem;
    }
    return QAccessible::NoRole;
  }
  QAccessible::State state() const override;

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TableCellInterface && FKind == pkCell)
      return static_cast<QAccessibleTableCellInterface*>(this);
    if (Type == QAccessible::ActionInterface && FKind == pkMenuItem)
      return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  // A day of the calendar: its place in the table, the day name heading it
  // being the column's description.
  bool isSelected() const override {
    TAccessibleItem A;
    return Item(&A) && A.States.Contains(asSelected);
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return FIndex % Columns(); }
  int rowIndex() const override { return FIndex / Columns(); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return InterfaceOf(FOwner); }

  // A menu item is pressed as Enter presses it.
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& Name) override {
    if (Name == pressAction())
      ChooseAccessibleMenuItem(FOwner, FIndex);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
  // What the model says of the part now; false when it is gone. The menu
  // itself is there while it has items.
  bool Item(TAccessibleItem* Out) const {
    std::vector<TAccessibleItem> Items;
    if (FKind == pkCell) {
      TAccessibleTable T;
      if (AccessibleTableOf(FOwner, T))
        Items = std::move(T.Cells);
    } else {
      Items = AccessibleMenuOf(FOwner);
    }
    if (FKind == pkMenu) {
      if (Out && !Items.empty())
        *Out = MenuBox(Items);
      return !Items.empty();
    }
    if (FIndex >= static_cast<int>(Items.size()))
      return false;
    if (Out)
      *Out = Items[FIndex];
    return true;
  }
  // The menu's box: around its items.
  static TAccessibleItem MenuBox(const std::vector<TAccessibleItem>& Items) {
    TAccessibleItem Box;
    Box.Bounds = Items.front().Bounds;
    for (const TAccessibleItem& A : Items)
      Box.Bounds = Rect(
          std::min(Box.Bounds.Left, A.Bounds.Left), std::min(Box.Bounds.Top, A.Bounds.Top),
          std::max(Box.Bounds.Right, A.Bounds.Right), std::max(Box.Bounds.Bottom, A.Bounds.Bottom));
    return Box;
  }
  int Columns() const {
    TAccessibleTable T;
    return AccessibleTableOf(FOwner, T) && T.Columns > 0 ? T.Columns : 1;
  }

  TControl* FOwner;
  TPartKind FKind;
  int FIndex;
};

QAccessible::State TPartAccessible::state() const {
  QAccessible::State S;
  TAccessibleItem A;
  if (!Item(&A)) {
    S.invalid = true;
    return S;
  }
  const bool Highlighted = A.States.Contains(asSelected);
  S.disabled = A.States.Contains(asDisabled);
  S.checked = A.States.Contains(asChecked);
  if (FKind == pkCell) {
    S.selectable = true;
    S.selected = Highlighted;
    S.focused = A.States.Contains(asFocused);
  } else if (FKind == pkMenuItem) {
    S.focusable = !S.disabled;
    S.focused = Highlighted;
  }
  return S;
}

using TPartKey = std::tuple<TControl*, TPartKind, int>;
std::map<TPartKey, QAccessible::Id>& PartIds() {
  static std::map<TPartKey, QAccessible::Id> Map;
  return Map;
}

} // namespace

QAccessibleInterface* PartOf(TControl* Owner, TPartKind Kind, int Index) {
  const TPartKey Key{Owner, Kind, Index};
  if (const auto It = PartIds().find(Key); It != PartIds().end())
    return QAccessible::accessibleInterface(It->second);
  if (!InterfaceOf(Owner))
    return nullptr;
  auto* Made = new TPartAccessible(Owner, Kind, Index);
  PartIds()[Key] = QAccessible::registerAccessibleInterface(Made);
  return Made;
}

void ForgetParts(TControl* Owner, bool MenuOnly) {
  for (auto It = PartIds().lower_bound({Owner, pkCell, 0}); It != PartIds().end();) {
    const auto& [O, Kind, Index] = It->first;
    if (O != Owner)
      break;
    if (MenuOnly && Kind == pkCell) {
      ++It;
      continue;
    }
    QAccessible::deleteAccessibleInterface(It->second);
    It = PartIds().erase(It);
  }
}

} // namespace vcl::backend::accessible
