#include <gtest/gtest.h>

#include "plugins/ProbeProtocol.h"

namespace {
TEST(ProbeProtocolTest, MessagesCarryAnyBytesHoweverTheyAreSplit) {
    const Message first{"answer", std::string("a\n1:b\0c", 7), "", "\xff\xfe"};
    const Message second{"foreign"};
    const std::string bytes = EncodeMessage(first) + EncodeMessage(second);
    MessageReader reader;
    std::vector<Message> read;
    for (char byte : bytes) {
        reader.append(std::string(1, byte));
        while (auto message = reader.next()) read.push_back(*message);
    }
    EXPECT_EQ(read, (std::vector<Message>{first, second}));
    EXPECT_TRUE(reader.empty());
    EXPECT_FALSE(reader.damaged());
}

TEST(ProbeProtocolTest, BytesThatCannotBeAMessageDamageTheReaderForGood) {
    for (const std::string bytes : {"x:abc\n", "3:abcx\n", "-1:\n", "123456789012345678901", "1:a 1:b\n"}) {
        MessageReader reader;
        reader.append(bytes);
        while (reader.next()) {
        }
        EXPECT_TRUE(reader.damaged()) << bytes;
        reader.append("1:a\n");
        EXPECT_FALSE(reader.next()) << bytes;
    }
    MessageReader incomplete;
    incomplete.append("5:abc");
    EXPECT_FALSE(incomplete.next());
    EXPECT_FALSE(incomplete.damaged());
}

TEST(ProbeProtocolTest, RequestsAndRepliesRoundTripAndDamagedOnesAreRefused) {
    const ProbeRequest request{EmuSystem::N64, "C:\\Plug-ins\\\xc3\xa9t\xc3\xa9.dll"};
    MessageReader reader;
    reader.append(EncodeRequest(request));
    const auto decoded = DecodeRequest(*reader.next());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->system, EmuSystem::N64);
    EXPECT_EQ(decoded->path, request.path);

    const ProbeResult answered{ProbeStatus::Answered, ProbeAnswer{PluginKind::PAD, "Pad\tplug-in", "1.3"}, {}};
    reader.append(EncodeReply(answered) + EncodeReply(ProbeResult{ProbeStatus::OtherArchitecture, {}, {}}) +
                  EncodeReply(ProbeResult{}));
    const auto plugin = DecodeReply(*reader.next());
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->answer.kind, PluginKind::PAD);
    EXPECT_EQ(plugin->answer.name, "Pad\tplug-in");
    EXPECT_EQ(plugin->answer.version, "1.3");
    EXPECT_EQ(DecodeReply(*reader.next())->status, ProbeStatus::OtherArchitecture);
    EXPECT_FALSE(DecodeReply(*reader.next())->answer.kind) << "no plug-in";

    for (const Message& damaged : {Message{"answer", "8", "", ""}, Message{"answer", "-2", "", ""},
                                   Message{"answer", "1", ""}, Message{"answer", "+1", "", ""}, Message{"failed"}})
        EXPECT_FALSE(DecodeReply(damaged)) << damaged[0] << " " << (damaged.size() > 1 ? damaged[1] : "");
    EXPECT_FALSE(DecodeRequest({"probe", "SNES", "C:\\a.dll"}));
    EXPECT_FALSE(DecodeRequest({"probe", "PSX"}));
}
}  // namespace
