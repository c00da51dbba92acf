// Erasing a large tree through the window's erase loop, against the engine called directly.
// While the window erases, a timer asks it to repaint every 10 ms (as when it is uncovered or
// dragged); the longest gap between two paints shows whether it stays responsive.
#include "BenchSupport.h"

#include "erase/EraseEngine.h"
#include "skinbutton/core/SkinButton.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    double longestGapMs;
    int paints;
};

WindowRun eraseThroughWindow(const QString& root)
{
    auto window = bench::makeWindow();
    window->show();
    QCoreApplication::processEvents();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(root)});
    window->cboPath_Drop(&data);

    QWidget* status = window->findChild<QWidget*>(QStringLiteral("lblPro"));
    PaintClock clock;
    status->installEventFilter(&clock);
    QTimer repaint;
    repaint.setInterval(10);
    QObject::connect(&repaint, &QTimer::timeout, status, qOverload<>(&QWidget::update));
    repaint.start();

    const auto start = bench::Clock::now();
    window->findChild<skin::SkinButton*>(QStringLiteral("cmdDelete"))->click();
    QEventLoop running;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &running, [&] {
        if (!window->isErasing())
            running.quit();
    });
    poll.start(1);
    running.exec();
    const auto end = bench::Clock::now();
    repaint.stop();

    if (QFileInfo::exists(root) || window->queue().count() != 0) {
        std::fprintf(stderr, "the window did not erase the tree\n");
        std::exit(1);
    }
    double longest = 0;
    auto previous = start;
    for (const auto& paint : clock.paints) {
        if (paint > end)
            break;
        longest = std::max(longest, std::chrono::duration<double, std::milli>(paint - previous).count());
        previous = paint;
    }
    longest = std::max(longest, std::chrono::duration<double, std::milli>(end - previous).count());
    return {std::chrono::duration<double, std::milli>(end - start).count(), longest, int(clock.paints.size())};
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

    std::vector<double> direct, windowed, gaps;
    int run = 0;
    for (int r = 0; r < o.reps; ++r) {
        direct.push_back(eraseDirectly(freshTree(scratch.path(), o, run++)));
        const WindowRun w = eraseThroughWindow(freshTree(scratch.path(), o, run++));
        windowed.push_back(w.eraseMs);
        gaps.push_back(w.longestGapMs);
        std::printf("run %d: engine %.1f ms, window %.1f ms, %d paints, longest gap %.1f ms\n", r + 1,
                    direct.back(), w.eraseMs, w.paints, w.longestGapMs);
    }
    const double d = bench::median(direct), w = bench::median(windowed);
    std::printf("tree: %d folders x %d files = %d files\n", o.folders, o.filesPerFolder, o.folders * o.filesPerFolder);
    std::printf("engine directly: %.1f ms (median of %d)\n", d, o.reps);
    std::printf("through the window: %.1f ms (median), %+.1f %% against the engine\n", w, (w - d) / d * 100.0);
    std::printf("longest gap between paints while erasing: %.1f ms (worst of %d runs)\n",
                *std::max_element(gaps.begin(), gaps.end()), o.reps);
    return 0;
}
