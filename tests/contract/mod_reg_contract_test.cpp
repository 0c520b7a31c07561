// ModReg against a registry: exact stored bytes, types and sizes, conversions on reading, and the
// exact arguments of every registry call. Runs over the in-memory registry in the unit tests and
// over Wine's real registry in the Windows build.
#include <gtest/gtest.h>

#include "contract/registry_backend.h"
#include "fakes/recording_registry.h"
#include "platform/mod_reg.h"
#include "support/bytes.h"

namespace tarnwick::testing {
namespace {

using fake::RegistryOperation;
using fake::StoredValue;

// "中文路径" in code page 936.
constexpr std::string_view kChineseAnsi = "\xD6\xD0\xCE\xC4\xC2\xB7\xBE\xB6";
constexpr std::u16string_view kChinese = u"中文路径";

class ModRegContract : public ::testing::Test {
  protected:
    ModRegContract()
        : key_(std::string(kScratchRoot) + "\\" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    void TearDown() override {
        EXPECT_EQ(recorder_.OpenHandleCount(), 0u) << "a key was left open";
    }

    std::u16string Key(std::string_view below = {}) const {
        const std::string path = key_ + std::string(below);
        return backend_->Ansi().FromAnsi(path);
    }

    bool Set(const RegistryValue& value, std::int32_t stringKind = 0, std::string_view name = "v") {
        return modReg_.SetKeyValue(kHkeyCurrentUser, Key(), backend_->Ansi().FromAnsi(name), value,
                                   stringKind);
    }
    RegistryValue Get(const RegistryValue& defaultValue = {}, std::string_view name = "v") {
        return modReg_.GetKeyValue(kHkeyCurrentUser, Key(), backend_->Ansi().FromAnsi(name),
                                   defaultValue);
    }
    std::optional<StoredValue> Stored(std::string_view name = "v") {
        return backend_->GetRaw(key_, std::string(name));
    }
    void Put(std::uint32_t type, const ByteArray& data) { backend_->PutRaw(key_, "v", type, data); }

    std::unique_ptr<RegistryBackend> backend_ = MakeRegistryBackend();
    fake::RecordingRegistry recorder_{backend_->Api()};
    ModReg modReg_{recorder_, backend_->Ansi()};
    std::string key_;
};

// --- Writing ---------------------------------------------------------------------------------

struct StringWrite {
    const char* name;
    std::u16string text;
    std::int32_t stringKind;
    std::uint32_t type;
    ByteArray stored;
};

TEST_F(ModRegContract, StringsAreStoredAsZeroFilledBlocksOrWhole) {
    const std::string a254(254, 'a');
    const std::string a255(255, 'a');
    const std::string a300(300, 'a');
    std::string chinese254;  // 127 characters of two bytes
    std::string chinese300;  // 150 characters
    for (int i = 0; i < 127; ++i)
        chinese254 += "\xD6\xD0";
    for (int i = 0; i < 150; ++i)
        chinese300 += "\xD6\xD0";
    const auto wide = [](std::string_view ascii) {
        return std::u16string(ascii.begin(), ascii.end());
    };
    const std::vector<StringWrite> cases = {
        {"12 bytes, kind 0", u"D:\\Temp\\Temp", 0, kRegSz, ZeroFilled("D:\\Temp\\Temp", 255)},
        {"empty", u"", 0, kRegSz, ByteArray(255, 0)},
        {"254 bytes keep their terminator", wide(a254), 0, kRegSz, ZeroFilled(a254, 255)},
        {"255 bytes are stored whole", wide(a255), 0, kRegSz, ZeroFilled(a255, 256)},
        {"300 bytes are stored whole", wide(a300), 0, kRegSz, ZeroFilled(a300, 301)},
        {"Chinese text", std::u16string(kChinese), 0, kRegSz, ZeroFilled(kChineseAnsi, 255)},
        {"127 Chinese characters", std::u16string(127, u'中'), 0, kRegSz,
         ZeroFilled(chinese254, 255)},
        {"150 Chinese characters", std::u16string(150, u'中'), 0, kRegSz,
         ZeroFilled(chinese300, 301)},
        {"kind 1", u"C:\\x", 1, kRegExpandSz, ZeroFilled("C:\\x", 255)},
        {"kind 2", u"C:\\x", 2, kRegMultiSz, ZeroFilled("C:\\x", 255)},
        {"kind 3", u"C:\\x", 3, kRegSz, ZeroFilled("C:\\x", 255)},
        {"kind -1", u"C:\\x", -1, kRegSz, ZeroFilled("C:\\x", 255)},
    };
    for (const StringWrite& c : cases) {
        SCOPED_TRACE(c.name);
        recorder_.Clear();
        ASSERT_TRUE(Set(c.text, c.stringKind));
        EXPECT_EQ(Stored(), (StoredValue{c.type, c.stored}));
        ASSERT_EQ(recorder_.Count(RegistryOperation::SetValue), 1u);
        EXPECT_EQ(recorder_.Calls()[1].size, c.stored.size());
    }
}

TEST_F(ModRegContract, IntegersAreStoredAsLittleEndianDwords) {
    const std::vector<std::pair<RegistryValue, ByteArray>> cases = {
        {std::int32_t{1}, {0x01, 0x00, 0x00, 0x00}},
        {std::uint8_t{255}, {0xFF, 0x00, 0x00, 0x00}},
        {std::int16_t{-1}, {0xFF, 0xFF, 0xFF, 0xFF}},
        {std::int32_t{-2}, {0xFE, 0xFF, 0xFF, 0xFF}},
        {std::int32_t{0x12345678}, {0x78, 0x56, 0x34, 0x12}},
    };
    for (const auto& [value, bytes] : cases) {
        ASSERT_TRUE(Set(value, 1));
        EXPECT_EQ(Stored(), (StoredValue{kRegDword, bytes}));
    }
}

TEST_F(ModRegContract, ByteArraysAreStoredAsBinary) {
    ASSERT_TRUE(Set(ByteArray{1, 2, 3, 0, 255}));
    EXPECT_EQ(Stored(), (StoredValue{kRegBinary, {1, 2, 3, 0, 255}}));
}

TEST_F(ModRegContract, EmptyAndOtherKindsWriteNothingButCreateTheKey) {
    const std::vector<RegistryValue> values = {std::monostate{}, true, 2.5};
    for (const RegistryValue& value : values) {
        ASSERT_FALSE(backend_->KeyExists(key_));
        EXPECT_TRUE(Set(value));
        EXPECT_TRUE(backend_->KeyExists(key_));
        EXPECT_FALSE(Stored().has_value());
        EXPECT_EQ(recorder_.Count(RegistryOperation::SetValue), 0u);
        key_ += "x";  // the next value starts from a missing key again
    }
}

TEST_F(ModRegContract, WritingCreatesEveryMissingLevel) {
    ASSERT_TRUE(modReg_.SetKeyValue(kHkeyCurrentUser, Key("\\a\\b\\c"), u"v", std::int32_t{7}, 0));
    EXPECT_TRUE(backend_->KeyExists(key_ + "\\a"));
    EXPECT_TRUE(backend_->KeyExists(key_ + "\\a\\b"));
    EXPECT_EQ(backend_->GetRaw(key_ + "\\a\\b\\c", "v"), (StoredValue{kRegDword, {7, 0, 0, 0}}));
}

TEST_F(ModRegContract, WritingCallsTheRegistryWithTheExactArguments) {
    ASSERT_TRUE(modReg_.SetKeyValue(kHkeyCurrentUser, Key("\\" + std::string(kChineseAnsi)),
                                    kChinese, std::u16string(u"D:\\x"), 1));
    const auto& calls = recorder_.Calls();
    ASSERT_EQ(calls.size(), 3u);
    const auto& create = calls[0];
    EXPECT_EQ(create.operation, RegistryOperation::CreateKey);
    EXPECT_EQ(create.key, kHkeyCurrentUser);
    EXPECT_EQ(create.subKey, key_ + "\\" + std::string(kChineseAnsi));
    EXPECT_EQ(create.reserved, 0u);
    EXPECT_FALSE(create.classGiven);
    EXPECT_EQ(create.options, 0u);
    EXPECT_EQ(create.access, 0x3Fu);
    EXPECT_TRUE(create.securityGiven);
    EXPECT_FALSE(create.inheritHandle) << "the key handle must not be inheritable";
    const auto& set = calls[1];
    EXPECT_EQ(set.operation, RegistryOperation::SetValue);
    EXPECT_EQ(set.valueName, kChineseAnsi);
    EXPECT_EQ(set.reserved, 0u);
    EXPECT_EQ(set.type, kRegExpandSz);
    EXPECT_EQ(calls[2].operation, RegistryOperation::CloseKey);
    EXPECT_EQ(calls[2].key, set.key);
}

// --- Reading ---------------------------------------------------------------------------------

struct TypedRead {
    const char* name;
    std::uint32_t type;
    ByteArray data;
    RegistryValue expected;
};

TEST_F(ModRegContract, ValuesAreConvertedByTheirType) {
    backend_->SetEnvironmentVariable("TARNWICK_TEST_DIR",
                                     "C:\\users\\" + std::string(kChineseAnsi));
    const std::vector<TypedRead> cases = {
        {"REG_SZ", kRegSz, Bytes(std::string_view("C:\\X\0", 5)), std::u16string(u"C:\\X")},
        {"REG_SZ empty", kRegSz, {0}, std::u16string()},
        {"REG_EXPAND_SZ empty", kRegExpandSz, {0}, std::u16string()},
        {"REG_SZ keeps inner NULs", kRegSz, Bytes(std::string_view("a\0b\0", 4)),
         std::u16string(u"a\0b", 3)},
        {"REG_SZ in code page 936", kRegSz, ZeroFilled(kChineseAnsi, 9), std::u16string(kChinese)},
        {"REG_EXPAND_SZ", kRegExpandSz, Bytes(std::string_view("%TARNWICK_TEST_DIR%\\t\0", 22)),
         std::u16string(u"C:\\users\\中文路径\\t")},
        {"REG_MULTI_SZ", kRegMultiSz, Bytes(std::string_view("a\0b\0\0", 5)),
         std::u16string(u"a\0b", 3)},
        {"REG_DWORD", kRegDword, {0, 0, 0, 1}, std::int32_t{1 << 24}},
        {"REG_DWORD negative", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t{-1}},
        {"REG_DWORD_BIG_ENDIAN", kRegDwordBigEndian, {0, 0, 0, 1}, std::int32_t{1}},
        {"REG_BINARY", kRegBinary, ByteArray(10, 0xAB), ByteArray(10, 0xAB)},
        {"REG_NONE", kRegNone, {1, 2, 3}, ByteArray{1, 2, 3}},
        {"type 9", 9, {4, 5}, ByteArray{4, 5}},
    };
    for (const TypedRead& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.type, c.data);
        EXPECT_EQ(Get(), c.expected);
    }
}

TEST_F(ModRegContract, StringsComeBackAsWritten) {
    // REG_SZ keeps the zero fill as NULs; REG_EXPAND_SZ ends at the first NUL through expansion.
    ASSERT_TRUE(Set(std::u16string(u"D:\\Temp\\Temp"), 0));
    EXPECT_EQ(Get(), RegistryValue(u"D:\\Temp\\Temp" + std::u16string(254 - 12, u'\0')));
    ASSERT_TRUE(Set(std::u16string(u"D:\\My Documents"), 1));
    EXPECT_EQ(Get(), RegistryValue(std::u16string(u"D:\\My Documents")));
    const std::u16string longPath = u"D:\\" + std::u16string(297, u'p');
    ASSERT_TRUE(Set(longPath, 0));
    EXPECT_EQ(Get(), RegistryValue(longPath));
    ASSERT_TRUE(Set(std::u16string(kChinese), 0));
    EXPECT_EQ(Get(), RegistryValue(std::u16string(kChinese) + std::u16string(254 - 8, u'\0')));
}

TEST_F(ModRegContract, ReadingOpensAndQueriesWithTheExactArguments) {
    Put(kRegSz, Bytes(std::string_view("x\0", 2)));
    recorder_.Clear();
    Get();
    const auto& calls = recorder_.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].operation, RegistryOperation::OpenKey);
    EXPECT_EQ(calls[0].key, kHkeyCurrentUser);
    EXPECT_EQ(calls[0].subKey, key_);
    EXPECT_EQ(calls[0].options, 0u);
    EXPECT_EQ(calls[0].access, 0x20019u);
    EXPECT_EQ(calls[1].operation, RegistryOperation::QueryValue);
    EXPECT_FALSE(calls[1].reservedPointerGiven);
    EXPECT_EQ(calls[1].type, kRegNone);
    EXPECT_EQ(calls[1].size, 1024u);
    EXPECT_EQ(calls[2].operation, RegistryOperation::CloseKey);
}

TEST_F(ModRegContract, LargeValuesTakeExactlyOneMoreQuery) {
    ByteArray data(2000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    Put(kRegBinary, data);
    recorder_.Clear();
    EXPECT_EQ(Get(), RegistryValue(data));
    ASSERT_EQ(recorder_.Count(RegistryOperation::QueryValue), 2u);
    EXPECT_EQ(recorder_.Calls()[1].result, kErrorMoreData);
    EXPECT_EQ(recorder_.Calls()[2].size, 2000u);

    recorder_.Clear();
    Put(kRegBinary, ByteArray(1024, 1));
    EXPECT_EQ(Get(), RegistryValue(ByteArray(1024, 1)));
    EXPECT_EQ(recorder_.Count(RegistryOperation::QueryValue), 1u);
}

TEST_F(ModRegContract, MissingValueGivesTheZeroBufferEvenWithADefault) {
    Put(kRegSz, Bytes(std::string_view("x\0", 2)));
    EXPECT_EQ(Get({}, "absent"), RegistryValue(ByteArray(1024, 0)));
    EXPECT_EQ(Get(std::int32_t{7}, "absent"), RegistryValue(ByteArray(1024, 0)));
}

TEST_F(ModRegContract, MissingKeyGivesTheDefault) {
    EXPECT_EQ(Get(), RegistryValue());
    EXPECT_EQ(Get(std::u16string(u"fallback")), RegistryValue(std::u16string(u"fallback")));
    EXPECT_EQ(Get(true), RegistryValue(true));
    EXPECT_EQ(recorder_.Count(RegistryOperation::QueryValue), 0u);
    EXPECT_EQ(recorder_.Count(RegistryOperation::CloseKey), 0u);
}

TEST_F(ModRegContract, DataTooShortForItsTypeRaisesAfterClosingTheKey) {
    const std::vector<std::pair<std::uint32_t, ByteArray>> cases = {
        {kRegSz, {}}, {kRegExpandSz, {}}, {kRegMultiSz, {}}, {kRegMultiSz, {0}}, {kRegBinary, {}},
    };
    for (const auto& [type, data] : cases) {
        SCOPED_TRACE(type);
        Put(type, data);
        EXPECT_THROW(Get(), RegistryError);
        EXPECT_EQ(recorder_.OpenHandleCount(), 0u);
    }
    // The message names the type.
    const std::vector<std::pair<std::uint32_t, std::string>> messages = {
        {kRegMultiSz, "registry value too short for its type 7"},
        {kRegBinary, "registry value of type 3 has no data"},
    };
    for (const auto& [type, message] : messages) {
        Put(type, {});
        try {
            Get();
            ADD_FAILURE() << "no error for type " << type;
        } catch (const RegistryError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

TEST_F(ModRegContract, ExpandEnvStringExpandsDefinedVariablesOnly) {
    backend_->SetEnvironmentVariable("TARNWICK_TEST_DIR", "E:\\" + std::string(kChineseAnsi));
    EXPECT_EQ(modReg_.ExpandEnvString(u"%TARNWICK_TEST_DIR%\\Temp"), u"E:\\中文路径\\Temp");
    EXPECT_EQ(modReg_.ExpandEnvString(u"%TARNWICK_UNDEFINED%\\Temp"),
              u"%TARNWICK_UNDEFINED%\\Temp");
    EXPECT_EQ(modReg_.ExpandEnvString(u"C:\\plain"), u"C:\\plain");
    EXPECT_EQ(modReg_.ExpandEnvString(u""), u"");
    EXPECT_EQ(modReg_.ExpandEnvString(std::u16string(u"C:\\a\0%TARNWICK_TEST_DIR%", 24)), u"C:\\a");
}

// --- Saving and restoring ---------------------------------------------------------------------

TEST_F(ModRegContract, ASavedValueIsPutBackByteForByteAndAnAbsentOneIsRemoved) {
    const std::vector<std::pair<std::uint32_t, ByteArray>> cases = {
        // Hangul, Greek and an emoji: characters the ANSI code page does not all hold.
        {kRegExpandSz, Utf16Le(std::u16string(u"C:\\한국어\\Ελληνικά\\😀") + u'\0')},
        {kRegSz, Utf16Le(std::u16string(u"D:\\한") + std::u16string(300, u'\0'))},
        // No string at all: an odd count, a lone surrogate and no terminator.
        {kRegExpandSz, {'%', 0, 'X', 0, 0x00, 0xD8, 'y'}},
        {kRegBinary, {0xFF, 0, 0xFE}},
    };
    for (const auto& [type, data] : cases) {
        SCOPED_TRACE(type);
        backend_->PutRawWide(key_, "v", type, data);
        const std::optional<SavedValue> saved = modReg_.SaveValue(kHkeyCurrentUser, Key(), u"v");
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, (SavedValue{true, type, data}));
        ASSERT_TRUE(Set(std::u16string(u"D:\\New"), 1));
        EXPECT_TRUE(modReg_.RestoreValue(kHkeyCurrentUser, Key(), u"v", *saved));
        EXPECT_EQ(backend_->GetRawWide(key_, "v"), (StoredValue{type, data}));
    }

    const std::optional<SavedValue> absent = modReg_.SaveValue(kHkeyCurrentUser, Key(), u"w");
    ASSERT_TRUE(absent);
    EXPECT_FALSE(absent->existed);
    ASSERT_TRUE(Set(std::u16string(u"D:\\New"), 1, "w"));
    EXPECT_TRUE(modReg_.RestoreValue(kHkeyCurrentUser, Key(), u"w", *absent));
    EXPECT_FALSE(Stored("w"));
    // Nothing to remove in a key that does not exist.
    EXPECT_TRUE(modReg_.RestoreValue(kHkeyCurrentUser, Key("\\none"), u"w", *absent));
    EXPECT_FALSE(backend_->KeyExists(key_ + "\\none"));
}

// The "A" and "W" functions see one value: strings stored in UTF-16 and converted through the
// ANSI code page for the "A" functions, where a character it lacks becomes "?".
TEST_F(ModRegContract, TheAFunctionsSeeStringsThroughTheCodePageAndTheSavedValueDoesNot) {
    Put(kRegSz, ZeroFilled(kChineseAnsi, 9));
    EXPECT_EQ(modReg_.SaveValue(kHkeyCurrentUser, Key(), u"v"),
              (SavedValue{true, kRegSz, Utf16Le(std::u16string_view(u"中文路径\0", 5))}));
    backend_->PutRawWide(key_, "v", kRegSz, Utf16Le(std::u16string_view(u"한😀\0", 4)));
    EXPECT_EQ(Stored(), (StoredValue{kRegSz, Bytes(std::string_view("???\0", 4))}));
    EXPECT_EQ(Get(), RegistryValue(std::u16string(u"???")));
}

}  // namespace
}  // namespace tarnwick::testing
