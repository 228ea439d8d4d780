// The message catalog: one row per text, English first, then German.
#include "vcl/consts.h"

#include <iterator>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

struct TCatalogRow {
  TResString Id;
  const char* English;
  const char* German;
};

constexpr TCatalogRow Catalog[] = {
    {rsMsgDlgYes, "&Yes", "&Ja"},
    {rsMsgDlgNo, "&No", "&Nein"},
    {rsMsgDlgOK, "OK", "OK"},
    {rsMsgDlgCancel, "Cancel", "Abbrechen"},
    {rsMsgDlgAbort, "&Abort", "&Abbrechen"},
    {rsMsgDlgRetry, "&Retry", "&Wiederholen"},
    {rsMsgDlgIgnore, "&Ignore", "&Ignorieren"},
    {rsMsgDlgAll, "&All", "&Alle"},
    {rsMsgDlgNoToAll, "N&o to All", "N&ein für alle"},
    {rsMsgDlgYesToAll, "Yes to &All", "Ja für &alle"},
    {rsMsgDlgHelp, "&Help", "&Hilfe"},
    {rsMsgDlgWarning, "Warning", "Warnung"},
    {rsMsgDlgError, "Error", "Fehler"},
    {rsMsgDlgInformation, "Information", "Information"},
    {rsMsgDlgConfirm, "Confirm", "Bestätigen"},
    {rsCalendarCaption, "Select a Date", "Datum wählen"},
    {rsCalendarToday, "&Today", "&Heute"},
    {rsCalendarDay, "Day", "Tag"},
    {rsCalendarMonth, "Month", "Monat"},
    {rsCalendarYear, "Year", "Jahr"},
    {rsValueRequired, "A value must be entered.", "Es muss ein Wert eingegeben werden."},
    {rsTextInvalid, "The text is invalid.", "Der Text ist ungültig."},
    {rsInvalidCharacter, " is an invalid character.", " ist ein ungültiges Zeichen."},
    {rsInvalidCharacters, " contains invalid character(s).", " enthält ungültige Zeichen."},
    {rsNotDigitOrMinus, " is not a digit or (-).", " ist keine Ziffer und kein (-)."},
    {rsInvalidForInteger, " contains invalid character(s) for an integer.",
     " enthält ungültige Zeichen für eine ganze Zahl."},
    {rsNotDigitDecimalOrMinus, " is not a digit, decimal, or (-).",
     " ist keine Ziffer, kein Dezimaltrennzeichen und kein (-)."},
    {rsInvalidForDecimal, " contains invalid character(s) for a decimal number.",
     " enthält ungültige Zeichen für eine Dezimalzahl."},
    {rsMoreThanOneDecimal, " contains more than one decimal.",
     " enthält mehr als ein Dezimaltrennzeichen."},
    {rsTooManyDecimals, " contains more than %d digits after the decimal.",
     " enthält mehr als %d Nachkommastellen."},
    {rsNoSuchWordStart, " does not resemble any of the valid words.",
     " ähnelt keinem der gültigen Wörter."},
    {rsNoSuchWord, " is not a valid word.", " ist kein gültiges Wort."},
    {rsPictureInput,
     " contains invalid input for the picture:", " enthält ungültige Eingaben für das Muster:"},
    {rsPictureMismatch,
     " does not completely match the picture:", " entspricht nicht vollständig dem Muster:"},
    {rsNotADate, " does not resemble a date.", " ähnelt keinem Datum."},
    {rsNotATime, " does not resemble a time.", " ähnelt keiner Uhrzeit."},
    {rsRangeInteger, " is not a valid integer", " ist keine gültige ganze Zahl"},
    {rsRangeNumber, " is not a valid number", " ist keine gültige Zahl"},
    {rsRangeCurrency, " is not a valid currency", " ist kein gültiger Betrag"},
    {rsRangeDate, " is not a valid date", " ist kein gültiges Datum"},
    {rsRangeTime, " is not a valid time", " ist keine gültige Uhrzeit"},
    {rsRangeBetween, " between ", " zwischen "},
    {rsRangeAnd, " and ", " und "},
    {rsRangeAtLeast, " of at least ", " ab "},
    {rsRangeAtMost, " of at most ", " bis "},
};

constexpr int LangGerman = 0x07;

// The rows are in the order of their identifiers, so an identifier indexes
// its row.
constexpr bool InIdOrder() {
  for (std::size_t I = 0; I < std::size(Catalog); ++I)
    if (Catalog[I].Id != I)
      return false;
  return true;
}
static_assert(InIdOrder() && std::size(Catalog) == rsRangeAtMost + 1,
              "one catalog row for each text, in identifier order");

} // namespace

const char* ResString(TResString Id) {
  const TCatalogRow& Row = Catalog[Id];
  return SysLocale.PriLangID == LangGerman ? Row.German : Row.English;
}

} // namespace vcl
