// Queueing dropped paths: drops of 10,000 and 100,000 paths, a quarter of them repeats, through
// the window's drop handler into the path list. Prints both times and their ratio; linear
// growth gives a ratio near 10.
#include "BenchSupport.h"

#include <QComboBox>
#include <QMimeData>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QList<QUrl> droppedUrls(int count)
{
    QList<QUrl> urls;
    urls.reserve(count);
    const int distinct = count - count / 4;
    for (int i = 0; i < count; ++i) {
        const int n = i < distinct ? i : int((qint64(i) * 7919) % distinct); // repeats of earlier paths
        urls.append(QUrl::fromLocalFile(QStringLiteral("/home/user/photos/2024/album-%1/folder %2").arg(n % 97).arg(n)));
    }
    return urls;
}

double timeOneDrop(int count)
{
    QMimeData data;
    data.setUrls(droppedUrls(count));
    auto window = bench::makeWindow();
    const auto start = bench::Clock::now();
    window->cboPath_Drop(&data);
    const double ms = bench::millisecondsSince(start);
    const int expected = count - count / 4;
    if (window->queue().count() != expected) {
        std::fprintf(stderr, "queued %d entries, expected %d\n", window->queue().count(), expected);
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    int reps = 5;
    int small = 10000, large = 100000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--reps"))
            reps = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--small"))
            small = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--large"))
            large = std::atoi(argv[i + 1]);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line as it is measured
    QTemporaryDir home;
    bench::useOffscreenPlatformAndPrivateSettings(home);
    QApplication app(argc, argv);

    std::vector<double> smallTimes, largeTimes;
    for (int r = 0; r < reps; ++r) {
        smallTimes.push_back(timeOneDrop(small));
        largeTimes.push_back(timeOneDrop(large));
    }
    const double a = bench::median(smallTimes), b = bench::median(largeTimes);
    std::printf("drop of %6d paths: %8.1f ms (median of %d)\n", small, a, reps);
    std::printf("drop of %6d paths: %8.1f ms (median of %d)\n", large, b, reps);
    std::printf("ratio: %.2f (for %dx the paths)\n", b / a, large / small);
    return 0;
}
