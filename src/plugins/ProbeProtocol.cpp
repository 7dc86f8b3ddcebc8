#include "plugins/ProbeProtocol.h"

#include <limits>

std::string EncodeMessage(const Message& fields) {
    std::string bytes;
    for (const std::string& field : fields) bytes += std::to_string(field.size()) + ":" + field;
    return bytes + "\n";
}

std::optional<Message> MessageReader::next() {
    Message fields;
    std::size_t at = used_;
    while (!damaged_ && at < buffer_.size()) {
        if (buffer_[at] == '\n') {
            used_ = at + 1;
            // Whole messages are dropped from the front now and then.
            if (used_ > 65536) {
                buffer_.erase(0, used_);
                used_ = 0;
            }
            return fields;
        }
        const std::size_t colon = buffer_.find(':', at);
        if (colon == std::string::npos) {
            // Only digits may wait for their colon.
            damaged_ = buffer_.find_first_not_of("0123456789", at) != std::string::npos || buffer_.size() - at > 19;
            return std::nullopt;
        }
        const auto length = ParseNumber(buffer_.substr(at, colon - at));
        // A message too long to be true is damage at once, not awaited.
        const std::size_t before = colon + 1 - used_;
        if (!length || before > kMaxMessageBytes || *length > kMaxMessageBytes - before) damaged_ = true;
        if (damaged_ || buffer_.size() - colon - 1 < *length) return std::nullopt;
        fields.push_back(buffer_.substr(colon + 1, *length));
        at = colon + 1 + *length;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> ParseNumber(const std::string& field) {
    if (field.empty() || field.size() > 19 || field.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoull(field);
}

std::optional<std::int64_t> ParseSigned(const std::string& field) {
    const bool negative = !field.empty() && field[0] == '-';
    const auto magnitude = ParseNumber(negative ? field.substr(1) : field);
    if (!magnitude || *magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    return negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
}

std::string EncodeRequest(std::uint64_t number, const ProbeRequest& request) {
    return EncodeMessage(
        {"probe", std::to_string(number), request.system == EmuSystem::PSX ? "PSX" : "N64", request.path});
}

std::optional<Numbered<ProbeRequest>> DecodeRequest(const Message& message) {
    if (message.size() != 4 || message[0] != "probe" || (message[2] != "PSX" && message[2] != "N64"))
        return std::nullopt;
    const auto number = ParseNumber(message[1]);
    if (!number) return std::nullopt;
    return Numbered<ProbeRequest>{*number, {message[2] == "PSX" ? EmuSystem::PSX : EmuSystem::N64, message[3]}};
}

Message AnswerFields(const ProbeAnswer& answer) {
    return {std::to_string(answer.kind ? ListIndex(*answer.kind) : -1), answer.name, answer.version};
}

std::optional<ProbeAnswer> AnswerOf(const Message& message, std::size_t first) {
    if (message.size() != first + 3) return std::nullopt;
    const auto kind = ParseSigned(message[first]);
    if (!kind || *kind < -1 || *kind >= kPluginKinds) return std::nullopt;
    ProbeAnswer answer;
    if (*kind >= 0) answer.kind = KindAt(static_cast<int>(*kind));
    answer.name = message[first + 1];
    answer.version = message[first + 2];
    return answer;
}

std::string EncodeReply(std::uint64_t number, const ProbeResult& result) {
    if (result.status == ProbeStatus::OtherArchitecture) return EncodeMessage({"foreign", std::to_string(number)});
    Message fields{"answer", std::to_string(number)};
    for (std::string& field : AnswerFields(result.answer)) fields.push_back(std::move(field));
    return EncodeMessage(fields);
}

std::optional<Numbered<ProbeResult>> DecodeReply(const Message& message) {
    const auto number = message.size() >= 2 ? ParseNumber(message[1]) : std::nullopt;
    if (!number) return std::nullopt;
    if (message.size() == 2 && message[0] == "foreign")
        return Numbered<ProbeResult>{*number, {ProbeStatus::OtherArchitecture, {}, {}}};
    const auto answer = message[0] == "answer" ? AnswerOf(message, 2) : std::nullopt;
    if (!answer) return std::nullopt;
    return Numbered<ProbeResult>{*number, {ProbeStatus::Answered, *answer, {}}};
}
