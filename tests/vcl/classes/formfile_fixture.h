// Small published classes for the form-file tests: a widget with one
// property of every kind, a panel that nests widgets, a sub-object, and a
// form that publishes fields and event handlers. Every instance counts
// itself, so a test can see that a failed read leaves nothing behind.
#pragma once

#include <string>
#include <vector>

#include "vcl/classes.h"
#include "vcl/typinfo.h"

namespace formfile_test {

enum TShade : std::uint8_t { shLight, shMedium, shDark };
using TShades = vcl::Set<TShade>;

// The log of setters and Loaded calls, in the order they ran.
inline std::vector<std::string>& Log() {
  static std::vector<std::string> L;
  return L;
}

inline int& LiveWidgets() {
  static int Count = 0;
  return Count;
}

class TSample : public vcl::TPersistent {
public:
  int Max() const { return FMax; }
  void SetMax(int Value) { FMax = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TSample* Inner() { return FInner.get(); }

private:
  int FMax = 10;
  std::string FCaption;
  // Only the top sample has an inner one: Sample.Inner.Max.
  std::unique_ptr<TSample> FInner;
  friend class TWidget;
};

class TWidget : public vcl::TComponent {
public:
  explicit TWidget(vcl::TComponent* AOwner);
  ~TWidget() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  int Count() const { return FCount; }
  // Records what it can see of the properties around it.
  void SetCount(int Value);
  vcl::Byte Level() const { return FLevel; }
  void SetLevel(vcl::Byte Value) { FLevel = Value; }
  char Mark() const { return FMark; }
  void SetMark(char Value) { FMark = Value; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade Value) { FShade = Value; }
  TShades Shades() const { return FShades; }
  void SetShades(const TShades& Value) { FShades = Value; }
  double Ratio() const { return FRatio; }
  void SetRatio(double Value) { FRatio = Value; }
  float Small() const { return FSmall; }
  void SetSmall(float Value) { FSmall = Value; }
  vcl::Extended Wide() const { return FWide; }
  void SetWide(vcl::Extended Value) { FWide = Value; }
  vcl::TDateTime When() const { return FWhen; }
  void SetWhen(vcl::TDateTime Value) { FWhen = Value; }
  vcl::Currency Price() const { return FPrice; }
  void SetPrice(vcl::Currency Value) { FPrice = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& Data() const { return FData; }
  void SetData(const std::string& Value) { FData = Value; }
  vcl::TStrings* Lines() const { return FLines.get(); }
  TSample* Sample() const { return FSample.get(); }
  TWidget* Buddy() const { return FBuddy; }
  void SetBuddy(TWidget* Value) { FBuddy = Value; }
  const std::string& Hidden() const { return FHidden; }
  void SetHidden(const std::string& Value) { FHidden = Value; }
  bool IsHiddenStored() const { return FHidden != "secret"; }
  std::string Shown() const { return "computed"; }

  vcl::TNotifyEvent OnClick;
  std::function<void(vcl::TObject* Sender, int& Value)> OnCount;

  void Loaded() override;
  vcl::TComponent* GetParentComponent() const override { return FParentComponent; }
  // Only a panel or the form holds widgets, as only container controls hold
  // controls: a widget nested in a plain one has no parent.
  void SetParentComponent(vcl::TComponent* Value) override;

private:
  bool FEnabled = true;
  int FCount = 0;
  vcl::Byte FLevel = 0;
  char FMark = '\0';
  TShade FShade = shMedium;
  TShades FShades;
  double FRatio = 0;
  float FSmall = 0;
  vcl::Extended FWide = 0;
  vcl::TDateTime FWhen = 0;
  vcl::Currency FPrice;
  std::string FCaption;
  std::string FData;
  std::unique_ptr<vcl::TStringList> FLines;
  std::unique_ptr<TSample> FSample;
  TWidget* FBuddy = nullptr;
  std::string FHidden;
  vcl::TComponent* FParentComponent = nullptr;
};

// A widget that holds others: the root's components whose parent it is are
// written nested inside it.
class TPanel : public TWidget {
public:
  using TWidget::TWidget;
  int Columns() const { return FColumns; }
  void SetColumns(int Value) { FColumns = Value; }
  void GetChildren(const std::function<void(vcl::TComponent*)>& Proc,
                   const vcl::TComponent* Root) const override;

private:
  int FColumns = 1;
};

class TTestForm : public vcl::TComponent {
public:
  using vcl::TComponent::TComponent;
  void ButtonClick(vcl::TObject* Sender);
  void CountChanged(vcl::TObject* Sender, int& Value);

  TWidget* Widget1 = nullptr;
  TPanel* Panel1 = nullptr;
  std::vector<vcl::TObject*> Clicks;
};

// Declares the tables of the classes above (once).
void RegisterTestClasses();

} // namespace formfile_test
