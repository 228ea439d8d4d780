// Choosing a property's editor among the registered ones, and the palette.
#include <gtest/gtest.h>

#include "tests/vcl/designintf/widget.h"
#include "vcl/stdctrls.h"

using namespace vcl;
using namespace DesignTest;

namespace {

// Editors that differ only in their class, to see which one was chosen.
class TFirstEditor : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
};
class TSecondEditor : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
};
class TThirdEditor : public TClassProperty {
public:
  using TClassProperty::TClassProperty;
};
class TFourthEditor : public TClassProperty {
public:
  using TClassProperty::TClassProperty;
};

// Classes of their own, so that what these cases register decides nothing
// elsewhere.
class TProbe : public TComponent {
public:
  explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
  int Size() const { return 0; }
  void SetSize(int) {}
  int Weight() const { return 0; }
  void SetWeight(int) {}
  int Count() const { return 0; }
  void SetCount(int) {}
  TFont* Font() { return &FFont; }
  TStrings* Lines() { return &FLines; }

private:
  TFont FFont;
  TStringList FLines;
};

class TSubProbe : public TProbe {
public:
  using TProbe::TProbe;
};

struct TProbes {
  TProbes() {
    static const bool Declared = [] {
      RegisterGuiClasses();
      using T = TProbe;
      Published<TProbe>("TProbe")
          .Inherits<TComponent>()
          .Int("Size", &T::Size, &T::SetSize)
          .TypeName("TSize")
          .Int("Weight", &T::Weight, &T::SetWeight)
          .TypeName("TWeight")
          .Int("Count", &T::Count, &T::SetCount)
          .TypeName("TCount")
          .Object("Font", &T::Font)
          .Strings("Lines", &T::Lines);
      Published<TSubProbe>("TSubProbe").Inherits<TProbe>();
      return true;
    }();
    (void)Declared;
  }
  TForm Form{nullptr};
  TProbe* P1 = new TProbe(&Form);
  TSubProbe* P2 = new TSubProbe(&Form);
  TFormDesigner Designer{&Form};
};

std::type_index Chosen(TPersistent* Obj, const std::string& Property) {
  return GetEditorClass(FindPropInfo(Obj, Property), Obj).Type;
}

TEST(MetaClass, KnowsDerivationBetweenClasses) {
  RegisterWidgets();
  EXPECT_TRUE(ClassOf<TSpecialWidget>().InheritsFrom(ClassOf<TWidget>()));
  EXPECT_TRUE(ClassOf<TWidget>().InheritsFrom(ClassOf<TWidget>()));
  EXPECT_TRUE(ClassOf<TWidget>().InheritsFrom(ClassOf<TComponent>()));
  EXPECT_FALSE(ClassOf<TWidget>().InheritsFrom(ClassOf<TSpecialWidget>()));
  EXPECT_FALSE(ClassOf<TEdit>().InheritsFrom(ClassOf<TWidget>()));
  EXPECT_EQ(ClassOf<TSpecialWidget>().ClassName(), "TSpecialWidget");
}

// Each case registers for a type of its own (TSize, TWeight), so that the
// registrations of one case cannot decide another.
TEST(EditorLookup, WithoutARegistrationTheKindDecides) {
  TWidgetStage S;
  EXPECT_EQ(Chosen(S.W1, "Level"), typeid(TIntegerProperty));
  EXPECT_EQ(Chosen(S.W1, "Shape"), typeid(TEnumProperty));
  EXPECT_EQ(Chosen(S.W1, "Active"), typeid(TEnumProperty));
  EXPECT_EQ(Chosen(S.W1, "Font"), typeid(TClassProperty));
  EXPECT_EQ(Chosen(S.W1, "OnPing"), typeid(TMethodProperty));
}

TEST(EditorLookup, TheNearerClassWinsOverTheLaterRegistration) {
  TProbes S;
  RegisterPropertyEditor("TSize", &ClassOf<TSubProbe>(), "", EditorClass<TSecondEditor>());
  RegisterPropertyEditor("TSize", &ClassOf<TProbe>(), "", EditorClass<TFirstEditor>());
  EXPECT_EQ(Chosen(S.P1, "Size"), typeid(TFirstEditor));
  EXPECT_EQ(Chosen(S.P2, "Size"), typeid(TSecondEditor));
  // Other types are untouched.
  EXPECT_EQ(Chosen(S.P1, "Count"), typeid(TIntegerProperty));
}

TEST(EditorLookup, ANamedRegistrationWinsOverTheNearerClass) {
  TProbes S;
  RegisterPropertyEditor("TWeight", &ClassOf<TProbe>(), "weight", EditorClass<TFirstEditor>());
  RegisterPropertyEditor("TWeight", &ClassOf<TSubProbe>(), "", EditorClass<TSecondEditor>());
  EXPECT_EQ(Chosen(S.P2, "Weight"), typeid(TFirstEditor));
  // Registering the same type, class and name again replaces the editor.
  RegisterPropertyEditor("TWeight", &ClassOf<TProbe>(), "Weight", EditorClass<TSecondEditor>());
  EXPECT_EQ(Chosen(S.P1, "Weight"), typeid(TSecondEditor));
}

TEST(EditorLookup, AClassTypeServesItsDescendantsAndTheNearerTypeWins) {
  TProbes S;
  // Both fit the Font of a probe (a TFont is a TPersistent); TFont is nearer.
  RegisterPropertyEditor(ClassOf<TFont>(), &ClassOf<TProbe>(), "", EditorClass<TThirdEditor>());
  RegisterPropertyEditor(ClassOf<TPersistent>(), &ClassOf<TProbe>(), "",
                         EditorClass<TFourthEditor>());
  EXPECT_EQ(Chosen(S.P1, "Font"), typeid(TThirdEditor));
  EXPECT_EQ(Chosen(S.P1, "Lines"), typeid(TStringsProperty)); // a string list stays a list
  // A plain edit is no probe: its Font keeps the standard editor.
  auto* Edit = new TEdit(&S.Form);
  EXPECT_EQ(Chosen(Edit, "Font"), typeid(TClassProperty));
}

TEST(Selection, ObjectsWhoseEditorsDifferDoNotShareTheProperty) {
  TProbes S;
  RegisterPropertyEditor("TCount", &ClassOf<TSubProbe>(), "", EditorClass<TSecondEditor>());
  std::vector<std::string> Names;
  GetComponentProperties(
      {S.P1, S.P2}, AllPropertyKinds(), &S.Designer,
      [&](std::unique_ptr<TPropertyEditor> E) { Names.push_back(E->GetName()); });
  EXPECT_EQ(std::find(Names.begin(), Names.end(), "Count"), Names.end());
  EXPECT_NE(std::find(Names.begin(), Names.end(), "Size"), Names.end());
}

TEST(Palette, KeepsPagesAndOrderAndListsAClassOnce) {
  TProbes Declared;
  RegisterComponents("Test Page", {&ClassOf<TProbe>(), &ClassOf<TSubProbe>()});
  RegisterComponents("Other Page", {&ClassOf<TProbe>()});
  std::vector<std::string> Seen;
  for (const TPaletteEntry& E : PaletteEntries())
    if (E.Page == "Test Page" || E.Page == "Other Page")
      Seen.push_back(E.Page + ":" + E.ComponentClass->ClassName());
  EXPECT_EQ(Seen, (std::vector<std::string>{"Test Page:TProbe", "Test Page:TSubProbe"}));
  std::unique_ptr<TComponent> Made(ClassOf<TSubProbe>().Create(nullptr));
  EXPECT_TRUE(dynamic_cast<TSubProbe*>(Made.get()));
}

} // namespace
