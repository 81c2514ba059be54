#include "run/bounded_append.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct AppendCase {
    const char *name;
    std::wstring dest;     // what the buffer holds before, without its terminator
    bool terminated;       // false: the buffer is full of `dest` with no terminator
    size_t capacity;
    const wchar_t *source;
    std::wstring expected; // the buffer's string afterwards
    int32_t result;
};

const AppendCase kAppendCases[] = {
    {"into_empty", L"", true, 10, L"abc", L"abc", 0},
    {"fills_exactly", L"ab", true, 5, L"cd", L"abcd", 0},
    {"empty_source", L"ab", true, 5, L"", L"ab", 0},
    {"cut_by_one", L"ab", true, 5, L"cde", L"abcd", STRSAFE_E_INSUFFICIENT_BUFFER},
    {"cut_long", L"", true, 4, L"abcdefgh", L"abc", STRSAFE_E_INSUFFICIENT_BUFFER},
    {"no_room_left", L"ab", true, 3, L"x", L"ab", STRSAFE_E_INSUFFICIENT_BUFFER},
    {"room_for_terminator_only", L"", true, 1, L"x", L"", STRSAFE_E_INSUFFICIENT_BUFFER},
    {"unterminated_untouched", L"abc", false, 3, L"x", L"abc", STRSAFE_E_INSUFFICIENT_BUFFER},
    {"zero_capacity", L"", false, 0, L"x", L"", STRSAFE_E_INSUFFICIENT_BUFFER},
};

void PrintTo(const AppendCase &c, std::ostream *os) { *os << c.name; }

class AppendBoundedTest : public testing::TestWithParam<AppendCase> {};

TEST_P(AppendBoundedTest, AppendsWithinCapacity)
{
    const AppendCase &c = GetParam();
    // Exactly `capacity` units, so that a write or read past the end is caught by ASan.
    std::vector<wchar_t> buffer(c.capacity, L'\0');
    std::copy(c.dest.begin(), c.dest.end(), buffer.begin());

    EXPECT_EQ(c.result, AppendBounded(buffer.data(), c.capacity, c.source));

    if (c.capacity == 0)
        return;
    std::wstring after(buffer.data(), c.terminated ? wcsnlen(buffer.data(), c.capacity) : c.capacity);
    EXPECT_EQ(c.expected, after);
    if (c.terminated) {
        EXPECT_LT(after.size(), c.capacity) << "the result must keep its terminator";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendBoundedTest, testing::ValuesIn(kAppendCases),
                         [](const testing::TestParamInfo<AppendCase> &info) { return info.param.name; });

} // namespace
