#pragma once
// zarvok-erase --admin run by a user: the same command again as root, through pkexec and the
// project's polkit action, and pkexec's refusals in a user's words.

#include <string>
#include <vector>

namespace zarvok::tool {

constexpr int kNotGranted = 3; // exit status: administrator rights were not granted

// Why pkexec did not run the command, from its exit status and what it wrote; empty when it
// ran it (then the status is the command's own).
std::string notGrantedReason(int pkexecStatus, const std::string& pkexecOutput);

// Why nothing ran as root, from how pkexec ended (a wait status), whether the administrator's
// side said it runs, whether we were stopped meanwhile and what pkexec wrote; empty when the
// command ran (then its own status and lines stand).
std::string notRunReason(int waitStatus, bool rootStarted, bool stopped, const std::string& pkexecOutput);

// The environment handed to pkexec: a fixed PATH, and the language and terminal settings that
// pkexec passes on when their values are plain words (it refuses values with "/", "%" or "..").
std::vector<std::string> pkexecEnvironment(const std::vector<std::string>& environment);

// Runs `program args...` through pkexec, forwarding what it writes to standard error, and
// returns the exit status to end with: the command's own, or kNotGranted with a line saying
// why and one per path (args after "--") saying that nothing was erased. A stop request hangs
// up on the administrator's side, which stops as this process would. `program` must be an
// absolute path (pkexec matches it against the polkit action).
int runAsAdministrator(const std::string& program, const std::vector<std::string>& args);

// The absolute path of the running program, as pkexec needs it.
std::string thisProgram();

} // namespace zarvok::tool
