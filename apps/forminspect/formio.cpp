// Reading and writing forminspect's form files.
#include "apps/forminspect/formio.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "vcl/db.h"
#include "vcl/typinfo.h"

namespace FormInspect {

using namespace vcl;

namespace {

std::string Reason() {
  return errno != 0 ? std::strerror(errno) : "an input or output error";
}

// Reads In until it ends or holds more than Limit bytes, so that a larger
// input is found out without being held.
std::string ReadLimited(std::istream& In, const std::string& Name, std::size_t Limit) {
  std::string Text;
  char Buffer[64 * 1024];
  while (Text.size() <= Limit && In.read(Buffer, sizeof Buffer).gcount() > 0)
    Text.append(Buffer, static_cast<std::size_t>(In.gcount()));
  if (In.bad())
    throw TFileError("cannot read " + Name + ": " + Reason());
  if (Text.size() > Limit)
    throw TFileError(Name + ": the form is larger than " + std::to_string(Limit) +
                     " bytes (--max-form-size)");
  return Text;
}

// Text in a new file beside FileName, renamed over it once complete; the
// file keeps its permissions. Devices and pipes are written directly.
void WriteFile(const std::string& Text, const std::string& FileName) {
  struct stat Info;
  const bool Exists = ::stat(FileName.c_str(), &Info) == 0;
  if (Exists && !S_ISREG(Info.st_mode)) {
    errno = 0;
    std::ofstream Out(FileName, std::ios::binary);
    if (!(Out << Text) || !Out.flush())
      throw TFileError("cannot write " + FileName + ": " + Reason());
    return;
  }
  const std::string Temporary = FileName + ".forminspect-new";
  errno = 0;
  std::ofstream Out(Temporary, std::ios::binary | std::ios::trunc);
  bool Done = Out && (Out << Text) && Out.flush();
  std::string Why = Reason();
  Out.close();
  auto Step = [&](bool Failed) {
    if (Failed) {
      Done = false;
      Why = Reason();
    }
  };
  Step(Done && Exists && ::chmod(Temporary.c_str(), Info.st_mode & 07777) != 0);
  Step(Done && std::rename(Temporary.c_str(), FileName.c_str()) != 0);
  if (!Done) {
    std::remove(Temporary.c_str());
    throw TFileError("cannot write " + FileName + ": " + Why);
  }
}

} // namespace

std::string ReadFormText(const std::string& FileName, std::size_t Limit) {
  if (FileName == "-")
    return ReadLimited(std::cin, "standard input", Limit);
  // A folder opens as a stream that reads nothing.
  struct stat Info;
  errno = ::stat(FileName.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode) ? EISDIR : 0;
  std::ifstream In;
  if (errno == 0)
    In.open(FileName, std::ios::binary);
  if (!In.is_open())
    throw TFileError("cannot read " + FileName + ": " + Reason());
  return ReadLimited(In, FileName, Limit);
}

TInspectedForm ReadForm(const std::string& Text) {
  TInspectedForm Form;
  const std::string Class = FormRootClassName(Text);
  const TClassInfo* Info = FindClassInfo(Class);
  if (!Info) {
    Form.FileClass = Class;
    Info = FindClassInfo("TForm");
  }
  if (!Info->CanCreate())
    throw EReadError("Cannot create an instance of " + Info->ClassName());
  Form.Root.reset(Info->Create(nullptr));
  Form.Root->SetInspecting(true);
  ReadComponentText(Text, Form.Root.get());
  return Form;
}

void OpenDataSets(TComponent* Root) {
  for (int I = 0; I < Root->ComponentCount(); ++I)
    if (auto* Data = dynamic_cast<TDataSet*>(Root->Components(I));
        Data && Data->StoredActive() && !Data->Active())
      Data->Open();
}

// The writer heads the form with its root's class: "object Name: TForm".
std::string FormText(const TInspectedForm& Form) {
  std::string Text = ComponentToText(Form.Root.get());
  if (!Form.FileClass.empty()) {
    const std::size_t LineEnd = Text.find('\n');
    const std::size_t ClassAt = Text.rfind(' ', LineEnd) + 1;
    Text.replace(ClassAt, LineEnd - ClassAt, Form.FileClass);
  }
  return Text;
}

void WriteOutput(const std::string& Text, const std::string& FileName) {
  if (FileName == "-")
    std::cout << Text;
  else
    WriteFile(Text, FileName);
}

} // namespace FormInspect
