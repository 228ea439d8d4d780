// Data access: data sets, their fields, data sources and the data links
// through which data-aware controls show and edit the current record.
//
// A TDataSet walks the records of some storage with a cursor and holds the
// current record; while it is edited (dsEdit) or a new record is inserted
// (dsInsert) the fields read and write an edit copy, which Post writes to the
// storage and Cancel throws away. Its fields (TField and the typed ones) read
// and convert one value of the record each. A TDataSource connects a data set
// to any number of TDataLinks; the data set tells them every change of state,
// record and field, and asks them (UpdateRecord) to hand over what the user
// typed before it posts, scrolls, refreshes or closes, so nothing typed is
// lost on the way to the storage. TFieldDataLink binds one control to one
// field by name.
//
// The engines are libraries of their own beside this one: TSQLiteDataSet
// (vcl/sqlitedb.h, included at the end so code written against this header
// keeps compiling) and TPgDataSet (vcl/pgdb.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "vcl/classes.h"
#include "vcl/maskutils.h"
#include "vcl/sysutils.h"

namespace vcl {

class TDataSet;
class TDataSource;
class TDataLink;
class TField;
class TParams;

VCL_EXCEPTION(EDatabaseError, Exception);

// Raises EDatabaseError; with a named Component the message starts "Name: ".
[[noreturn]] void DatabaseError(const std::string& Message, const TComponent* Component = nullptr);

enum TDataSetState : std::uint8_t { dsInactive, dsBrowse, dsEdit, dsInsert };
enum TDataEvent : std::uint8_t {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
  deFocusControl
};
enum TFieldType : std::uint8_t {
  ftUnknown,
  ftString,
  ftInteger,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftDate,
  ftTime,
  ftDateTime
};
enum TDataAction : std::uint8_t { daFail, daAbort, daRetry };

// A value as the storage holds it: Null, an integer, a real, text or bytes.
// Fields convert it to and from their own type.
struct TBlobData {
  std::string Bytes;
  bool operator==(const TBlobData&) const = default;
};
using TDBValue = std::variant<std::monostate, std::int64_t, double, std::string, TBlobData>;
using TRecordBuffer = std::vector<TDBValue>;

inline bool IsNullValue(const TDBValue& V) {
  return std::holds_alternative<std::monostate>(V);
}

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataSetErrorEvent =
    std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, std::string& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const std::string& Text)>;
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

// A column the data set offers: what its field is made from.
struct TFieldDef {
  std::string Name;
  TFieldType DataType = ftUnknown;
  int Size = 0; // string columns: the declared length, 0 when unlimited
  bool Required = false;
  bool ReadOnly = false;
};

// ---------------------------------------------------------------------------
// Fields

class TField : public TComponent {
public:
  explicit TField(TComponent* AOwner);
  ~TField() override;

  TDataSet* DataSet() const { return FDataSet; }
  // Persistent fields (owned by a form) join their data set here; they are
  // bound to the column named FieldName when the data set opens.
  void SetDataSet(TDataSet* Value);
  virtual TFieldType DataType() const = 0;
  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& Value);
  // The column of the record this field reads, from 1; 0 while unbound.
  int FieldNo() const { return FFieldNo; }
  int Index() const;
  int Size() const { return FSize; }
  void SetSize(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The name shown to users in messages; the field name when not set.
  std::string DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const std::string& Value) { FDisplayLabel = Value; }
  bool IsDisplayLabelStored() const { return !FDisplayLabel.empty(); }
  const TEditMask& EditMask() const { return FEditMask; }
  void SetEditMask(const TEditMask& Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool Required() const { return FRequired; }
  void SetRequired(bool Value) { FRequired = Value; }

  bool IsNull() const;
  void Clear();
  // The field can be changed: it is not read-only and its data set can be edited.
  bool CanModify() const;
  // The characters a user may type into the field's text.
  virtual bool IsValidChar(char32_t InputChar) const;
  // Moves the focus to the control that edits this field.
  void FocusControl();

  // Text is the edit form (EditText); DisplayText the form shown while
  // not editing. Both go through OnGetText, and setting Text through
  // OnSetText. A Null value reads as an empty text; an empty text sets Null.
  std::string Text() const { return EditText(); }
  void SetText(const std::string& Value) { SetEditText(Value); }
  std::string DisplayText() const;
  std::string EditText() const;
  void SetEditText(const std::string& Value);

  // The typed values. A Null value reads as '', 0, False or 0.0.
  std::string AsString() const { return GetAsString(); }
  void SetAsString(const std::string& Value) { SetAsStringValue(Value); }
  int AsInteger() const;
  void SetAsInteger(int Value) { SetAsLargeInt(Value); }
  std::int64_t AsLargeInt() const { return GetAsLargeInt(); }
  void SetAsLargeInt(std::int64_t Value) { SetAsLargeIntValue(Value); }
  double AsFloat() const { return GetAsFloat(); }
  void SetAsFloat(double Value) { SetAsFloatValue(Value); }
  Currency AsCurrency() const { return GetAsCurrency(); }
  void SetAsCurrency(Currency Value) { SetAsCurrencyValue(Value); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  void SetAsDateTime(TDateTime Value) { SetAsDateTimeValue(Value); }
  bool AsBoolean() const { return GetAsBoolean(); }
  void SetAsBoolean(bool Value) { SetAsBooleanValue(Value); }
  Variant AsVariant() const { return GetAsVariant(); }
  void SetAsVariant(const Variant& Value);

  // The value as stored in the current record (or the edit copy), held as
  // long as ActiveBuffer's record.
  const TDBValue& Value() const;
  // Stores a value in the edit copy: the data set must be edited and the
  // field modifiable; OnValidate may refuse it (the old value stays), then
  // OnChange fires and the data links hear of the change.
  void SetValue(TDBValue Value);

  TFieldNotifyEvent OnChange;
  TFieldNotifyEvent OnValidate;
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

protected:
  virtual void GetText(std::string& Text, bool DisplayText) const;
  virtual void SetTextValue(const std::string& Value);

  virtual std::string GetAsString() const;
  virtual void SetAsStringValue(const std::string& Value);
  virtual std::int64_t GetAsLargeInt() const;
  virtual void SetAsLargeIntValue(std::int64_t Value);
  virtual double GetAsFloat() const;
  virtual void SetAsFloatValue(double Value);
  virtual Currency GetAsCurrency() const;
  virtual void SetAsCurrencyValue(Currency Value);
  virtual TDateTime GetAsDateTime() const;
  virtual void SetAsDateTimeValue(TDateTime Value);
  virtual bool GetAsBoolean() const;
  virtual void SetAsBooleanValue(bool Value);
  virtual Variant GetAsVariant() const;

  // Raises "Field 'X' cannot be read (or set) as a T".
  [[noreturn]] void AccessError(const std::string& TypeName) const;

private:
  friend class TDataSet;

  TDataSet* FDataSet = nullptr;
  std::string FFieldName;
  std::string FDisplayLabel;
  int FFieldNo = 0;
  int FSize = 0;
  TAlignment FAlignment = taLeftJustify;
  TEditMask FEditMask;
  bool FReadOnly = false;
  bool FRequired = false;
};

class TStringField : public TField {
public:
  explicit TStringField(TComponent* AOwner);
  TFieldType DataType() const override { return ftString; }

protected:
  // DisplayText shows the value through the field's edit mask.
  void GetText(std::string& Text, bool DisplayText) const override;
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  std::int64_t GetAsLargeInt() const override;
  double GetAsFloat() const override;
  Currency GetAsCurrency() const override;
  TDateTime GetAsDateTime() const override;
  bool GetAsBoolean() const override;
  void SetAsLargeIntValue(std::int64_t Value) override;
  void SetAsFloatValue(double Value) override;
  void SetAsCurrencyValue(Currency Value) override;
  void SetAsDateTimeValue(TDateTime Value) override;
  void SetAsBooleanValue(bool Value) override;
  Variant GetAsVariant() const override;
};

// Integer, float and currency fields: right-aligned, typed with digits and signs.
class TNumericField : public TField {
public:
  explicit TNumericField(TComponent* AOwner);
  bool IsValidChar(char32_t InputChar) const override;
};

class TIntegerField : public TNumericField {
public:
  explicit TIntegerField(TComponent* AOwner);
  TFieldType DataType() const override { return ftInteger; }

protected:
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  std::int64_t GetAsLargeInt() const override;
  void SetAsLargeIntValue(std::int64_t Value) override;
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  Currency GetAsCurrency() const override;
  Variant GetAsVariant() const override;
};

class TFloatField : public TNumericField {
public:
  explicit TFloatField(TComponent* AOwner);
  TFieldType DataType() const override { return ftFloat; }
  // Significant digits of the text forms (15 at most).
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool IsValidChar(char32_t InputChar) const override;

protected:
  void GetText(std::string& Text, bool DisplayText) const override;
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  std::int64_t GetAsLargeInt() const override;
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  void SetAsLargeIntValue(std::int64_t Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrencyValue(Currency Value) override;
  Variant GetAsVariant() const override;

private:
  int FPrecision = 15;
};

// An exact amount in four decimals. DisplayText is the locale's money
// format, EditText the amount with CurrencyDecimals decimals.
class TCurrencyField : public TFloatField {
public:
  explicit TCurrencyField(TComponent* AOwner);
  TFieldType DataType() const override { return ftCurrency; }

protected:
  void GetText(std::string& Text, bool DisplayText) const override;
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  Currency GetAsCurrency() const override;
  void SetAsCurrencyValue(Currency Value) override;
  Variant GetAsVariant() const override;
};

class TBooleanField : public TField {
public:
  explicit TBooleanField(TComponent* AOwner);
  TFieldType DataType() const override { return ftBoolean; }
  // The texts of True and False, as "True;False".
  const std::string& DisplayValues() const { return FDisplayValues; }
  void SetDisplayValues(const std::string& Value);

protected:
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  bool GetAsBoolean() const override;
  void SetAsBooleanValue(bool Value) override;
  Variant GetAsVariant() const override;

private:
  std::string FDisplayValues = "True;False";
  std::string FTrueText = "True";
  std::string FFalseText = "False";
};

// Dates and times: stored as ISO 8601 text, shown in the locale's formats
// (DisplayFormat, when set, for DisplayText).
class TDateTimeField : public TField {
public:
  explicit TDateTimeField(TComponent* AOwner);
  TFieldType DataType() const override { return ftDateTime; }
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& Value);

protected:
  void GetText(std::string& Text, bool DisplayText) const override;
  std::string GetAsString() const override;
  void SetAsStringValue(const std::string& Value) override;
  double GetAsFloat() const override;
  void SetAsFloatValue(double Value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTimeValue(TDateTime Value) override;
  Variant GetAsVariant() const override;
  // The locale's text of a value, and the value of a text.
  virtual std::string FormatValue(TDateTime Value) const;
  virtual TDateTime ParseText(const std::string& Text) const;

private:
  // The stored value as a date and time; none when it is none.
  std::optional<TDateTime> Moment() const;

  std::string FDisplayFormat;
};

class TDateField : public TDateTimeField {
public:
  explicit TDateField(TComponent* AOwner);
  TFieldType DataType() const override { return ftDate; }

protected:
  std::string FormatValue(TDateTime Value) const override;
  TDateTime ParseText(const std::string& Text) const override;
};

class TTimeField : public TDateTimeField {
public:
  explicit TTimeField(TComponent* AOwner);
  TFieldType DataType() const override { return ftTime; }

protected:
  std::string FormatValue(TDateTime Value) const override;
  TDateTime ParseText(const std::string& Text) const override;
};

// A new field of the class for DataType, owned by AOwner.
TField* CreateField(TFieldType DataType, TComponent* AOwner);

// The fields of a data set, in column order.
class TFields : public TObject {
public:
  int Count() const { return static_cast<int>(FList.size()); }
  TField* Fields(int Index) const { return FList.at(Index); }
  TField* operator[](int Index) const { return Fields(Index); }
  // By name, ignoring case; nullptr when absent.
  TField* FindField(const std::string& FieldName) const;
  int IndexOf(const TField* Field) const;

private:
  friend class TDataSet;
  std::vector<TField*> FList;
};

// ---------------------------------------------------------------------------
// Parameters

// A parameter of a data set's SQL, written :name in it, with a typed value
// that is bound to the statement (never written into it) when the data set
// opens. A data set keeps one for each name its SQL holds; in form files
// they are its children, each with its DataType, ParamName and Value.
class TParam : public TComponent {
public:
  explicit TParam(TComponent* AOwner);
  ~TParam() override;

  const std::string& ParamName() const { return FParamName; }
  void SetParamName(const std::string& Value) { FParamName = Value; }
  // ftUnknown until the parameter is given a type or a value: a data set
  // does not open while one of its parameters has none.
  TFieldType DataType() const { return FDataType; }
  // Reads a value already held as one of the type (EConvertError when it
  // is none).
  void SetDataType(TFieldType Value);
  bool IsNull() const { return IsNullValue(FValue); }
  // Null, keeping the type.
  void Clear() { FValue = TDBValue(); }
  // The value as it is bound: in the form the fields of the type store.
  const TDBValue& Value() const { return FValue; }

  // Each setter gives the parameter its type.
  void SetAsString(const std::string& Value);
  void SetAsInteger(int Value) { SetAsLargeInt(Value); }
  void SetAsLargeInt(std::int64_t Value);
  void SetAsFloat(double Value);
  void SetAsCurrency(Currency Value);
  void SetAsDate(TDateTime Value);
  void SetAsTime(TDateTime Value);
  void SetAsDateTime(TDateTime Value);
  void SetAsBoolean(bool Value);
  std::string AsString() const { return ValueText(); }

  // The value as text, without regard to the locale (12.5, 2024-01-31,
  // True; "" for Null), as form files keep it. Setting it reads the text as
  // a value of the parameter's type (EConvertError when it is none).
  std::string ValueText() const;
  void SetValueText(const std::string& Text);

  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

private:
  friend class TParams;
  void Store(TFieldType Type, TDBValue Value);

  TParams* FParams = nullptr;
  std::string FParamName;
  TFieldType FDataType = ftUnknown;
  TDBValue FValue;
};

// The parameters of a data set, in the order their names first appear.
class TParams : public TObject {
public:
  explicit TParams(TDataSet* DataSet = nullptr) : FDataSet(DataSet) {}
  ~TParams() override;
  TParams(const TParams&) = delete;
  TParams& operator=(const TParams&) = delete;

  TDataSet* DataSet() const { return FDataSet; }
  int Count() const { return static_cast<int>(FList.size()); }
  TParam* Params(int Index) const { return FList.at(Index); }
  TParam* operator[](int Index) const { return Params(Index); }
  // By name, ignoring case; nullptr when absent.
  TParam* FindParam(const std::string& Name) const;
  // Takes Param in (its data set becomes its owner).
  void Add(TParam* Param);
  // Makes the parameters those of Names: a parameter whose name is kept
  // keeps its value (the one added last, when two have it), one is made
  // for each new name, and the others are freed.
  void Update(const std::vector<std::string>& Names);

private:
  friend class TParam;
  TDataSet* FDataSet;
  std::vector<TParam*> FList;
};

// ---------------------------------------------------------------------------
// Data sets

class TDataSet : public TComponent {
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  void Open() { SetActive(true); }
  // Writes pending edits first (as CheckBrowseMode does); a failing write
  // keeps the data set open and in its edit state.
  void Close() { SetActive(false); }
  bool Active() const { return FState != dsInactive; }
  void SetActive(bool Value);
  // The published Active: what a form file stores. A data set read for
  // inspection (csInspecting) never opens by it: Active is then a stored
  // value, shown and written back as read. Open and Close still act.
  bool StoredActive() const { return Active() || FStreamedActive; }
  void SetStoredActive(bool Value);
  TDataSetState State() const { return FState; }

  // Moving first hands pending edits to the storage (CheckBrowseMode).
  void First();
  void Last();
  void Next();
  void Prior();
  // Moves by up to Distance records; returns how many it moved (signed).
  int MoveBy(int Distance);
  bool Bof() const { return FBof; }
  bool Eof() const { return FEof; }
  bool IsEmpty() const { return FEmpty; }
  // The current record's number from 1, and the number of records; both
  // may ask the storage to count.
  int RecNo();
  void SetRecNo(int Value);
  int RecordCount();
  // Reads the current record again from the storage (after pending edits
  // are written); when it is gone, the next record becomes current.
  void Refresh();

  void Edit();
  // Both start a new record; where it stands among the others once posted
  // is the storage's order (for SQLite tables, the key's).
  void Insert();
  void Append();
  // Asks the data links for what their controls hold (UpdateRecord), checks
  // required fields and writes the record. A failing write raises
  // EDatabaseError and leaves the state and every value as it was.
  void Post();
  void Cancel();
  void Delete();
  // In dsEdit or dsInsert: UpdateRecord, then Post when the record was
  // modified, Cancel otherwise.
  void CheckBrowseMode();
  // Asks every data link to hand over its control's pending text.
  void UpdateRecord();
  bool Modified() const { return FModified; }
  virtual bool CanModify() const;
  void ClearFields();

  TFields* Fields() const { return FFields.get(); }
  int FieldCount() const { return FFields->Count(); }
  TField* FindField(const std::string& FieldName) const;
  // Raises EDatabaseError "Name: Field 'X' not found" when absent.
  TField* FieldByName(const std::string& FieldName) const;
  const std::vector<TFieldDef>& FieldDefs() const { return FFieldDefs; }
  // The parameters of the data set's SQL; nullptr for a data set without.
  virtual TParams* Params() const { return nullptr; }

  // While controls are disabled the links hear no record or field changes
  // (EnableControls sends one data-set change afterwards); state changes,
  // UpdateRecord and focus requests still reach them.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

  // The record the fields read: the edit copy while editing or inserting.
  // The reference holds until the data set moves, edits, posts or closes.
  const TRecordBuffer& ActiveBuffer() const;
  void DataEvent(TDataEvent Event, std::intptr_t Info = 0);

  TDataSetNotifyEvent BeforeOpen;
  TDataSetNotifyEvent AfterOpen;
  TDataSetNotifyEvent BeforeClose;
  TDataSetNotifyEvent AfterClose;
  TDataSetNotifyEvent BeforeInsert;
  TDataSetNotifyEvent AfterInsert;
  TDataSetNotifyEvent BeforeEdit;
  TDataSetNotifyEvent AfterEdit;
  TDataSetNotifyEvent BeforePost;
  TDataSetNotifyEvent AfterPost;
  TDataSetNotifyEvent BeforeCancel;
  TDataSetNotifyEvent AfterCancel;
  TDataSetNotifyEvent BeforeDelete;
  TDataSetNotifyEvent AfterDelete;
  TDataSetNotifyEvent BeforeScroll;
  TDataSetNotifyEvent AfterScroll;
  TDataSetNotifyEvent OnNewRecord;
  TDataSetErrorEvent OnEditError;
  TDataSetErrorEvent OnPostError;
  TDataSetErrorEvent OnDeleteError;

  void GetChildren(const std::function<void(TComponent*)>& Proc,
                   const TComponent* Root) const override;

protected:
  // The storage's cursor, implemented by each kind of data set. Each move
  // fills Rec with the record it arrives on and returns false, leaving the
  // cursor where it was and Rec untouched, when there is none.
  virtual void InternalOpen(std::vector<TFieldDef>& Defs) = 0;
  virtual void InternalClose() = 0;
  virtual bool InternalFirst(TRecordBuffer& Rec) = 0;
  virtual bool InternalLast(TRecordBuffer& Rec) = 0;
  virtual bool InternalNext(TRecordBuffer& Rec) = 0;
  virtual bool InternalPrior(TRecordBuffer& Rec) = 0;
  // Moves by one record, onwards for a positive Direction, and returns the
  // record it arrives on; nullptr (the cursor staying) when there is none.
  // A storage may return a record of its own, read until its next call
  // (RecNo and RecordCount aside), so that walking copies no record; by
  // default it is the record InternalNext or InternalPrior fills.
  virtual const TRecordBuffer* InternalStep(int Direction);
  virtual bool InternalGotoRecNo(int RecNo, TRecordBuffer& Rec) = 0;
  virtual int InternalRecNo() = 0;
  virtual int InternalRecordCount() = 0;
  // Reads the cursor's record again; false when it is gone (the cursor
  // stays at its place, so moving next or prior from there still works).
  virtual bool InternalRefresh(TRecordBuffer& Rec) = 0;
  // Writes Rec (edited from Old, or new when Inserting). On success Rec
  // holds the record as stored and the cursor is on it; on failure it
  // raises and leaves Rec as it was.
  virtual void InternalPost(const TRecordBuffer& Old, TRecordBuffer& Rec, bool Inserting) = 0;
  // Deletes the cursor's record Rec and moves to the following record (the
  // preceding one after the last); false when none is left.
  virtual bool InternalDelete(TRecordBuffer& Rec) = 0;
  // Fills a new record (all Null by default).
  virtual void InternalInitRecord(TRecordBuffer& Rec);
  // Judges the value just stored in Field's place of the record being
  // edited against the storage's own rules for that column, raising
  // EDatabaseError when the storage would refuse it; the field then keeps
  // its old value. Nothing is judged by default.
  virtual void CheckFieldValue(const TField* Field);

  // For a storage that found the record changed by someone else while
  // posting: Fresh becomes the record as read, and every field the user
  // did not change takes its fresh value, so the controls show the other
  // user's values beside the typed ones.
  void MergeFreshRecord(const TRecordBuffer& Fresh);

  void Loaded() override;
  void SetState(TDataSetState Value);
  void CheckActive() const;
  void CheckInactive() const;
  // Descendants call it first in their destructor, while their cursor still
  // exists: pending edits are dropped (a data set being freed cannot report
  // a failing write) and the data set closes.
  void CloseForDestroy();

private:
  friend class TField;
  friend class TDataSource;

  void ChangeActive(bool Value);
  void OpenCursor();
  void CloseCursor();
  void MoveToNeighbour(TRecordBuffer& Rec);
  void BindFields();
  void FreeDynamicFields();
  void SetCurrent(bool Found, TRecordBuffer& Rec);
  void OwnRecord();
  void BeginInsert();
  void CheckRequiredFields();
  template <typename F> void Retrying(const TDataSetErrorEvent& OnError, F Action);
  void Fire(const TDataSetNotifyEvent& Event);
  void AddField(TField* Field);
  void RemoveField(TField* Field);
  void SetFieldValue(TField* Field, TDBValue Value);
  void AddDataSource(TDataSource* Source);
  void RemoveDataSource(TDataSource* Source);
  void NotifySources(TDataEvent Event, std::intptr_t Info);

  TDataSetState FState = dsInactive;
  bool FBof = true;
  bool FEof = true;
  bool FEmpty = true;
  bool FModified = false;
  bool FStreamedActive = false;
  int FDisableCount = 0;
  bool FPendingChange = false;
  std::unique_ptr<TFields> FFields;
  std::vector<TFieldDef> FFieldDefs;
  std::vector<TDataSource*> FDataSources;
  TRecordBuffer FCurrent; // the cursor's record as read
  TRecordBuffer FEditBuf; // the copy being edited or inserted
  // The current record: FCurrent, or after a move the storage's own record
  // (InternalStep), which OwnRecord copies into FCurrent before the storage
  // is called again.
  const TRecordBuffer* FRecord = &FCurrent;
};

// ---------------------------------------------------------------------------
// Data sources and links

class TDataSource : public TComponent {
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  // The data set's state; dsInactive without a data set or while disabled.
  TDataSetState State() const { return FState; }
  // Edit from a data link puts a browsing data set into edit mode.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool Value) { FAutoEdit = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Puts the data set into edit mode when AutoEdit allows and it browses.
  void Edit();

  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void NotifyLinks(TDataEvent Event, std::intptr_t Info);
  void UpdateState();

  TDataSet* FDataSet = nullptr;
  TDataSetState FState = dsInactive;
  bool FAutoEdit = true;
  bool FEnabled = true;
  std::vector<TDataLink*> FDataLinks;
};

class TDataLink : public TPersistent {
public:
  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  // Active: the source's data set is open (and the source enabled).
  bool Active() const { return FActive; }
  // Editing: the data set is being edited or inserted into.
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Asks the data source to put the data set into edit mode; true when it is.
  virtual bool Edit();
  // Hands the control's pending text to the record (UpdateData).
  void UpdateRecord();

protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int) { DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void FocusControl(TField** Field) { (void)Field; }
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) { (void)Field; }
  virtual void UpdateData() {}
  void SetEditingState(bool Value);

private:
  friend class TDataSource;

  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void UpdateState();

  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
};

// The link of one control to one field of the current record.
class TFieldDataLink : public TDataLink {
public:
  TFieldDataLink() = default;

  // The control the link serves, named in messages.
  TComponent* Control() const { return FControl; }
  void SetControl(TComponent* Value) { FControl = Value; }
  const std::string& FieldName() const { return FFieldName; }
  // Finds the field while the data set is open; a name the data set has
  // no field of raises EDatabaseError naming the control.
  void SetFieldName(const std::string& Value);
  TField* Field() const { return FField; }
  // Editing: the data set is edited and this link's field can be changed.
  bool Editing() const { return FEditing; }
  // The link is writable, has a field, and the field can be changed.
  bool CanModify() const;
  bool Edit() override;
  // Marks the control's text as changed, to be handed over on UpdateRecord.
  void Modified() { FModified = true; }
  bool IsModified() const { return FModified; }
  // Shows the field's value again, forgetting what was typed.
  void Reset() { RecordChanged(nullptr); }

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;
  // A field asks for its control (FocusControl): the control takes the
  // focus and true is returned, or false when it cannot take it. The data
  // layer knows no windows; the control's side sets this.
  std::function<bool()> OnFocusControl;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void UpdateField();
  void SetField(TField* Value);
  void SetEditing(bool Value);

  TComponent* FControl = nullptr;
  std::string FFieldName;
  TField* FField = nullptr;
  bool FEditing = false;
  bool FModified = false;
};

// ---------------------------------------------------------------------------
// SQL databases

// What a write to a table did, as an engine reports it: a post or delete
// goes to the row its key names only while that row still holds every value
// as read, so a write that changed no row (or several) did not happen.
enum TWriteResult : std::uint8_t {
  wrDone,
  wrChanged, // the keyed row holds other values now
  wrGone,    // the keyed row is gone
  wrIgnored, // the row is as read, and the table ignored the write
  wrLost,    // a row known only by its place in the table is no longer there as read
  wrSeveral  // several rows matched: nothing was written
};

// The cursor of a data set over an SQL table or query, whatever the engine.
// A table is read in the order of the key that tells its rows apart a
// window of rows at a time: the first or last rows, the rows after or before
// a key, the row of a key, so moving never reads more than one window and
// nothing stays open between moves. The cursor remembers the key of its
// row, so it keeps its place when its row is deleted. A query (anything
// without a key) is read a window at a time by position. Each record holds
// the columns, then (for tables) the key values. The engine fetches the
// rows (Fetch, Count) and writes them; the cursor keeps its place.
class TSQLCursor {
public:
  virtual ~TSQLCursor();

  // Tables are read by key; queries by position.
  bool Keyed() const { return FKeyWidth > 0; }
  // Values per record: the columns, then the key values of a table.
  int Width() const { return FColumns + FKeyWidth; }

  bool First(TRecordBuffer& Rec);
  bool Last(TRecordBuffer& Rec);
  bool Next(TRecordBuffer& Rec);
  bool Prior(TRecordBuffer& Rec);
  // Next and Prior without a copy: the row moved to, as the cursor's window
  // holds it (read it before any other call of the cursor but RecNo and
  // RecordCount); nullptr when there is none.
  const TRecordBuffer* MoveNext();
  const TRecordBuffer* MovePrior();
  bool GotoRecNo(int RecNo, TRecordBuffer& Rec);
  int RecNo();
  int RecordCount();
  // Reads the cursor's row again. The window is dropped (what else it held
  // may have changed too) and counts are taken again when asked.
  bool Refresh(TRecordBuffer& Rec);

  // Tables with a key can be written; queries and views cannot.
  virtual bool Writable() const = 0;
  // The writes, each in a transaction of its own. Update writes the
  // columns of Rec that differ from Old, in the row that still holds Old;
  // anything but wrDone writes nothing, Fresh then holding the keyed row as
  // it is now (wrChanged). On wrDone Rec is the row as stored and the
  // cursor's. Insert writes Rec (its Null columns take their defaults).
  // Delete deletes the cursor's row if it still holds Old; the cursor is
  // then between its neighbours.
  virtual TWriteResult Update(const TRecordBuffer& Old, TRecordBuffer& Rec,
                              TRecordBuffer& Fresh) = 0;
  virtual TWriteResult Insert(TRecordBuffer& Rec) = 0;
  virtual TWriteResult Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh) = 0;
  // The rows the last write matched, when it matched several.
  int Matched() const { return FMatched; }

protected:
  using TWindow = std::vector<TRecordBuffer>;
  enum TFetch : std::uint8_t {
    fFirst,  // the first Count rows
    fLast,   // the last Count rows
    fAfter,  // the Count rows after Key
    fBefore, // the Count rows before Key
    fByKey,  // the row of Key
    fAt      // queries: Count rows from Offset (0 the first)
  };
  // Fills Rows with the records asked for, in the table's (or query's)
  // order, overwriting the records Rows already holds where it can (their
  // memory is reused) and dropping the rest.
  virtual void Fetch(TFetch What, const TRecordBuffer& Key, int Offset, int Count,
                     TWindow& Rows) = 0;
  // The number of records; with a Key, of those before it.
  virtual int Count(const TRecordBuffer* Key) = 0;

  // The key of a record.
  TRecordBuffer KeyOf(const TRecordBuffer& Rec) const;
  // The row of Key as stored now; false when there is none.
  bool ReadByKey(const TRecordBuffer& Key, TRecordBuffer& Row);
  // The row just written, as stored, becomes the cursor's. A row that moved
  // in the key's order (an edited key, a new row) stands alone in its
  // window: the window around it is read again when the cursor moves on.
  void Settle(TRecordBuffer&& Stored, bool Moved, TRecordBuffer& Rec);
  // The record at Index of the window Rows being filled: the one there, or
  // one made (or taken from those earlier windows left over) when Rows is
  // shorter.
  TRecordBuffer& RowAt(TWindow& Rows, std::size_t Index);
  // Rows ends after Count records; the others are kept for later windows,
  // so windows of changing sizes reuse the memory of the records they held.
  void EndRows(TWindow& Rows, std::size_t Count);
  // A new row joined the table.
  void Added();
  // The cursor's row left the table: the cursor stands in the gap, keeping
  // the key (and the number) it had.
  void RemoveCurrent();

  int FColumns = 0;
  int FKeyWidth = 0;
  int FMatched = 0;

private:
  void Stand();
  const TRecordBuffer& CurrentKey();
  void Take(TRecordBuffer& Rec);
  void Arrive(TWindow&& Rows, int Pos);
  void Arrive(TWindow&& Rows, int Pos, TRecordBuffer& Rec);
  static bool Copied(const TRecordBuffer* Row, TRecordBuffer& Rec);
  int Walk(int Direction);

  TWindow FWindow;
  TWindow FSpare;    // the window before, whose memory the next fetch reuses
  TWindow FLeftOver; // records beyond the end of a window, for the next ones
  int FPos = -1;
  bool FGap = false;    // the cursor's row was removed: it stands before FWindow[FPos]
  TRecordBuffer FKey;   // keyed: the key of the cursor's row
  bool FKeyDue = false; // FKey is still to be copied from FWindow[FPos]
  int FWindowStart = 0; // queries: the position of FWindow[0]
  int FRecNo = 0;       // 0 while unknown
  int FRowCount = -1;   // -1 while unknown
  int FWalk = 0;        // the last window's size, negative when fetched backwards
};

// A data set over a table (TableName) or the rows of a query (SQL, with
// :name parameters) of an SQL database named DatabaseName: what the engines
// share. Each engine reads its own SQL for the parameters' names, and
// reports a write that did not happen here, so that every engine tells the
// user the same thing in the same words.
class TCustomSQLDataSet : public TDataSet {
public:
  ~TCustomSQLDataSet() override;

  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& Value);
  const std::string& TableName() const { return FTableName; }
  void SetTableName(const std::string& Value);
  // The query, used when TableName is empty.
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* Value);
  // The parameters of the SQL: one for each :name it holds.
  TParams* Params() const override { return FParams.get(); }
  // Raises EDatabaseError "Name: Parameter 'X' not found" when absent.
  TParam* ParamByName(const std::string& Name) const;
  void GetChildren(const std::function<void(TComponent*)>& Proc,
                   const TComponent* Root) const override;

protected:
  TCustomSQLDataSet(TComponent* AOwner, std::string DefaultDatabaseName);

  // The :name parameters of SQL in the order they first appear, each once,
  // as the engine reads its SQL (strings, quoted names and comments hold
  // none).
  virtual std::vector<std::string> ParamNames(const std::string& SQL) const = 0;
  // DatabaseName changed (the data set is closed).
  virtual void DatabaseChanged() {}
  // Raises EDatabaseError when there is neither a table nor a query to open.
  void CheckSource() const;
  // The engine's cursor while the data set is open, else nullptr; the
  // storage operations below go to it.
  virtual TSQLCursor* Cursor() const = 0;
  bool InternalFirst(TRecordBuffer& Rec) override;
  bool InternalLast(TRecordBuffer& Rec) override;
  bool InternalNext(TRecordBuffer& Rec) override;
  bool InternalPrior(TRecordBuffer& Rec) override;
  const TRecordBuffer* InternalStep(int Direction) override;
  bool InternalGotoRecNo(int RecNo, TRecordBuffer& Rec) override;
  int InternalRecNo() override;
  int InternalRecordCount() override;
  bool InternalRefresh(TRecordBuffer& Rec) override;
  void InternalPost(const TRecordBuffer& Old, TRecordBuffer& Rec, bool Inserting) override;
  bool InternalDelete(TRecordBuffer& Rec) override;
  void InternalInitRecord(TRecordBuffer& Rec) override;
  // Raises the message of a write that did not happen (Result is not
  // wrDone), for a post or a delete. A row another user changed (wrChanged)
  // is shown as it is now first: Fresh is the row as read, and the fields
  // the user did not change take its values. Matched counts the rows a
  // wrSeveral write matched.
  [[noreturn]] void WriteRefused(TWriteResult Result, const TRecordBuffer& Fresh, bool Deleting,
                                 int Matched = 0);
  // The key that tells a table's rows apart among Candidates (its unique
  // keys, each as its columns, -1 for a part that may hold Null or is an
  // expression): the smallest whose parts are all columns never Null, the
  // first among equals; none when there is none.
  static std::vector<int> SmallestKey(const std::vector<std::vector<int>>& Candidates);
  void Loaded() override;

private:
  void SQLChanging(TObject* Sender);
  void SQLChanged(TObject* Sender);

  std::string FDatabaseName;
  std::string FTableName;
  std::unique_ptr<TStringList> FSQL;
  std::unique_ptr<TParams> FParams;
};

// Declares the published tables of the data-access classes (once; their
// constructors call it). Each engine declares its data set's own
// (RegisterSQLiteClasses, RegisterPgClasses).
void RegisterDBClasses();

} // namespace vcl

#include "vcl/sqlitedb.h"
