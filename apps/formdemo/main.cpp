// formdemo: builds a form from its form file and shows it in a window, or
// paints it to a PNG file without a display.
//
//   formdemo                         shows the form (needs a display)
//   formdemo --screenshot FILE.png   writes a picture of the form, headless
//   formdemo --form FILE.dfm ...     reads another form file
//   formdemo --grab-screen FILE.png  shows the form, then saves a picture of
//                                    the whole screen and quits (checks a real display)
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"
#include "vcl/typinfo.h"

extern const std::string DemoFormText;

namespace {

using namespace vcl;

// The form class named in the form file; its methods are the event handlers
// the file refers to by name.
class TDemoForm : public TForm {
public:
  using TForm::TForm;
  TEdit* NameEdit = nullptr;
  TEdit* CodeEdit = nullptr;
  TSpeedButton* PickButton = nullptr;

  void FormCreate(TObject*) {
    if (PickButton)
      PickButton->Glyph()->SetHandle(LoadBitmap(nullptr, OBM_COMBO));
  }
  void PickClick(TObject*) {
    if (auto* City = dynamic_cast<TEdit*>(FindComponent("CityEdit")))
      City->SetTextBuf("Paris");
  }
  void OKClick(TObject*) {
    if (NameEdit && NameEdit->Text().empty()) {
      MessageDlg("Please enter a name.", mtWarning, {mbOK}, 0);
      SetModalResult(mrNone);
      NameEdit->SetFocus();
      return;
    }
    Close();
  }
  void CancelClick(TObject*) { Close(); }
};

void RegisterDemoForm() {
  using T = TDemoForm;
  Published<T>("TDemoForm")
      .Inherits<TForm>()
      .Field("NameEdit", &T::NameEdit)
      .Field("CodeEdit", &T::CodeEdit)
      .Field("PickButton", &T::PickButton)
      .Method("FormCreate", &T::FormCreate)
      .Method("PickClick", &T::PickClick)
      .Method("OKClick", &T::OKClick)
      .Method("CancelClick", &T::CancelClick);
}

int Usage() {
  std::cerr
      << "usage: formdemo [--form FILE.dfm] [--screenshot FILE.png | --grab-screen FILE.png]\n";
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::string FormFile, Screenshot, GrabFile;
  for (int I = 1; I < argc; ++I) {
    const std::string Arg = argv[I];
    if ((Arg == "--screenshot" || Arg == "--form" || Arg == "--grab-screen") && I + 1 < argc) {
      (Arg == "--screenshot" ? Screenshot : Arg == "--form" ? FormFile : GrabFile) = argv[++I];
    } else {
      return Usage();
    }
  }
  try {
    Application->Initialize(!Screenshot.empty());
    if (Screenshot.empty() && !Application->HasDisplay()) {
      std::cerr << "formdemo: no display; use --screenshot FILE.png to paint the form headless\n";
      return 1;
    }
    RegisterGuiClasses();
    RegisterDemoForm();
    std::string Text = DemoFormText;
    if (!FormFile.empty()) {
      std::ifstream In(FormFile, std::ios::binary);
      if (!In) {
        std::cerr << "formdemo: cannot read " << FormFile << "\n";
        return 1;
      }
      Text.assign(std::istreambuf_iterator<char>(In), {});
    }
    auto* Form = new TDemoForm(Application);
    ReadComponentText(Text, Form);
    Application->SetMainForm(Form);
    if (!Screenshot.empty()) {
      Form->Show();
      TPixelBuffer Picture;
      Form->PaintTo(Picture);
      Picture.SaveToPng(Screenshot);
      return 0;
    }
    if (!GrabFile.empty()) {
      Form->Show();
      // Let the window system map and paint the window before the picture.
      const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
      while (std::chrono::steady_clock::now() < Until)
        Application->ProcessMessages();
      TPixelBuffer Screen;
      if (!GrabScreenImage(Screen)) {
        std::cerr << "formdemo: the screen cannot be grabbed\n";
        return 1;
      }
      Screen.SaveToPng(GrabFile);
      return 0;
    }
    Application->Run();
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "formdemo: " << E.what() << "\n";
    return 1;
  }
}
