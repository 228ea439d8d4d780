// The calendar dialog: built from its form file, and the rules of its event
// handlers. How the calendar moves into a month that lacks the day is the
// calendar's own rule (it takes the month's last day).
#include "calform/calform.h"

#include "resources/resources.h"
#include "vcl/consts.h"
#include "vcl/typinfo.h"

namespace CalForm {

using namespace vcl;

TCalendarForm::TCalendarForm(TComponent* AOwner) : TForm(AOwner) {
  RegisterCalFormClasses();
  const std::string_view Layout = Resources::Find("TCalendarForm");
  if (Layout.empty())
    throw EReadError("The resource TCalendarForm is missing");
  ReadComponentText(std::string(Layout), this);
  // The layout holds the English captions; the catalog gives them in the
  // user's language, and the locale says where a week starts.
  SetCaption(ResString(rsCalendarCaption));
  OKBtn->SetCaption(ResString(rsMsgDlgOK));
  CancelBtn->SetCaption(ResString(rsMsgDlgCancel));
  TodayBtn->SetCaption(ResString(rsCalendarToday));
  HelpBtn->SetCaption(ResString(rsMsgDlgHelp));
  DayLabel->SetCaption(ResString(rsCalendarDay));
  MonthLabel->SetCaption(ResString(rsCalendarMonth));
  YearLabel->SetCaption(ResString(rsCalendarYear));
  Calendar->SetStartOfWeek(FormatSettings.FirstDayOfWeek);
}

void TCalendarForm::SetDate(TDateTime Value) {
  Calendar->SetCalendarDate(Value);
}

TDateTime TCalendarForm::GetDate() {
  return Calendar->CalendarDate();
}

void TCalendarForm::CalendarChange(TObject*) {
  TitleDisplay->SetCaption(FormatDateTime("MMMM, YYYY", Calendar->CalendarDate()));
  DateDisplay->SetCaption(DateToStr(Calendar->CalendarDate()));
}

void TCalendarForm::CalendarDblClick(TObject*) {
  SetModalResult(mrOk);
}

void TCalendarForm::TodayBtnClick(TObject*) {
  SetDate(Date());
}

void TCalendarForm::CalendarKeyDown(TObject*, Word& Key, TShiftState Shift) {
  const bool Ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
  case VK_PRIOR:
    Ctrl ? Calendar->PrevYear() : Calendar->PrevMonth();
    break;
  case VK_NEXT:
    Ctrl ? Calendar->NextYear() : Calendar->NextMonth();
    break;
  default:
    return;
  }
  Key = 0;
}

void TCalendarForm::HelpBtnClick(TObject*) {
  Application->HelpContext(HelpContext());
}

// At the ends of the calendar's range (31 December 9999, 1 January 0001) the
// month move is refused; the date then stays as it is, as it does for the
// page keys and the other spinners, rather than having its day written into
// the same month.
void TCalendarForm::DayUpDownClick(TObject*, TUDBtnType Button) {
  const TDateTime Before = Calendar->CalendarDate();
  if (Button == btNext) {
    const int Old = Calendar->Day();
    Calendar->SetDay(Old + 1);
    if (Calendar->Day() == Old) { // Old was the month's last day
      Calendar->NextMonth();
      if (Calendar->CalendarDate() != Before)
        Calendar->SetDay(1);
    }
    return;
  }
  if (Calendar->Day() == 1) {
    Calendar->PrevMonth();
    if (Calendar->CalendarDate() == Before)
      return;
    Calendar->SetDay(Calendar->DaysThisMonth());
  } else {
    Calendar->SetDay(Calendar->Day() - 1);
  }
}

void TCalendarForm::MonthUpDownClick(TObject*, TUDBtnType Button) {
  Button == btNext ? Calendar->NextMonth() : Calendar->PrevMonth();
}

void TCalendarForm::YearUpDownClick(TObject*, TUDBtnType Button) {
  Button == btNext ? Calendar->NextYear() : Calendar->PrevYear();
}

void RegisterCalFormClasses() {
  static const bool Done = [] {
    RegisterGuiClasses();
    using T = TCalendarForm;
    Published<T>("TCalendarForm")
        .Inherits<TForm>()
        .Field("OKBtn", &T::OKBtn)
        .Field("CancelBtn", &T::CancelBtn)
        .Field("TodayBtn", &T::TodayBtn)
        .Field("HelpBtn", &T::HelpBtn)
        .Field("BorderPanel", &T::BorderPanel)
        .Field("Calendar", &T::Calendar)
        .Field("DateDisplay", &T::DateDisplay)
        .Field("SpinPanel", &T::SpinPanel)
        .Field("DayLabel", &T::DayLabel)
        .Field("MonthLabel", &T::MonthLabel)
        .Field("YearLabel", &T::YearLabel)
        .Field("TitleDisplay", &T::TitleDisplay)
        .Field("DayUpDown", &T::DayUpDown)
        .Field("YearUpDown", &T::YearUpDown)
        .Field("MonthUpDown", &T::MonthUpDown)
        .Method("CalendarChange", &T::CalendarChange)
        .Method("CalendarDblClick", &T::CalendarDblClick)
        .Method("TodayBtnClick", &T::TodayBtnClick)
        .Method("CalendarKeyDown", &T::CalendarKeyDown)
        .Method("HelpBtnClick", &T::HelpBtnClick)
        .Method("DayUpDownClick", &T::DayUpDownClick)
        .Method("MonthUpDownClick", &T::MonthUpDownClick)
        .Method("YearUpDownClick", &T::YearUpDownClick);
    return true;
  }();
  (void)Done;
}

} // namespace CalForm
