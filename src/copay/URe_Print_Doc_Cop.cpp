#include "URe_Print_Doc_Cop.h"
