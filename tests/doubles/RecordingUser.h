#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/User.h"

// The user as a test plays them: every box told or asked is recorded,
// questions are answered from a queue (yes when it is empty), files are
// chosen from another (none when it is empty).
class RecordingUser : public IUser {
public:
    struct Box {
        std::string title, text;
        MessageIcon icon;
        bool question;
    };

    void tell(const std::string& title, const std::string& text, MessageIcon icon) override {
        boxes.push_back({title, text, icon, false});
    }
    bool ask(const std::string& title, const std::string& text, MessageIcon icon) override {
        boxes.push_back({title, text, icon, true});
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFile(const FileQuestion& question) override {
        asked.push_back(question.title);
        if (files.empty()) return std::nullopt;
        const auto file = files.front();
        files.pop_front();
        return file;
    }
    void progress(const std::string& text, int done, int total) override {
        progressed.push_back(text + (total > 0 ? " " + std::to_string(done) + "/" + std::to_string(total) : ""));
    }
    void status(const std::string& text) override { statuses.push_back(text); }
    void busy(bool) override {}

    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const Box& box : boxes) result.push_back(box.title);
        return result;
    }
    const Box& last() const { return boxes.back(); }

    std::vector<Box> boxes;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> asked, progressed, statuses;
};
