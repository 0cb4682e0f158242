#include "URe_Print_Over_Vong_Money.h"
