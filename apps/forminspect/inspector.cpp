// forminspect's object inspector over the registered property editors.
#include "apps/forminspect/inspector.h"

namespace FormInspect {

using namespace vcl;

TInspector::TInspector(TComponent* Root, const std::vector<std::string>& Names) : FDesigner(Root) {
  for (const std::string& Name : Names) {
    TComponent* C = SameText(Name, Root->Name()) ? Root : Root->FindComponent(Name);
    if (!C)
      throw TNotFound("component " + Name + " not found in " + Root->Name());
    FSelection.push_back(C);
  }
  if (FSelection.empty())
    FSelection.push_back(Root);
}

bool ShowsSubProperties(TPropertyEditor& Editor) {
  return Editor.GetAttributes().Contains(paSubProperties) && Editor.AllEqual();
}

namespace {

std::vector<std::unique_ptr<TPropertyEditor>>
Collect(const std::function<void(const TGetPropEditProc&)>& Source) {
  std::vector<std::unique_ptr<TPropertyEditor>> Result;
  Source([&](std::unique_ptr<TPropertyEditor> E) { Result.push_back(std::move(E)); });
  return Result;
}

} // namespace

std::vector<std::unique_ptr<TPropertyEditor>> TInspector::Editors(bool Events) {
  TTypeKinds Kinds = AllPropertyKinds();
  if (!Events)
    Kinds.Exclude(tkMethod);
  return Collect([&](const TGetPropEditProc& Proc) {
    GetComponentProperties(FSelection, Kinds, &FDesigner, Proc);
  });
}

void TInspector::ListEditor(std::ostream& Out, TPropertyEditor& Editor, int Depth) {
  const std::string Indent(2 * Depth, ' ');
  Out << Indent << Editor.GetName() << " = " << (Editor.AllEqual() ? Editor.GetValue() : "")
      << "\n";
  if (!ShowsSubProperties(Editor))
    return;
  for (auto& Sub : Collect([&](const TGetPropEditProc& Proc) { Editor.GetProperties(Proc); }))
    ListEditor(Out, *Sub, Depth + 1);
}

void TInspector::List(std::ostream& Out, bool Events) {
  for (auto& E : Editors(Events))
    ListEditor(Out, *E, 0);
}

// Path is a property name, or names joined by dots down the sub-properties.
std::unique_ptr<TPropertyEditor> TInspector::Find(const std::string& Path) {
  std::vector<std::unique_ptr<TPropertyEditor>> Level = Editors(true);
  std::unique_ptr<TPropertyEditor> Found;
  std::string Walked;
  std::size_t Start = 0;
  while (true) {
    const std::size_t Dot = std::min(Path.find('.', Start), Path.size());
    const std::string Name = Path.substr(Start, Dot - Start);
    Walked += (Walked.empty() ? "" : ".") + Name;
    Found.reset();
    for (auto& E : Level)
      if (SameText(E->GetName(), Name)) {
        Found = std::move(E);
        break;
      }
    if (!Found)
      throw TNotFound("property " + Walked + " not found");
    if (Dot == Path.size())
      return Found;
    if (!ShowsSubProperties(*Found))
      throw TNotFound("property " + Walked + " shows no sub-properties here");
    Level = Collect([&](const TGetPropEditProc& Proc) { Found->GetProperties(Proc); });
    Start = Dot + 1;
  }
}

std::vector<std::string> TInspector::Values(const std::string& Path) {
  std::vector<std::string> Result;
  Find(Path)->GetValues([&](const std::string& S) { Result.push_back(S); });
  return Result;
}

void TInspector::Set(const std::string& Path, const std::string& Value) {
  auto Editor = Find(Path);
  if (Editor->GetAttributes().Contains(paReadOnly))
    throw EPropertyError("Property " + Path + " is read-only");
  Editor->SetValue(Value);
}

} // namespace FormInspect
