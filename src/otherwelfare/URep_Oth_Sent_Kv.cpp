#include "URep_Oth_Sent_Kv.h"
