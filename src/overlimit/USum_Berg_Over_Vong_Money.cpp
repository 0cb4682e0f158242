#include "USum_Berg_Over_Vong_Money.h"
