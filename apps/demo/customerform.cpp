// The customer order form: reading it from its form file, the handlers its
// form file names, and the customer file.
#include "apps/demo/customerform.h"

#include <array>
#include <cctype>
#include <functional>

#include "apps/demo/sampledb.h"
#include "validate/validate.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"
#include "vcl/typinfo.h"

namespace Demo {

using namespace vcl;
using ValEdit::TValidEdit;

TCustomerForm::TCustomerForm(TComponent* AOwner, const std::string& FormText) : TForm(AOwner) {
  RegisterCustomerFormClasses();
  ReadComponentText(FormText, this);
  FPreviousOnException = Application->OnException;
  Application->OnException = [this](TObject*, const std::exception& E) { ShowFailure(E); };
}

TCustomerForm::~TCustomerForm() {
  Application->OnException = FPreviousOnException;
}

void TCustomerForm::ShowFailure(const std::exception& E) {
  // The line behind the box says it too, and keeps saying it afterwards.
  SetStatus(std::string("Not done: ") + E.what());
  Application->ShowException(E);
}

std::string TCustomerForm::Status() const {
  return StatusPanel ? StatusPanel->Caption() : std::string();
}

void TCustomerForm::SetStatus(const std::string& Text) {
  if (StatusPanel)
    StatusPanel->SetCaption(Text);
}

std::string TCustomerForm::FieldName(TObject* Control) const {
  for (int I = 0; I < ComponentCount(); ++I) {
    auto* Label = dynamic_cast<TLabel*>(Components(I));
    if (!Label || Label->FocusControl() != Control)
      continue;
    std::string Name;
    for (char C : Label->Caption())
      if (C != '&' && C != ':')
        Name += C;
    return Name;
  }
  auto* Component = dynamic_cast<TComponent*>(Control);
  return Component ? Component->Name() : std::string();
}

void TCustomerForm::FormCreate(TObject*) {
  // Birth dates lie in the past: a two-digit year is taken within the 99
  // years up to this one, so 12/25/98 is 1998, not 2098.
  for (ValEdit::TCustomValidEdit* Edit :
       {static_cast<ValEdit::TCustomValidEdit*>(BirthDateEdit),
        static_cast<ValEdit::TCustomValidEdit*>(DBBirthDateEdit)}) {
    TFormatSettings Settings = Edit->Validator()->FormatSettings();
    Settings.TwoDigitYearCenturyWindow = 99;
    Edit->Validator()->SetFormatSettings(Settings);
  }
  // Values whose text depends on the locale are given as typed values, so
  // the form reads the same under every locale's separators and orders.
  DiscountEdit->SetAsFloat(7.5);
  CreditEdit->SetAsCurrency(Currency(25000));
  BirthDateEdit->SetAsDate(EncodeDate(1970, 3, 15));
  AppointmentEdit->SetAsTime(EncodeTime(14, 30, 0, 0));
  // The customer file's country takes the words of the order's country.
  using Validate::TStringLookupValidator;
  auto* Words = dynamic_cast<TStringLookupValidator*>(CountryEdit->Validator());
  if (auto* Bound = dynamic_cast<TStringLookupValidator*>(DBCountryEdit->Validator());
      Words && Bound)
    Bound->Items()->Assign(Words->Items());
  ShowDataState();
  SetStatus("Type into the fields; Tab moves on. A refused key or value is reported here.");
}

void TCustomerForm::EditInputError(TObject* Sender, const std::string& InvalidInput) {
  SetStatus(FieldName(Sender) + ": the input \"" + InvalidInput + "\" was refused.");
}

void TCustomerForm::EditFocusError(TObject* Sender, const std::string& InvalidStr) {
  SetStatus(FieldName(Sender) + ": \"" + InvalidStr +
            "\" was refused on leaving the field; correct it to move on.");
}

void TCustomerForm::EditErrorChange(TObject* Sender) {
  if (auto* Edit = dynamic_cast<ValEdit::TCustomValidEdit*>(Sender))
    SetStatus(FieldName(Sender) + ": " +
              (Edit->ErrorMessage().empty() ? std::string("the value is valid now.")
                                            : Edit->ErrorMessage()));
}

void TCustomerForm::DateButtonClick(TObject* Sender) {
  // The calendar has written the date back (or was cancelled) by now.
  auto* Edit = dynamic_cast<ValEdit::TCustomValidEdit*>(Sender);
  if (Edit)
    SetStatus(FieldName(Sender) + ": " +
              (Edit->EditText().empty() ? std::string("no date") : Edit->EditText()) + ".");
}

void TCustomerForm::RegionButtonClick(TObject* Sender) {
  static constexpr std::array<const char*, 4> Regions{"North", "East", "South", "West"};
  auto* Edit = dynamic_cast<TWinControl*>(Sender);
  std::size_t Next = 0;
  for (std::size_t I = 0; I < Regions.size(); ++I)
    if (Edit->Text() == Regions[I])
      Next = (I + 1) % Regions.size();
  // The customer's region is stepped in the record (the edit is read-only);
  // the order's in the edit.
  if (Edit == DBRegionEdit) {
    Customers->Edit();
    DBRegionEdit->Field()->SetAsString(Regions[Next]);
  } else {
    RegionEdit->SetTextBuf(Regions[Next]);
  }
  SetStatus(FieldName(Edit) + ": " + Regions[Next] + ".");
}

namespace {

// The Latin-1 letters from U+00C0 on without their accents; a dot for the
// two signs among them.
constexpr char Unaccented[] = "aaaaaaaceeeeiiiidnooooo.ouuuuytsaaaaaaaceeeeiiiidnooooo.ouuuuyty";

} // namespace

void TCustomerForm::EmailButtonClick(TObject*) {
  // first.last@example.com from the contact's name: letters without their
  // accents and digits kept, every run of anything else (letters an
  // address cannot hold among them) one dot.
  std::string Local;
  for (const char32_t C : Utf8Decode(NameEdit->Text())) {
    const char Plain = C >= 0xC0 && C <= 0xFF ? Unaccented[C - 0xC0]
                       : C < 0x80             ? static_cast<char>(C)
                                              : '.';
    if (std::isalnum(static_cast<unsigned char>(Plain)))
      Local += static_cast<char>(std::tolower(static_cast<unsigned char>(Plain)));
    else if (!Local.empty() && Local.back() != '.')
      Local += '.';
  }
  while (!Local.empty() && Local.back() == '.')
    Local.pop_back();
  if (Local.empty()) {
    SetStatus(FieldName(EmailEdit) + ": type a contact name first.");
    NameEdit->SetFocus();
    return;
  }
  EmailEdit->SetTextBuf(Local + "@example.com");
  SetStatus(FieldName(EmailEdit) + ": made from the contact name.");
}

namespace {

// One typed value as text, or why it cannot be read.
std::string Typed(TValidEdit* Edit, const std::function<std::string()>& Read) {
  if (Edit->EditText().empty())
    return "(empty)";
  try {
    return Read();
  } catch (const EConvertError&) {
    return "(\"" + Edit->EditText() + "\" cannot be read)";
  }
}

} // namespace

std::string TCustomerForm::Summary() {
  auto Line = [this](TObject* Edit, const std::string& Value) {
    return FieldName(Edit) + ": " + Value + "\r";
  };
  std::string S;
  S += Line(CodeEdit, Typed(CodeEdit, [this] { return CodeEdit->AsString(); }));
  S +=
      Line(QuantityEdit,
           Typed(QuantityEdit, [this] { return IntToStr(QuantityEdit->AsInteger()) + " pieces"; }));
  S += Line(DiscountEdit, Typed(DiscountEdit, [this] {
              return FloatToStrF(DiscountEdit->AsFloat(), ffFixed, 15, 1) + " %";
            }));
  S += Line(CreditEdit, Typed(CreditEdit, [this] {
              return FloatToStrF(CreditEdit->AsCurrency().ToExtended(), ffCurrency, 18,
                                 CurrencyDecimals);
            }));
  S += Line(CountryEdit, Typed(CountryEdit, [this] { return CountryEdit->AsString(); }));
  S += Line(PhoneEdit, Typed(PhoneEdit, [this] { return PhoneEdit->AsString(); }));
  S += Line(PostcodeEdit, Typed(PostcodeEdit, [this] { return PostcodeEdit->AsString(); }));
  S += Line(BirthDateEdit, Typed(BirthDateEdit, [this] {
              return FormatDateTime("dddd, mmmm d, yyyy", BirthDateEdit->AsDate());
            }));
  S += Line(AppointmentEdit, Typed(AppointmentEdit, [this] {
              return FormatDateTime(ShortTimeFormat, AppointmentEdit->AsTime());
            }));
  S += Line(RegionEdit, RegionEdit->Text());
  S += Line(EmailEdit, EmailEdit->Text().empty() ? "(empty)" : EmailEdit->Text());
  S.pop_back();
  return S;
}

void TCustomerForm::SummaryButtonClick(TObject*) {
  SetStatus("The order as its typed values read it.");
  MessageDlg(Summary(), mtInformation, {mbOK}, 0);
}

void TCustomerForm::ClearButtonClick(TObject*) {
  for (TValidEdit* Edit : {CodeEdit, QuantityEdit, DiscountEdit, CreditEdit, CountryEdit, PhoneEdit,
                           PostcodeEdit, BirthDateEdit, AppointmentEdit})
    Edit->Clear();
  SetStatus("The order is cleared: type a new one.");
}

void TCustomerForm::CloseButtonClick(TObject*) {
  Close();
}

void TCustomerForm::OpenDatabase(const std::string& Database) {
  OpenSampleDatabase(Customers, Database);
}

namespace {

bool Editing(const TDataSet* Data) {
  return Data->State() == dsEdit || Data->State() == dsInsert;
}

} // namespace

void TCustomerForm::NavigateClick(TObject* Sender) {
  // Moving hands a pending edit to the table first; if that fails the
  // record stays as it was typed, and the failure goes to ShowFailure.
  const bool Changed = Editing(Customers) && Customers->Modified();
  if (Sender == FirstButton)
    Customers->First();
  else if (Sender == PriorButton)
    Customers->Prior();
  else if (Sender == NextButton)
    Customers->Next();
  else if (Sender == LastButton)
    Customers->Last();
  SetStatus(Changed ? "The changes to the customer are written to the table."
                    : Format("Customer %d of %d.", {Customers->RecNo(), Customers->RecordCount()}));
}

void TCustomerForm::PostClick(TObject*) {
  if (!Editing(Customers)) {
    SetStatus("Nothing to post: no customer is being edited.");
    return;
  }
  Customers->Post();
  SetStatus("The customer is written to the table.");
}

void TCustomerForm::CancelClick(TObject*) {
  if (!Editing(Customers)) {
    SetStatus("Nothing to cancel: no customer is being edited.");
    return;
  }
  Customers->Cancel();
  SetStatus("The changes to the customer are thrown away.");
}

// Closing while a customer is being edited asks what becomes of the
// changes: saved, thrown away, or the form stays open to go on.
void TCustomerForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (!Customers || !Editing(Customers))
    return;
  try {
    Customers->UpdateRecord(); // what the focused edit holds, judged first
    if (!Customers->Modified()) {
      Customers->Cancel();
      return;
    }
    switch (MessageDlg("Save the changes to the customer?", mtConfirmation, {mbYes, mbNo, mbCancel},
                       0)) {
    case mrYes:
      Customers->Post();
      SetStatus("The customer is written to the table.");
      break;
    case mrNo:
      Customers->Cancel();
      SetStatus("The changes to the customer are thrown away.");
      break;
    default:
      CanClose = false;
      SetStatus("The customer is still being edited: post or cancel the changes.");
    }
  } catch (const EAbort&) {
    CanClose = false; // the edit that refused its text has said why
  } catch (const std::exception& E) {
    CanClose = false;
    ShowFailure(E);
  }
}

void TCustomerForm::CustomerDataChange(TObject*, TField*) {
  ShowDataState();
}

void TCustomerForm::CustomerStateChange(TObject*) {
  ShowDataState();
}

std::string TCustomerForm::DataState() const {
  return DataStatePanel ? DataStatePanel->Caption() : std::string();
}

void TCustomerForm::ShowDataState() {
  if (!DataStatePanel || !Customers)
    return;
  const TDataSetState State = Customers->State();
  if (State == dsInactive) {
    DataStatePanel->SetCaption("Closed: no customer file is open.");
    return;
  }
  std::string S = State == dsBrowse ? "Browsing" : State == dsEdit ? "Editing" : "Inserting";
  S += Customers->IsEmpty()
           ? std::string(": the table is empty.")
           : Format(": customer %d of %d.", {Customers->RecNo(), Customers->RecordCount()});
  if (State != dsBrowse)
    S += " Post writes it to the table; Cancel throws the changes away.";
  DataStatePanel->SetCaption(S);
}

void RegisterCustomerFormClasses() {
  static const bool Done = [] {
    vcl::RegisterSQLiteClasses(); // the form file's data set is SQLite's by default
    ValEdit::RegisterValEditClasses();
    ValEdit::RegisterDBValEditClasses();
    BtnEdit::RegisterBtnEditClasses();
    BtnEdit::RegisterDBBtnEditClasses();
    using T = TCustomerForm;
    Published<T>("TCustomerForm")
        .Inherits<TForm>()
        .Field("CodeEdit", &T::CodeEdit)
        .Field("QuantityEdit", &T::QuantityEdit)
        .Field("DiscountEdit", &T::DiscountEdit)
        .Field("CreditEdit", &T::CreditEdit)
        .Field("CountryEdit", &T::CountryEdit)
        .Field("PhoneEdit", &T::PhoneEdit)
        .Field("PostcodeEdit", &T::PostcodeEdit)
        .Field("BirthDateEdit", &T::BirthDateEdit)
        .Field("AppointmentEdit", &T::AppointmentEdit)
        .Field("NameEdit", &T::NameEdit)
        .Field("RegionEdit", &T::RegionEdit)
        .Field("EmailEdit", &T::EmailEdit)
        .Field("SummaryEdit", &T::SummaryEdit)
        .Field("VoucherEdit", &T::VoucherEdit)
        .Field("ClearButton", &T::ClearButton)
        .Field("CloseButton", &T::CloseButton)
        .Field("StatusPanel", &T::StatusPanel)
        .Field("Customers", &T::Customers)
        .Field("CustomerSource", &T::CustomerSource)
        .Field("DBCodeEdit", &T::DBCodeEdit)
        .Field("DBNameEdit", &T::DBNameEdit)
        .Field("DBPhoneEdit", &T::DBPhoneEdit)
        .Field("DBCountryEdit", &T::DBCountryEdit)
        .Field("DBCreditEdit", &T::DBCreditEdit)
        .Field("DBBirthDateEdit", &T::DBBirthDateEdit)
        .Field("DBRegionEdit", &T::DBRegionEdit)
        .Field("FirstButton", &T::FirstButton)
        .Field("PriorButton", &T::PriorButton)
        .Field("NextButton", &T::NextButton)
        .Field("LastButton", &T::LastButton)
        .Field("PostButton", &T::PostButton)
        .Field("CancelButton", &T::CancelButton)
        .Field("DataStatePanel", &T::DataStatePanel)
        .Method("FormCreate", &T::FormCreate)
        .Method("EditInputError", &T::EditInputError)
        .Method("EditFocusError", &T::EditFocusError)
        .Method("EditErrorChange", &T::EditErrorChange)
        .Method("DateButtonClick", &T::DateButtonClick)
        .Method("RegionButtonClick", &T::RegionButtonClick)
        .Method("EmailButtonClick", &T::EmailButtonClick)
        .Method("SummaryButtonClick", &T::SummaryButtonClick)
        .Method("ClearButtonClick", &T::ClearButtonClick)
        .Method("CloseButtonClick", &T::CloseButtonClick)
        .Method("NavigateClick", &T::NavigateClick)
        .Method("PostClick", &T::PostClick)
        .Method("CancelClick", &T::CancelClick)
        .Method("FormCloseQuery", &T::FormCloseQuery)
        .Method("CustomerDataChange", &T::CustomerDataChange)
        .Method("CustomerStateChange", &T::CustomerStateChange);
    return true;
  }();
  (void)Done;
}

} // namespace Demo
