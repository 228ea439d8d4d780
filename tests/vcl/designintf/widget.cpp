// The test components of widget.h.
#include "tests/vcl/designintf/widget.h"

#include "vcl/controls.h"

namespace DesignTest {

using namespace vcl;

TWidget::TWidget(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()),
      FLines(std::make_unique<TStringList>()) {}

TWidget::~TWidget() = default;

TWidgetForm::TWidgetForm(TComponent* AOwner) : TForm(AOwner) {}

void RegisterWidgets() {
  static const bool Done = [] {
    RegisterGuiClasses();
    DeclareEnum<TShape>("TShape", {"shRound", "shSquare", "shStar"});
    using T = TWidget;
    Published<TWidget>("TWidget")
        .Inherits<TComponent>()
        .Int("Level", &T::Level, &T::SetLevel, 0)
        .Int("Size", &T::Size, &T::SetSize, 0)
        .TypeName("TSize")
        .Int("Weight", &T::Weight, &T::SetWeight, 0)
        .TypeName("TWeight")
        .Bool("Active", &T::Active, &T::SetActive, false)
        .Char("Mark", &T::Mark, &T::SetMark, '\0')
        .Enum("Shape", &T::Shape, &T::SetShape, shRound)
        .Set("Shapes", &T::Shapes, &T::SetShapes, TShapes{})
        .Float("Ratio", &T::Ratio, &T::SetRatio, 0)
        .Curr("Price", &T::Price, &T::SetPrice, Currency())
        .DateTime("When", &T::When, &T::SetWhen, 0)
        .DateTime("Day", &T::Day, &T::SetDay, 0)
        .TypeName("TDate")
        .DateTime("Hour", &T::Hour, &T::SetHour, 0)
        .TypeName("TTime")
        .Str("Caption", &T::Caption, &T::SetCaption, "")
        .Binary("Blob", &T::Blob, &T::SetBlob)
        .Object("Font", &T::Font)
        .Strings("Lines", &T::Lines)
        .Component("Buddy", &T::Buddy, &T::SetBuddy)
        .Event("OnPing", &T::OnPing);
    Published<TSpecialWidget>("TSpecialWidget").Inherits<TWidget>();
    Published<TWidgetForm>("TWidgetForm")
        .Inherits<TForm>()
        .Method("Ping", &TWidgetForm::Ping)
        .Method("Typed", &TWidgetForm::Typed)
        .Method("Echo", &TWidgetForm::Echo);
    return true;
  }();
  (void)Done;
}

TWidgetStage::TWidgetStage()
    : Form((RegisterWidgets(), std::make_unique<TWidgetForm>(nullptr))),
      W1(new TWidget(Form.get())), W2(new TSpecialWidget(Form.get())), Designer(Form.get()) {
  Form->SetName("Form1");
  W1->SetName("W1");
  W2->SetName("W2");
}

std::unique_ptr<TPropertyEditor>
EditorFor(TFormDesigner& Designer, std::vector<TPersistent*> Objects, const std::string& Name) {
  const TPropInfo* Prop = FindPropInfo(Objects.front(), Name);
  if (!Prop)
    return nullptr;
  auto Editor = GetEditorClass(Prop, Objects.front()).Create(&Designer, Objects, Prop);
  Editor->Initialize();
  return Editor;
}

std::vector<std::string> EditorNames(TFormDesigner& Designer,
                                     const std::vector<TPersistent*>& Objects) {
  std::vector<std::string> Names;
  GetComponentProperties(
      Objects, AllPropertyKinds(), &Designer,
      [&](std::unique_ptr<TPropertyEditor> E) { Names.push_back(E->GetName()); });
  return Names;
}

} // namespace DesignTest
