// Saves what the X server shows of one window (by id) or of the whole screen as a PNG, so that
// the end-to-end tests and the documentation see the program as a user does.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 7) {
        std::fprintf(stderr, "usage: %s WINDOW-ID|root OUTPUT.png [X Y WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    const QString which = QString::fromLocal8Bit(argv[1]);
    const WId window = which == QLatin1String("root") ? 0 : which.toULongLong(nullptr, 0);
    int area[4] = {0, 0, -1, -1};
    for (int i = 0; argc == 7 && i < 4; ++i)
        area[i] = std::atoi(argv[3 + i]);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window, area[0], area[1], area[2], area[3]);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot grab window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
