#include "GalleryWindow.h"

#include "GalleryOptions.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include <cstdio>

namespace gallery {

namespace {

struct GalleryTip {
    const char* text;
    const char* title;
    int icon;
    int type; // 1 balloon
    skin::Color fore;
    skin::Color back;
};

// Every form a tip takes; the buttons go through them in turn.
constexpr GalleryTip kTips[] = {
    {"A balloon tip with a title and the information icon.", "Balloon", 1, 1, 0, 0},
    {"A rectangular tip, as the desktop draws them.", "", 0, 0, 0, 0},
    {"A balloon tip without a title.", "", 0, 1, 0, 0},
    {"A rectangular tip with a title and the warning icon.", "Careful", 2, 0, 0, 0},
    {"A balloon tip in custom colours, with the error icon.", "Custom colours", 3, 1, skin::rgb(0xFF, 0xFF, 0xFF),
     skin::rgb(0x8B, 0x1A, 0x1A)},
};

struct GalleryButton {
    QString caption;
    int style;
    bool toggle;
    bool value;
    bool enabled;
    GalleryTip tip;
};

QList<GalleryButton> galleryButtons()
{
    QList<GalleryButton> entries;
    const qsizetype tips = std::size(kTips);
    for (const int style : builtStyles())
        entries.append({QStringLiteral("Style %1").arg(style), style, false, false, true, kTips[entries.size() % tips]});
    entries.append({QStringLiteral("Toggle (on)"), 1, true, true, true, kTips[3]});
    entries.append({QStringLiteral("Toggle"), 4, true, false, true, kTips[2]});
    entries.append({QStringLiteral("Disabled"), 0, false, false, false, kTips[1]});
    entries.append({QStringLiteral("Disabled"), 3, false, false, false, kTips[4]});
    return entries;
}

skin::PropertyBag storedButton(const GalleryButton& entry)
{
    skin::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Style"), qint32(entry.style));
    bag.WriteProperty(QStringLiteral("Caption"), entry.caption);
    bag.WriteProperty(QStringLiteral("Enabled"), entry.enabled);
    bag.WriteProperty(QStringLiteral("ButtonType"), qint32(entry.toggle ? 1 : 0));
    bag.WriteProperty(QStringLiteral("Value"), entry.value);
    bag.WriteProperty(QStringLiteral("ToolTipText"), QString::fromUtf8(entry.tip.text));
    bag.WriteProperty(QStringLiteral("Tooltiptitle"), QString::fromUtf8(entry.tip.title));
    bag.WriteProperty(QStringLiteral("ToolTipIcon"), qint32(entry.tip.icon));
    bag.WriteProperty(QStringLiteral("ToolTipType"), qint32(entry.tip.type));
    bag.WriteProperty(QStringLiteral("ttForeColor"), skin::PropertyValue::colour(entry.tip.fore));
    bag.WriteProperty(QStringLiteral("ttBackColor"), skin::PropertyValue::colour(entry.tip.back));
    return bag;
}

QPalette darkPalette()
{
    QPalette p(QColor(0x3C, 0x3F, 0x41), QColor(0x2B, 0x2B, 0x2B));
    p.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    p.setColor(QPalette::ButtonText, QColor(0xE0, 0xE0, 0xE0));
    p.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
    p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::ToolTipBase, QColor(0x45, 0x48, 0x4A));
    p.setColor(QPalette::ToolTipText, QColor(0xE8, 0xE8, 0xE8));
    p.setColor(QPalette::Highlight, QColor(0x2F, 0x65, 0xCA));
    return p;
}

} // namespace

QRect GalleryWindow::cellRect(int index)
{
    const int column = index % kColumns;
    const int row = index / kColumns;
    return QRect(QPoint(kMargin + column * (kButtonSize.width() + kGap), kMargin + row * (kButtonSize.height() + kGap)),
                 kButtonSize);
}

GalleryWindow::GalleryWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("SkinButton gallery"));
    for (const GalleryButton& entry : galleryButtons())
        addButton(storedButton(entry));
    GalleryButton about{QStringLiteral("&About SkinButton"), 0, false, false, true,
                     {"Shows the control's own About box.", "", 0, 0, 0, 0}};
    skin::SkinButton* aboutButton = addButton(storedButton(about));
    connect(aboutButton, &skin::SkinButton::Click, aboutButton, &skin::SkinButton::About);

    const int lastRowStart = int(m_buttons.size() - 1) / kColumns * kColumns;
    const int labelTop = cellRect(lastRowStart).bottom() + 1 + kGap;
    m_hint = new QLabel(QStringLiteral("Rest the pointer on a button to see its tooltip."), this);
    m_hint->setGeometry(kMargin, labelTop, cellRect(kColumns - 1).right() + 1 - kMargin, 20);
    for (skin::SkinButton* button : std::as_const(m_buttons))
        connect(button, &skin::SkinButton::MouseEnter, m_hint, [this, button] {
            m_hint->setText(skin::withoutMnemonic(button->Caption()) + QStringLiteral(": ") + button->ToolTip());
        });
    setFixedSize(cellRect(kColumns - 1).right() + 1 + kMargin, m_hint->geometry().bottom() + 1 + kMargin);
}

skin::SkinButton* GalleryWindow::addButton(const skin::PropertyBag& stored)
{
    auto* button = new skin::SkinButton(this);
    button->setObjectName(QStringLiteral("cmdGallery%1").arg(m_buttons.size()));
    button->setGeometry(cellRect(int(m_buttons.size())));
    button->readProperties(stored);
    m_buttons.append(button);
    return button;
}

int runGalleryWindow(const QStringList& arguments)
{
    bool dark = false;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--dark")) {
            dark = true;
        } else if (argument != QLatin1String("--window")) {
            std::fprintf(stderr, "skinbutton-gallery: --window takes only --dark, not \"%s\"\n", qPrintable(argument));
            return 2;
        }
    }
    if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    GalleryWindow window;
    window.show();
    return QApplication::exec();
}

} // namespace gallery
