#include <gtest/gtest.h>

#include "plugins/ProbeProtocol.h"

namespace {
TEST(ProbeProtocolTest, MessagesCarryAnyBytesHoweverSplitAndBytesThatCannotBeOneDamageTheReaderForGood) {
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

    std::string manyFields;
    for (int i = 0; i < 300000; ++i) manyFields += "3:abc";
    // The last two are longer than any message may be: the reader is
    // damaged at once, without waiting for the rest.
    for (const std::string& bytes :
         {std::string("x:abc\n"), std::string("3:abcx\n"), std::string("-1:\n"), std::string("123456789012345678901"),
          std::string("1:a 1:b\n"), std::string("99999999:"), manyFields}) {
        MessageReader reader;
        reader.append(bytes);
        while (reader.next()) {
        }
        EXPECT_TRUE(reader.damaged()) << bytes.substr(0, 30);
        reader.append("1:a\n");
        EXPECT_FALSE(reader.next()) << bytes.substr(0, 30);
    }
    MessageReader incomplete;
    incomplete.append("5:abc");
    EXPECT_FALSE(incomplete.next());
    EXPECT_FALSE(incomplete.damaged());
}

TEST(ProbeProtocolTest, RequestsAndRepliesRoundTripWithTheirNumberAndDamagedOnesAreRefused) {
    const ProbeRequest request{EmuSystem::N64, "C:\\Plug-ins\\\xc3\xa9t\xc3\xa9.dll"};
    MessageReader reader;
    reader.append(EncodeRequest(9000000000000000001u, request));
    const auto decoded = DecodeRequest(*reader.next());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->number, 9000000000000000001u);
    EXPECT_EQ(decoded->content.system, EmuSystem::N64);
    EXPECT_EQ(decoded->content.path, request.path);

    const ProbeResult answered{ProbeStatus::Answered, ProbeAnswer{PluginKind::PAD, "Pad\tplug-in", "1.3"}, {}};
    reader.append(EncodeReply(7, answered) + EncodeReply(8, ProbeResult{ProbeStatus::OtherArchitecture, {}, {}}) +
                  EncodeReply(9, ProbeResult{}));
    const auto plugin = DecodeReply(*reader.next());
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->number, 7u);
    EXPECT_EQ(plugin->content.answer.kind, PluginKind::PAD);
    EXPECT_EQ(plugin->content.answer.name, "Pad\tplug-in");
    EXPECT_EQ(plugin->content.answer.version, "1.3");
    const auto foreign = DecodeReply(*reader.next());
    EXPECT_EQ(foreign->number, 8u);
    EXPECT_EQ(foreign->content.status, ProbeStatus::OtherArchitecture);
    EXPECT_FALSE(DecodeReply(*reader.next())->content.answer.kind) << "no plug-in";

    for (const Message& damaged :
         {Message{"answer", "1", "8", "", ""}, Message{"answer", "1", "-2", "", ""}, Message{"answer", "1", "1", ""},
          Message{"answer", "1", "+1", "", ""}, Message{"answer", "1", "", ""}, Message{"answer", "", "1", "", ""},
          Message{"foreign"}, Message{"failed", "1"}, Message{}})
        EXPECT_FALSE(DecodeReply(damaged)) << ::testing::PrintToString(damaged);
    EXPECT_FALSE(DecodeRequest({"probe", "1", "SNES", "C:\\a.dll"}));
    EXPECT_FALSE(DecodeRequest({"probe", "PSX", "C:\\a.dll"}));
    EXPECT_FALSE(DecodeRequest({"probe", "x", "PSX", "C:\\a.dll"}));
}
}  // namespace
