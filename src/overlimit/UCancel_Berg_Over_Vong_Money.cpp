#include "UCancel_Berg_Over_Vong_Money.h"
