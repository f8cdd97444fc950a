#include "data/PORightUnit.h"
