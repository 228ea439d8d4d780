// The published property tables of the data-access classes: data sets and
// data sources are components of form files, and so are the fields a form
// keeps for a data set (nested inside it, bound to their columns by name).
#include "vcl/db.h"
#include "vcl/typinfo.h"

namespace vcl {

namespace {

using TDataSetSig = void(TDataSet*);
using TDataSetErrorSig = void(TDataSet*, EDatabaseError&, TDataAction&);
using TFieldSig = void(TField*);

void DeclareFields() {
  DeclareEnum<TFieldType>("TFieldType",
                          {"ftUnknown", "ftString", "ftInteger", "ftBoolean", "ftFloat",
                           "ftCurrency", "ftDate", "ftTime", "ftDateTime"});
  {
    using T = TField;
    Published<T>("TField")
        .Inherits<TComponent>()
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Str("DisplayLabel", &T::DisplayLabel, &T::SetDisplayLabel)
        .Stored(&T::IsDisplayLabelStored)
        .Str("EditMask", &T::EditMask, &T::SetEditMask, std::string())
        .Str("FieldName", &T::FieldName, &T::SetFieldName)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false)
        .Bool("Required", &T::Required, &T::SetRequired, false)
        .Event<TFieldSig>("OnChange", &T::OnChange)
        .Event<void(TField*, std::string&, bool)>("OnGetText", &T::OnGetText)
        .Event<void(TField*, const std::string&)>("OnSetText", &T::OnSetText)
        .Event<TFieldSig>("OnValidate", &T::OnValidate);
  }
  Published<TStringField>("TStringField")
      .Inherits<TField>()
      .Int("Size", &TStringField::Size, &TStringField::SetSize, 0);
  Published<TNumericField>("TNumericField")
      .Inherits<TField>()
      .Enum("Alignment", &TNumericField::Alignment, &TNumericField::SetAlignment, taRightJustify);
  Published<TIntegerField>("TIntegerField").Inherits<TNumericField>();
  Published<TFloatField>("TFloatField")
      .Inherits<TNumericField>()
      .Int("Precision", &TFloatField::Precision, &TFloatField::SetPrecision, 15);
  Published<TCurrencyField>("TCurrencyField").Inherits<TFloatField>();
  Published<TBooleanField>("TBooleanField")
      .Inherits<TField>()
      .Str("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues,
           std::string("True;False"));
  Published<TDateTimeField>("TDateTimeField")
      .Inherits<TField>()
      .Str("DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat,
           std::string());
  Published<TDateField>("TDateField").Inherits<TDateTimeField>();
  Published<TTimeField>("TTimeField").Inherits<TDateTimeField>();
}

void DeclareDataSets() {
  {
    using T = TParam;
    Published<T>("TParam")
        .Inherits<TComponent>()
        .Enum("DataType", &T::DataType, &T::SetDataType, ftUnknown)
        .Str("ParamName", &T::ParamName, &T::SetParamName, std::string())
        .Str("Value", &T::ValueText, &T::SetValueText, std::string());
  }
  {
    using T = TDataSource;
    Published<T>("TDataSource")
        .Inherits<TComponent>()
        .Bool("AutoEdit", &T::AutoEdit, &T::SetAutoEdit, true)
        .Component("DataSet", &T::DataSet, &T::SetDataSet)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Event<void(TObject*, TField*)>("OnDataChange", &T::OnDataChange)
        .Event<void(TObject*)>("OnStateChange", &T::OnStateChange)
        .Event<void(TObject*)>("OnUpdateData", &T::OnUpdateData);
  }
  {
    using T = TCustomSQLDataSet;
    Published<T>("TCustomSQLDataSet")
        .Inherits<TComponent>()
        // Read before the others, but opening waits for the whole form.
        .Bool("Active", &T::StoredActive, &T::SetStoredActive, false)
        .Strings("SQL", &T::SQL, &T::SetSQL)
        .Str("TableName", &T::TableName, &T::SetTableName, std::string())
        .Event<TDataSetSig>("AfterCancel", &T::AfterCancel)
        .Event<TDataSetSig>("AfterClose", &T::AfterClose)
        .Event<TDataSetSig>("AfterDelete", &T::AfterDelete)
        .Event<TDataSetSig>("AfterEdit", &T::AfterEdit)
        .Event<TDataSetSig>("AfterInsert", &T::AfterInsert)
        .Event<TDataSetSig>("AfterOpen", &T::AfterOpen)
        .Event<TDataSetSig>("AfterPost", &T::AfterPost)
        .Event<TDataSetSig>("AfterScroll", &T::AfterScroll)
        .Event<TDataSetSig>("BeforeCancel", &T::BeforeCancel)
        .Event<TDataSetSig>("BeforeClose", &T::BeforeClose)
        .Event<TDataSetSig>("BeforeDelete", &T::BeforeDelete)
        .Event<TDataSetSig>("BeforeEdit", &T::BeforeEdit)
        .Event<TDataSetSig>("BeforeInsert", &T::BeforeInsert)
        .Event<TDataSetSig>("BeforeOpen", &T::BeforeOpen)
        .Event<TDataSetSig>("BeforePost", &T::BeforePost)
        .Event<TDataSetSig>("BeforeScroll", &T::BeforeScroll)
        .Event<TDataSetErrorSig>("OnDeleteError", &T::OnDeleteError)
        .Event<TDataSetErrorSig>("OnEditError", &T::OnEditError)
        .Event<TDataSetSig>("OnNewRecord", &T::OnNewRecord)
        .Event<TDataSetErrorSig>("OnPostError", &T::OnPostError);
  }
}

} // namespace

void RegisterDBClasses() {
  static const bool Done = [] {
    RegisterClassesEnums();
    DeclareFields();
    DeclareDataSets();
    return true;
  }();
  (void)Done;
}

} // namespace vcl
