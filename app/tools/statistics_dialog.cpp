#include "app/tools/statistics_dialog.h"

namespace quor {

// In progress: the dialog arrives with the statistics table.
void RunStatisticsDialog(HINSTANCE, HWND) noexcept {}

}  // namespace quor
