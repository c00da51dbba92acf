// Erasing a large tree through the window's erase loop, against the engine called directly.
// While the window erases, a timer asks it to repaint every 10 ms (as when it is uncovered or
// dragged); the longest gap between two paints shows whether it stays responsive. The same is
// measured while the queued tree is surveyed, before Delete.
#include "BenchSupport.h"

#include "erase/EraseEngine.h"
#include "skinbutton/core/SkinButton.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Options {
    int folders = 200;
    int filesPerFolder = 1000;
    int reps = 3;
};

void buildTree(const QString& root, const Options& o)
{
    for (int d = 0; d < o.folders; ++d) {
        const QByteArray folder = QFile::encodeName(root + QStringLiteral("/d%1").arg(d));
        if (mkdir(folder.constData(), 0755) != 0) {
            std::perror("mkdir");
            std::exit(1);
        }
        const int dirFd = open(folder.constData(), O_DIRECTORY | O_RDONLY);
        for (int f = 0; f < o.filesPerFolder; ++f) {
            char name[32];
            std::snprintf(name, sizeof name, "f%05d", f);
            const int fd = openat(dirFd, name, O_CREAT | O_WRONLY, 0644);
            if (fd < 0) {
                std::perror("openat");
                std::exit(1);
            }
            close(fd);
        }
        close(dirFd);
    }
}

QString freshTree(const QString& base, const Options& o, int run)
{
    const QString root = base + QStringLiteral("/tree%1").arg(run);
    QDir().mkpath(root);
    buildTree(root, o);
    sync();
    return root;
}

double eraseDirectly(const QString& root)
{
    const auto start = bench::Clock::now();
    const auto outcome = zarvok::erase::eraseTree(QFile::encodeName(root).toStdString());
    const double ms = bench::millisecondsSince(start);
    if (!outcome.ok()) {
        std::fprintf(stderr, "engine failed: %s\n", outcome.reason.c_str());
        std::exit(1);
    }
    return ms;
}

// Paint times of one widget.
class PaintClock final : public QObject {
public:
    std::vector<bench::Clock::time_point> paints;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints.push_back(bench::Clock::now());
        return false;
    }
};

struct WindowRun {
    double eraseMs;
    double longestGapMs;       // while erasing
    double surveyMs;
    double longestSurveyGapMs; // while the queued tree was surveyed, before Delete
    int paints;
};

// Runs the event loop until `done` holds, looking every millisecond.
void spinUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    loop.exec();
}

double msBetween(bench::Clock::time_point from, bench::Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double longestGapMs(const std::vector<bench::Clock::time_point>& paints, bench::Clock::time_point from, bench::Clock::time_point to)
{
    double longest = 0;
    auto previous = from;
    for (const auto& paint : paints) {
        if (paint < from)
            continue;
        if (paint > to)
            break;
        longest = std::max(longest, msBetween(previous, paint));
        previous = paint;
    }
    return std::max(longest, msBetween(previous, to));
}

WindowRun eraseThroughWindow(const QString& root)
{
    auto window = bench::makeWindow();
    window->show();
    QCoreApplication::processEvents();

    QWidget* status = window->findChild<QWidget*>(QStringLiteral("lblPro"));
    PaintClock clock;
    status->installEventFilter(&clock);
    QTimer repaint;
    repaint.setInterval(10);
    QObject::connect(&repaint, &QTimer::timeout, status, qOverload<>(&QWidget::update));
    repaint.start();

    // Queued, the tree is surveyed in the background; the title tells its extent once known.
    const auto dropped = bench::Clock::now();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(root)});
    window->cboPath_Drop(&data);
    const auto* title = window->findChild<QLabel*>(QStringLiteral("lblTitle"));
    spinUntil([&] { return title->text().contains(QStringLiteral(" items")) && !title->text().contains(QStringLiteral("so far")); });
    const auto surveyed = bench::Clock::now();

    window->findChild<skin::SkinButton*>(QStringLiteral("cmdDelete"))->click();
    spinUntil([&] { return !window->isErasing(); });
    const auto end = bench::Clock::now();
    repaint.stop();

    if (QFileInfo::exists(root) || window->queue().count() != 0) {
        std::fprintf(stderr, "the window did not erase the tree\n");
        std::exit(1);
    }
    return {msBetween(surveyed, end), longestGapMs(clock.paints, surveyed, end), msBetween(dropped, surveyed),
            longestGapMs(clock.paints, dropped, surveyed), int(clock.paints.size())};
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--folders"))
            o.folders = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--files"))
            o.filesPerFolder = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--reps"))
            o.reps = std::atoi(argv[i + 1]);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line as it is measured
    QTemporaryDir home;
    bench::useOffscreenPlatformAndPrivateSettings(home);
    QApplication app(argc, argv);
    QTemporaryDir scratch(QDir::currentPath() + QStringLiteral("/erase-window-bench-XXXXXX"));

    std::vector<double> direct, windowed, gaps, surveyGaps;
    int run = 0;
    for (int r = 0; r < o.reps; ++r) {
        direct.push_back(eraseDirectly(freshTree(scratch.path(), o, run++)));
        const WindowRun w = eraseThroughWindow(freshTree(scratch.path(), o, run++));
        windowed.push_back(w.eraseMs);
        gaps.push_back(w.longestGapMs);
        surveyGaps.push_back(w.longestSurveyGapMs);
        std::printf("run %d: engine %.1f ms, window %.1f ms, %d paints, longest gap %.1f ms; survey %.1f ms, longest gap %.1f ms\n",
                    r + 1, direct.back(), w.eraseMs, w.paints, w.longestGapMs, w.surveyMs, w.longestSurveyGapMs);
    }
    const double d = bench::median(direct), w = bench::median(windowed);
    std::printf("tree: %d folders x %d files = %d files\n", o.folders, o.filesPerFolder, o.folders * o.filesPerFolder);
    std::printf("engine directly: %.1f ms (median of %d)\n", d, o.reps);
    std::printf("through the window: %.1f ms (median), %+.1f %% against the engine\n", w, (w - d) / d * 100.0);
    std::printf("longest gap between paints while erasing: %.1f ms, while surveying: %.1f ms (worst of %d runs; target <= 100 ms)\n",
                *std::max_element(gaps.begin(), gaps.end()), *std::max_element(surveyGaps.begin(), surveyGaps.end()), o.reps);
    return 0;
}
