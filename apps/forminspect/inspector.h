// The object inspector of forminspect: a selection of components of one
// form, shown and edited only through the property editors the library
// registers.
#pragma once

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "vcl/designintf.h"

namespace FormInspect {

// A component or property that is not there.
class TNotFound : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TInspector {
public:
  // Selects the components named in Names (the form's own name selects the
  // form); no names select the form. TNotFound for a name the form lacks.
  TInspector(vcl::TComponent* Root, const std::vector<std::string>& Names);

  // One line "Name = Value" per property, in published order; an editor
  // with sub-properties lists them below, indented two blanks a level, when
  // the selection agrees on it. A value the selection differs on is empty.
  void List(std::ostream& Out, bool Events);
  // The values PROP's editor offers.
  std::vector<std::string> Values(const std::string& Path);
  // Types Value into the editor of Path; the editor's exception when it
  // refuses.
  void Set(const std::string& Path, const std::string& Value);

private:
  std::vector<std::unique_ptr<vcl::TPropertyEditor>> Editors(bool Events);
  std::unique_ptr<vcl::TPropertyEditor> Find(const std::string& Path);
  void ListEditor(std::ostream& Out, vcl::TPropertyEditor& Editor, int Depth);

  vcl::TFormDesigner FDesigner;
  std::vector<vcl::TPersistent*> FSelection;
};

// Whether the inspector opens an editor's sub-properties: it has them, and
// the selection agrees on the property.
bool ShowsSubProperties(vcl::TPropertyEditor& Editor);

} // namespace FormInspect
