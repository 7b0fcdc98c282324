#include "coloring/CHistoryKeys.h"

int CHistoryKeys::CommandOf(UINT key, bool control, bool shift, int undo, int redo) {
    if (!control) return 0;
    if (key == 'Z') return shift ? redo : undo;
    if (key == 'Y' && !shift) return redo;
    return 0;
}
