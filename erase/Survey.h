#pragma once
// Tells what a folder holds without erasing it: the entries below it, the space they take, and
// what an erase can already be seen to leave: mount points inside (never crossed) and folders
// the user may not empty. The same rules as an erase: never follows a link, never leaves the
// folder's mount, refuses what an erase refuses. One thread; touches nothing (an unreadable
// folder stays unreadable and is reported). Memory stays bounded by the handles kept open and
// one listing batch per level, whatever the tree's shape.

#include "CancelFlag.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace zarvok::erase {

// Running totals; another thread may read them at any time, and stop the survey.
struct SurveyProgress {
    std::atomic<std::uint64_t> entries{0};
    std::atomic<std::uint64_t> bytes{0};
    CancelFlag cancel;
};

struct Survey {
    enum class Status {
        Done,     // everything readable was counted
        NoFolder, // nothing that is a folder at the path
        Refused,  // an erase would refuse it (reason); nothing was counted
        Stopped,  // cancelled
    };
    Status status = Status::Done;
    std::uint64_t entries = 0; // below the folder, the folder itself not counted
    std::uint64_t bytes = 0;   // allocated space; a file with several hard links counted once
    std::uint64_t mountPoints = 0;  // mounts inside: kept by an erase, not looked into
    std::uint64_t lockedFolders = 0; // folders the user may not empty (not theirs, not writable)
    std::uint64_t unreadable = 0;   // folders that could not be listed (their entries not counted)
    std::string firstMountPoint, firstLocked, firstUnreadable; // paths, for the user
    std::string reason; // why Refused, or the system's reason for the first unreadable folder
    bool sized = true;  // bytes were counted (not by a count of entries only)
};

enum class SurveyDetail {
    Sizes,      // entries and the space they take
    EntriesOnly, // entries only, from the listings: several times faster, to keep ahead of an erase
};

// Surveys the folder at an absolute path.
Survey surveyTree(const std::string& path, SurveyProgress* progress = nullptr, SurveyDetail detail = SurveyDetail::Sizes);

// Puts the calling thread at idle processor and disk priority: it runs only when nothing else
// wants the processor (an erase included) and reads the disk only when nobody else does.
void runThisThreadAtIdlePriority();

} // namespace zarvok::erase
