#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plugins/PluginProbe.h"

// Messages between Corvane and its probe helper, and the records of the
// probe store: a message is a list of fields, each written as its length in
// decimal, ":", and its bytes, the list ended by a line feed. Any byte may
// occur in a field.
using Message = std::vector<std::string>;

// The longest message read, its fields' lengths included: far more than a
// path, a plug-in's name or a store record takes.
constexpr std::size_t kMaxMessageBytes = 1024 * 1024;

std::string EncodeMessage(const Message& fields);

// Takes bytes as they come and gives back whole messages.
class MessageReader {
public:
    // Once damaged, the reader keeps nothing more.
    void append(const std::string& bytes) {
        if (!damaged_) buffer_ += bytes;
    }
    // The next whole message, or nothing while it is incomplete. Bytes that
    // cannot be a message, or that declare one longer than kMaxMessageBytes,
    // make the reader damaged for good.
    std::optional<Message> next();
    bool damaged() const { return damaged_; }
    // Bytes not yet taken by a whole message.
    bool empty() const { return used_ == buffer_.size(); }

private:
    std::string buffer_;
    std::size_t used_ = 0;
    bool damaged_ = false;
};

// A decimal number of the whole field, or nothing (signs, blanks, empty
// text and values out of range are refused).
std::optional<std::uint64_t> ParseNumber(const std::string& field);
std::optional<std::int64_t> ParseSigned(const std::string& field);

// A request or reply with the request's number: the reply repeats it, so
// that no reply is ever taken for another library's.
template <typename Content>
struct Numbered {
    std::uint64_t number = 0;
    Content content;
};

// The request the helper reads, and its decoding; nothing when damaged.
std::string EncodeRequest(std::uint64_t number, const ProbeRequest& request);
std::optional<Numbered<ProbeRequest>> DecodeRequest(const Message& message);

// The helper's reply to one request; nothing when damaged. A reply never
// says Failed: failures are seen by Corvane, not sent.
std::string EncodeReply(std::uint64_t number, const ProbeResult& result);
std::optional<Numbered<ProbeResult>> DecodeReply(const Message& message);

// An answer as fields (kind index or -1, name, version), for the store too.
Message AnswerFields(const ProbeAnswer& answer);
std::optional<ProbeAnswer> AnswerOf(const Message& message, std::size_t first);
