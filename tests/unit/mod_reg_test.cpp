// ModReg's failure paths, driven by the in-memory registry's injected failures.
#include <gtest/gtest.h>

#include "fakes/memory_registry.h"
#include "fakes/recording_registry.h"
#include "platform/grown_buffer.h"
#include "platform/mod_reg.h"
#include "support/bytes.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {
namespace {

using fake::RegistryOperation;

class ModRegFailures : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0u); }

    fake::MemoryRegistry registry_{HostCodePage()};
    fake::RecordingRegistry recorder_{registry_};
    ModReg modReg_{recorder_, HostCodePage()};
};

TEST(RegistryTypeName, KnownTypesByNameOthersByNumber) {
    EXPECT_EQ(RegistryTypeName(kRegSz), u"REG_SZ");
    EXPECT_EQ(RegistryTypeName(kRegExpandSz), u"REG_EXPAND_SZ");
    EXPECT_EQ(RegistryTypeName(kRegBinary), u"REG_BINARY");
    EXPECT_EQ(RegistryTypeName(11), u"类型 11");
    EXPECT_EQ(RegistryTypeName(4294967295u), u"类型 4294967295");
}

TEST_F(ModRegFailures, KeyThatCannotBeCreatedWritesNothingAndClosesNothing) {
    registry_.InjectFailure(RegistryOperation::CreateKey, kErrorAccessDenied);
    EXPECT_FALSE(
        modReg_.SetKeyValue(kHkeyCurrentUser, u"Environment", u"Temp", std::u16string(u"x"), 0));
    EXPECT_EQ(recorder_.Calls().size(), 1u);
    EXPECT_FALSE(registry_.HasKey(kHkeyCurrentUser, "Environment"));
}

TEST_F(ModRegFailures, FailedWriteGivesFalseAndKeepsTheCreatedKey) {
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied);
    const std::vector<RegistryValue> values = {std::u16string(u"x"), std::int32_t{1}, ByteArray{1}};
    for (const RegistryValue& value : values) {
        EXPECT_FALSE(modReg_.SetKeyValue(kHkeyCurrentUser, u"A\\B", u"v", value, 0));
    }
    EXPECT_TRUE(registry_.HasKey(kHkeyCurrentUser, "A\\B"));
    EXPECT_FALSE(registry_.FindValue(kHkeyCurrentUser, "A\\B", "v"));
    EXPECT_EQ(recorder_.Count(RegistryOperation::CloseKey), 3u);
}

TEST_F(ModRegFailures, OnlyTheFilteredWriteFails) {
    registry_.InjectFailure(
        RegistryOperation::SetValue, kErrorAccessDenied,
        [](const std::string&, const std::string& name) { return name == "Temp"; });
    EXPECT_TRUE(
        modReg_.SetKeyValue(kHkeyCurrentUser, u"Environment", u"Tmp", std::u16string(u"x"), 0));
    EXPECT_FALSE(
        modReg_.SetKeyValue(kHkeyCurrentUser, u"Environment", u"Temp", std::u16string(u"x"), 0));
}

TEST_F(ModRegFailures, FailedQueryLeavesTypeAndSizeSoTheBufferComesBack) {
    registry_.PutValue(kHkeyCurrentUser, "K", "v", kRegSz, Bytes(std::string_view("abc\0", 4)));
    registry_.InjectFailure(RegistryOperation::QueryValue, kErrorAccessDenied);
    EXPECT_EQ(modReg_.GetKeyValue(kHkeyCurrentUser, u"K", u"v"), RegistryValue(ByteArray(1024, 0)));
}

TEST_F(ModRegFailures, AValueThatGrowsWhileReadIsAskedForAgainABoundedNumberOfTimes) {
    const std::vector<std::uint32_t> types = {kRegBinary, kRegSz};
    for (const std::uint32_t type : types) {
        SCOPED_TRACE(type);
        registry_.PutValue(kHkeyCurrentUser, "K", "v", type, ByteArray(2000, 'a'));
        // Grown once, between the query that told its size and the read: read again, whole.
        int queries = 0;
        registry_.BeforeQuery([&](int) {
            if (++queries == 2) {
                registry_.PutValue(kHkeyCurrentUser, "K", "v", type, ByteArray(5000, 'b'));
            }
        });
        const RegistryValue value = modReg_.GetKeyValue(kHkeyCurrentUser, u"K", u"v");
        EXPECT_EQ(queries, 3);
        if (type == kRegBinary) {
            EXPECT_EQ(value, RegistryValue(ByteArray(5000, 'b')));
        } else {
            EXPECT_EQ(value, RegistryValue(std::u16string(4999, u'b')));
        }

        // Grown before every query: given up after the bound, and never read past the buffer.
        std::size_t size = 2000;
        queries = 0;
        registry_.BeforeQuery([&](int) {
            ++queries;
            size += 1000;
            registry_.PutValue(kHkeyCurrentUser, "K", "v", type, ByteArray(size, 'c'));
        });
        EXPECT_EQ(modReg_.GetKeyValue(kHkeyCurrentUser, u"K", u"v"),
                  RegistryValue(ByteArray(1024, 0)));
        EXPECT_EQ(queries, kBufferFillAttempts);
        queries = 0;
        EXPECT_EQ(modReg_.SaveValue(kHkeyCurrentUser, u"K", u"v"), std::nullopt);
        EXPECT_EQ(queries, kBufferFillAttempts);
        registry_.BeforeQuery({});
    }
}

TEST_F(ModRegFailures, ExpansionFailureRaisesWithItsCodeAfterClosingTheKey) {
    constexpr std::int32_t kErrorNotEnoughMemory = 8;
    registry_.PutValue(kHkeyCurrentUser, "K", "v", kRegExpandSz, Bytes(std::string_view("x\0", 2)));
    registry_.InjectFailure(RegistryOperation::ExpandEnvironment, kErrorNotEnoughMemory);
    EXPECT_THROW(modReg_.GetKeyValue(kHkeyCurrentUser, u"K", u"v"), RegistryError);
    try {
        modReg_.ExpandEnvString(u"%PATH%");
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Code(), 8u);
        EXPECT_STREQ(error.what(), "environment strings could not be expanded");
    }
}

TEST(ModRegExpansion, AHostThatCountsCharactersStillGivesTheWholeText) {
    fake::MemoryRegistry registry{HostCodePage()};
    registry.CountExpansionInCharacters();
    registry.SetEnvironmentVariable("DIR", HostCodePage().ToAnsi(u"C:\\用户\\张三"));
    ModReg modReg(registry, HostCodePage());
    EXPECT_EQ(modReg.ExpandEnvString(u"%DIR%\\文档"), u"C:\\用户\\张三\\文档");
}

TEST(SwapByteOrder, ReversesTheFourBytes) {
    EXPECT_EQ(ModReg::SwapByteOrder(0x12345678), 0x78563412);
    EXPECT_EQ(ModReg::SwapByteOrder(1), 1 << 24);
    EXPECT_EQ(ModReg::SwapByteOrder(static_cast<std::int32_t>(0x80000000)), 0x80);
    for (const std::int32_t value : {0, -1, 0x12345678, -123456789}) {
        EXPECT_EQ(ModReg::SwapByteOrder(ModReg::SwapByteOrder(value)), value);
    }
}

}  // namespace
}  // namespace tarnwick::testing
