// formdemo: builds a form from its form file and shows it in a window, or
// paints it to a picture file without a display.
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

const char* const UsageText =
    "usage: formdemo [--form FILE.dfm] [--screenshot PICTURE | --grab-screen PICTURE]\n"
    "\n"
    "  (no option)            shows the form in a window (needs a display)\n"
    "  --form FILE.dfm        reads another form file instead of the built-in one\n"
    "  --screenshot PICTURE   paints the form without a display and saves the picture\n"
    "  --grab-screen PICTURE  shows the form, saves a picture of the whole screen, quits\n"
    "  -h, --help             prints this text\n"
    "\n"
    "A PICTURE is written in the format its extension names: .png, .bmp, .jpg or .jpeg.\n";

int Usage() {
  std::cerr << UsageText;
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::string FormFile, Screenshot, GrabFile;
  for (int I = 1; I < argc; ++I) {
    const std::string Arg = argv[I];
    if (Arg == "-h" || Arg == "--help") {
      std::cout << UsageText;
      return 0;
    }
    if ((Arg == "--screenshot" || Arg == "--form" || Arg == "--grab-screen") && I + 1 < argc) {
      (Arg == "--screenshot" ? Screenshot : Arg == "--form" ? FormFile : GrabFile) = argv[++I];
    } else {
      return Usage();
    }
  }
  for (const std::string& Picture : {Screenshot, GrabFile})
    if (!Picture.empty() && !TPixelBuffer::FileFormat(Picture)) {
      std::cerr << "formdemo: " << Picture
                << ": unknown picture format; name it .png, .bmp, .jpg or .jpeg\n";
      return 2;
    }
  try {
    Application->Initialize(argc, argv, !Screenshot.empty());
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
      Picture.SaveToFile(Screenshot);
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
      Screen.SaveToFile(GrabFile);
      return 0;
    }
    return Application->Run();
  } catch (const std::exception& E) {
    std::cerr << "formdemo: " << E.what() << "\n";
    return 1;
  }
}
