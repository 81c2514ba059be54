#include "run/notice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Compose(size_t capacity, const wchar_t *logPath, const wchar_t *reason, uint32_t error)
{
    std::vector<wchar_t> notice(capacity, L'\0'); // exact size, for ASan
    ComposeFailureNotice(notice.data(), capacity, logPath, reason, error);
    return std::wstring(notice.data(), wcsnlen(notice.data(), capacity));
}

TEST(Notice, NamesTheWholeLogPath)
{
    std::wstring logPath = L"C:\\" + std::wstring(250, L'd') + L"\\a.txt"; // 259 units
    ASSERT_EQ(259u, logPath.size());
    std::vector<wchar_t> notice(500, L'\0');
    ComposeNotice(notice.data(), notice.size(), logPath.c_str());
    EXPECT_EQ(L"Log has been created in " + logPath, std::wstring(notice.data()));
}

struct FailureCase {
    const char *name;
    size_t capacity;
    const wchar_t *logPath;
    const wchar_t *reason;
    uint32_t error;
    const wchar_t *expected;
};

const FailureCase kFailureCases[] = {
    {"with_path", 500, L"C:\\Tools\\snap.txt",
     L"The process cannot access the file because it is being used by another process.\r\n", 32,
     L"Log could not be created in C:\\Tools\\snap.txt: The process cannot access the file because "
     L"it is being used by another process."},
    {"without_path", 500, nullptr, L"The filename or extension is too long. \r\n", 206,
     L"Log could not be created: The filename or extension is too long."},
    {"no_reason_gives_code", 500, L"C:\\a.txt", L"", 112, L"Log could not be created in C:\\a.txt: error 112"},
    {"largest_code", 500, nullptr, L"", 4294967295u, L"Log could not be created: error 4294967295"},
    {"code_zero", 500, nullptr, L"", 0, L"Log could not be created: error 0"},
    {"cut_to_capacity", 10, L"C:\\a.txt", L"Reason.", 5, L"Log could"},
};

void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.name; }

class FailureNoticeTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureNoticeTest, SaysWhyThereIsNoLog)
{
    const FailureCase &c = GetParam();
    std::wstring notice = Compose(c.capacity, c.logPath, c.reason, c.error);
    EXPECT_EQ(std::wstring(c.expected), notice);
    EXPECT_NE(0u, notice.rfind(L"Log has been created", 0)) << "a failure never reads as success";
}

INSTANTIATE_TEST_SUITE_P(Cases, FailureNoticeTest, testing::ValuesIn(kFailureCases),
                         [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

} // namespace
