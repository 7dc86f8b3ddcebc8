#include "ui/Form.h"

#include <algorithm>

namespace {
std::vector<const Form*>& Registry() {
    static std::vector<const Form*> forms;
    return forms;
}
}  // namespace

Form::Form() {
    setVisible(false);
    Registry().push_back(this);
}

Form::~Form() {
    auto& forms = Registry();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

std::vector<const Form*> Form::loadedForms() {
    std::vector<const Form*> loaded;
    for (const Form* form : Registry())
        if (!form->closed()) loaded.push_back(form);
    return loaded;
}

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
    // A window hidden already (in the tray) must still hear that it goes.
    if (visible())
        hide();
    else
        changed(Change::Visible);
}
