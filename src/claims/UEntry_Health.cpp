#include "UEntry_Health.h"
