#include "UCancel_Berg_COP.h"
