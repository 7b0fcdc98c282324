#include "platform/window/CStatic.h"

BOOL CStatic::OnEraseBkgnd(CDC*) {
    return TRUE;
}
int CStatic::OnNcHitTest(CPoint) {
    return HTTRANSPARENT;
}
