// The login dialog: a form of our own controls that names the database and
// asks for the user name and the password (shown as asterisks), with OK and
// Cancel; database connections show it through LoginDialog when the server
// wants a password.
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

namespace {

// An edit with its label (its accelerator focuses the edit).
TEdit* LabelledEdit(TForm* Form, const char* Name, const char* Caption, int Top) {
  auto* Label = new TLabel(Form);
  Label->SetParent(Form);
  Label->SetCaption(Caption);
  Label->SetBounds(12, Top + 3, 80, 15);
  auto* Edit = new TEdit(Form);
  Edit->SetName(Name);
  Edit->SetParent(Form);
  Edit->SetBounds(96, Top, 180, 21);
  Label->SetFocusControl(Edit);
  return Edit;
}

TButton* DialogButton(TForm* Form, const char* Name, const char* Caption, int Left,
                      TModalResult Result) {
  auto* B = new TButton(Form);
  B->SetName(Name);
  B->SetParent(Form);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  B->SetBounds(Left, 104, 75, 25);
  return B;
}

} // namespace

TForm* CreateLoginDialog(const std::string& Database, const std::string& UserName) {
  auto* Form = new TForm(nullptr);
  Form->SetName("LoginDialog");
  Form->SetCaption("Database Login");
  Form->SetBorderStyle(bsDialog);
  Form->SetClientWidth(288);
  Form->SetClientHeight(140);
  auto* Title = new TLabel(Form);
  Title->SetName("DatabaseName");
  Title->SetParent(Form);
  Title->SetShowAccelChar(false);
  Title->SetCaption("Database: " + Database);
  Title->SetBounds(12, 12, 264, 15);
  LabelledEdit(Form, "UserName", "&User name:", 40)->SetTextBuf(UserName);
  LabelledEdit(Form, "Password", "&Password:", 68)->SetPasswordChar('*');
  DialogButton(Form, "OKButton", "OK", 120, mrOk)->SetDefault(true);
  DialogButton(Form, "CancelButton", "Cancel", 201, mrCancel)->SetCancel(true);
  return Form;
}

bool ShowLoginDialog(const std::string& Database, std::string& UserName, std::string& Password) {
  std::unique_ptr<TForm> Form(CreateLoginDialog(Database, UserName));
  auto* User = static_cast<TEdit*>(Form->FindComponent("UserName"));
  auto* Secret = static_cast<TEdit*>(Form->FindComponent("Password"));
  // The password is what is missing when a user name is known.
  Form->SetActiveControl(UserName.empty() ? User : Secret);
  if (Form->ShowModal() != mrOk)
    return false;
  UserName = User->Text();
  Password = Secret->Text();
  return true;
}

} // namespace vcl
