#include "URep_COP_Sent_Kv.h"
