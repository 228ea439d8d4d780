// The SQLite data set: random values of every field type, given through the
// fields' typed setters and their texts, posted (appended or edited) and
// read back. A refused assignment (a conversion error, or a column's NOT
// NULL or CHECK constraint) leaves the field as it was; whatever a field
// holds when the post succeeds is what it holds after the record is read
// again from the database; a failed post raises EDatabaseError and keeps the
// edit. Input: bytes taken by FuzzedDataProvider, one step at a time.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "vcl/db.h"

namespace {

using namespace vcl;

// Column constraints are judged at each assignment, the table's at the write.
const char* const Schema =
    "CREATE TABLE t (id INTEGER PRIMARY KEY, s VARCHAR(12) CHECK (s <> 'no'),"
    " n INTEGER NOT NULL DEFAULT 0 CHECK (n BETWEEN -1000000 AND 1000000), b BOOLEAN,"
    " f REAL CHECK (f >= 0), c CURRENCY, d DATE, tm TIME, dt DATETIME, txt TEXT, x,"
    " CHECK (length(txt) < 8 OR n > 0))";

std::string Describe(const TDBValue& V) {
  if (IsNullValue(V))
    return "Null";
  if (const auto* I = std::get_if<std::int64_t>(&V))
    return "integer " + std::to_string(*I);
  if (const auto* D = std::get_if<double>(&V)) {
    char Buf[40];
    std::snprintf(Buf, sizeof Buf, "real %.17g", *D);
    return Buf;
  }
  if (const auto* S = std::get_if<std::string>(&V))
    return "text '" + *S + "'";
  return "blob of " + std::to_string(std::get<TBlobData>(V).Bytes.size()) + " bytes";
}

// A value for Field of its own type, through a typed setter or a text.
void SetRandom(TField& Field, FuzzedDataProvider& In) {
  switch (In.ConsumeIntegralInRange(0, 9)) {
  case 0:
    Field.Clear();
    break;
  case 1:
    Field.SetAsString(In.ConsumeRandomLengthString(30));
    break;
  case 2:
    Field.SetText(In.ConsumeRandomLengthString(30));
    break;
  case 3:
    Field.SetAsLargeInt(In.ConsumeIntegral<std::int64_t>());
    break;
  case 4:
    Field.SetAsInteger(In.ConsumeIntegral<int>());
    break;
  case 5: {
    const double D = In.ConsumeFloatingPoint<double>();
    if (std::isfinite(D))
      Field.SetAsFloat(D);
    break;
  }
  case 6:
    Field.SetAsCurrency(Currency::FromRaw(In.ConsumeIntegral<std::int64_t>()));
    break;
  case 7:
    // Years 1 to 9999, with a time of day.
    Field.SetAsDateTime(In.ConsumeFloatingPointInRange(-693593.0, 2958465.99));
    break;
  case 8:
    Field.SetAsBoolean(In.ConsumeBool());
    break;
  default:
    Field.SetAsVariant(Variant(In.ConsumeRandomLengthString(10)));
    break;
  }
}

// What Field reads back after a post of Posted: an appended record leaves
// out its Null fields, so those take the column's default.
TDBValue ReadBack(const TField& Field, const TDBValue& Posted, bool Appended) {
  if (Appended && IsNullValue(Posted) && Field.FieldName() == "n")
    return TDBValue(std::int64_t(0));
  return Posted;
}

// An amount is written as its exact decimal text, but the column's numeric
// affinity makes SQLite keep it as a double: beyond 15 significant digits it
// comes back rounded to the nearest double, and near the ends of the range
// that double lies outside it and the field cannot read it (known losses,
// see the notes).
bool ReadsAmount(Currency Posted, const TField& Field) {
  const double Amount = std::fabs(Posted.ToDouble());
  Currency Read;
  try {
    Read = Field.AsCurrency();
  } catch (const EConvertError&) {
    return Amount > 9.2e14;
  }
  if (Amount < 1e11)
    return Read == Posted;
  const double HalfStep = (std::nextafter(Amount, HUGE_VAL) - Amount) / 2;
  const __int128 Units = static_cast<__int128>(Read.Raw()) - Posted.Raw();
  return double(Units < 0 ? -Units : Units) <= HalfStep * 10000 + 1;
}

// The amount a currency field holds; nothing for other fields, for Null, and
// for a stored double that lies outside the currency range (the known loss
// above).
std::optional<Currency> AmountOf(const TField& Field) {
  if (dynamic_cast<const TCurrencyField*>(&Field) == nullptr || Field.IsNull())
    return std::nullopt;
  try {
    return Field.AsCurrency();
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

// Whether Field, read again, holds what was posted (its amount when it had
// one, else its value).
bool ReadsBack(const TField& Field, const TDBValue& Posted, const std::optional<Currency>& Amount,
               bool Appended) {
  if (!Amount)
    return Field.Value() == ReadBack(Field, Posted, Appended);
  return !Field.IsNull() && ReadsAmount(*Amount, Field);
}

void EditOrAppend(TSQLiteDataSet& Data, FuzzedDataProvider& In) {
  const bool Appending = In.ConsumeBool() || Data.RecordCount() == 0;
  if (Appending) {
    Data.Append();
  } else {
    Data.SetRecNo(In.ConsumeIntegralInRange(1, Data.RecordCount()));
    Data.Edit();
  }
  const int Count = In.ConsumeIntegralInRange(1, 6);
  for (int I = 0; I < Count; ++I) {
    TField& Field = *Data.Fields()->Fields(In.ConsumeIntegralInRange(1, Data.FieldCount() - 1));
    const TDBValue Before = Field.Value();
    bool Refused = false;
    try {
      SetRandom(Field, In);
    } catch (const EConvertError&) {
      Refused = true;
    } catch (const EDatabaseError&) {
      Refused = true;
    }
    FUZZ_CHECK(!Refused || Field.Value() == Before, "field %s: %s became %s on a refused value",
               Field.FieldName().c_str(), Describe(Before).c_str(),
               Describe(Field.Value()).c_str());
  }
  std::vector<TDBValue> Set;
  std::vector<std::optional<Currency>> Amounts;
  for (int I = 0; I < Data.FieldCount(); ++I) {
    const TField& Field = *Data.Fields()->Fields(I);
    Set.push_back(Field.Value());
    Amounts.push_back(AmountOf(Field));
  }
  try {
    Data.Post();
  } catch (const EDatabaseError&) {
    FUZZ_CHECK(Data.State() == dsEdit || Data.State() == dsInsert, "state %d after a failed post",
               int(Data.State()));
    Data.Cancel();
    return;
  }
  FUZZ_CHECK(Data.State() == dsBrowse, "state %d after a post", int(Data.State()));
  Data.Refresh();
  // The key is the database's own when appending.
  for (int I = 1; I < Data.FieldCount(); ++I) {
    const TField& Field = *Data.Fields()->Fields(I);
    const auto At = static_cast<std::size_t>(I);
    const TDBValue& Posted = Set[At];
    FUZZ_CHECK(ReadsBack(Field, Posted, Amounts[At], Appending),
               "field %s: %s posted, %s read back", Field.FieldName().c_str(),
               Describe(Posted).c_str(), Describe(Field.Value()).c_str());
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  FuzzedDataProvider In(Data, Size);
  TSQLiteDataSet Table(nullptr);
  Table.ExecSQL(Schema);
  Table.SetTableName("t");
  Table.Open();
  for (int Steps = 0; Steps < 16 && In.remaining_bytes() > 0; ++Steps) {
    if (In.ConsumeIntegralInRange(0, 7) == 0 && Table.RecordCount() > 0) {
      Table.SetRecNo(In.ConsumeIntegralInRange(1, Table.RecordCount()));
      Table.Delete();
    } else {
      EditOrAppend(Table, In);
    }
  }
  return 0;
}
