// Every published property of every component on the palette, edited only
// through the editor the inspector gets for it, survives a form file: each
// editable value is given a text that changes it, the form is written and
// read back, and every editor of the copy shows what the original's shows.
// The validating edits are tried with each kind, so that every validator's
// properties are reached.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "design/editors.h"
#include "design/register.h"
#include "vcl/db.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"

using namespace vcl;

namespace {

// The form the subjects sit on: one published handler for every event type
// the palette's components have, so that any event can be bound by name.
class TStageForm : public TForm {
public:
  using TForm::TForm;
};

int HandlerCount = 0;

void RegisterStage() {
  static const bool Done = [] {
    RegisterGuiClasses();
    RegisterSQLiteClasses();
    BtnEdit::Register();
    ValEdit::Register();
    Published<TStageForm> P("TStageForm");
    P.Inherits<TForm>();
    std::vector<std::type_index> Seen;
    for (const TPaletteEntry& E : PaletteEntries())
      for (const TPropInfo* Prop : FindClassInfo(E.ComponentClass->ClassName())->Properties())
        if (Prop->Kind == tkMethod &&
            std::find(Seen.begin(), Seen.end(), Prop->EventType) == Seen.end()) {
          Seen.push_back(Prop->EventType);
          HandlerCount = static_cast<int>(Seen.size());
          P.Method(TMethodInfo{"Handler" + std::to_string(Seen.size()), Prop->EventType,
                               [Empty = Prop->EmptyHandler](TObject*) { return Empty(); }});
        }
    return true;
  }();
  (void)Done;
}

using TEditors = std::vector<std::unique_ptr<TPropertyEditor>>;

TEditors Collect(const std::function<void(const TGetPropEditProc&)>& Source) {
  TEditors Result;
  Source([&](std::unique_ptr<TPropertyEditor> E) { Result.push_back(std::move(E)); });
  return Result;
}

TEditors TopEditors(TComponent* Subject, TFormDesigner& Designer) {
  return Collect([&](const TGetPropEditProc& Proc) {
    GetComponentProperties({Subject}, AllPropertyKinds(), &Designer, Proc);
  });
}

bool Opens(TPropertyEditor& E) {
  return E.GetAttributes().Contains(paSubProperties) && E.AllEqual();
}

// The lines of the list a string list editor edits (its text shows only the
// list's class).
std::string ListText(TPropertyEditor& E) {
  auto* List = static_cast<TStrings*>(std::get<TObject*>(E.GetPropInfo()->Get(E.GetComponent(0))));
  return List->Text();
}

// Every editor's text by its path (Validator.Min), depth first.
void Snapshot(TEditors& Editors, const std::string& Prefix,
              std::map<std::string, std::string>& Out) {
  for (auto& E : Editors) {
    const std::string Path = Prefix + E->GetName();
    Out[Path] = E->GetValue();
    if (dynamic_cast<TStringsProperty*>(E.get()))
      Out[Path] += ListText(*E);
    if (Opens(*E)) {
      TEditors Subs = Collect([&](const TGetPropEditProc& Proc) { E->GetProperties(Proc); });
      Snapshot(Subs, Path + ".", Out);
    }
  }
}

std::string BitmapHex() {
  TBitmap B;
  B.SetSize(3, 2);
  const std::string Data = B.SaveToBmpData();
  static const char Hex[] = "0123456789ABCDEF";
  std::string Result;
  for (unsigned char C : Data)
    Result += std::string{Hex[C >> 4], Hex[C & 15]};
  return Result;
}

// Texts to try in E, most telling first; the values it offers come first.
std::vector<std::string> Candidates(TPropertyEditor& E) {
  std::vector<std::string> Result;
  E.GetValues([&](const std::string& S) { Result.push_back(S); });
  const std::string Current = E.GetValue();
  if (dynamic_cast<TIntegerProperty*>(&E)) {
    std::int64_t N = 0;
    int Plain = 0;
    if (TryStrToInt(Current, Plain))
      N = Plain;
    for (std::int64_t V : {N + 1, N - 1, std::int64_t(1)})
      Result.push_back(IntToStr(V));
  } else if (dynamic_cast<TCharProperty*>(&E)) {
    Result.insert(Result.end(), {"*", "#0"});
  } else if (dynamic_cast<TDateProperty*>(&E)) {
    Result.insert(Result.end(), {"1/2/2000", "3/4/2001"});
  } else if (dynamic_cast<TTimeProperty*>(&E)) {
    Result.insert(Result.end(), {"6:30:00 PM", "7:00:00 AM"});
  } else if (dynamic_cast<TDateTimeProperty*>(&E)) {
    Result.insert(Result.end(), {"1/2/2000 6:30:00 PM", "3/4/2001"});
  } else if (dynamic_cast<TFloatProperty*>(&E)) {
    Result.insert(Result.end(), {"1.25", "-2.5", "3"});
  } else if (dynamic_cast<TBinaryProperty*>(&E)) {
    Result.push_back(BitmapHex());
  } else if (dynamic_cast<TMethodProperty*>(&E)) {
    for (int I = 1; I <= HandlerCount; ++I)
      Result.push_back("Handler" + std::to_string(I));
  } else if (dynamic_cast<TStringsProperty*>(&E)) {
    Result.push_back("alpha\nbeta\n");
  } else if (dynamic_cast<TStringProperty*>(&E)) {
    Result.insert(Result.end(), {"Sample", "1", "A", "1/2/2000", "6:30 PM"});
  }
  return Result;
}

// What the editor shows, lines included.
std::string Shown(TPropertyEditor& E) {
  const std::string Text = E.GetValue();
  return dynamic_cast<TStringsProperty*>(&E) ? Text + ListText(E) : Text;
}

// Types texts into E until one changes what it shows; false when none does.
bool Change(TPropertyEditor& E) {
  const std::string Before = Shown(E);
  for (const std::string& Text : Candidates(E)) {
    if (Text == E.GetValue())
      continue;
    try {
      E.SetValue(Text);
    } catch (const std::exception&) {
      continue;
    }
    if (Shown(E) != Before)
      return true;
  }
  return false;
}

// Changes each editable value (Only: just the one at that path); sets are
// changed member by member and sub-objects property by property. Adds the
// paths nothing changed to Unchanged.
void EditAll(TEditors& Editors, const std::string& Prefix, const std::string& Only,
             std::vector<std::string>& Unchanged) {
  for (auto& E : Editors) {
    const std::string Path = Prefix + E->GetName();
    if (Path == "Kind")
      continue; // the stage's kind, set before
    const TPropertyAttributes Attributes = E->GetAttributes();
    if (!Attributes.Contains(paReadOnly) && !Attributes.Contains(paSubProperties) &&
        (Only.empty() || Only == Path) && !Change(*E))
      Unchanged.push_back(Path);
    if (Opens(*E)) {
      TEditors Subs = Collect([&](const TGetPropEditProc& Proc) { E->GetProperties(Proc); });
      EditAll(Subs, Path + ".", Only, Unchanged);
    }
  }
}

struct TCase {
  std::string ClassName;
  int Kind; // -1: the class has no Kind
};

std::vector<TCase> Cases() {
  RegisterStage();
  std::vector<TCase> Result;
  for (const TPaletteEntry& E : PaletteEntries()) {
    const std::string Name = E.ComponentClass->ClassName();
    if (FindClassInfo(Name)->FindProperty("Kind"))
      for (int K = 0; K <= 8; ++K)
        Result.push_back({Name, K});
    else
      Result.push_back({Name, -1});
  }
  return Result;
}

class EditingRoundTrip : public ::testing::TestWithParam<TCase> {
protected:
  void SetUp() override { ResetLocale(); }
  void TearDown() override { ResetLocale(); }
};

// What a control derives from other properties when a form is read,
// whatever was typed: the date kind puts its calendar picture on a visible
// button (Kind is read after the button's properties), and a data-aware
// control takes MaxLength from its field once it is linked to a data source.
bool Derived(const TCase& C, const std::string& Path) {
  if (C.Kind == 7)
    for (const char* Button : {"GlyphKind", "Glyph.Data", "NumGlyphs", "ButtonVisible"})
      if (Path == Button)
        return true;
  return C.ClassName.rfind("TDB", 0) == 0 && Path == "MaxLength";
}

// A form holding the subject and the partners its references and tab order
// need; edits the subject (every property, or only the one at Only), writes
// the form, reads it back and compares every editor's text. The paths that
// took no other value.
std::vector<std::string> EditWriteAndRead(const TCase& C, const std::string& Only) {
  std::unique_ptr<TComponent> Root(new TStageForm(nullptr));
  Root->SetName("Stage");
  FindClassInfo("TDataSource")->Create(Root.get())->SetName("Source");
  FindClassInfo("TPopupMenu")->Create(Root.get())->SetName("Menu");
  TComponent* Partner = FindClassInfo("TEdit")->Create(Root.get());
  Partner->SetName("Partner");
  Partner->SetParentComponent(Root.get());
  TComponent* Subject = FindClassInfo(C.ClassName)->Create(Root.get());
  Subject->SetName("Subject");
  Subject->SetParentComponent(Root.get());
  TFormDesigner Designer(Root.get());

  TEditors Editors = TopEditors(Subject, Designer);
  if (C.Kind >= 0)
    for (auto& E : Editors)
      if (E->GetName() == "Kind")
        E->SetValue(IntToStr(C.Kind));
  std::vector<std::string> Unchanged;
  Editors = TopEditors(Subject, Designer);
  EditAll(Editors, "", Only, Unchanged);

  std::map<std::string, std::string> Expected, Actual;
  Editors = TopEditors(Subject, Designer);
  Snapshot(Editors, "", Expected);
  const std::string Text = ComponentToText(Root.get());
  std::unique_ptr<TComponent> Copy(TextToComponent(Text, nullptr));
  TComponent* Twin = Copy->FindComponent("Subject");
  if (!Twin) {
    ADD_FAILURE() << "no Subject in\n" << Text;
    return Unchanged;
  }
  TFormDesigner CopyDesigner(Copy.get());
  TEditors CopyEditors = TopEditors(Twin, CopyDesigner);
  Snapshot(CopyEditors, "", Actual);
  for (const auto& [Path, Value] : Expected) {
    if (Derived(C, Path))
      continue;
    EXPECT_EQ(Actual[Path], Value)
        << (Only.empty() ? "every property" : Only) << ": " << Path << "\n"
        << Text;
  }
  EXPECT_EQ(Actual.size(), Expected.size());
  return Unchanged;
}

// Every property at once; then each one that took no other value among all
// the others (NumGlyphs is fixed by a GlyphKind other than gkCustom) alone,
// where it must.
TEST_P(EditingRoundTrip, EveryEditedValueIsReadBack) {
  for (const std::string& Path : EditWriteAndRead(GetParam(), ""))
    if (!Derived(GetParam(), Path)) {
      EXPECT_TRUE(EditWriteAndRead(GetParam(), Path).empty())
          << Path << " takes no other value through its editor";
    }
}

INSTANTIATE_TEST_SUITE_P(Palette, EditingRoundTrip, ::testing::ValuesIn(Cases()),
                         [](const auto& Info) {
                           return Info.param.ClassName +
                                  (Info.param.Kind >= 0 ? "_Kind" + std::to_string(Info.param.Kind)
                                                        : std::string());
                         });

} // namespace
