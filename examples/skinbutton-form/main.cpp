// A window designed in Qt Designer whose buttons are SkinButtons. With --grab FILE it saves
// what it shows as a PNG and quits instead of waiting for the user; --describe lists each
// button's style and tooltip as the form set them, and quits.
#include "ui_FormWindow.h"

#include <SkinButton/SkinButton.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QMetaEnum>
#include <QTextStream>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("A Designer form of SkinButtons");
    parser.addHelpOption();
    const QCommandLineOption grab("grab", "Save the window as a PNG to <file> and quit.", "file");
    parser.addOption(grab);
    const QCommandLineOption describe("describe", "List each button's style and tooltip.");
    parser.addOption(describe);
    parser.process(app);

    QWidget window;
    Ui::FormWindow form;
    form.setupUi(&window);
    QObject::connect(form.toggleLight, &skin::SkinButton::toggled, form.status, [&form](bool on) {
        form.status->setText(on ? QObject::tr("Light on") : QObject::tr("Light off"));
    });
    QObject::connect(form.quitButton, &skin::SkinButton::clicked, &app, &QApplication::quit);
    if (parser.isSet(describe)) {
        const QMetaEnum styles = QMetaEnum::fromType<skin::SkinButton::ButtonStyle>();
        QTextStream out(stdout);
        for (const skin::SkinButton* button : window.findChildren<skin::SkinButton*>())
            out << button->objectName() << ": " << styles.valueToKey(button->Style()) << ", \""
                << button->toolTip() << "\"\n";
        return 0;
    }
    window.show();

    if (parser.isSet(grab)) {
        QTimer::singleShot(0, &window, [&] {
            const QString file = parser.value(grab);
            if (!window.grab().save(file, "PNG")) {
                QTextStream(stderr) << "skinbutton-form: cannot write " << file << "\n";
                app.exit(1);
                return;
            }
            app.quit();
        });
    }
    return app.exec();
}
