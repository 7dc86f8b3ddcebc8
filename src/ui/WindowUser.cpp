#include "ui/WindowUser.h"

#include "ui/Form.h"

WindowHandle WindowUser::Front() {
    WindowHandle front = 0;
    for (const Form* form : Form::loadedForms())
        if (form->visible() && form->handle()) front = form->handle();
    return front;
}

void WindowUser::tell(const std::string& title, const std::string& text, MessageIcon icon) {
    windows_.messageBox(Front(), text, title, icon, MessageButtons::Ok);
}

bool WindowUser::ask(const std::string& title, const std::string& text, MessageIcon icon) {
    return windows_.messageBox(Front(), text, title, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
}

std::optional<std::string> WindowUser::chooseFile(const FileQuestion& question) {
    return windows_.openFile(Front(), question.title, question.filterName, question.pattern,
                             question.defaultExtension);
}

void WindowUser::progress(const std::string& text, int done, int total) {
    if (onProgress) onProgress(text, done, total);
}

void WindowUser::status(const std::string& text) {
    if (onStatus) onStatus(text);
}
