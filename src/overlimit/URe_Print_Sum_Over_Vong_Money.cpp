#include "URe_Print_Sum_Over_Vong_Money.h"
