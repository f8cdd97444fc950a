#include "data/POSysAttribUnit.h"
