#include "doubles/FakeProbeHelper.h"

FakeProbeHelper::Behaviour FakeProbeHelper::Answer(PluginKind kind, const std::string& name,
                                                   const std::string& version) {
    Behaviour behaviour;
    behaviour.result.answer = ProbeAnswer{kind, name, version};
    return behaviour;
}

FakeProbeHelper::Behaviour FakeProbeHelper::NoPlugin() { return Behaviour{}; }

FakeProbeHelper::Behaviour FakeProbeHelper::Foreign() {
    Behaviour behaviour;
    behaviour.result.status = ProbeStatus::OtherArchitecture;
    return behaviour;
}

FakeProbeHelper::Behaviour FakeProbeHelper::Exit(std::uint32_t code) {
    Behaviour behaviour;
    behaviour.kind = Behaviour::Kind::Exit;
    behaviour.exitCode = code;
    return behaviour;
}

FakeProbeHelper::Behaviour FakeProbeHelper::Hang() {
    Behaviour behaviour;
    behaviour.kind = Behaviour::Kind::Hang;
    return behaviour;
}

FakeProbeHelper::Behaviour FakeProbeHelper::Window(int pauses, PluginKind kind, const std::string& name) {
    Behaviour behaviour = Answer(kind, name);
    behaviour.kind = Behaviour::Kind::Window;
    behaviour.windowPauses = pauses;
    return behaviour;
}

FakeProbeHelper::Behaviour FakeProbeHelper::Writes(const std::string& bytes, Behaviour then) {
    then.written = bytes;
    return then;
}

bool FakeProbeHelper::start() {
    if (failStarts_) return false;
    ++starts_;
    running_ = true;
    requests_ = MessageReader();
    queue_.clear();
    output_.clear();
    exitCode_.reset();
    windowLeft_ = -1;
    headProbed_ = false;
    return true;
}

bool FakeProbeHelper::send(const std::string& bytes) {
    if (!running_ || exitCode_) return false;
    requests_.append(bytes);
    while (const auto message = requests_.next())
        if (const auto request = DecodeRequest(*message)) queue_.push_back(Queued{*request, false});
    return true;
}

void FakeProbeHelper::work() {
    while (running_ && !exitCode_ && !queue_.empty() && queue_.front().arrivedBeforePause) {
        const Numbered<ProbeRequest> numbered = queue_.front().request;
        const ProbeRequest& request = numbered.content;
        const auto found = behaviours_.find(request.path);
        const Behaviour behaviour = found == behaviours_.end() ? NoPlugin() : found->second;
        if (!headProbed_) probed_.push_back(request.path);
        headProbed_ = true;
        if (behaviour.kind == Behaviour::Kind::Hang) return;
        if (behaviour.kind == Behaviour::Kind::Exit) {
            exitCode_ = behaviour.exitCode;
            return;
        }
        if (behaviour.kind == Behaviour::Kind::Window) {
            if (windowLeft_ < 0) windowLeft_ = behaviour.windowPauses;
            if (windowLeft_ > 0) return;
        }
        windowLeft_ = -1;
        headProbed_ = false;
        output_ += behaviour.written + EncodeReply(numbered.number, behaviour.result);
        queue_.erase(queue_.begin());
    }
}

void FakeProbeHelper::receive(std::string& bytes) {
    work();
    bytes += output_;
    output_.clear();
}

std::optional<std::uint32_t> FakeProbeHelper::exitCode() { return output_.empty() ? exitCode_ : std::nullopt; }

bool FakeProbeHelper::showsWindow() { return windowLeft_ > 0; }

void FakeProbeHelper::pause() {
    clock_ += kPauseMilliseconds;
    for (Queued& queued : queue_) queued.arrivedBeforePause = true;
    if (onPause) onPause();
    if (windowLeft_ > 0) --windowLeft_;
}
