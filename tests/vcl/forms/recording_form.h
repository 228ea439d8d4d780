// A form whose handlers record which of them ran, for form files that name
// a handler for every event of the controls on them. A test derives its
// own form class from it and publishes these handlers with its other ones.
#pragma once

#include <string>
#include <vector>

#include "vcl/forms.h"
#include "vcl/typinfo.h"

class TRecordingForm : public vcl::TForm {
public:
  using vcl::TForm::TForm;
  void Notify(vcl::TObject*) { Calls.push_back("Notify"); }
  void Key(vcl::TObject*, vcl::Word&, vcl::TShiftState) { Calls.push_back("Key"); }
  void Typed(vcl::TObject*, char32_t&) { Calls.push_back("Typed"); }
  void Mouse(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {
    Calls.push_back("Mouse");
  }
  void Moved(vcl::TObject*, vcl::TShiftState, int, int) { Calls.push_back("Moved"); }
  void Dropped(vcl::TObject*, vcl::TObject*, int, int) { Calls.push_back("Dropped"); }
  void Over(vcl::TObject*, vcl::TObject*, int, int, vcl::TDragState, bool& Accept) {
    Calls.push_back("Over");
    Accept = true;
  }
  void Started(vcl::TObject*, vcl::TDragObject*&) { Calls.push_back("Started"); }
  std::vector<std::string> Calls;

protected:
  // Publishes the handlers above in the table P of a class derived from this one.
  template <typename T> static void PublishHandlers(vcl::Published<T>& P) {
    P.Method("Notify", &T::Notify)
        .Method("Key", &T::Key)
        .Method("Typed", &T::Typed)
        .Method("Mouse", &T::Mouse)
        .Method("Moved", &T::Moved)
        .Method("Dropped", &T::Dropped)
        .Method("Over", &T::Over)
        .Method("Started", &T::Started);
  }
};
