// Saves what the X server shows of one window (by id) or of the whole screen as a PNG, so that
// the end-to-end tests and the documentation see the program as a user does.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW-ID|root OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QString which = QString::fromLocal8Bit(argv[1]);
    const WId window = which == QLatin1String("root") ? 0 : which.toULongLong(nullptr, 0);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot grab window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
