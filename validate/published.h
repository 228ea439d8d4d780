// The published properties of the validator classes: the tables that store a
// validator as the sub-properties of its edit's Validator in a form file.
#pragma once

namespace Validate {

// Declares the tables of every validator class (runs once; later calls do
// nothing). The validating edit calls it before it reads or writes a form.
void RegisterValidatorClasses();

} // namespace Validate
