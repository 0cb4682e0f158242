#include "UHospital_Entry.h"
