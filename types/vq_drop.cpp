// vq_drop.cpp - the virtual-queue drop operations.
#include "vq_drop.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(vq_drop)
}
