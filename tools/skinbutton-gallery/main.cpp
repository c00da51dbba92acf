// skinbutton-gallery: renders SkinButton looks to PNG files without a display, or shows them
// live in a window (--window).
#include "GalleryOptions.h"
#include "GalleryRender.h"
#include "GalleryWindow.h"

#include "skinbutton/core/ButtonProperties.h"

#include <QApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

int fail(const QString& message, int code)
{
    std::fprintf(stderr, "skinbutton-gallery: %s\n", qPrintable(message));
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    // QApplication would take --style for a widget style of its own: it sees only the name.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool window = arguments.contains(QStringLiteral("--window"));
    if (!window && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QApplication app(appArgc, argv);
    QApplication::setApplicationName(QStringLiteral("skinbutton-gallery"));
    // The looks in the control's classic design font (Verdana 8.25 pt): a button whose font was
    // never set follows the application's.
    QApplication::setFont(skin::designFont().font);
    if (window)
        return gallery::runGalleryWindow(arguments);

    const auto parsed = gallery::parseOptions(arguments);
    if (const auto* help = std::get_if<gallery::Help>(&parsed)) {
        std::fputs(qPrintable(help->text), stdout);
        std::fputs("  --window [--dark]          Opens the buttons live in a window instead.\n", stdout);
        return 0;
    }
    if (const auto* error = std::get_if<gallery::UsageError>(&parsed))
        return fail(error->message + QStringLiteral(" (see --help)"), 2);

    const auto& options = std::get<gallery::Options>(parsed);
    const QImage image = options.sheet ? gallery::renderSheet(options) : gallery::renderButton(options);
    QImageWriter writer(options.out, "png");
    if (!writer.write(image))
        return fail(QStringLiteral("cannot write \"%1\": %2").arg(options.out, writer.errorString()), 1);
    return 0;
}
