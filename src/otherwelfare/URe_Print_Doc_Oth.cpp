#include "URe_Print_Doc_Oth.h"
