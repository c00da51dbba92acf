// A dialog of SkinButtons where QPushButtons would stand: OK is the default button (Enter in the
// name field clicks it), Cancel rejects, a toggle button remembers its state.
#include <SkinButton/SkinButton.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("SkinButton"));

    auto* name = new QLineEdit(&dialog);
    auto* loud = new skin::SkinButton(&dialog);
    loud->setText(QStringLiteral("&Loud"));
    loud->setCheckable(true);
    loud->setStyle(skin::SkinButton::RoundedGradient);

    auto* ok = new skin::SkinButton(&dialog);
    ok->setText(QStringLiteral("&OK"));
    ok->setIcon(dialog.style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setStyle(skin::SkinButton::ShadowedBevel);
    ok->setDefault(true);
    auto* cancel = new skin::SkinButton(&dialog);
    cancel->setText(QStringLiteral("&Cancel"));
    cancel->setStyle(skin::SkinButton::ShadowedBevel);

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Your name:"), &dialog));
    layout->addWidget(name);
    layout->addWidget(loud);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return 1;
    const QString greeting = QStringLiteral("Hello, %1").arg(name->text());
    qInfo("%s", qPrintable(loud->isChecked() ? greeting.toUpper() + QLatin1Char('!') : greeting));
    return 0;
}
