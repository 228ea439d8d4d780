// The accessible interface of a form widget: Qt's interface of a plain
// widget, whose children are the embedded form's controls (the backend's
// interfaces of them), and whose name, unless the program gave the widget
// one, is the form's.
#include <QAccessibleWidget>

#include "qtbridge/detail/form_widget_accessible.h"
#include "qtbridge/form_widget.h"
#include "vcl/accessibility.h"
#include "vcl/qt/embedding.h"

namespace QtBridge {

namespace {

class TFormWidgetAccessible : public QAccessibleWidget {
public:
  explicit TFormWidgetAccessible(TFormWidget* Widget)
      : QAccessibleWidget(Widget, QAccessible::Grouping) {}

  int childCount() const override { return static_cast<int>(Kids().size()); }
  QAccessibleInterface* child(int Index) const override {
    const auto Children = Kids();
    return Index >= 0 && Index < static_cast<int>(Children.size()) ? Children[Index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const auto Children = Kids();
    for (std::size_t I = 0; I < Children.size(); ++I)
      if (Children[I] == Child)
        return static_cast<int>(I);
    return -1;
  }
  // The last node under the point: an open menu lies over the controls.
  QAccessibleInterface* childAt(int X, int Y) const override {
    const auto Children = Kids();
    for (auto It = Children.rbegin(); It != Children.rend(); ++It)
      if ((*It)->rect().contains(X, Y))
        return *It;
    return nullptr;
  }
  QString text(QAccessible::Text T) const override {
    const QString Own = QAccessibleWidget::text(T);
    if (!Own.isEmpty() || T != QAccessible::Name)
      return Own;
    return vcl::backend::FromUtf8(vcl::AccessibleNameOf(Form()));
  }

private:
  vcl::TCustomForm* Form() const { return static_cast<TFormWidget*>(widget())->Form(); }
  std::vector<QAccessibleInterface*> Kids() const {
    return vcl::backend::AccessibleChildren(Form());
  }
};

QAccessibleInterface* Factory(const QString&, QObject* Object) {
  auto* Widget = qobject_cast<TFormWidget*>(Object);
  return Widget ? new TFormWidgetAccessible(Widget) : nullptr;
}

} // namespace

void InstallFormWidgetAccessibility() {
  static const bool Done = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)Done;
}

} // namespace QtBridge
