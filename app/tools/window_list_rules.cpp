#include "app/tools/window_list_rules.h"
