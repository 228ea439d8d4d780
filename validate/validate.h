// Every validator of the library in one include: the base, the filter,
// integer, float and currency, lookup, picture, date and time validators.
#pragma once

#include "validate/date.h"
#include "validate/filter.h"
#include "validate/float.h"
#include "validate/integer.h"
#include "validate/lookup.h"
#include "validate/picture.h"
#include "validate/time.h"
#include "validate/validator.h"
