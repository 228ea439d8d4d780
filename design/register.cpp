// The Register procedures of the button edit and the validating edit.
#include "design/register.h"

#include "btnedit/btnedit.h"
#include "btnedit/dbbtnedit.h"
#include "design/editors.h"
#include "resources/resources.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "validate/date.h"
#include "validate/time.h"

namespace BtnEdit {

void Register() {
  RegisterBtnEditClasses();
  RegisterDBBtnEditClasses();
  vcl::RegisterComponents("Additional", {&vcl::ClassOf<TBtnEdit>()});
  vcl::RegisterComponents("Data Controls", {&vcl::ClassOf<TDBBtnEdit>()});
}

} // namespace BtnEdit

namespace ValEdit {

void Register() {
  using namespace vcl;
  RegisterValEditClasses();
  RegisterDBValEditClasses();
  RegisterComponents("Additional", {&ClassOf<TValidEdit>()});
  RegisterComponents("Data Controls", {&ClassOf<TDBValidEdit>()});
  RegisterPropertyEditor("Byte", &ClassOf<TCustomValidEdit>(), "",
                         EditorClass<TValidEditKindProperty>());
  RegisterPropertyEditor(ClassOf<Validate::TValidator>(), &ClassOf<TCustomValidEdit>(), "",
                         EditorClass<TValidatorProperty>());
  RegisterPropertyEditor("TDateTime", &ClassOf<Validate::TCustomDateValidator>(), "",
                         EditorClass<TCustomDateProperty>());
  RegisterPropertyEditor("TDateTime", &ClassOf<Validate::TCustomTimeValidator>(), "",
                         EditorClass<TCustomTimeProperty>());
}

} // namespace ValEdit

namespace Design {

std::string PaletteBitmap(const vcl::TMetaClass& ComponentClass) {
  return std::string(Resources::Find(vcl::UpperCase(ComponentClass.ClassName())));
}

} // namespace Design
