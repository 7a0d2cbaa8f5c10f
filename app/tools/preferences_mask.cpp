#include "app/tools/preferences_mask.h"
