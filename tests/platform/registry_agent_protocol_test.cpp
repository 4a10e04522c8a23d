#include "platform/registry_agent_protocol.h"

#include <gtest/gtest.h>

namespace kvl::platform::agent {
namespace {

// Bytes that a text-mode stream or a C string would change or cut.
const std::string kAwkward("a\0b\r\n\n\x1a\xff", 8);

TEST(RegistryAgentProtocol, AFrameCarriesEveryByteAndSays) {
    const std::vector<Value> values = {
        {"MaxObj", 4, std::string("\xc4\x09\0\0", 4)}, {kAwkward, 1, kAwkward}, {"", 3, ""}};
    const std::string frame = Writer().number(std::uint32_t(Request::Write)).number(7).values(values).frame();
    ASSERT_EQ(payloadLength(frame.substr(0, 4)), frame.size() - 4);
    Reader reader(std::string_view(frame).substr(4));
    EXPECT_EQ(reader.number(), std::uint32_t(Request::Write));
    EXPECT_EQ(reader.number(), 7u);
    EXPECT_EQ(reader.values(), values);
    EXPECT_TRUE(reader.complete());
}

TEST(RegistryAgentProtocol, APayloadCutShortOrOverlongIsRefused) {
    const std::string payload = Writer().number(3).values({{"name", 1, kAwkward}}).frame().substr(4);
    for (std::size_t size = 0; size < payload.size(); ++size) {
        Reader reader(std::string_view(payload).substr(0, size));
        reader.number();
        EXPECT_FALSE(reader.values()) << size;
        EXPECT_FALSE(reader.complete()) << size;
    }
    const std::string longer = payload + "x";
    Reader overlong(longer);
    overlong.number();
    EXPECT_TRUE(overlong.values());
    EXPECT_FALSE(overlong.complete());
    // A count no payload of this size can hold.
    const std::string counted = Writer().number(0xffffffffu).frame().substr(4);
    Reader countedReader(counted);
    EXPECT_FALSE(countedReader.values());
}

TEST(RegistryAgentProtocol, OnlyAnAgentOfThisVersionGreets) {
    for (const auto &[reply, greets] :
         {std::pair{Writer().number(kVersion).frame(), true},
          std::pair{Writer().number(kVersion + 1).frame(), false},
          std::pair{Writer().number(kVersion).number(0).frame(), false}, std::pair{Writer().frame(), false}})
        EXPECT_EQ(isGreeting(std::string_view(reply).substr(4)), greets);
}

TEST(RegistryAgentProtocol, ALengthBeyondTheLimitIsNoFrame) {
    EXPECT_EQ(payloadLength(Writer().number(1).number(2).frame().substr(0, 4)), 8u);
    EXPECT_EQ(payloadLength(std::string("\xff\xff\xff\xff", 4)), std::nullopt);
    EXPECT_EQ(payloadLength("abc"), std::nullopt);
}

} // namespace
} // namespace kvl::platform::agent
