#include "data/POEmployeeUnit.h"
