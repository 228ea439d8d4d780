// The message catalog: the library's own texts (the captions of its dialogs
// and the validators' messages) in each language it speaks, English and
// German so far. English is the default; LoadSystemLocale chooses the
// language of the user's locale (SysLocale.PriLangID). Every such text is
// written once, in the catalog, so the languages cannot drift apart.
#pragma once

#include <cstdint>
#include <string>

namespace vcl {

enum TResString : std::uint16_t {
  // Message box buttons and captions
  rsMsgDlgYes,
  rsMsgDlgNo,
  rsMsgDlgOK,
  rsMsgDlgCancel,
  rsMsgDlgAbort,
  rsMsgDlgRetry,
  rsMsgDlgIgnore,
  rsMsgDlgAll,
  rsMsgDlgNoToAll,
  rsMsgDlgYesToAll,
  rsMsgDlgHelp,
  rsMsgDlgWarning,
  rsMsgDlgError,
  rsMsgDlgInformation,
  rsMsgDlgConfirm,
  // The calendar dialog
  rsCalendarCaption,
  rsCalendarToday,
  rsCalendarDay,
  rsCalendarMonth,
  rsCalendarYear,
  // The validators; each literal follows the refused text in quotes
  rsValueRequired,
  rsTextInvalid,
  rsInvalidCharacter,
  rsInvalidCharacters,
  rsNotDigitOrMinus,
  rsInvalidForInteger,
  rsNotDigitDecimalOrMinus,
  rsInvalidForDecimal,
  rsMoreThanOneDecimal,
  rsTooManyDecimals, // %d: the number of decimals allowed
  rsNoSuchWordStart,
  rsNoSuchWord,
  rsPictureInput,
  rsPictureMismatch,
  rsNotADate,
  rsNotATime,
  // Range messages: the noun phrase, then between, and (or at least, at most)
  rsRangeInteger,
  rsRangeNumber,
  rsRangeCurrency,
  rsRangeDate,
  rsRangeTime,
  rsRangeBetween,
  rsRangeAnd,
  rsRangeAtLeast,
  rsRangeAtMost,
};

// The text of Id in the language SysLocale names (English unless it is
// German).
const char* ResString(TResString Id);

} // namespace vcl
