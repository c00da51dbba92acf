#include "Survey.h"

#include "Containment.h"
#include "DirHandle.h"
#include "EraseEngine.h"
#include "SystemCalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_set>
#include <vector>

namespace zarvok::erase {

namespace {

constexpr std::size_t kBatchEntries = 4096;
// Handles kept open on the way down; frames above them are reopened through ".." of the child.
constexpr std::size_t kOpenFrames = 48;
// Hard-linked files remembered to count each once; past this many (a tree of backups made of
// hard links) further ones may be counted again: the figure only grows, memory does not.
constexpr std::size_t kLinkedFilesKept = 200000;

struct Frame {
    Fd fd;
    dev_t dev;
    ino_t ino;
    std::string name; // the whole path for the top frame: a deep chain must not keep every path
    std::vector<std::string> subdirectories; // of the current batch, still to look into
    std::size_t next = 0;
    bool listed = false; // the listing has ended or was read to its end
    off_t resumeAt = -1; // where the listing goes on once the closed handle is reopened
};

struct FileId {
    dev_t dev;
    ino_t ino;
    bool operator==(const FileId&) const = default;
};
struct FileIdHash {
    std::size_t operator()(const FileId& id) const { return std::hash<ino_t>()(id.ino) ^ (std::hash<dev_t>()(id.dev) << 1); }
};

class SurveyWalk {
public:
    SurveyWalk(const Containment& containment, Survey& survey, SurveyProgress& progress, SurveyDetail detail)
        : m_containment(containment), m_survey(survey), m_progress(progress), m_entriesOnly(detail == SurveyDetail::EntriesOnly)
    {
        m_survey.sized = !m_entriesOnly;
    }

    void run(Fd root, const struct stat& st, const std::string& path);

private:
    bool stopped() const { return m_progress.cancel.requested(); }
    void readBatch(Frame& frame);
    void countEntry(Frame& frame, const Entry& entry);
    void descend(Frame& frame);
    void ascend();
    void keepHandleBudget();
    void readToTheEnd(Frame& frame);
    void resumeListing(Frame& frame);
    void noteUnreadable(const std::string& path, int err);
    std::string pathOf(const Frame& frame, const std::string& child = {}) const;

    const Containment& m_containment;
    Survey& m_survey;
    SurveyProgress& m_progress;
    std::vector<Frame> m_frames;
    DirReader m_reader;
    std::vector<Entry> m_batch;
    std::unordered_set<FileId, FileIdHash> m_linked;
    const uid_t m_user = ::geteuid();
    const bool m_entriesOnly;
};

void SurveyWalk::run(Fd root, const struct stat& st, const std::string& path)
{
    m_frames.push_back(Frame{std::move(root), st.st_dev, st.st_ino, path, {}, 0, false, -1});
    while (!m_frames.empty() && !stopped()) {
        Frame& top = m_frames.back();
        if (top.next < top.subdirectories.size())
            descend(top);
        else if (!top.listed)
            readBatch(top);
        else
            ascend();
    }
    if (stopped())
        m_survey.status = Survey::Status::Stopped;
}

void SurveyWalk::readBatch(Frame& frame)
{
    m_batch.clear();
    frame.subdirectories.clear();
    frame.next = 0;
    const DirReader::Batch read = m_reader.readBatch(frame.fd.get(), m_batch, kBatchEntries);
    if (read.error != 0 && read.error != ENOENT)
        noteUnreadable(pathOf(frame), read.error);
    frame.listed = !read.more || read.error != 0;
    for (const Entry& entry : m_batch) {
        if (stopped())
            return;
        countEntry(frame, entry);
    }
}

void SurveyWalk::countEntry(Frame& frame, const Entry& entry)
{
    // The listing tells what is not a folder: no lookup a file.
    if (m_entriesOnly && entry.type != DT_DIR && entry.type != DT_UNKNOWN) {
        m_survey.entries = m_progress.entries.fetch_add(1, std::memory_order_relaxed) + 1;
        return;
    }
    struct stat st{};
    if (!sys().fstatat(frame.fd.get(), entry.name.c_str(), st, AT_SYMLINK_NOFOLLOW).ok())
        return; // gone meanwhile
    m_survey.entries = m_progress.entries.fetch_add(1, std::memory_order_relaxed) + 1;
    const bool counted = S_ISDIR(st.st_mode) || st.st_nlink < 2 || m_linked.size() >= kLinkedFilesKept
                         || m_linked.insert(FileId{st.st_dev, st.st_ino}).second;
    if (counted && !m_entriesOnly)
        m_survey.bytes = m_progress.bytes.fetch_add(std::uint64_t(st.st_blocks) * 512, std::memory_order_relaxed)
                         + std::uint64_t(st.st_blocks) * 512;
    if (!S_ISDIR(st.st_mode))
        return;
    const bool mayEmpty = m_user == 0 || st.st_uid == m_user || ::faccessat(frame.fd.get(), entry.name.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    if (!mayEmpty && m_survey.lockedFolders++ == 0)
        m_survey.firstLocked = pathOf(frame, entry.name);
    frame.subdirectories.push_back(entry.name);
}

void SurveyWalk::descend(Frame& frame)
{
    std::string name = std::move(frame.subdirectories[frame.next++]);
    Opened child = m_containment.openDir(frame.fd.get(), name.c_str());
    if (child.error == EXDEV) {
        if (m_survey.mountPoints++ == 0)
            m_survey.firstMountPoint = pathOf(frame, name);
        return;
    }
    if (child.error == ENOENT || child.error == ENOTDIR || child.error == ELOOP)
        return; // removed or replaced meanwhile: not a folder of this tree any more
    if (child.error != 0) {
        noteUnreadable(pathOf(frame, name), child.error);
        return;
    }
    struct stat st{};
    if (!sys().fstat(child.fd.get(), st).ok())
        return;
    m_frames.push_back(Frame{std::move(child.fd), st.st_dev, st.st_ino, std::move(name), {}, 0, false, -1});
    keepHandleBudget();
}

// Deep down, a frame above the open ones closes its handle; it is reopened on the way back up
// and its listing goes on from where it stood, so it keeps no more than one batch's folder
// names (a folder of a million subfolders would keep them all otherwise).
void SurveyWalk::keepHandleBudget()
{
    if (m_frames.size() <= kOpenFrames)
        return;
    Frame& old = m_frames[m_frames.size() - kOpenFrames - 1];
    if (!old.fd.valid())
        return;
    if (!old.listed) {
        if (const SysResult at = sys().lseek(old.fd.get(), 0, SEEK_CUR); at.ok())
            old.resumeAt = static_cast<off_t>(at.value);
        else
            readToTheEnd(old);
    }
    old.fd.reset();
}

// Where a listing's place cannot be kept, the rest of it is read now: only folder names stay.
void SurveyWalk::readToTheEnd(Frame& frame)
{
    std::vector<std::string> rest(frame.subdirectories.begin() + std::ptrdiff_t(frame.next), frame.subdirectories.end());
    while (!frame.listed && !stopped()) {
        readBatch(frame);
        rest.insert(rest.end(), frame.subdirectories.begin(), frame.subdirectories.end());
    }
    frame.subdirectories = std::move(rest);
    frame.next = 0;
    frame.listed = true;
}

void SurveyWalk::resumeListing(Frame& frame)
{
    if (frame.listed || frame.resumeAt < 0)
        return;
    const SysResult at = sys().lseek(frame.fd.get(), frame.resumeAt, SEEK_SET);
    frame.resumeAt = -1;
    if (!at.ok()) {
        noteUnreadable(pathOf(frame), at.error);
        frame.listed = true;
    }
}

void SurveyWalk::ascend()
{
    Frame done = std::move(m_frames.back());
    m_frames.pop_back();
    if (m_frames.empty() || m_frames.back().fd.valid())
        return;
    Frame& parent = m_frames.back();
    Opened reopened = m_containment.openParent(done.fd.get(), parent.dev, parent.ino);
    if (reopened.error != 0) {
        // Moved or replaced meanwhile: what is left of it is not this tree's any more.
        noteUnreadable(pathOf(parent), reopened.error);
        parent.subdirectories.clear();
        parent.next = 0;
        return;
    }
    parent.fd = std::move(reopened.fd);
    resumeListing(parent);
}

// Frames are the stack from the top down, so a frame's path is the names of those up to it.
std::string SurveyWalk::pathOf(const Frame& frame, const std::string& child) const
{
    std::string path;
    for (const Frame& f : m_frames) {
        path += (&f == &m_frames.front() ? "" : "/") + f.name;
        if (&f == &frame)
            break;
    }
    return child.empty() ? path : path + '/' + child;
}

void SurveyWalk::noteUnreadable(const std::string& path, int err)
{
    if (m_survey.unreadable++ == 0) {
        m_survey.firstUnreadable = path;
        m_survey.reason = std::strerror(err);
    }
}

Survey refusedSurvey(std::string reason)
{
    Survey survey;
    survey.status = Survey::Status::Refused;
    survey.reason = std::move(reason);
    return survey;
}

Survey surveyChecked(const std::string& path, SurveyProgress& progress, SurveyDetail detail)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed.empty() || trimmed.front() != '/' || trimmed.find('\0') != std::string::npos)
        return refusedSurvey("only an absolute path can be erased");
    if (struct stat whole{}; sys().fstatat(AT_FDCWD, trimmed.c_str(), whole, AT_SYMLINK_NOFOLLOW).ok() && S_ISDIR(whole.st_mode)) {
        if (std::string reason = neverErasedReason(whole); !reason.empty())
            return refusedSurvey(std::move(reason));
    }
    const std::size_t slash = trimmed.rfind('/');
    const std::string parentPath = slash == 0 ? "/" : trimmed.substr(0, slash);
    const std::string name = trimmed.substr(slash + 1);
    Survey none;
    none.status = Survey::Status::NoFolder;
    const SysResult parentOpened = sys().openat(AT_FDCWD, parentPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (!parentOpened.ok())
        return none;
    const Fd parent(static_cast<int>(parentOpened.value));
    struct stat st{};
    if (name.empty() || name == "." || name == ".." || !sys().fstatat(parent.get(), name.c_str(), st, AT_SYMLINK_NOFOLLOW).ok()
        || !S_ISDIR(st.st_mode))
        return none;
    std::variant<Containment, Refusal> decided = Containment::forFolder(parent.get(), name.c_str());
    if (const Refusal* refusal = std::get_if<Refusal>(&decided))
        return refusedSurvey(refusal->reason.empty() ? std::strerror(refusal->error) : refusal->reason);
    const Containment& containment = std::get<Containment>(decided);
    Opened root = containment.openDir(parent.get(), name.c_str());
    Survey survey;
    if (root.error != 0) {
        survey.unreadable = 1;
        survey.firstUnreadable = trimmed;
        survey.reason = std::strerror(root.error);
        return survey;
    }
    SurveyWalk(containment, survey, progress, detail).run(std::move(root.fd), st, trimmed);
    return survey;
}

} // namespace

void runThisThreadAtIdlePriority()
{
    // A nice value of 19 still took a share of a busy processor: an erase on two cores ran at
    // 0.4x its speed beside a survey. The idle policy gives the survey only what nobody uses.
    const sched_param none{};
    ::sched_setscheduler(0, SCHED_IDLE, &none); // 0: this thread
    constexpr int kWhoProcess = 1, kClassIdle = 3, kClassShift = 13;
    ::syscall(SYS_ioprio_set, kWhoProcess, 0, kClassIdle << kClassShift);
}

Survey surveyTree(const std::string& path, SurveyProgress* progress, SurveyDetail detail)
{
    SurveyProgress unobserved;
    try {
        return surveyChecked(path, progress ? *progress : unobserved, detail);
    } catch (const std::bad_alloc&) {
        Survey survey;
        survey.status = Survey::Status::Stopped;
        survey.reason = std::strerror(ENOMEM);
        return survey;
    }
}

} // namespace zarvok::erase
