#include "survey/window_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A file that keeps what is written to it, and fails the writes it is told to.
struct FakeFile {
    std::string bytes;
    std::vector<uint32_t> writes;      // the size of every write, in order
    std::vector<uint32_t> failures;    // error code per write, by index; 0 or missing: success
};

uint32_t WriteFake(void *file, const char *bytes, uint32_t count)
{
    FakeFile *fake = static_cast<FakeFile *>(file);
    size_t index = fake->writes.size();
    fake->writes.push_back(count);
    uint32_t error = index < fake->failures.size() ? fake->failures[index] : 0;
    if (error == 0)
        fake->bytes.append(bytes, count);
    return error;
}

// Heap-allocated so that ASan sees the buffer's end.
std::unique_ptr<LogStream> OpenFake(FakeFile *fake)
{
    std::unique_ptr<LogStream> log(new LogStream());
    log->file = fake;
    log->write = WriteFake;
    return log;
}

struct LineCase {
    const char *name;
    std::wstring title;
    std::wstring className;
    uint32_t window;
    bool topmost;
    std::string bytes;
};

std::vector<LineCase> LineCases()
{
    std::wstring controls;
    std::string controlBytes;
    for (wchar_t c = 1; c < 0x20; c++) {
        controls += c;
        if (c == L'\n')
            controlBytes += "\r\n";
        else
            controlBytes += (char)c;
    }
    controls += L'\x7F';
    controlBytes += '\x7F';

    return {
        {"latin1_topmost", L"Calc\u00E9", L"X", 0x1029C, true,
         "\x43\x61\x6C\x63\xE9\x20\x28\x58\x29\x20\x30\x78\x30\x30\x30\x31\x30\x32\x39\x43"
         "\x20\x74\x6F\x70\x6D\x6F\x73\x74\x0D\x0A"},
        {"empty_title", L"", L"Y", 0xABCDEF, false, " (Y) 0x00ABCDEF\r\n"},
        {"handle_zero", L"t", L"c", 0, false, "t (c) 0x00000000\r\n"},
        {"handle_all_digits", L"t", L"c", 0xFEDCBA98, false, "t (c) 0xFEDCBA98\r\n"},
        {"above_latin1", L"A\u20ACB", L"C\u0100", 1, false, "A?B (C?) 0x00000001\r\n"},
        {"latin1_edges", L"\u00A0\u00FF", L"\u0080", 1, false, "\xA0\xFF (\x80) 0x00000001\r\n"},
        {"surrogate_pair", L"a\xD83D\xDE00" L"b", L"c", 1, false, "a??b (c) 0x00000001\r\n"},
        {"line_feed", L"a\nb", L"c", 1, false, "a\r\nb (c) 0x00000001\r\n"},
        {"cr_lf", L"a\r\nb", L"c", 1, false, "a\r\r\nb (c) 0x00000001\r\n"},
        {"lone_cr", L"a\rb", L"c\n", 1, false, "a\rb (c\r\n) 0x00000001\r\n"},
        {"control_characters", controls, L"c", 1, false, controlBytes + " (c) 0x00000001\r\n"},
    };
}

void PrintTo(const LineCase &c, std::ostream *os) { *os << c.name; }

class WindowLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(WindowLineTest, WritesExactBytes)
{
    const LineCase &c = GetParam();
    FakeFile fake;
    auto log = OpenFake(&fake);
    WriteWindowLine(log.get(), c.title.c_str(), c.className.c_str(), c.window, c.topmost);
    EXPECT_EQ(0u, FlushLogStream(log.get()));
    EXPECT_EQ(c.bytes, fake.bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowLineTest, testing::ValuesIn(LineCases()),
                         [](const testing::TestParamInfo<LineCase> &info) { return info.param.name; });

TEST(WindowLine, LongestLineIs622Bytes)
{
    FakeFile fake;
    auto log = OpenFake(&fake);
    std::wstring title(299, L'T'), className(299, L'C');
    WriteWindowLine(log.get(), title.c_str(), className.c_str(), 0x12345678, true);
    FlushLogStream(log.get());
    EXPECT_EQ(std::string(299, 'T') + " (" + std::string(299, 'C') + ") 0x12345678 topmost\r\n", fake.bytes);
    EXPECT_EQ(622u, fake.bytes.size());
}

// Lines reach the file only in full buffers, and whatever is left at the close.
TEST(LogStreamBuffer, WritesWholeBuffersThenTheRest)
{
    FakeFile fake;
    auto log = OpenFake(&fake);
    std::string expected;
    const int lines = 500; // "window 123 (class) 0x0000007B\r\n" and the like, over 4 buffers
    for (int i = 0; i < lines; i++) {
        std::wstring title = L"window " + std::to_wstring(i);
        WriteWindowLine(log.get(), title.c_str(), L"class", (uint32_t)i, i % 7 == 0);
        char handle[9];
        snprintf(handle, sizeof handle, "%08X", (unsigned)i);
        expected += "window " + std::to_string(i) + " (class) 0x" + handle + (i % 7 == 0 ? " topmost" : "") + "\r\n";
    }
    size_t fullBuffers = expected.size() / LOG_BUFFER_SIZE;
    ASSERT_GE(fullBuffers, 3u);
    EXPECT_EQ(std::vector<uint32_t>(fullBuffers, LOG_BUFFER_SIZE), fake.writes) << "nothing written before a buffer fills";

    EXPECT_EQ(0u, FlushLogStream(log.get()));
    std::vector<uint32_t> all(fullBuffers, LOG_BUFFER_SIZE);
    all.push_back((uint32_t)(expected.size() % LOG_BUFFER_SIZE));
    EXPECT_EQ(all, fake.writes);
    EXPECT_EQ(expected, fake.bytes);

    EXPECT_EQ(0u, FlushLogStream(log.get()));
    EXPECT_EQ(all.size(), fake.writes.size()) << "an empty buffer is not written";
}

TEST(LogStreamBuffer, NoWindowsWriteNothing)
{
    FakeFile fake;
    auto log = OpenFake(&fake);
    EXPECT_EQ(0u, FlushLogStream(log.get()));
    EXPECT_TRUE(fake.writes.empty());
}

// A failed write is kept, the first of them, and the later lines are still attempted.
TEST(LogStreamBuffer, KeepsTheFirstWriteError)
{
    FakeFile fake;
    fake.failures = {0, 112, 0, 29};
    auto log = OpenFake(&fake);
    std::wstring title(600, L'x');
    for (int i = 0; i < 30; i++) // 30 lines of 617 bytes: four full buffers and a rest
        WriteWindowLine(log.get(), title.c_str(), L"c", 1, false);
    EXPECT_EQ(112u, FlushLogStream(log.get()));
    EXPECT_EQ(5u, fake.writes.size());
    EXPECT_EQ(112u, log->error);
}

} // namespace
