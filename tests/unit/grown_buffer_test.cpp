// The one retry policy of calls that fill a buffer and say how large it should have been.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/grown_buffer.h"

namespace tarnwick::testing {
namespace {

TEST(GrownBuffer, TakesWhatFitsAsItIsAndAsksAgainWithTheSizeNamed) {
    std::vector<std::size_t> capacities;
    // Needs exactly the first buffer: one call, nothing cut.
    const auto exact = GrownBuffer<std::string>(4, [&](char* data, std::size_t capacity) {
        capacities.push_back(capacity);
        std::string("abcd").copy(data, capacity);
        return std::optional<std::size_t>(4);
    });
    EXPECT_EQ(exact, "abcd");
    EXPECT_EQ(capacities, std::vector<std::size_t>{4});

    // Needs more: called again with the size it named, then cut to what it wrote.
    capacities.clear();
    const auto grown = GrownBuffer<std::string>(2, [&](char* data, std::size_t capacity) {
        capacities.push_back(capacity);
        if (capacity < 7) {
            return std::optional<std::size_t>(7);
        }
        std::string("xyz").copy(data, capacity);
        return std::optional<std::size_t>(3);
    });
    EXPECT_EQ(grown, "xyz");
    EXPECT_EQ(capacities, (std::vector<std::size_t>{2, 7}));
}

TEST(GrownBuffer, GivesUpOnAFailureAndOnASizeThatKeepsGrowing) {
    int calls = 0;
    const auto failed = GrownBuffer<std::wstring>(1, [&](wchar_t*, std::size_t capacity) {
        ++calls;
        return calls == 1 ? std::optional<std::size_t>(capacity + 1) : std::nullopt;
    });
    EXPECT_EQ(failed, std::nullopt);
    EXPECT_EQ(calls, 2) << "called again after a failure";

    calls = 0;
    const auto growing =
        GrownBuffer<std::vector<std::uint8_t>>(0, [&](std::uint8_t*, std::size_t capacity) {
            ++calls;
            return std::optional<std::size_t>(capacity + 10);
        });
    EXPECT_EQ(growing, std::nullopt);
    EXPECT_EQ(calls, kBufferFillAttempts);
}

TEST(TextFillAnswer, LengthWhenItFitsOneMoreThanTheSizeNamedWhenNot) {
    EXPECT_EQ(TextFillAnswer(0, 10), std::nullopt);
    EXPECT_EQ(TextFillAnswer(9, 10), 9u) << "nine characters and the terminator fit ten";
    EXPECT_EQ(TextFillAnswer(10, 10), 11u) << "a size that counts no terminator must still grow";
    EXPECT_EQ(TextFillAnswer(25, 10), 26u);
}

}  // namespace
}  // namespace tarnwick::testing
