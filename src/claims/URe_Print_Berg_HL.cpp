#include "URe_Print_Berg_HL.h"
