#include "USum_Berg_FC.h"
