#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zarvok"));
    window.setFixedSize(401, 204);
    window.show();
    return app.exec();
}
