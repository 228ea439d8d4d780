// The published properties of the validator classes: the tables that store a
// validator as the sub-properties of its edit's Validator in a form file.
#pragma once

namespace Validate {

// Declares the tables of every validator class (runs once; later calls do
// nothing). The validating edit calls it before it reads or writes a form.
void RegisterValidatorClasses();

// Declares the table of one validator class (and of the classes between it
// and TValidator). Each row of the kinds table (validate/kinds.h) names the
// one of its class; RegisterValidatorClasses declares them in the table's
// order.
template <typename T> void DeclarePublished();

class TValidator;
class TFilterValidator;
class TIntegerValidator;
class TFloatValidator;
class TCurrencyValidator;
class TStringLookupValidator;
class TPictureValidator;
class TDateValidator;
class TTimeValidator;

template <> void DeclarePublished<TValidator>();
template <> void DeclarePublished<TFilterValidator>();
template <> void DeclarePublished<TIntegerValidator>();
template <> void DeclarePublished<TFloatValidator>();
template <> void DeclarePublished<TCurrencyValidator>();
template <> void DeclarePublished<TStringLookupValidator>();
template <> void DeclarePublished<TPictureValidator>();
template <> void DeclarePublished<TDateValidator>();
template <> void DeclarePublished<TTimeValidator>();

} // namespace Validate
