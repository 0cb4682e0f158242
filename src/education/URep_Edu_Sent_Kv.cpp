#include "URep_Edu_Sent_Kv.h"
