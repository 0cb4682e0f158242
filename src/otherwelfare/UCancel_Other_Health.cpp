#include "UCancel_Other_Health.h"
