// Every published property of every registered class survives a form file.
// Working only from the tables, each class is placed on a form, a property
// (then all of them together) is given a value other than its default, the
// form is written, read back into a fresh one, and every property of the
// copy compared with the original. An identifier one class accepts for a
// property (a colour name) must be written and read by every class that
// publishes a property of that name. Classes that are not components (fonts,
// validators) are reached as sub-objects: a small integer property that
// changes the class of a sub-object (the validating edit's Kind) is tried
// with each of its values.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "btnedit/btnedit.h"
#include "btnedit/dbbtnedit.h"
#include "calform/calform.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "validate/published.h"
#include "vcl/dbctrls.h"
#include "vcl/forms.h"
#include "vcl/pgdb.h"
#include "vcl/stdctrls.h"
#include "vcl/typinfo.h"

using namespace vcl;

namespace {

// Every unit that publishes classes; a new unit adds its registration here.
void RegisterEverything() {
  RegisterGuiClasses();
  Validate::RegisterValidatorClasses();
  BtnEdit::RegisterBtnEditClasses();
  ValEdit::RegisterValEditClasses();
  CalForm::RegisterCalFormClasses();
  RegisterSQLiteClasses();
  RegisterDBCtrlsClasses();
  RegisterPgClasses();
  BtnEdit::RegisterDBBtnEditClasses();
  ValEdit::RegisterDBValEditClasses();
}

// The form the subjects are placed on. It publishes one handler of every
// event type, so that any event can be bound, written and read back.
class TRoundTripForm : public TForm {
public:
  using TForm::TForm;
};

std::map<std::type_index, std::string> HandlerNames;

void RegisterRoundTripForm() {
  Published<TRoundTripForm> P("TRoundTripForm");
  P.Inherits<TForm>();
  for (const std::string& Name : RegisteredClassNames())
    for (const TPropInfo* Prop : FindClassInfo(Name)->Properties()) {
      if (Prop->Kind != tkMethod || HandlerNames.contains(Prop->EventType))
        continue;
      const std::string Handler = "Handler" + std::to_string(HandlerNames.size() + 1);
      HandlerNames[Prop->EventType] = Handler;
      P.Method(TMethodInfo{Handler, Prop->EventType,
                           [Empty = Prop->EmptyHandler](TObject*) { return Empty(); }});
    }
}

std::vector<std::string> ComponentClasses() {
  RegisterEverything();
  RegisterRoundTripForm();
  std::vector<std::string> Result;
  for (const std::string& Name : RegisteredClassNames())
    if (FindClassInfo(Name)->CanCreate() && Name != "TRoundTripForm")
      Result.push_back(Name);
  return Result;
}

bool SameValue(const TPropValue& A, const TPropValue& B) {
  return A == B;
}

// Sub-objects and string lists are changed in place, through their getter.
bool Settable(const TPropInfo& P) {
  return P.Kind == tkClass || P.Kind == tkStrings || !P.ReadOnly();
}

// What a class derives from other properties when it is loaded, whatever
// was stored: an auto-sized label takes its size from its caption, and the
// data-aware validating edit its MaxLength from its field (0 without one).
bool Derived(const TClassInfo&, const TPropInfo& P, TObject* Obj) {
  if (dynamic_cast<ValEdit::TDBValidEdit*>(Obj))
    return P.Name == "MaxLength";
  auto* Label = dynamic_cast<TLabel*>(Obj);
  return Label && Label->AutoSize() && (P.Name == "Width" || P.Name == "Height");
}

bool HasSettable(TObject* Obj) {
  const auto Props = GetClassInfo(Obj)->Properties();
  return std::any_of(Props.begin(), Props.end(), [](const TPropInfo* P) { return Settable(*P); });
}

// The lines of the text that describe the object named Name, each with its
// line end.
std::string ObjectText(const std::string& Text, const std::string& Name) {
  const std::size_t Start = Text.find("object " + Name + ":");
  if (Start == std::string::npos)
    return Text;
  const std::size_t LineStart = Text.rfind('\n', Start) + 1;
  const std::string Indent = Text.substr(LineStart, Start - LineStart);
  const std::size_t End = Text.find("\n" + Indent + "end\n", Start);
  return Text.substr(LineStart, End == std::string::npos ? std::string::npos : End + 1 - LineStart);
}

std::string Show(const TPropValue& V) {
  std::ostringstream Out;
  std::visit(
      [&](const auto& X) {
        using X_t = std::decay_t<decltype(X)>;
        if constexpr (std::is_same_v<X_t, Currency>)
          Out << X.ToDouble();
        else if constexpr (std::is_same_v<X_t, TObject*>)
          Out << (X ? X->ClassName() : "nil");
        else if constexpr (std::is_same_v<X_t, std::string>)
          Out << "'" << X << "'";
        else
          Out << X;
      },
      V);
  return Out.str();
}

// The identifiers accepted by any property of each name, over every class.
std::map<std::string, std::vector<TIdentMapEntry>> IdentsByPropertyName() {
  std::map<std::string, std::vector<TIdentMapEntry>> Result;
  for (const std::string& Name : RegisteredClassNames())
    for (const TPropInfo* P : FindClassInfo(Name)->Properties())
      for (const TIdentMapEntry& I : P->Idents()) {
        auto& List = Result[UpperCase(P->Name)];
        if (std::none_of(List.begin(), List.end(), [&](auto& E) { return E.Value == I.Value; }))
          List.push_back(I);
      }
  return Result;
}

// One form holding the subject under test, and the partners a component
// reference can point at.
struct TStage {
  std::unique_ptr<TComponent> Root;
  TComponent* Subject = nullptr;

  explicit TStage(const TClassInfo& Class) {
    TComponent* Probe = Class.Create(nullptr);
    if (dynamic_cast<TCustomForm*>(Probe)) {
      // A form is a root of its own.
      Root.reset(Probe);
      Subject = Probe;
    } else {
      delete Probe;
      Root.reset(FindClassInfo("TRoundTripForm")->Create(nullptr));
      Root->SetName("Stage");
      Subject = Class.Create(Root.get());
      Subject->SetParentComponent(Root.get());
    }
    Subject->SetName("Subject");
    // One partner of each kind a reference names: a control, a popup menu,
    // a data source and a data set.
    for (const char* Kind : {"TEdit", "TPopupMenu", "TDataSource", "TSQLiteDataSet"}) {
      TComponent* Partner = FindClassInfo(Kind)->Create(Root.get());
      Partner->SetName(std::string("Partner") + (Kind + 1));
      Partner->SetParentComponent(Root.get());
    }
  }
  bool SubjectIsRoot() const { return Subject == Root.get(); }
};

std::string BitmapData() {
  TBitmap B;
  B.SetSize(2, 2);
  return B.SaveToBmpData();
}

// Values to try for P, most telling first.
std::vector<TPropValue> Candidates(const TPropInfo& P, const TPropValue& Current,
                                   const std::vector<TIdentMapEntry>& Idents, const TStage& Stage) {
  std::vector<TPropValue> Result;
  switch (P.Kind) {
  case tkBoolean:
    Result.push_back(std::int64_t(!std::get<std::int64_t>(Current)));
    break;
  case tkInteger:
  case tkChar:
  case tkEnumeration: {
    const std::int64_t N = std::get<std::int64_t>(Current);
    for (const TIdentMapEntry& I : Idents)
      Result.push_back(I.Value);
    for (std::int64_t V : {N + 1, N - 1, std::int64_t('*'), P.MinValue, P.MaxValue})
      if (V >= P.MinValue && V <= P.MaxValue)
        Result.push_back(V);
    break;
  }
  case tkSet:
    for (std::size_t I = 0; I < P.EnumType->Names.size(); ++I)
      Result.push_back(std::get<std::bitset<256>>(Current) ^ std::bitset<256>().set(I));
    break;
  case tkFloat:
    for (long double D : {1.25L, -1.25L, 2.0L})
      Result.push_back(std::get<long double>(Current) + D);
    break;
  case tkCurrency:
    Result.push_back(std::get<Currency>(Current) + Currency::FromRaw(12345));
    break;
  case tkString:
    for (const char* S : {"Sample", "1", "A"})
      Result.push_back(std::string(S));
    break;
  case tkBinary:
    Result.push_back(BitmapData());
    break;
  case tkComponent:
    for (int I = 0; I < Stage.Root->ComponentCount(); ++I)
      if (Stage.Root->Components(I) != Stage.Subject)
        Result.push_back(static_cast<TObject*>(Stage.Root->Components(I)));
    if (!Stage.SubjectIsRoot())
      Result.push_back(static_cast<TObject*>(Stage.Root.get()));
    break;
  default:
    break;
  }
  return Result;
}

class TRoundTrip {
public:
  TRoundTrip(const TClassInfo& Class) : FClass(Class), FIdents(IdentsByPropertyName()) {}

  // Gives the property at Path of Obj a value other than its default (or,
  // without a declared default, other than the one it has). False when no
  // value the table offers takes.
  bool GiveNonDefault(TStage& Stage, TObject* Obj, const TPropInfo& P) {
    if (P.Kind == tkClass) {
      TObject* Sub = std::get<TObject*>(P.Get(Obj));
      bool Any = !HasSettable(Sub); // nothing to vary is no failure
      for (const TPropInfo* Q : GetClassInfo(Sub)->Properties())
        if (Settable(*Q))
          Any = GiveNonDefault(Stage, Sub, *Q) || Any;
      return Any;
    }
    if (P.Kind == tkMethod) {
      const TClassInfo* RootClass = GetClassInfo(Stage.Root.get());
      return !Stage.SubjectIsRoot() &&
             P.SetHandler(Obj, RootClass->FindMethod(HandlerNames.at(P.EventType)),
                          Stage.Root.get());
    }
    if (P.Kind == tkStrings) {
      auto* List = static_cast<TStrings*>(std::get<TObject*>(P.Get(Obj)));
      TStringList Lines;
      Lines.Add("alpha");
      Lines.Add("beta");
      if (P.Set)
        P.Set(Obj, static_cast<TObject*>(&Lines));
      else
        List->Assign(&Lines);
      return List->Count() == 2;
    }
    const TPropValue Before = P.Get(Obj);
    const TPropValue Avoid = P.Default ? *P.Default : Before;
    if (P.Default && !SameValue(Before, Avoid))
      return true; // an earlier property changed it already
    const auto Idents = FIdents.find(UpperCase(P.Name));
    for (const TPropValue& V :
         Candidates(P, Before, Idents == FIdents.end() ? NoIdents : Idents->second, Stage)) {
      if (SameValue(V, Avoid))
        continue;
      try {
        P.Set(Obj, V);
      } catch (const std::exception&) {
        continue;
      }
      if (!SameValue(P.Get(Obj), Avoid))
        return true;
    }
    return false;
  }

  // Writes the stage, reads it back and compares every property.
  void WriteAndCompare(TStage& Stage, const std::string& What) {
    SCOPED_TRACE(FClass.ClassName() + " with " + What);
    const std::string Text = ComponentToText(Stage.Root.get());
    std::unique_ptr<TComponent> Copy;
    try {
      Copy.reset(TextToComponent(Text, nullptr));
    } catch (const std::exception& E) {
      ADD_FAILURE() << "cannot be read back: " << E.what() << "\n" << Text;
      return;
    }
    TComponent* Twin = Stage.SubjectIsRoot() ? Copy.get() : Copy->FindComponent("Subject");
    ASSERT_NE(Twin, nullptr) << Text;
    Compare(Stage.Subject, Twin, FClass.ClassName(), Text);
    EXPECT_EQ(ComponentToText(Copy.get()), Text) << "the copy writes another text";
    CheckIdentsWritten(Stage.Subject, ObjectText(Text, "Subject"));
  }

  // Placements of the subject that reach every class its sub-objects can
  // have: none, then each value of a small integer property that gives a
  // sub-object a class not seen before.
  std::vector<std::pair<const TPropInfo*, std::int64_t>> Variants() {
    std::vector<std::pair<const TPropInfo*, std::int64_t>> Result{{nullptr, 0}};
    std::set<std::string> Seen;
    {
      TStage Stage(FClass);
      SubObjectClasses(Stage.Subject, Seen);
    }
    for (const TPropInfo* P : FClass.Properties()) {
      if (P->Kind != tkInteger || P->ReadOnly() || P->MaxValue - P->MinValue > 255)
        continue;
      for (std::int64_t V = P->MinValue; V <= P->MaxValue; ++V) {
        TStage Stage(FClass);
        try {
          P->Set(Stage.Subject, V);
        } catch (const std::exception&) {
          continue;
        }
        if (SubObjectClasses(Stage.Subject, Seen))
          Result.emplace_back(P, V);
      }
    }
    return Result;
  }

  static inline std::set<std::string> Reached;

private:
  // Adds the classes of Obj's sub-objects to Seen; true when one was new.
  static bool SubObjectClasses(TObject* Obj, std::set<std::string>& Seen) {
    bool New = false;
    for (const TPropInfo* P : GetClassInfo(Obj)->Properties())
      if (P->Kind == tkClass) {
        TObject* Sub = std::get<TObject*>(P->Get(Obj));
        New = Seen.insert(GetClassInfo(Sub)->ClassName()).second || New;
        Reached.insert(GetClassInfo(Sub)->ClassName());
        New = SubObjectClasses(Sub, Seen) || New;
      }
    return New;
  }

  void Compare(TObject* A, TObject* B, const std::string& Path, const std::string& Text) {
    const TClassInfo* Class = GetClassInfo(A);
    ASSERT_EQ(Class, GetClassInfo(B)) << Path << " comes back as another class\n" << Text;
    for (const TPropInfo* P : Class->Properties()) {
      if (P->IsStored && !P->IsStored(A))
        continue; // the class rebuilds what it does not store
      if (Derived(*Class, *P, A))
        continue;
      const std::string Name = Path + "." + P->Name;
      const TPropValue X = P->Get(A), Y = P->Get(B);
      if (P->Kind == tkClass) {
        Compare(std::get<TObject*>(X), std::get<TObject*>(Y), Name, Text);
      } else if (P->Kind == tkStrings) {
        EXPECT_EQ(static_cast<TStrings*>(std::get<TObject*>(X))->Text(),
                  static_cast<TStrings*>(std::get<TObject*>(Y))->Text())
            << Name << "\n"
            << Text;
      } else if (P->Kind == tkComponent) {
        auto NameOf = [](const TPropValue& V) {
          auto* C = dynamic_cast<TComponent*>(std::get<TObject*>(V));
          return C ? C->Name() : std::string("nil");
        };
        EXPECT_EQ(NameOf(X), NameOf(Y)) << Name << "\n" << Text;
      } else {
        EXPECT_TRUE(SameValue(X, Y))
            << Name << " was " << Show(X) << ", reads back as " << Show(Y) << "\n"
            << Text;
      }
    }
  }

  // A value that has a name is written by its name.
  void CheckIdentsWritten(TObject* Obj, const std::string& Text) {
    for (const TPropInfo* P : GetClassInfo(Obj)->Properties()) {
      const auto Idents = FIdents.find(UpperCase(P->Name));
      if (P->Kind != tkInteger || Idents == FIdents.end())
        continue;
      const std::int64_t N = std::get<std::int64_t>(P->Get(Obj));
      for (const TIdentMapEntry& I : Idents->second) {
        if (I.Value != N || !P->Default || SameValue(*P->Default, TPropValue(N)) ||
            (P->IsStored && !P->IsStored(Obj)))
          continue;
        EXPECT_NE(Text.find(" " + P->Name + " = " + I.Name + "\n"), std::string::npos)
            << FClass.ClassName() << "." << P->Name << " = " << N << " is not written as " << I.Name
            << "\n"
            << Text;
      }
    }
  }

  const TClassInfo& FClass;
  std::map<std::string, std::vector<TIdentMapEntry>> FIdents;
  const std::vector<TIdentMapEntry> NoIdents;
};

class PublishedRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(PublishedRoundTrip, EveryPropertySurvivesAFormFile) {
  const TClassInfo& Class = *FindClassInfo(GetParam());
  TRoundTrip Trip(Class);
  for (const auto& [Setup, SetupValue] : Trip.Variants()) {
    const std::string Base =
        Setup ? Setup->Name + " = " + std::to_string(SetupValue) + ", " : std::string();
    auto Prepare = [&, Setup = Setup, SetupValue = SetupValue](TStage& Stage) {
      if (Setup)
        Setup->Set(Stage.Subject, SetupValue);
    };
    // One property at a time, so that none hides another. A property that
    // takes no other value alone (Down without a GroupIndex) must take one
    // when every property before it has one too; with a setup, some may not
    // (a date edit's button has the calendar's image count).
    std::vector<std::string> Unchanged;
    for (const TPropInfo* P : Class.Properties()) {
      if (!Settable(*P) || P == Setup || (P->Kind == tkMethod && TStage(Class).SubjectIsRoot()))
        continue;
      TStage Stage(Class);
      Prepare(Stage);
      if (Derived(Class, *P, Stage.Subject))
        continue;
      if (Trip.GiveNonDefault(Stage, Stage.Subject, *P))
        Trip.WriteAndCompare(Stage, Base + P->Name);
      else
        Unchanged.push_back(P->Name);
    }
    // All of them, in published order.
    TStage Stage(Class);
    Prepare(Stage);
    for (const TPropInfo* P : Class.Properties())
      if (Settable(*P) && P != Setup && Trip.GiveNonDefault(Stage, Stage.Subject, *P))
        std::erase(Unchanged, P->Name);
    Trip.WriteAndCompare(Stage, Base + "every property");
    // A data set opens only on a database with something to select; the
    // data-aware tests read active data sets from forms.
    std::erase(Unchanged,
               Class.InheritsFrom(FindClassInfo("TCustomSQLDataSet")) ? "Active" : "");
    for (const std::string& Name : Setup ? std::vector<std::string>() : Unchanged)
      ADD_FAILURE() << Class.ClassName() << "." << Name << " takes no value other than its default";
  }
}

INSTANTIATE_TEST_SUITE_P(Classes, PublishedRoundTrip, ::testing::ValuesIn(ComponentClasses()),
                         [](const auto& Info) { return Info.param; });

// The suite above placed every registered class on a form, or reached it as
// a sub-object of one (or as the base of one of those).
TEST(PublishedRoundTripCoverage, EveryRegisteredClassIsReached) {
  std::set<std::string> Covered{"TRoundTripForm"};
  for (const std::string& Name : ComponentClasses()) {
    Covered.insert(Name);
    TRoundTrip(*FindClassInfo(Name)).Variants();
  }
  Covered.insert(TRoundTrip::Reached.begin(), TRoundTrip::Reached.end());
  for (const std::string& Name : RegisteredClassNames()) {
    const TClassInfo* Class = FindClassInfo(Name);
    bool Reached = false;
    for (const std::string& C : Covered)
      Reached = Reached || FindClassInfo(C)->InheritsFrom(Class);
    EXPECT_TRUE(Reached) << Name
                         << " is neither created by name nor a sub-object of a class that is";
  }
}

} // namespace
