// storm_supp.cpp - the storm-suppression operations.
#include "storm_supp.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(storm_supp)
}
