#include "UCancel_Son_Stu.h"
