#include "ui/Form.h"

bool Form::requestClose() {
    if (closed_) return true;
    if (onQueryUnload && !onQueryUnload()) return false;
    unload();
    return true;
}

void Form::unload() {
    if (closed_) return;
    closed_ = true;
    if (onUnload) onUnload();
    hide();
}
