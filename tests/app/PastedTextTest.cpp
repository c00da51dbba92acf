#include "PastedText.h"

#include <gtest/gtest.h>

using namespace zarvok::app;

TEST(PastedText, OneLineAsWrittenSeveralLinesOnePathEach)
{
    const struct {
        const char* text;
        QStringList paths;
    } cases[] = {
        {"", {}},
        {"/srv/a b ", {"/srv/a b "}},                          // one line: exactly as written
        {"file:///srv/x%20y", {"file:///srv/x%20y"}},
        {"/srv/a\n/srv/b", {"/srv/a", "/srv/b"}},
        {"/srv/a\r\n\r\n  \n/srv/b\r\n", {"/srv/a", "/srv/b"}}, // blank lines and line ends dropped
        {"/srv/a\r/srv/b", {"/srv/a", "/srv/b"}},
        {"/srv/a\n", {"/srv/a"}},                               // as `echo` leaves it
        {"file:///srv/x%20y\nfile://localhost/srv/z\n/srv/w", {"/srv/x y", "/srv/z", "/srv/w"}},
        {"file://otherhost/srv/z\nhttps://example.org/\nfile:///srv/%0Anl", {"file://otherhost/srv/z", "https://example.org/", "/srv/\nnl"}},
        {"\n\n", {}},
        // Found by fuzzing: URIs that decode to no absolute path stay text, as written.
        {"e\r\nfile::/suxt", {"e", "file::/suxt"}},
        {"file:x/y\nfile:///srv/a%00b", {"file:x/y", "file:///srv/a%00b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pastedPaths(QString::fromUtf8(c.text)), c.paths) << c.text;
}
