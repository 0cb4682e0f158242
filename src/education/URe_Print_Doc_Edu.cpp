#include "URe_Print_Doc_Edu.h"
