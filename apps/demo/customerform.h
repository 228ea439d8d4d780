// The demo's customer order form: a validating edit of every kind with
// settings of its own (a filtered code, bounded numbers, a word list, two
// pictures, a date with its calendar and a time), three button edits whose
// buttons each do something visible, and a status line that tells what the
// validators refused. Below them the customer file: data-aware edits bound
// to the customers table of the sample database, buttons to move between
// records, post and cancel, and a line with the data set's state. Its layout
// and settings are the text form file customer.dfm, compiled into the
// program and read by the constructor.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "btnedit/btnedit.h"
#include "btnedit/dbbtnedit.h"
#include "valedit/dbvaledit.h"
#include "valedit/valedit.h"
#include "vcl/db.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace Demo {

// The text of customer.dfm.
extern const std::string CustomerFormText;

class TCustomerForm : public vcl::TForm {
public:
  // The form takes the application's failures of input handling (a post
  // the table refuses, a value a field refuses on leaving it) while it lives.
  // Reads the form file (FormText; the demo's own by default).
  explicit TCustomerForm(vcl::TComponent* AOwner, const std::string& FormText = CustomerFormText);
  ~TCustomerForm() override;

  // The status line's text.
  std::string Status() const;
  void SetStatus(const std::string& Text);

  // The order as its typed values read it, one field a line.
  std::string Summary();

  // Opens the customer file on Database (":memory:" or a file; see
  // OpenSampleDatabase).
  void OpenDatabase(const std::string& Database);
  // The data set's state line.
  std::string DataState() const;

  // Published components.
  ValEdit::TValidEdit* CodeEdit = nullptr;
  ValEdit::TValidEdit* QuantityEdit = nullptr;
  ValEdit::TValidEdit* DiscountEdit = nullptr;
  ValEdit::TValidEdit* CreditEdit = nullptr;
  ValEdit::TValidEdit* CountryEdit = nullptr;
  ValEdit::TValidEdit* PhoneEdit = nullptr;
  ValEdit::TValidEdit* PostcodeEdit = nullptr;
  ValEdit::TValidEdit* BirthDateEdit = nullptr;
  ValEdit::TValidEdit* AppointmentEdit = nullptr;
  vcl::TEdit* NameEdit = nullptr;
  BtnEdit::TBtnEdit* RegionEdit = nullptr;
  BtnEdit::TBtnEdit* EmailEdit = nullptr;
  BtnEdit::TBtnEdit* SummaryEdit = nullptr;
  ValEdit::TValidEdit* VoucherEdit = nullptr;
  vcl::TButton* ClearButton = nullptr;
  vcl::TButton* CloseButton = nullptr;
  vcl::TPanel* StatusPanel = nullptr;
  vcl::TCustomSQLDataSet* Customers = nullptr;
  vcl::TDataSource* CustomerSource = nullptr;
  ValEdit::TDBValidEdit* DBCodeEdit = nullptr;
  ValEdit::TDBValidEdit* DBNameEdit = nullptr;
  ValEdit::TDBValidEdit* DBPhoneEdit = nullptr;
  ValEdit::TDBValidEdit* DBCountryEdit = nullptr;
  ValEdit::TDBValidEdit* DBCreditEdit = nullptr;
  ValEdit::TDBValidEdit* DBBirthDateEdit = nullptr;
  BtnEdit::TDBBtnEdit* DBRegionEdit = nullptr;
  vcl::TButton* FirstButton = nullptr;
  vcl::TButton* PriorButton = nullptr;
  vcl::TButton* NextButton = nullptr;
  vcl::TButton* LastButton = nullptr;
  vcl::TButton* PostButton = nullptr;
  vcl::TButton* CancelButton = nullptr;
  vcl::TPanel* DataStatePanel = nullptr;

  // Published event handlers.
  void FormCreate(vcl::TObject* Sender);
  void EditInputError(vcl::TObject* Sender, const std::string& InvalidInput);
  void EditFocusError(vcl::TObject* Sender, const std::string& InvalidStr);
  // A field that shows its errors in place: the status bar follows its message.
  void EditErrorChange(vcl::TObject* Sender);
  void DateButtonClick(vcl::TObject* Sender);
  void RegionButtonClick(vcl::TObject* Sender);
  void EmailButtonClick(vcl::TObject* Sender);
  void SummaryButtonClick(vcl::TObject* Sender);
  void ClearButtonClick(vcl::TObject* Sender);
  void CloseButtonClick(vcl::TObject* Sender);
  void NavigateClick(vcl::TObject* Sender);
  void PostClick(vcl::TObject* Sender);
  void CancelClick(vcl::TObject* Sender);
  void FormCloseQuery(vcl::TObject* Sender, bool& CanClose);
  void CustomerDataChange(vcl::TObject* Sender, vcl::TField* Field);
  void CustomerStateChange(vcl::TObject* Sender);

private:
  // The caption of the label that names Control, without its accelerator
  // and colon ("Quantity"); the control's name when no label names it.
  std::string FieldName(vcl::TObject* Control) const;
  // A failure of input handling: in the status line and an error box; the
  // data set keeps its state and what was typed.
  void ShowFailure(const std::exception& E);
  // The handler the form took over, given back when it goes.
  vcl::TExceptionEvent FPreviousOnException;
  void ShowDataState();
};

// Declares the form's published components and handlers for its form file,
// with every class the file uses; runs once.
void RegisterCustomerFormClasses();

} // namespace Demo
