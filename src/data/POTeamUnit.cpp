#include "data/POTeamUnit.h"
