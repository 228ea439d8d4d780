// The form-file reader: gives the parsed tree of a text form its meaning
// against the property tables. Properties are assigned in file order while
// the components are marked csLoading and csReading; nested objects are
// created by class name with the root as owner (or, when the root already
// owns a component of that name and class, read into it) and handed to the
// object they are nested in through SetParentComponent. References to
// components are resolved once everything is read, then every read
// component gets Loaded, in file order.
//
// Failure: syntax errors are found before anything is touched. Any later
// error frees the components this read created (newest first), restores the
// root's name and component fields, clears the loading state and raises
// EReadError "Line n: ...". Values already assigned to the root or to
// components it owned before stay assigned.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <regex>

#include "vcl/classes/detail/formparser.h"
#include "vcl/typinfo.h"

namespace vcl {

using formtext::Describe;
using formtext::ReadError;
using formtext::TObjectNode;
using formtext::TPropertyNode;
using formtext::TValueNode;

namespace {

std::string JoinPath(const std::vector<std::string>& Path, std::size_t Count) {
  std::string S;
  for (std::size_t I = 0; I < Count; ++I)
    S += (I ? "." : "") + Path[I];
  return S;
}

[[noreturn]] void ValueExpected(const TValueNode& V, const std::string& What) {
  ReadError(V.Line, What + " expected but " + Describe(V) + " found");
}

// One character: a string of exactly one code point that the property can hold.
char32_t CharValue(const TPropInfo& P, const TValueNode& V) {
  if (V.Kind != TValueNode::vnString || Length(V.Text) != 1)
    ValueExpected(V, "Character");
  const char32_t Ch = Utf8Decode(V.Text)[0];
  if (Ch > static_cast<char32_t>(P.MaxValue))
    ReadError(V.Line, "Character " + V.Text + " out of range for " + P.Name);
  return Ch;
}

// A decimal or exponent number as a currency amount, rounded to four
// decimals half away from zero.
Currency ReadCurrency(const TValueNode& V) {
  constexpr long double Limit = 922337203685477.5807L;
  if (V.Kind == TValueNode::vnInteger) {
    if (std::fabs(V.Float) > Limit)
      ReadError(V.Line, "Currency value " + V.Text + " out of range");
    return Currency::FromRaw(V.Int * 10000);
  }
  if (V.Text.find_first_of("Ee") != std::string::npos) {
    if (std::fabs(V.Float) > Limit)
      ReadError(V.Line, "Currency value " + V.Text + " out of range");
    return Currency::FromRaw(std::llround(V.Float * 10000));
  }
  // Plain decimals are taken digit by digit, so no binary rounding creeps in.
  const bool Negative = V.Text[0] == '-';
  std::int64_t Raw = 0;
  auto Push = [&](int Digit) {
    if (Raw > (std::numeric_limits<std::int64_t>::max() - Digit) / 10)
      ReadError(V.Line, "Currency value " + V.Text + " out of range");
    Raw = Raw * 10 + Digit;
  };
  int Decimals = -1; // none before the point
  bool RoundUp = false;
  for (char C : V.Text.substr(Negative ? 1 : 0)) {
    if (C == '.') {
      Decimals = 0;
    } else if (Decimals >= 4) {
      RoundUp = RoundUp || (Decimals == 4 && C >= '5');
      ++Decimals;
    } else {
      Push(C - '0');
      if (Decimals >= 0)
        ++Decimals;
    }
  }
  for (Decimals = std::max(Decimals, 0); Decimals < 4; ++Decimals)
    Push(0);
  if (RoundUp) {
    if (Raw == std::numeric_limits<std::int64_t>::max())
      ReadError(V.Line, "Currency value " + V.Text + " out of range");
    ++Raw;
  }
  return Currency::FromRaw(Negative ? -Raw : Raw);
}

// A date written as text for a date property: 2020-01-31 (ISO), or
// 1/31/2020 as the default short date format writes it (month first, a
// two-digit year in the current century). A form file means the same on
// every machine, so the process's own date format plays no part.
std::optional<TDateTime> ParseDateText(const std::string& Text) {
  static const std::regex Iso(R"(\s*(\d{4})-(\d{1,2})-(\d{1,2})\s*)");
  static const std::regex Us(R"(\s*(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})\s*)");
  std::smatch M;
  int Year = 0, Month = 0, Day = 0;
  if (std::regex_match(Text, M, Iso)) {
    Year = std::stoi(M[1]);
    Month = std::stoi(M[2]);
    Day = std::stoi(M[3]);
  } else if (std::regex_match(Text, M, Us)) {
    Month = std::stoi(M[1]);
    Day = std::stoi(M[2]);
    Year = std::stoi(M[3]);
    if (M[3].length() == 2) {
      Word ThisYear = 0, ThisMonth = 0, ThisDay = 0;
      DecodeDate(Date(), ThisYear, ThisMonth, ThisDay);
      Year += ThisYear / 100 * 100;
    }
  } else {
    return std::nullopt;
  }
  TDateTime Result = 0;
  if (!TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day),
                     Result))
    return std::nullopt;
  return Result;
}

class TFormReader {
public:
  explicit TFormReader(TComponent* Root) : FRoot(Root), FRootInfo(GetClassInfo(Root)) {}

  void Read(const TObjectNode& Tree) {
    const std::string OldName = FRoot->Name();
    try {
      ReadRoot(Tree);
      for (TComponent* C : FLoaded) {
        C->Loaded();
        C->ClearLoadingState();
      }
    } catch (...) {
      Rollback(OldName);
      throw;
    }
  }

private:
  struct TFieldChange {
    const TFieldInfo* Field;
    TComponent* Previous;
  };
  struct TFixup {
    TComponent* Instance;
    const TPropertyNode* Node;
  };

  void ReadRoot(const TObjectNode& Tree) {
    const TClassInfo* Info = FindClassInfo(Tree.ClassName);
    const bool Inspected = !Info && Inspecting();
    if (!SameText(Tree.ClassName, FRoot->ClassName()) && !(Info && Info->IsInstance(FRoot)) &&
        !Inspected)
      ReadError(Tree.Line, "A " + Tree.ClassName + " cannot be read into a " + FRoot->ClassName());
    FRoot->SetLoadingState(true);
    FLoaded.push_back(FRoot);
    if (!Tree.Name.empty())
      Guard(Tree.Line, [&] { FRoot->SetName(Tree.Name); });
    ReadObject(Tree, FRoot);
    for (const TFixup& F : FFixups)
      ReadProperty(F.Instance, *F.Node, true);
  }

  void ReadObject(const TObjectNode& Node, TComponent* Instance) {
    for (const TPropertyNode& P : Node.Properties)
      ReadProperty(Instance, P, false);
    for (const TObjectNode& Child : Node.Children)
      ReadObject(Child, ChildComponent(Child, Instance));
    Instance->SetLoadingState(false); // read: csReading off, csLoading until Loaded
  }

  TComponent* ChildComponent(const TObjectNode& Node, TComponent* Parent) {
    const TClassInfo* Info = FindClassInfo(Node.ClassName);
    if (!Info)
      ReadError(Node.Line, "Class " + Node.ClassName + " not found");
    TComponent* C = Node.Name.empty() ? nullptr : FRoot->FindComponent(Node.Name);
    if (C &&
        (!Info->IsInstance(C) || std::find(FLoaded.begin(), FLoaded.end(), C) != FLoaded.end()))
      ReadError(Node.Line, "A component named " + Node.Name + " already exists");
    if (!C) {
      if (!Info->CanCreate())
        ReadError(Node.Line, "Cannot create an instance of " + Info->ClassName());
      C = Info->Create(FRoot);
      FCreated.push_back(C);
      C->SetLoadingState(true);
      Guard(Node.Line, [&] { C->SetName(Node.Name); });
    } else {
      C->SetLoadingState(true);
    }
    FLoaded.push_back(C);
    Guard(Node.Line, [&] { C->SetParentComponent(Parent); });
    if (const TFieldInfo* Field = FRootInfo ? FRootInfo->FindField(Node.Name) : nullptr) {
      FFields.push_back({Field, Field->Get(FRoot)});
      if (!Field->Assign(FRoot, C))
        ReadError(Node.Line, "Field " + Node.Name + " does not hold a " + Node.ClassName);
    }
    return C;
  }

  // Runs Action, turning a platform exception into EReadError naming the line.
  template <typename F> static void Guard(int Line, F Action, const std::string& Context = {}) {
    try {
      Action();
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& E) {
      ReadError(Line, Context + E.Message());
    }
  }

  // Walks Validator.Max down to the object holding Max. Component
  // references wait for the end (Fixup false) because they may name a
  // component further down the file.
  void ReadProperty(TComponent* Instance, const TPropertyNode& Node, bool Fixup) {
    const std::vector<std::string>& Path = Node.Path;
    TObject* Target = Instance;
    for (std::size_t I = 0; I < Path.size(); ++I) {
      const TPropInfo* P = FindPropInfo(Target, Path[I]);
      if (!P)
        ReadError(Node.Line, "Property " + JoinPath(Path, I + 1) + " does not exist");
      const bool Last = I + 1 == Path.size();
      if (P->Kind == tkStrings && I + 2 == Path.size() && SameText(Path[I + 1], "Strings")) {
        ReadStrings(Target, *P, Node);
        return;
      }
      if (P->Kind == tkClass && !Last) {
        Target = std::get<TObject*>(P->Get(Target));
        if (!Target)
          ReadError(Node.Line, "Property " + JoinPath(Path, I + 1) + " holds no object");
        continue;
      }
      if (!Last || P->Kind == tkClass || P->Kind == tkStrings)
        ReadError(Node.Line, "Property " + JoinPath(Path, I + 1) + " cannot be assigned a value");
      if (P->ReadOnly())
        ReadError(Node.Line, "Property " + JoinPath(Path, I + 1) + " is read-only");
      if (P->Kind == tkComponent && !Fixup) {
        FFixups.push_back({Instance, &Node});
        return;
      }
      Assign(Target, *P, Node);
    }
  }

  void Assign(TObject* Target, const TPropInfo& P, const TPropertyNode& Node) {
    const TValueNode& V = Node.Value;
    const std::string Context = "Error reading " + JoinPath(Node.Path, Node.Path.size()) + ": ";
    if (P.Kind == tkMethod) {
      BindHandler(Target, P, V);
      return;
    }
    const TPropValue Value = Convert(P, V);
    Guard(
        Node.Line, [&] { P.Set(Target, Value); }, Context);
  }

  bool Inspecting() const { return FRoot->ComponentState().Contains(csInspecting); }

  void BindHandler(TObject* Target, const TPropInfo& P, const TValueNode& V) {
    if (V.Kind != TValueNode::vnIdent)
      ValueExpected(V, "Event handler name");
    const TMethodInfo* Method = FRootInfo ? FRootInfo->FindMethod(V.Text) : nullptr;
    // A form read as a file never runs its handlers: one the root does not
    // publish is kept by its name, bound to a handler that does nothing.
    TMethodInfo NameOnly;
    if (!Method && Inspecting()) {
      NameOnly = {V.Text, P.EventType, [&P](TObject*) { return P.EmptyHandler(); }};
      Method = &NameOnly;
    }
    if (!Method)
      ReadError(V.Line, "Event handler " + V.Text + " not found");
    if (!P.SetHandler(Target, Method, FRoot))
      ReadError(V.Line, "Event handler " + V.Text + " does not fit " + P.Name);
  }

  TPropValue Convert(const TPropInfo& P, const TValueNode& V) const {
    switch (P.Kind) {
    case tkBoolean:
      if (V.Kind == TValueNode::vnIdent && (SameText(V.Text, "True") || SameText(V.Text, "False")))
        return std::int64_t(SameText(V.Text, "True"));
      ValueExpected(V, "Boolean value");
    case tkInteger:
      return Integer(P, V);
    case tkChar:
      return std::int64_t(CharValue(P, V));
    case tkEnumeration:
      return std::int64_t(EnumValue(P, V));
    case tkSet: {
      if (V.Kind != TValueNode::vnSet)
        ValueExpected(V, "Set");
      std::bitset<256> Bits;
      for (const TValueNode& Member : V.Items)
        Bits.set(static_cast<std::size_t>(EnumValue(P, Member)));
      return Bits;
    }
    case tkFloat:
      return Float(P, V);
    case tkCurrency:
      if (V.Kind != TValueNode::vnInteger && V.Kind != TValueNode::vnFloat)
        ValueExpected(V, "Number");
      return ReadCurrency(V);
    case tkString:
      if (V.Kind != TValueNode::vnString)
        ValueExpected(V, "String");
      return V.Text;
    case tkBinary:
      if (V.Kind != TValueNode::vnBinary)
        ValueExpected(V, "Binary data");
      return V.Text;
    case tkComponent:
      return Reference(V);
    case tkClass:
    case tkStrings:
    case tkMethod:
      break;
    }
    ValueExpected(V, "Nothing");
  }

  static TPropValue Integer(const TPropInfo& P, const TValueNode& V) {
    std::int64_t N = 0;
    if (V.Kind == TValueNode::vnInteger) {
      N = V.Int;
    } else {
      const std::vector<TIdentMapEntry>& Idents = P.Idents();
      auto It = std::find_if(Idents.begin(), Idents.end(),
                             [&](const TIdentMapEntry& E) { return SameText(E.Name, V.Text); });
      if (V.Kind != TValueNode::vnIdent || It == Idents.end())
        ValueExpected(V, "Integer");
      N = It->Value;
    }
    if (N < P.MinValue || N > P.MaxValue)
      ReadError(V.Line, "Value " + std::to_string(N) + " out of range for " + P.Name + " (" +
                            std::to_string(P.MinValue) + ".." + std::to_string(P.MaxValue) + ")");
    return N;
  }

  static int EnumValue(const TPropInfo& P, const TValueNode& V) {
    const int N = V.Kind == TValueNode::vnIdent ? P.EnumType->ValueOf(V.Text) : -1;
    if (N < 0)
      ValueExpected(V, "Value of " + P.EnumType->Name);
    return N;
  }

  static TPropValue Float(const TPropInfo& P, const TValueNode& V) {
    if (V.Kind == TValueNode::vnString && P.DateText) {
      if (const std::optional<TDateTime> D = ParseDateText(V.Text))
        return static_cast<long double>(*D);
      ReadError(V.Line, "'" + V.Text + "' is not a date (write 2020-01-31 or 1/31/2020)");
    }
    if (V.Kind != TValueNode::vnInteger && V.Kind != TValueNode::vnFloat)
      ValueExpected(V, P.DateText ? "Number or date" : "Number");
    if (P.FloatSize == 4)
      return Narrow<float>(P, V);
    if (P.FloatSize == 8)
      return Narrow<double>(P, V);
    if (!std::isfinite(V.Float))
      ReadError(V.Line, "Value " + V.Text + " out of range for " + P.Name);
    return V.Float;
  }

  // A decimal is converted straight to the property's own type. The writer
  // gives the shortest text that converts back to the value, and that text
  // may lie just beyond the type's largest value (FLT_MAX is written as
  // 3.4028235E38) or convert differently when rounded to long double first.
  // A number too small for the type reads as zero, as it would be stored.
  template <typename T> static TPropValue Narrow(const TPropInfo& P, const TValueNode& V) {
    if (V.Kind == TValueNode::vnFloat) {
      T Value = 0;
      const auto R = std::from_chars(V.Text.data(), V.Text.data() + V.Text.size(), Value);
      if (R.ec == std::errc() && R.ptr == V.Text.data() + V.Text.size())
        return static_cast<long double>(Value);
    }
    if (std::fabs(V.Float) > std::numeric_limits<T>::max())
      ReadError(V.Line, "Value " + V.Text + " out of range for " + P.Name);
    return static_cast<long double>(static_cast<T>(V.Float));
  }

  // The root itself, a component it owns, or Form.Name with the root's name.
  TPropValue Reference(const TValueNode& V) const {
    if (V.Kind != TValueNode::vnIdent)
      ValueExpected(V, "Component name");
    if (SameText(V.Text, "nil"))
      return static_cast<TObject*>(nullptr);
    std::string Name = V.Text;
    const auto Dot = Name.find('.');
    if (Dot != std::string::npos) {
      if (!SameText(Name.substr(0, Dot), FRoot->Name()))
        ReadError(V.Line, "Component " + V.Text + " not found");
      Name = Name.substr(Dot + 1);
    }
    if (SameText(Name, FRoot->Name()))
      return static_cast<TObject*>(FRoot);
    TComponent* C = FRoot->FindComponent(Name);
    if (!C)
      ReadError(V.Line, "Component " + V.Text + " not found");
    return static_cast<TObject*>(C);
  }

  void ReadStrings(TObject* Target, const TPropInfo& P, const TPropertyNode& Node) {
    const TValueNode& V = Node.Value;
    if (V.Kind != TValueNode::vnList)
      ValueExpected(V, "'('");
    for (const TValueNode& Item : V.Items)
      if (Item.Kind != TValueNode::vnString)
        ValueExpected(Item, "String");
    const std::string Context = "Error reading " + JoinPath(Node.Path, Node.Path.size()) + ": ";
    if (P.Set) {
      TStringList Temp;
      for (const TValueNode& Item : V.Items)
        Temp.Add(Item.Text);
      Guard(
          Node.Line, [&] { P.Set(Target, static_cast<TObject*>(&Temp)); }, Context);
      return;
    }
    auto* List = static_cast<TStrings*>(std::get<TObject*>(P.Get(Target)));
    if (!List)
      ReadError(Node.Line, "Property " + P.Name + " holds no list");
    // One change notification for the whole list, also when an Add fails.
    List->BeginUpdate();
    try {
      Guard(
          Node.Line,
          [&] {
            List->Clear();
            for (const TValueNode& Item : V.Items)
              List->Add(Item.Text);
          },
          Context);
    } catch (...) {
      List->EndUpdate();
      throw;
    }
    List->EndUpdate();
  }

  void Rollback(const std::string& OldName) {
    for (auto It = FFields.rbegin(); It != FFields.rend(); ++It)
      It->Field->Assign(FRoot, It->Previous);
    for (TComponent* C : FLoaded)
      C->ClearLoadingState();
    FRoot->FreeComponents(FCreated);
    try {
      FRoot->SetName(OldName);
    } catch (const Exception&) {
      // The old name was valid before the read; only a clash created by a
      // component that outlives the read could refuse it.
    }
  }

  TComponent* FRoot;
  const TClassInfo* FRootInfo;
  std::vector<TComponent*> FLoaded;  // every component read, in file order
  std::vector<TComponent*> FCreated; // those this read created
  std::vector<TFieldChange> FFields;
  std::vector<TFixup> FFixups;
};

} // namespace

void ReadComponentText(const std::string& Text, TComponent* Root) {
  if (!Root)
    throw EReadError("No component to read into");
  const TObjectNode Tree = formtext::ParseFormText(Text);
  TFormReader(Root).Read(Tree);
}

std::string FormRootClassName(const std::string& Text) {
  return formtext::ParseRootClassName(Text);
}

TComponent* TextToComponent(const std::string& Text, TComponent* Owner) {
  const TObjectNode Tree = formtext::ParseFormText(Text);
  const TClassInfo* Info = FindClassInfo(Tree.ClassName);
  if (!Info)
    ReadError(Tree.Line, "Class " + Tree.ClassName + " not found");
  if (!Info->CanCreate())
    ReadError(Tree.Line, "Cannot create an instance of " + Info->ClassName());
  std::unique_ptr<TComponent> Root(Info->Create(Owner));
  TFormReader(Root.get()).Read(Tree);
  return Root.release();
}

} // namespace vcl
