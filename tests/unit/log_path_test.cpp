#include "run/log_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const size_t kCapacity = 260; // what the program hands GetModuleFileNameW

// A folder path that makes `prefix` + `name` exactly `total` units long.
std::wstring PathOfLength(size_t total, const std::wstring &name)
{
    std::wstring path = L"C:\\";
    path += std::wstring(total - path.size() - name.size() - 1, L'd');
    path += L"\\";
    return path + name;
}

struct LogPathCase {
    const char *name;
    std::wstring program; // the program's own path
    std::wstring logPath; // empty: no log path can be had
};

std::vector<LogPathCase> LogPathCases()
{
    return {
        {"extension_replaced", L"C:\\Tools\\snap.exe", L"C:\\Tools\\snap.txt"},
        {"only_last_extension", L"C:\\Tools\\snap.beta.exe", L"C:\\Tools\\snap.beta.txt"},
        {"short_extension_grows", L"C:\\Tools\\snap.e", L"C:\\Tools\\snap.txt"},
        {"trailing_dot", L"C:\\Tools\\snap.", L"C:\\Tools\\snap.txt"},
        {"name_is_extension", L"C:\\Tools\\.exe", L"C:\\Tools\\.txt"},
        {"dotted_folder_no_extension", L"C:\\my.tools\\snap", L"C:\\my.tools\\snap.txt"},
        {"dotted_folder_slashes", L"C:/my.tools/snap", L"C:/my.tools/snap.txt"},
        {"mixed_separators", L"C:\\my.tools/snap", L"C:\\my.tools/snap.txt"},
        {"unc_path", L"\\\\server\\share.d\\snap", L"\\\\server\\share.d\\snap.txt"},
        {"bare_name", L"snap", L"snap.txt"},
        {"query_failed", L"", L""},
        // Up to and including the last '.', 256 units: "txt" makes 259, the most that fits.
        {"log_path_of_259_units", PathOfLength(259, L"snap.exe"), PathOfLength(259, L"snap.txt")},
        {"log_path_of_260_units", PathOfLength(258, L"snap.e"), L""},
        {"dot_at_259_units", PathOfLength(259, L"snap."), L""},
        {"dot_at_258_units", PathOfLength(259, L"snap.x"), L""},
        {"no_dot_259_fits", PathOfLength(255, L"snap"), PathOfLength(259, L"snap.txt")},
        {"no_dot_260_too_long", PathOfLength(256, L"snap"), L""},
        {"program_path_259_units", PathOfLength(259, L"x.exe"), PathOfLength(259, L"x.txt")},
    };
}

void PrintTo(const LogPathCase &c, std::ostream *os) { *os << c.name; }

class MakeLogPathTest : public testing::TestWithParam<LogPathCase> {};

TEST_P(MakeLogPathTest, DerivesFromFileNameAlone)
{
    const LogPathCase &c = GetParam();
    ASSERT_LT(c.program.size(), kCapacity);
    std::vector<wchar_t> path(kCapacity, L'\0'); // cleared, as the program clears it
    std::copy(c.program.begin(), c.program.end(), path.begin());

    bool made = MakeLogPath(path.data(), kCapacity, c.program.size());

    if (c.logPath.empty()) {
        EXPECT_FALSE(made);
        return;
    }
    ASSERT_TRUE(made);
    EXPECT_EQ(c.logPath, std::wstring(path.data()));
}

INSTANTIATE_TEST_SUITE_P(Cases, MakeLogPathTest, testing::ValuesIn(LogPathCases()),
                         [](const testing::TestParamInfo<LogPathCase> &info) { return info.param.name; });

// The platform cut the program's path: all 260 units filled, no terminator
// anywhere. Nothing may be read or written past the buffer (ASan watches).
TEST(MakeLogPathCutPath, FullBufferWithoutTerminatorGivesNoLogPath)
{
    std::vector<wchar_t> path(kCapacity, L'a');
    path[100] = L'\\';
    path[200] = L'.';
    EXPECT_FALSE(MakeLogPath(path.data(), kCapacity, kCapacity));
    EXPECT_EQ(std::wstring(kCapacity, L'a').substr(0, 100), std::wstring(path.data(), 100));
}

} // namespace
