#pragma once
// What every fuzz target shares: a broken invariant stops the run like a crash (so libFuzzer
// keeps the input), Qt's warnings about bad input stay quiet, and per-user files go to a
// private folder.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace zarvok::fuzz {

// Prints what did not hold and aborts.
[[noreturn]] void fail(const char* invariant, const QString& detail = {});

inline void check(bool holds, const char* invariant, const QString& detail = {})
{
    if (!holds)
        fail(invariant, detail);
}

// Paths read from text (pasted, or a second start's message): each is non-empty, and is either a
// line of the text as written or a decoded file URI, then an absolute path without NUL.
void checkPathsFromText(const QString& text, const QStringList& paths);

// Drops Qt's debug and warning output (bad input makes plenty); FUZZ_VERBOSE=1 keeps it.
// Fatal messages still print and abort.
void quietQtMessages();

// Points HOME and the XDG folders at a fresh folder of their own (in memory when /dev/shm is
// there) and returns it; call before Qt reads the environment.
QString usePrivateHome();

// The Qt application object of a target, made once and never destroyed: at exit Qt's own globals
// are gone before it would be.
template <class App>
void startQt(int* argc, char*** argv)
{
    static App* const app = new App(*argc, *argv);
    (void)app;
}

} // namespace zarvok::fuzz
