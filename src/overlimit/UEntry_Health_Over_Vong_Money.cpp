#include "UEntry_Health_Over_Vong_Money.h"
