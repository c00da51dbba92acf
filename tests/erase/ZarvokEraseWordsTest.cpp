// zarvok-erase's words and arguments, without running it: how names are escaped in its lines
// and which command lines it takes.

#include "CommandLine.h"
#include "JsonReport.h"
#include "Report.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zarvok::erase::test {
namespace {

using zarvok::tool::parseCommandLine;

TEST(ZarvokEraseArguments, ParsesOptionsAndPaths)
{
    struct Case {
        std::vector<std::string> args;
        unsigned threads;
        bool progress;
        bool help;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {{"/a"}, 0, false, false, {"/a"}},
        {{"--threads", "3", "/a", "/b"}, 3, false, false, {"/a", "/b"}},
        {{"--threads=8", "--progress", "/a"}, 8, true, false, {"/a"}},
        {{"/a", "--progress", "rel"}, 0, true, false, {"/a", "rel"}},
        {{"--", "--progress", "-x"}, 0, false, false, {"--progress", "-x"}},
        {{"--help"}, 0, false, true, {}},
        {{"-h", "/a"}, 0, false, true, {"/a"}},
        {{"--report", "json", "/a"}, 0, false, false, {"/a"}},
    };
    for (const Case& c : cases) {
        const auto parsed = parseCommandLine(c.args);
        ASSERT_TRUE(parsed.commandLine) << c.args.front() << ": " << parsed.error;
        EXPECT_EQ(parsed.commandLine->threads, c.threads) << c.args.front();
        EXPECT_EQ(parsed.commandLine->progress, c.progress) << c.args.front();
        EXPECT_EQ(parsed.commandLine->help, c.help) << c.args.front();
        EXPECT_EQ(parsed.commandLine->paths, c.paths) << c.args.front();
    }
}

// Nothing in a name may act on the terminal or reorder the line on screen.
TEST(ZarvokEraseReport, EscapesControlsBidirectionalMarksAndInvalidBytes)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain name, ünïcödé ✓", "plain name, ünïcödé ✓"},
        {"a\nb\tc\rd\\e", "a\\nb\\tc\\rd\\\\e"},
        {"esc\x1b[31m del\x7f", "esc\\x1b[31m del\\x7f"},
        {"csi\xc2\x9b" "31m nel\xc2\x85", "csi\\u009b31m nel\\u0085"},
        {"txt.\xe2\x80\xae" "fdp", "txt.\\u202efdp"},
        {"\xe2\x81\xa6" "iso\xe2\x81\xa9 \xe2\x80\xaa" "emb\xe2\x80\xac \xe2\x80\x8f", "\\u2066iso\\u2069 \\u202aemb\\u202c \\u200f"},
        {"bad\xff\xfe lone\xc3 overlong\xc0\xaf surrogate\xed\xa0\x80", "bad\\xff\\xfe lone\\xc3 overlong\\xc0\\xaf surrogate\\xed\\xa0\\x80"},
        {"cut\xe2\x80", "cut\\xe2\\x80"},
        {"line\xe2\x80\xa8para\xe2\x80\xa9", "line\\u2028para\\u2029"},
        {"zw\xe2\x80\x8bsp \xe2\x81\xa0wj \xe2\x81\xa4 \xef\xbb\xbf", "zw\\u200bsp \\u2060wj \\u2064 \\ufeff"},
        {"tag\xf3\xa0\x80\x81", "tag\\U000e0001"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(zarvok::tool::escaped(name), shown);
}

// A reader gets every name back byte for byte: JSON's escapes, and surrogateescape for bytes
// that are not UTF-8.
TEST(ZarvokEraseReport, WritesNamesAsJsonStrings)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/plain/ünï ✓", "\"/plain/ünï ✓\""},
        {"q\"b\\n\nt\x1b\x7f", "\"q\\\"b\\\\n\\u000at\\u001b\\u007f\""},
        {"bad\xff lone\xc3 surrogate\xed\xa0\x80 cut\xe2\x80", "\"bad\\udcff lone\\udcc3 surrogate\\udced\\udca0\\udc80 cut\\udce2\\udc80\""},
    };
    for (const auto& [name, written] : cases)
        EXPECT_EQ(zarvok::tool::jsonString(name), written);
}

TEST(ZarvokEraseArguments, RejectsWhatItCannotUse)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no folder given"},
        {{"--progress"}, "no folder given"},
        {{"--threads"}, "--threads needs a number"},
        {{"--threads", "0", "/a"}, "not '0'"},
        {{"--threads", "many", "/a"}, "not 'many'"},
        {{"--threads=257", "/a"}, "not '257'"},
        {{"--threads", "2x", "/a"}, "not '2x'"},
        {{"--force", "/a"}, "unknown option '--force'"},
        {{"--report=text", "/a"}, "--report takes json, not 'text'"},
        {{"--report"}, "--report takes json, not ''"},
    };
    for (const auto& [args, message] : cases) {
        const auto parsed = parseCommandLine(args);
        EXPECT_FALSE(parsed.commandLine) << message;
        EXPECT_NE(parsed.error.find(message), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace zarvok::erase::test
