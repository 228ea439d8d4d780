// A form with a date edit, for looking at the calendar dialog as a user sees
// it.
//
//   calform_window --screenshot DIR   paints, headless, DIR/dateedit.png (the
//                                     form with the date edit and its calendar
//                                     button) and DIR/dialog.png (the dialog
//                                     open on the edit's date, 10 February 2024)
//   calform_window                    shows the form in a window (needs a
//                                     display); prints the position of the
//                                     calendar button's centre on the screen
//                                     ("button X Y"), and after the first click
//                                     on it the edit's text ("picked TEXT"),
//                                     then quits.
#include <cstdio>
#include <iostream>
#include <string>

#include "valedit/valedit.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

namespace {

using namespace vcl;

struct TDateForm {
  TForm* Form;
  ValEdit::TValidEdit* DateEdit;
};

TDateForm MakeForm() {
  auto* Form = new TForm(Application);
  Form->SetCaption("Date edit");
  Form->SetBorderStyle(bsDialog);
  Form->SetClientWidth(240);
  Form->SetClientHeight(70);
  Form->SetBounds(100, 100, Form->Width(), Form->Height());
  auto* Label = testing::Place<TLabel>(Form, 12, 16, 60, 13);
  Label->SetCaption("&Due date:");
  auto* DateEdit = testing::Place<ValEdit::TValidEdit>(Form, 80, 12, 121, 21);
  DateEdit->SetKind(ValEdit::vkDate);
  DateEdit->SetAsDate(EncodeDate(2024, 2, 10));
  Label->SetFocusControl(DateEdit);
  auto* Note = testing::Place<TEdit>(Form, 80, 40, 121, 21);
  Note->SetTextBuf("Ctrl+Enter opens");
  return {Form, DateEdit};
}

int Screenshots(const std::string& Dir) {
  Application->Initialize(true);
  TDateForm F = MakeForm();
  F.Form->Show();
  TPixelBuffer Picture;
  F.Form->PaintTo(Picture);
  Picture.SaveToPng(Dir + "/dateedit.png");
  bool Painted = false;
  testing::AnswerNextModal([&](TCustomForm* Dialog) {
    TPixelBuffer DialogPicture;
    Dialog->PaintTo(DialogPicture);
    DialogPicture.SaveToPng(Dir + "/dialog.png");
    Painted = true;
    return mrCancel;
  });
  F.DateEdit->DoClick();
  return Painted ? 0 : 1;
}

int Window() {
  Application->Initialize(false);
  if (!Application->HasDisplay()) {
    std::cerr << "calform_window: no display\n";
    return 1;
  }
  TDateForm F = MakeForm();
  F.DateEdit->OnButtonClick = [&F](TObject*) {
    std::cout << "picked " << F.DateEdit->EditText() << std::endl;
    F.Form->Close();
  };
  Application->SetMainForm(F.Form);
  F.Form->Show();
  const TPoint Centre = F.DateEdit->Button()->ClientToScreen(
      {F.DateEdit->Button()->Width() / 2, F.DateEdit->Button()->Height() / 2});
  std::cout << "button " << Centre.X << " " << Centre.Y << std::endl;
  Application->Run();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    ResetLocale();
    if (argc == 3 && std::string(argv[1]) == "--screenshot")
      return Screenshots(argv[2]);
    if (argc == 1)
      return Window();
    std::cerr << "usage: calform_window [--screenshot DIR]\n";
    return 2;
  } catch (const std::exception& E) {
    std::cerr << "calform_window: " << E.what() << "\n";
    return 1;
  }
}
