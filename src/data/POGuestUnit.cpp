#include "data/POGuestUnit.h"
