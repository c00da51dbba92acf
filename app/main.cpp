#include "Fonts.h"
#include "about/frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantrel Software"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarvok.svg")));
    zarvok::app::fonts::installSubstitutes();

    zarvok::app::frmMain window;
    QObject::connect(&window, &zarvok::app::frmMain::aboutRequested, &window,
                     [&window] { zarvok::about::showAbout(&window); });
    window.show();
    return app.exec();
}
