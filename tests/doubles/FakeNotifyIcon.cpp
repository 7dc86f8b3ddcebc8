#include "doubles/FakeNotifyIcon.h"

bool FakeNotifyIcon::note(const std::string& call, const NotifyIconRecord& record) {
    calls.push_back(call);
    last = record;
    return shellRunning;
}

bool FakeNotifyIcon::add(const NotifyIconRecord& record) {
    return note("add", record) && icons_.insert(record.window).second;
}

bool FakeNotifyIcon::setVersion(const NotifyIconRecord& record, unsigned version) {
    return note("version " + std::to_string(version), record) && shown(record.window);
}

bool FakeNotifyIcon::modify(const NotifyIconRecord& record) {
    return note("modify", record) && shown(record.window);
}

bool FakeNotifyIcon::remove(const NotifyIconRecord& record) {
    return note("remove", record) && icons_.erase(record.window) > 0;
}
