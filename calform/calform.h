// The calendar dialog: a small modal form with a month calendar, spin buttons
// for the day, the month and the year, the date spelt out above and below the
// calendar, and OK, Cancel, Today and Help buttons. Its layout is the text
// form file TCalendarForm.dfm of the library's resources, read by the
// constructor; the form file binds the components below and the event
// handlers by name. The validating edit's date kind opens it from its button.
#pragma once

#include "vcl/comctrls.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace CalForm {

class TCalendarForm : public vcl::TForm {
public:
  explicit TCalendarForm(vcl::TComponent* AOwner);

  // The calendar's date (its change handler updates both displays).
  void SetDate(vcl::TDateTime Value);
  vcl::TDateTime GetDate();

  // Published components.
  vcl::TButton* OKBtn = nullptr;
  vcl::TButton* CancelBtn = nullptr;
  vcl::TButton* TodayBtn = nullptr;
  vcl::TButton* HelpBtn = nullptr;
  vcl::TPanel* BorderPanel = nullptr;
  vcl::TCalendar* Calendar = nullptr;
  vcl::TPanel* DateDisplay = nullptr;
  vcl::TPanel* SpinPanel = nullptr;
  vcl::TLabel* DayLabel = nullptr;
  vcl::TLabel* MonthLabel = nullptr;
  vcl::TLabel* YearLabel = nullptr;
  vcl::TPanel* TitleDisplay = nullptr;
  vcl::TUpDown* DayUpDown = nullptr;
  vcl::TUpDown* YearUpDown = nullptr;
  vcl::TUpDown* MonthUpDown = nullptr;

  // Published event handlers.
  void CalendarChange(vcl::TObject* Sender);
  void CalendarDblClick(vcl::TObject* Sender);
  void TodayBtnClick(vcl::TObject* Sender);
  void CalendarKeyDown(vcl::TObject* Sender, vcl::Word& Key, vcl::TShiftState Shift);
  void HelpBtnClick(vcl::TObject* Sender);
  void DayUpDownClick(vcl::TObject* Sender, vcl::TUDBtnType Button);
  void MonthUpDownClick(vcl::TObject* Sender, vcl::TUDBtnType Button);
  void YearUpDownClick(vcl::TObject* Sender, vcl::TUDBtnType Button);
};

// Declares the form's published components and handlers for its form file; runs once.
void RegisterCalFormClasses();

} // namespace CalForm
