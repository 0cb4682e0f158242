#include "USum_Hospital.h"
