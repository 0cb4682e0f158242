#include "URe_Print_Docontrol.h"
