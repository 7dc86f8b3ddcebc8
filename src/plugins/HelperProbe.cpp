#include "plugins/HelperProbe.h"

#include "plugins/ProbeProtocol.h"

namespace {
// Requests sent ahead of the answers, so the helper never waits for the
// next one; few enough to fit the pipe.
constexpr std::size_t kRequestsAhead = 32;
// Milliseconds a library may keep the helper busy before the helper's
// windows are looked for.
constexpr std::uint64_t kWindowCheckAfter = 200;
}  // namespace

// One call of probe(): which request is answered next, which is sent next,
// and how long the one answered next has kept the helper busy.
class HelperProbe::Run {
public:
    // `firstNumber`: the number of the first request; numbers go on from
    // scan to scan, so a reply to an earlier scan's request is never taken
    // for this one's.
    Run(HelperProbe& owner, std::uint64_t firstNumber, const std::vector<ProbeRequest>& requests, const Done& done)
        : owner_(owner), helper_(owner.helper_), firstNumber_(firstNumber), requests_(requests), done_(done) {}

    void go() {
        // A helper kept from an earlier scan starts the clock now.
        resetClock();
        while (answered_ < requests_.size()) {
            // Abandoned, the probe reports nothing more.
            if (owner_.abandoned && owner_.abandoned()) return endHelper();
            if (!owner_.running_ && !restart()) return;
            sendAhead();
            // While answers come, the helper is neither ended nor stuck.
            const std::size_t before = answered_;
            if (!takeReplies() || answered_ != before) continue;
            if (const auto code = helper_.exitCode()) {
                fail(EndReason(*code));
                continue;
            }
            if (const auto allowed = watchClock()) fail("no answer in " + std::to_string(*allowed / 1000) + " s");
        }
    }

private:
    bool restart() {
        helper_.stop();
        reader_ = MessageReader();
        sent_ = answered_;
        if (!helper_.start()) {
            // Without a helper no library is quarantined: the rest is left
            // to the fallback.
            const std::size_t first = answered_;
            answered_ = requests_.size();
            const std::vector<ProbeRequest> rest(requests_.begin() + static_cast<std::ptrdiff_t>(first), requests_.end());
            if (owner_.fallback_)
                owner_.fallback_->probe(rest, [&](std::size_t index, const ProbeResult& result) { done_(first + index, result); });
            else
                for (std::size_t i = first; i < requests_.size(); ++i) done_(i, ProbeResult{});
            return false;
        }
        owner_.running_ = true;
        resetClock();
        return true;
    }

    std::uint64_t numberOf(std::size_t index) const { return firstNumber_ + index; }

    void sendAhead() {
        for (; sent_ < requests_.size() && sent_ - answered_ < kRequestsAhead; ++sent_)
            if (!helper_.send(EncodeRequest(numberOf(sent_), requests_[sent_]))) return;
    }

    // False when the channel carried anything but the reply to the request
    // answered next (see failDamaged).
    bool takeReplies() {
        std::string bytes;
        helper_.receive(bytes);
        reader_.append(bytes);
        while (const auto message = reader_.next()) {
            const auto reply = DecodeReply(*message);
            if (!reply || answered_ >= sent_ || reply->number != numberOf(answered_)) return failDamaged();
            done_(answered_++, reply->content);
            resetClock();
        }
        if (reader_.damaged()) return failDamaged();
        return true;
    }

    // The library answered next fails, whoever wrote what came in its place,
    // and the helper is ended with whatever else its channel holds.
    bool failDamaged() {
        fail("gave a damaged answer");
        return false;
    }

    // Counts the time the helper spends on the library, except while it
    // shows a window (the library waits for the user then), and the whole
    // wait, windows included: a window nobody answers must not hold the
    // check for good. The time allowed once either is up, else nothing.
    std::optional<std::uint64_t> watchClock() {
        const std::uint64_t now = helper_.milliseconds();
        // Looking for the helper's windows costs time: only a library that
        // keeps the helper busy a while is looked at.
        if (busy_ + (now - last_) >= kWindowCheckAfter && helper_.showsWindow()) {
            if (notifiedFor_ != answered_ && owner_.onWaitingForUser) owner_.onWaitingForUser(requests_[answered_].path);
            notifiedFor_ = answered_;
        } else {
            busy_ += now - last_;
        }
        last_ = now;
        if (busy_ >= owner_.timeout_) return owner_.timeout_;
        if (now - started_ >= kLongestWait * owner_.timeout_) return kLongestWait * owner_.timeout_;
        helper_.pause();
        return std::nullopt;
    }

    void resetClock() {
        busy_ = 0;
        last_ = started_ = helper_.milliseconds();
    }

    // Any window the helper shows goes with it.
    void endHelper() {
        helper_.stop();
        owner_.running_ = false;
    }

    void fail(const std::string& reason) {
        endHelper();
        // Bytes after the last reply end the helper but fail no library.
        if (answered_ == requests_.size()) return;
        done_(answered_, ProbeResult{ProbeStatus::Failed, {}, reason});
        ++answered_;
    }

    HelperProbe& owner_;
    IProbeHelper& helper_;
    std::uint64_t firstNumber_;
    const std::vector<ProbeRequest>& requests_;
    const Done& done_;
    MessageReader reader_;
    std::size_t answered_ = 0;
    std::size_t sent_ = 0;
    std::size_t notifiedFor_ = static_cast<std::size_t>(-1);
    std::uint64_t busy_ = 0;
    std::uint64_t last_ = 0;
    std::uint64_t started_ = 0;  // when the library answered next began to keep the helper
};

HelperProbe::~HelperProbe() {
    if (running_) helper_.stop();
}

void HelperProbe::warmUp() {
    if (!running_) running_ = helper_.start();
}

void HelperProbe::probe(const std::vector<ProbeRequest>& requests, const Done& done) {
    // A window message run while this probe waits may ask for another one,
    // which would read this one's replies: it gets no results.
    if (probing_) return;
    struct EndOfProbe {
        bool& probing;
        ~EndOfProbe() { probing = false; }
    };
    probing_ = true;
    const EndOfProbe end{probing_};
    const std::uint64_t firstNumber = nextNumber_;
    nextNumber_ += requests.size();
    Run(*this, firstNumber, requests, done).go();
}

std::string HelperProbe::EndReason(std::uint32_t exitCode) {
    // Exception codes (access violation, stack overflow, ...) have the two
    // top bits set.
    if (exitCode >= 0xC0000000u) return "crashed";
    return "ended the process with code " + std::to_string(exitCode);
}
