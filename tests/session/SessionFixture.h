#pragma once

// A session over test doubles of every platform service and of the user.

#include "doubles/ServicesFixture.h"
#include "doubles/RecordingUser.h"
#include "plugins/FakePlugins.h"
#include "session/Session.h"

class SessionFixture : public ServicesFixture {
protected:
    void start(const std::string& commandLine = "") {
        session.open(commandLine);
        session.load();
        session.startupFinished();
    }
    // The names, or file names, listed in a list.
    std::vector<std::string> names(PluginKind kind, std::string PluginRecord::*field = &PluginRecord::name) const {
        std::vector<std::string> result;
        for (const auto& record : session.lists().catalogue(SystemOf(kind)).list(kind)) result.push_back(record.*field);
        return result;
    }
    std::vector<std::string> fileNames(PluginKind kind) const { return names(kind, &PluginRecord::fileName); }

    RecordingUser user;
    Session session{services, flags, user};
};
