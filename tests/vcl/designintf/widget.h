// Small components for the property editor tests: one property of every kind
// the tables know, on a class and on a class derived from it, placed on a
// form that publishes an event handler.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vcl/classes.h"
#include "vcl/designintf.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/typinfo.h"

namespace DesignTest {

enum TShape : std::uint8_t { shRound, shSquare, shStar };
using TShapes = vcl::Set<TShape>;

class TWidget : public vcl::TComponent {
public:
  explicit TWidget(vcl::TComponent* AOwner);
  ~TWidget() override;

  vcl::Byte Level() const { return FLevel; }
  void SetLevel(vcl::Byte V) { FLevel = V; }
  int Size() const { return FSize; }
  void SetSize(int V) { FSize = V; }
  int Weight() const { return FWeight; }
  void SetWeight(int V) { FWeight = V; }
  bool Active() const { return FActive; }
  void SetActive(bool V) { FActive = V; }
  char Mark() const { return FMark; }
  void SetMark(char V) { FMark = V; }
  TShape Shape() const { return FShape; }
  void SetShape(TShape V) { FShape = V; }
  TShapes Shapes() const { return FShapes; }
  void SetShapes(TShapes V) { FShapes = V; }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  vcl::Currency Price() const { return FPrice; }
  void SetPrice(vcl::Currency V) { FPrice = V; }
  vcl::TDateTime When() const { return FWhen; }
  void SetWhen(vcl::TDateTime V) { FWhen = V; }
  vcl::TDateTime Day() const { return FDay; }
  void SetDay(vcl::TDateTime V) { FDay = V; }
  vcl::TDateTime Hour() const { return FHour; }
  void SetHour(vcl::TDateTime V) { FHour = V; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V) { FCaption = V; }
  const std::string& Blob() const { return FBlob; }
  void SetBlob(const std::string& V) { FBlob = V; }
  vcl::TFont* Font() const { return FFont.get(); }
  vcl::TStrings* Lines() const { return FLines.get(); }
  vcl::TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(vcl::TComponent* V) { FBuddy = V; }
  vcl::TNotifyEvent OnPing;

private:
  vcl::Byte FLevel = 0;
  int FSize = 0;
  int FWeight = 0;
  bool FActive = false;
  char FMark = 0;
  TShape FShape = shRound;
  TShapes FShapes;
  double FRatio = 0;
  vcl::Currency FPrice;
  vcl::TDateTime FWhen = 0;
  vcl::TDateTime FDay = 0;
  vcl::TDateTime FHour = 0;
  std::string FCaption;
  std::string FBlob;
  std::unique_ptr<vcl::TFont> FFont;
  std::unique_ptr<vcl::TStringList> FLines;
  vcl::TComponent* FBuddy = nullptr;
};

class TSpecialWidget : public TWidget {
public:
  using TWidget::TWidget;
};

// The form the widgets sit on; Ping and Echo handle a widget's OnPing,
// Typed is a handler of another type.
class TWidgetForm : public vcl::TForm {
public:
  explicit TWidgetForm(vcl::TComponent* AOwner);
  void Ping(vcl::TObject*) { ++Pings; }
  void Echo(vcl::TObject*) {}
  void Typed(vcl::TObject*, char&) {}
  int Pings = 0;
};

// Declares the tables of the classes above (once).
void RegisterWidgets();

// A form with two widgets, W1 (TWidget) and W2 (TSpecialWidget).
struct TWidgetStage {
  TWidgetStage();
  std::unique_ptr<TWidgetForm> Form;
  TWidget* W1;
  TSpecialWidget* W2;
  vcl::TFormDesigner Designer;
};

// The editor of property Name for the given objects, chosen as the
// inspector chooses it.
std::unique_ptr<vcl::TPropertyEditor> EditorFor(vcl::TFormDesigner& Designer,
                                                std::vector<vcl::TPersistent*> Objects,
                                                const std::string& Name);

// The names of the editors GetComponentProperties hands out.
std::vector<std::string> EditorNames(vcl::TFormDesigner& Designer,
                                     const std::vector<vcl::TPersistent*>& Objects);

} // namespace DesignTest
