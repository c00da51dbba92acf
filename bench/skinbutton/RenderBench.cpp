// Renders each button style, and in the same run Qt's own QPushButton (Fusion) of the
// same size, then prints each style's time as a ratio of the Qt button's. Below 1 is faster.

#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kStyles[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const QSize kSizes[] = {{65, 59}, {400, 100}};
const QString kCaption = QStringLiteral("&Delete");

std::string sizeName(QSize size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

std::string styleName(int style, QSize size)
{
    return "Style" + std::to_string(style) + "/" + sizeName(size);
}

std::string qtName(QSize size) { return "QPushButton/" + sizeName(size); }

void renderStyle(benchmark::State& state, int style, QSize size)
{
    skin::ButtonLook look;
    look.style = style;
    look.nonThemeStyle = style;
    look.caption = kCaption;
    look.font = QApplication::font();
    look.captionFormat = 37;
    look.clientRect = {0, 0, size.width(), size.height()};
    look.captionRect = {4, 4, size.width() - 4, size.height() - 4};
    const skin::SystemColors colors = skin::SystemColors::fromPalette(QApplication::palette());
    skin::StyleThemePainter theme;
    skin::Surface surface(size.width(), size.height());
    for (auto _ : state) {
        const skin::RefreshResult result = skin::refreshButton(look, surface, colors, theme);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void renderQtButton(benchmark::State& state, QSize size)
{
    QPushButton button(kCaption);
    button.resize(size);
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        button.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Keeps every run's time so that the ratios can be printed after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && isUsable(run))
                m_times[run.run_name.str()] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
    }

    void printRatios() const
    {
        std::printf("\nTime per render relative to QPushButton (Fusion) of the same size:\n");
        std::printf("  %-8s %-8s %6s %6s\n", "size", "look", "cpu", "real");
        for (const QSize size : kSizes) {
            const auto qt = m_times.find(qtName(size));
            if (qt == m_times.end())
                continue;
            for (const int style : kStyles) {
                const auto own = m_times.find(styleName(style, size));
                if (own != m_times.end())
                    std::printf("  %-8s %-8s %6.3f %6.3f\n", sizeName(size).c_str(),
                                ("Style " + std::to_string(style)).c_str(),
                                own->second.cpu / qt->second.cpu, own->second.real / qt->second.real);
            }
        }
    }

private:
    // A plain run, or the median when runs are repeated (which then comes last).
    static bool isUsable(const Run& run)
    {
        return run.run_type == Run::RT_Iteration || run.aggregate_name == "median";
    }

    struct Times {
        double cpu;
        double real;
    };
    std::map<std::string, Times> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    for (const QSize size : kSizes) {
        benchmark::RegisterBenchmark(qtName(size).c_str(), renderQtButton, size);
        for (const int style : kStyles)
            benchmark::RegisterBenchmark(styleName(style, size).c_str(), renderStyle, style, size);
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
