#include "UCancel_Berg.h"
