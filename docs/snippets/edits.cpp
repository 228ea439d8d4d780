// The guide's examples of the validating edit on a form: settings of a kind,
// application kinds, values from code, form files, locale and the data-aware
// edit over an SQLite table. Runs headless; each region between "// [name]"
// and "// [end]" is quoted in docs/, and its Expect lines are the results
// the guide states.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "btnedit/btnedit.h"
#include "calform/calform.h"
#include "docs/snippets/expect.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "validate/validate.h"
#include "vcl/classes.h"
#include "vcl/db.h"
#include "vcl/forms.h"
#include "vcl/sysutils.h"
#include "vcl/typinfo.h"

using Snippets::Expect;

namespace {

void CharactersAndKeys(vcl::TForm* Form) {
  auto* Name = new BtnEdit::TBtnEdit(Form);
  Name->SetParent(Form);
  // [key handler]
  // Key is one character, a Unicode code point; setting it to 0 drops it.
  Name->OnKeyPress = [](vcl::TObject*, char32_t& Key) {
    if (Key == U'ß')
      Key = U'ẞ';
    else if (Key == U'#')
      Key = 0;
  };
  // [end]
  for (char32_t Key : std::u32string(U"Straße#")) {
    Name->OnKeyPress(Name, Key);
    if (Key != 0)
      Name->SetSelText(vcl::Utf8Encode(Key));
  }
  Expect(Name->Text() == "Straẞe");
  // [positions]
  Name->SetTextBuf("Łódź 👍🏽");
  Expect(vcl::Length(Name->Text()) == 7); // code points: the thumb and its skin tone are two
  Name->SetSelStart(5);
  Name->SetSelLength(1); // a selection never ends inside a user-perceived character
  Expect(Name->SelText() == "👍🏽");
  Expect(Name->SelLength() == 2);
  // [end]
}

void KindSettings(vcl::TForm* Form) {
  // [kind settings]
  auto* Quantity = new ValEdit::TValidEdit(Form);
  Quantity->SetParent(Form);
  Quantity->SetKind(ValEdit::vkInteger);
  auto* Range = static_cast<Validate::TIntegerValidator*>(Quantity->Validator());
  Range->SetNoBounds(false);
  Range->SetMin(1);
  Range->SetMax(500);
  // [end]
  Expect(!Quantity->Validator()->IsValid("501"));
}

void ApplicationKind(vcl::TForm* Form) {
  // [application kind]
  auto* Sku = new ValEdit::TValidEdit(Form);
  Sku->SetParent(Form);
  Sku->OnNewValidator = [](ValEdit::TCustomValidEdit* Sender, vcl::Byte AKind,
                           Validate::TValidator*& AValidator) {
    if (AKind == 100) {
      auto* Picture = new Validate::TPictureValidator(Sender); // the edit will own it
      Picture->SetPicture("&&&-####");
      AValidator = Picture;
    }
  };
  Sku->SetKind(100);
  Expect(Sku->Kind() == 100);
  Expect(Sku->Validator()->IsValid("ABC-1234"));
  Expect(!Sku->Validator()->IsValid("AB-1234"));
  // [end]
}

void ValuesFromCode(vcl::TForm* Form) {
  // [values from code]
  auto* Price = new ValEdit::TValidEdit(Form);
  Price->SetParent(Form);
  Price->SetKind(ValEdit::vkCurrency);
  // Judge values assigned from code too, not only what the user types.
  Price->SetValidation({ValEdit::vtInput, ValEdit::vtFocus, ValEdit::vtSetValue});
  auto* Money = static_cast<Validate::TCurrencyValidator*>(Price->Validator());
  Money->SetNoBounds(false);
  Money->SetMax(1000);

  Price->SetEditText("19.5");
  Expect(Price->EditText() == "19.5");      // the value as typed
  Expect(Price->DisplayText() == "$19.50"); // shown while the edit is not focused
  Expect(Price->AsCurrency() == vcl::Currency(19.5));

  Price->SetEditText("12.345"); // normalised before it is judged
  Expect(Price->AsString() == "12.35");

  try {
    Price->SetAsInteger(5000); // above Max
    Expect(false);
  } catch (const ValEdit::EValidationError& E) {
    Expect(std::string(E.what()) == "5000"); // the refused text
  }
  Expect(Price->AsString() == "12.35"); // the control keeps its value
  // [end]
}

// [form class]
// A form of the application's own: the form file fills in its component
// fields and binds the event handlers it names.
class TOrderForm : public vcl::TForm {
public:
  explicit TOrderForm(vcl::TComponent* AOwner) : TForm(AOwner) { RegisterOrderForm(); }

  ValEdit::TValidEdit* Phone = nullptr;
  std::string LastError;

  void PhoneFocusError(vcl::TObject*, const std::string& InvalidStr) { LastError = InvalidStr; }

  static void RegisterOrderForm() {
    static const bool Done = [] {
      ValEdit::RegisterValEditClasses(); // TValidEdit and the validators, by name
      vcl::Published<TOrderForm>("TOrderForm")
          .Inherits<vcl::TForm>()
          .Field("Phone", &TOrderForm::Phone)
          .Method("PhoneFocusError", &TOrderForm::PhoneFocusError);
      return true;
    }();
    (void)Done;
  }
};
// [end]

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// Reads the form file the guide shows (docs/snippets/orderform.dfm), then
// writes the form back.
void FormFiles(const std::string& Path) {
  // [form file read]
  auto* Order = new TOrderForm(vcl::Application);
  vcl::ReadComponentText(ReadFile(Path), Order);
  Expect(Order->Caption() == "Order");
  Expect(Order->Phone->Kind() == ValEdit::vkPicture);
  Expect(Order->Phone->EditText() == "(555) 123-4567");

  Order->Phone->OnFocusError(Order->Phone, "(555"); // bound by name to PhoneFocusError
  Expect(Order->LastError == "(555");
  // [end]

  // [form file write]
  const std::string Text = vcl::ComponentToText(Order);
  Expect(Text.find("object Phone: TValidEdit") != std::string::npos);
  Expect(Text.find("Validator.Picture = '(###) ###-####'") != std::string::npos);
  Expect(Text.find("OnFocusError = PhoneFocusError") != std::string::npos);
  Expect(Text.find("AllowNull") == std::string::npos); // a default is not written

  delete Order; // its name is free again among the application's forms
  auto* Copy = new TOrderForm(vcl::Application);
  vcl::ReadComponentText(Text, Copy);
  Expect(Copy->Phone->EditText() == "(555) 123-4567");
  // [end]
  delete Copy;
}

void DataAware(vcl::TForm* Form) {
  // [data-aware]
  auto* Customers = new vcl::TSQLiteDataSet(Form);
  Customers->SetDatabaseName(":memory:"); // or a file name: "shop.db"
  // Makes the database with its table when it does not exist yet.
  Customers->CreateDatabase("CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(40),"
                            " credit CURRENCY);"
                            "INSERT INTO customers (name, credit) VALUES ('Ada', 1200.5);");
  Customers->SetTableName("customers");
  Customers->Open();
  auto* Source = new vcl::TDataSource(Form);
  Source->SetDataSet(Customers);

  auto* Credit = new ValEdit::TDBValidEdit(Form);
  Credit->SetParent(Form);
  Credit->SetKind(ValEdit::vkCurrency);
  Credit->SetDataSource(Source);
  Credit->SetDataField("credit");
  Expect(Credit->EditText() == "1200.5");
  Expect(Credit->DisplayText() == "$1,200.50");

  Credit->SetAsString("1500"); // puts the data set into edit mode and writes the field
  Expect(Customers->State() == vcl::dsEdit);
  Customers->Post();
  Expect(Customers->FieldByName("credit")->AsString() == "1500");
  // [end]
}

// An emptied value is Null, whatever the field's type.
void DataAwareNull(vcl::TForm* Form) {
  auto* Orders = new vcl::TSQLiteDataSet(Form);
  Orders->ExecSQL("CREATE TABLE orders (id INTEGER PRIMARY KEY, due DATE);"
                  "INSERT INTO orders (due) VALUES ('2024-03-11');");
  Orders->SetTableName("orders");
  Orders->Open();
  auto* Source = new vcl::TDataSource(Form);
  Source->SetDataSet(Orders);
  auto* Due = new ValEdit::TDBValidEdit(Form);
  Due->SetParent(Form);
  Due->SetKind(ValEdit::vkDate);
  Due->SetDataSource(Source);
  Due->SetDataField("due");
  // [data-aware null]
  Due->Clear();                                 // or SetAsString(""), or the user deleting the text
  Expect(Orders->FieldByName("due")->IsNull()); // no date, not 30 December 1899
  Expect(Due->Text().empty() && Due->AsDate() == 0);
  Expect(Due->IsNull()); // Null, where AsDate reads 0

  Due->SetAsDate(0); // the date 0 is a value: 30 December 1899
  Expect(!Due->IsNull() && Due->AsDate() == 0);
  // [end]
  Orders->Post();
}

class TCustomerForm : public vcl::TForm {
public:
  explicit TCustomerForm(vcl::TComponent* AOwner) : TForm(AOwner) {
    static const bool Done = [] {
      ValEdit::RegisterDBValEditClasses();
      vcl::RegisterSQLiteClasses();
      vcl::Published<TCustomerForm>("TCustomerForm")
          .Inherits<vcl::TForm>()
          .Field("Customers", &TCustomerForm::Customers)
          .Field("CreditEdit", &TCustomerForm::CreditEdit);
      return true;
    }();
    (void)Done;
  }
  vcl::TSQLiteDataSet* Customers = nullptr;
  ValEdit::TDBValidEdit* CreditEdit = nullptr;
};

// Reads the form file the guide shows (docs/snippets/customers.dfm).
void DataAwareFormFile(const std::string& Path) {
  // [data-aware form file]
  auto* Form = new TCustomerForm(vcl::Application);
  vcl::ReadComponentText(ReadFile(Path), Form);
  Form->Customers->ExecSQL("CREATE TABLE customers (id INTEGER PRIMARY KEY, credit CURRENCY);"
                           "INSERT INTO customers (credit) VALUES (1200.5);");
  Form->Customers->Open();
  Expect(Form->CreditEdit->DisplayText() == "$1,200.50");
  Expect(!Form->CreditEdit->Validator()->IsValid("6000")); // Validator.Max = 5000
  // [end]
  delete Form;
}

void Calendar(vcl::TForm* Form) {
  // [calendar]
  auto* Dialog = new CalForm::TCalendarForm(Form);
  Dialog->SetDate(vcl::EncodeDate(2026, 2, 28));
  Expect(Dialog->GetDate() == vcl::EncodeDate(2026, 2, 28));
  Dialog->TodayBtnClick(Dialog->TodayBtn);
  Expect(Dialog->GetDate() == vcl::Date()); // Today moves to today, without closing
  delete Dialog;
  // [end]
}

void ButtonEdit(vcl::TForm* Form) {
  // [button edit]
  auto* Region = new BtnEdit::TBtnEdit(Form);
  Region->SetParent(Form);
  Region->SetGlyphKind(BtnEdit::gkDropDown); // the arrow; Alt+Down clicks it
  int Clicks = 0;
  Region->OnButtonClick = [&Clicks](vcl::TObject*) { ++Clicks; };

  Region->DoClick(); // as a click on the button
  Expect(Clicks == 1);
  Region->SetReadOnly(true);
  Region->DoClick(); // the button of a read-only edit does nothing ...
  Expect(Clicks == 1);
  Region->SetAlwaysEnable(true);
  Region->DoClick(); // ... unless AlwaysEnable is set
  Expect(Clicks == 2);
  // [end]
}

// The settings and defaults components.md states in its tables and prose.
void ComponentFacts(vcl::TForm* Form) {
  auto* Btn = new BtnEdit::TBtnEdit(Form);
  Btn->SetParent(Form);
  Expect(Btn->ClickKey() == BtnEdit::scCtrlEnter);
  Expect(Btn->GlyphKind() == BtnEdit::gkCustom);
  Expect(Btn->ButtonVisible());
  Expect(Btn->ButtonWidth() == 16);
  Expect(!Btn->AlwaysEnable());
  Expect(Btn->Alignment() == vcl::taLeftJustify);
  Btn->SetGlyphKind(BtnEdit::gkDropDown);
  Expect(Btn->ClickKey() == BtnEdit::scAltDown);
  Btn->SetGlyphKind(BtnEdit::gkEllipsis);
  Expect(Btn->ClickKey() == BtnEdit::scCtrlEnter);
  Expect(Btn->Glyph()->Width() == 12); // the dots are drawn to the button's width

  auto* Edit = new ValEdit::TValidEdit(Form);
  Edit->SetParent(Form);
  Expect(Edit->Kind() == ValEdit::vkNone);
  Expect(!Edit->ButtonVisible());
  Expect(Edit->AllowNull());
  Expect(Edit->DefaultDisplay());
  Expect(!Edit->SelectCompletion());
  Expect(Edit->ShowErrors() == ValEdit::TValidationError{ValEdit::veFocus});
  Expect(Edit->Validation() == ValEdit::TValidation{ValEdit::vtInput, ValEdit::vtFocus});
  Expect(Edit->Validator()->IsValid("anything"));
  Edit->SetKind(50);
  Expect(Edit->Kind() == ValEdit::vkNone);
  Edit->SetKind(ValEdit::vkDate);
  Expect(Edit->ButtonVisible());
  Expect(dynamic_cast<Validate::TDateValidator*>(Edit->Validator()) != nullptr);
  Edit->SetKind(ValEdit::vkTime);
  Expect(Edit->ButtonVisible()); // the button stays, without the calendar picture
  Expect(Edit->GlyphKind() == BtnEdit::gkCustom);

  Edit->SetEditText("");
  Expect(Edit->AsInteger() == 0 && Edit->AsDate() == 0); // an empty text reads as 0
  Edit->SetKind(ValEdit::vkNone);
  Edit->SetEditText("12.5");
  try {
    (void)Edit->AsInteger();
    Expect(false);
  } catch (const vcl::EConvertError&) {
  }

  auto* DBEdit = new ValEdit::TDBValidEdit(Form);
  Expect(DBEdit->AlwaysEnable());
  Expect(!DBEdit->ButtonVisible());
}

} // namespace

int main(int Argc, char** Argv) {
  if (Argc != 3) {
    std::cerr << "usage: docs_edits docs/snippets/orderform.dfm docs/snippets/customers.dfm\n";
    return 2;
  }
  vcl::ResetLocale();
  vcl::Application->Initialize(true);
  auto* Form = new vcl::TForm(vcl::Application);
  CharactersAndKeys(Form);
  KindSettings(Form);
  ApplicationKind(Form);
  ValuesFromCode(Form);
  ComponentFacts(Form);
  ButtonEdit(Form);
  FormFiles(Argv[1]);
  DataAware(Form);
  DataAwareNull(Form);
  DataAwareFormFile(Argv[2]);
  Calendar(Form);
  delete Form;
  return Snippets::Failures == 0 ? 0 : 1;
}
