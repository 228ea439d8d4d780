// The property editors of the validating edit, as the object inspector
// uses them once the library has registered itself.
#include <gtest/gtest.h>

#include "design/editors.h"
#include "design/register.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "validate/date.h"
#include "validate/integer.h"
#include "validate/time.h"
#include "vcl/db.h"
#include "vcl/forms.h"
#include "vcl/menus.h"

using namespace vcl;
using namespace ValEdit;

namespace {

class ValEditEditors : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    BtnEdit::Register();
    ValEdit::Register();
    Form.SetName("Form1");
    Edit1->SetName("Edit1");
    Edit2->SetName("Edit2");
    DBEdit->SetName("DBEdit");
  }
  void TearDown() override { ResetLocale(); }

  std::unique_ptr<TPropertyEditor> Editor(std::vector<TPersistent*> Objects,
                                          const std::string& Name) {
    const TPropInfo* Prop = FindPropInfo(Objects.front(), Name);
    EXPECT_NE(Prop, nullptr) << Name;
    return GetEditorClass(Prop, Objects.front()).Create(&Designer, Objects, Prop);
  }

  TForm Form{nullptr};
  TValidEdit* Edit1 = new TValidEdit(&Form);
  TValidEdit* Edit2 = new TValidEdit(&Form);
  TDBValidEdit* DBEdit = new TDBValidEdit(&Form);
  TFormDesigner Designer{&Form};
};

struct TKindTyped {
  const char* Typed;
  int Kind; // -1: refused with Message
  const char* Shown;
  const char* Message;
};

class KindEditor : public ValEditEditors, public ::testing::WithParamInterface<TKindTyped> {};

TEST_P(KindEditor, TakesNamesInAnyCaseAndNumbersInTheByteRange) {
  const TKindTyped& T = GetParam();
  Edit1->SetKind(vkInteger);
  auto E = Editor({Edit1}, "Kind");
  if (T.Kind >= 0) {
    E->SetValue(T.Typed);
    EXPECT_EQ(Edit1->Kind(), T.Kind);
    EXPECT_EQ(E->GetValue(), T.Shown);
  } else {
    try {
      E->SetValue(T.Typed);
      ADD_FAILURE() << T.Typed << " was taken";
    } catch (const Exception& Error) {
      EXPECT_EQ(Error.what(), std::string(T.Message));
    }
    EXPECT_EQ(Edit1->Kind(), vkInteger);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KindEditor,
    ::testing::Values(TKindTyped{"vkdate", 7, "vkDate", ""}, TKindTyped{"7", 7, "vkDate", ""},
                      TKindTyped{"VKTIME", 8, "vkTime", ""}, TKindTyped{"", 0, "vkNone", ""},
                      TKindTyped{"0", 0, "vkNone", ""}, TKindTyped{"150", 150, "150", ""},
                      TKindTyped{"255", 255, "255", ""},
                      // The edit does not keep kinds 9 to 99.
                      TKindTyped{"50", 0, "vkNone", ""},
                      TKindTyped{"300", -1, "", "Value must be between 0 and 255"},
                      TKindTyped{"-1", -1, "", "Value must be between 0 and 255"},
                      TKindTyped{"vkdates", -1, "", "'vkdates' is not a valid integer value"},
                      TKindTyped{"date", -1, "", "'date' is not a valid integer value"}));

// A byte that keeps any value: the edit itself never holds 9 to 99.
class TByteHolder : public TPersistent {
public:
  Byte Kind() const { return FKind; }
  void SetKind(Byte V) { FKind = V; }

private:
  Byte FKind = 12;
};

TEST_F(ValEditEditors, AKindWithoutANameIsShownAsItsNumber) {
  static const bool Declared = [] {
    Published<TByteHolder>("TByteHolder")
        .Inherits<TPersistent>()
        .Int("Kind", &TByteHolder::Kind, &TByteHolder::SetKind);
    return true;
  }();
  (void)Declared;
  TByteHolder Holder;
  TValidEditKindProperty E(&Designer, {&Holder}, FindPropInfo(&Holder, "Kind"));
  EXPECT_EQ(E.GetValue(), "12");
  E.SetValue("vkFloat");
  EXPECT_EQ(E.GetValue(), "vkFloat");
}

TEST_F(ValEditEditors, KindOffersTheNineNamesInOrder) {
  auto E = Editor({Edit1}, "Kind");
  std::vector<std::string> Names;
  E->GetValues([&](const std::string& N) { Names.push_back(N); });
  EXPECT_EQ(Names,
            (std::vector<std::string>{"vkNone", "vkFilter", "vkInteger", "vkFloat", "vkCurrency",
                                      "vkStringLookup", "vkPicture", "vkDate", "vkTime"}));
  EXPECT_EQ(E->GetAttributes(), (TPropertyAttributes{paValueList, paMultiSelect, paRevertable}));
}

TEST_F(ValEditEditors, EachPropertyGetsItsRegisteredEditor) {
  auto Name = [](TPersistent* Obj, const char* Prop) {
    return GetEditorClass(FindPropInfo(Obj, Prop), Obj).Type;
  };
  EXPECT_EQ(Name(Edit1, "Kind"), typeid(TValidEditKindProperty));
  EXPECT_EQ(Name(DBEdit, "Kind"), typeid(TValidEditKindProperty));
  EXPECT_EQ(Name(Edit1, "Validator"), typeid(TValidatorProperty));
  EXPECT_EQ(Name(DBEdit, "Validator"), typeid(TValidatorProperty));
  EXPECT_EQ(Name(Edit1, "Font"), typeid(TClassProperty));
  Edit1->SetKind(vkDate);
  EXPECT_EQ(Name(Edit1->Validator(), "Min"), typeid(TCustomDateProperty));
  EXPECT_EQ(Name(Edit1->Validator(), "Max"), typeid(TCustomDateProperty));
  Edit1->SetKind(vkTime);
  EXPECT_EQ(Name(Edit1->Validator(), "Min"), typeid(TCustomTimeProperty));
  Edit1->SetKind(vkInteger);
  EXPECT_EQ(Name(Edit1->Validator(), "Min"), typeid(TIntegerProperty));
  Edit1->SetKind(vkFloat);
  EXPECT_EQ(Name(Edit1->Validator(), "Min"), typeid(TFloatProperty));
}

// A reference offers the components of the class it holds, by name.
TEST_F(ValEditEditors, ReferencesOfferComponentsOfTheirClassOnly) {
  auto* Menu = new TPopupMenu(&Form);
  Menu->SetName("Menu");
  auto* Source = new TDataSource(&Form);
  Source->SetName("Source");
  auto Names = [&](TPersistent* Obj, const char* Prop) {
    std::vector<std::string> Result;
    Editor({Obj}, Prop)->GetValues([&](const std::string& N) { Result.push_back(N); });
    return Result;
  };
  EXPECT_EQ(Names(Edit1, "PopupMenu"), std::vector<std::string>{"Menu"});
  EXPECT_EQ(Names(DBEdit, "DataSource"), std::vector<std::string>{"Source"});
  auto E = Editor({DBEdit}, "DataSource");
  EXPECT_THROW(E->SetValue("Nothing"), EPropertyError);
  try {
    E->SetValue("Menu");
    ADD_FAILURE() << "a popup menu became the data source";
  } catch (const Exception& X) {
    EXPECT_EQ(X.Message(), "A TPopupMenu cannot be assigned to this property");
  }
  E->SetValue("source");
  EXPECT_EQ(DBEdit->DataSource(), Source);
}

TEST_F(ValEditEditors, ValidatorAgreesOnEditsOfOneClassWhateverTheirValidators) {
  Edit1->SetKind(vkDate);
  Edit2->SetKind(vkInteger);
  DBEdit->SetKind(vkDate);
  EXPECT_EQ(Editor({Edit1}, "Validator")->GetAttributes(),
            (TPropertyAttributes{paSubProperties, paMultiSelect}));
  EXPECT_TRUE(Editor({Edit1}, "Validator")->AllEqual());
  EXPECT_TRUE(Editor({Edit1, Edit2}, "Validator")->AllEqual());
  EXPECT_FALSE(Editor({Edit1, DBEdit}, "Validator")->AllEqual());
  EXPECT_FALSE(Editor({Edit1, Edit2, DBEdit}, "Validator")->AllEqual());
  EXPECT_EQ(Editor({Edit1}, "Validator")->GetValue(), "(TDateValidator)");
}

TEST_F(ValEditEditors, ValidatorSubPropertiesEditTheValidatorsOfEverySelectedEdit) {
  Edit1->SetKind(vkInteger);
  Edit2->SetKind(vkInteger);
  auto E = Editor({Edit1, Edit2}, "Validator");
  std::vector<std::unique_ptr<TPropertyEditor>> Subs;
  E->GetProperties([&](std::unique_ptr<TPropertyEditor> S) { Subs.push_back(std::move(S)); });
  bool Found = false;
  for (auto& S : Subs)
    if (S->GetName() == "Max") {
      S->SetValue("99");
      Found = true;
    }
  ASSERT_TRUE(Found);
  for (TValidEdit* Edit : {Edit1, Edit2})
    EXPECT_EQ(static_cast<Validate::TIntegerValidator*>(Edit->Validator())->Max(), 99);
}

TEST_F(ValEditEditors, DateBoundsShowDayZeroAsADate) {
  Edit1->SetKind(vkDate);
  auto* V = static_cast<Validate::TDateValidator*>(Edit1->Validator());
  V->SetMin(0);
  auto E = Editor({V}, "Min");
  EXPECT_EQ(E->GetValue(), "12/30/1899");
  E->SetValue("2/29/2024");
  EXPECT_EQ(V->Min(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(E->GetValue(), "2/29/2024");
  E->SetValue("");
  EXPECT_EQ(V->Min(), 0);
  EXPECT_THROW(E->SetValue("2/30/2024"), EConvertError);
  EXPECT_EQ(V->Min(), 0);
}

TEST_F(ValEditEditors, TimeBoundsShowZeroAsMidnight) {
  Edit1->SetKind(vkTime);
  auto* V = static_cast<Validate::TTimeValidator*>(Edit1->Validator());
  V->SetMax(0);
  auto E = Editor({V}, "Max");
  EXPECT_EQ(E->GetValue(), "12:00:00 AM");
  E->SetValue("6:30 PM");
  EXPECT_NEAR(V->Max(), 18.5 / 24, 1e-9);
  EXPECT_EQ(E->GetValue(), "6:30:00 PM");
}

} // namespace
