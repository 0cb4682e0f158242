#include "UCo_Pay_Entry.h"
