// How forminspect reads a form file and writes it back. A form is read for
// inspection: as a file, not as a program runs it. Its data sets stay closed
// unless asked for, its event handlers are names, and a root of the
// application's own class is read as a TForm. Input is limited in size, and
// the form is written back through a new file renamed over the old one, so
// a failed write never leaves half a form behind.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

#include "vcl/classes.h"

namespace FormInspect {

// A form that cannot be read, or output that cannot be written: the message
// names the file and why.
class TFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TInspectedForm {
  std::unique_ptr<vcl::TComponent> Root;
  // The class the file gives its root when it is not the root's own (the
  // application's form class read as a TForm); empty otherwise.
  std::string FileClass;
};

// The text of FileName ("-": standard input), at most Limit bytes.
std::string ReadFormText(const std::string& FileName, std::size_t Limit);

// Reads Text for inspection.
TInspectedForm ReadForm(const std::string& Text);

// Opens the data sets the form stores open; the data set's message when one
// cannot be opened.
void OpenDataSets(vcl::TComponent* Root);

// The form as a form file, under the class its file gave its root.
std::string FormText(const TInspectedForm& Form);

// Writes Text to FileName ("-": standard output).
void WriteOutput(const std::string& Text, const std::string& FileName);

} // namespace FormInspect
