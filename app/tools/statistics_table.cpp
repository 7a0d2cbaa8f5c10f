#include "app/tools/statistics_table.h"
