// The tables and bodies of the form-file test classes.
#include "formfile_fixture.h"

namespace formfile_test {

using vcl::Published;

TWidget::TWidget(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FLines(std::make_unique<vcl::TStringList>()),
      FSample(std::make_unique<TSample>()) {
  FSample->FInner = std::make_unique<TSample>();
  ++LiveWidgets();
}

TWidget::~TWidget() {
  --LiveWidgets();
}

void TWidget::SetCount(int Value) {
  FCount = Value;
  Log().push_back("Count of " + Name() + " sees Caption '" + FCaption + "' and Level " +
                  std::to_string(FLevel));
}

void TWidget::SetCaption(const std::string& Value) {
  if (Value == "fail")
    throw vcl::EConvertError("Caption refused");
  FCaption = Value;
}

void TWidget::SetParentComponent(vcl::TComponent* Value) {
  const bool Holds = dynamic_cast<TPanel*>(Value) || dynamic_cast<TTestForm*>(Value);
  FParentComponent = Holds ? Value : nullptr;
}

void TWidget::Loaded() {
  const bool Reading = ComponentState().Contains(vcl::csReading);
  const bool Loading = ComponentState().Contains(vcl::csLoading);
  vcl::TComponent::Loaded();
  Log().push_back("Loaded " + Name() + (Loading ? " loading" : "") + (Reading ? " reading" : ""));
}

void TPanel::GetChildren(const std::function<void(vcl::TComponent*)>& Proc,
                         const vcl::TComponent* Root) const {
  for (int I = 0; I < Root->ComponentCount(); ++I)
    if (Root->Components(I)->GetParentComponent() == this)
      Proc(Root->Components(I));
}

void TTestForm::ButtonClick(vcl::TObject* Sender) {
  Clicks.push_back(Sender);
}

void TTestForm::CountChanged(vcl::TObject*, int& Value) {
  Value *= 2;
}

void RegisterTestClasses() {
  static const bool Done = [] {
    vcl::DeclareEnum<TShade>("TShade", {"shLight", "shMedium", "shDark"});
    {
      using T = TSample;
      Published<T>("TSample")
          .Inherits<vcl::TPersistent>()
          .Int("Max", &T::Max, &T::SetMax, 10)
          .Str("Caption", &T::Caption, &T::SetCaption, std::string())
          .Object("Inner", &T::Inner);
    }
    {
      using T = TWidget;
      Published<T>("TWidget")
          .Inherits<vcl::TComponent>()
          .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Str("Caption", &T::Caption, &T::SetCaption, std::string())
          .Int("Level", &T::Level, &T::SetLevel, 0)
          .Int("Count", &T::Count, &T::SetCount, 0)
          .Range(-1000, 1000)
          .Char("Mark", &T::Mark, &T::SetMark, '\0')
          .Enum("Shade", &T::Shade, &T::SetShade, shMedium)
          .Set("Shades", &T::Shades, &T::SetShades, TShades{})
          .Float("Ratio", &T::Ratio, &T::SetRatio, 0)
          .Float("Small", &T::Small, &T::SetSmall, 0)
          .Float("Wide", &T::Wide, &T::SetWide, 0)
          .DateTime("When", &T::When, &T::SetWhen, 0)
          .Curr("Price", &T::Price, &T::SetPrice, vcl::Currency())
          .Binary("Data", &T::Data, &T::SetData)
          .Stored([](T* W) { return !W->Data().empty(); })
          .Strings("Lines", &T::Lines)
          .Object("Sample", &T::Sample)
          .Component("Buddy", &T::Buddy, &T::SetBuddy)
          .Str("Hidden", &T::Hidden, &T::SetHidden, std::string())
          .Stored(&T::IsHiddenStored)
          .Str("Shown", &T::Shown, nullptr)
          .Event("OnClick", &T::OnClick)
          .Event("OnCount", &T::OnCount);
    }
    {
      using T = TPanel;
      // Columns has no default and is always stored; Count is declared again
      // and moves behind it.
      Published<T>("TPanel")
          .Inherits<TWidget>()
          .Int("Columns", &T::Columns, &T::SetColumns)
          .Int("Count", &T::Count, &T::SetCount, 0);
    }
    {
      using T = TTestForm;
      Published<T>("TTestForm")
          .Inherits<vcl::TComponent>()
          .Method("ButtonClick", &T::ButtonClick)
          .Method("CountChanged", &T::CountChanged)
          .Field("Widget1", &T::Widget1)
          .Field("Panel1", &T::Panel1);
    }
    return true;
  }();
  (void)Done;
}

} // namespace formfile_test
