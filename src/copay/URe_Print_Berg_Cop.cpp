#include "URe_Print_Berg_Cop.h"
