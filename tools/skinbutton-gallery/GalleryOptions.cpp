#include "GalleryOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace gallery {

namespace {

std::optional<skin::Color> parseRrggbb(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (!hex.match(text).hasMatch())
        return std::nullopt;
    const uint v = text.toUInt(nullptr, 16);
    return skin::rgb(int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF);
}

std::optional<CustomColors> parseCustom(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<skin::Color, 4> colours{};
    for (int i = 0; i < 4; ++i) {
        const auto c = parseRrggbb(parts[i].trimmed());
        if (!c)
            return std::nullopt;
        colours[std::size_t(i)] = *c;
    }
    return CustomColors{colours[0], colours[1], colours[2], colours[3]};
}

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression wxh(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = wxh.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > 4000 || size.height() > 4000)
        return std::nullopt;
    return size;
}

std::optional<int> parseInt(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<bool> parseFlag(const QString& text)
{
    if (text == QLatin1String("0") || text == QLatin1String("1"))
        return text == QLatin1String("1");
    return std::nullopt;
}

} // namespace

const QList<int>& sheetStyles()
{
    static const QList<int> styles{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    return styles;
}

std::variant<Options, Help, UsageError> parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders SkinButton looks to a PNG file without a display: with --style one button "
        "(0-10; any other number shows the plain button face), otherwise a sheet of every style in "
        "every state."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption style(QStringLiteral("style"), QStringLiteral("The Style to render."), QStringLiteral("N"));
    const QCommandLineOption state(QStringLiteral("state"), QStringLiteral("1 normal, 2 hot, 3 pressed, 4 disabled."),
                                   QStringLiteral("1|2|3|4"), QStringLiteral("1"));
    const QCommandLineOption focus(QStringLiteral("focus"), QStringLiteral("1: the button has the focus."),
                                   QStringLiteral("0|1"), QStringLiteral("0"));
    const QCommandLineOption showFocus(QStringLiteral("show-focus"),
                                       QStringLiteral("1: the ShowFocus property is set (the custom-colour ring of Style 5)."),
                                       QStringLiteral("0|1"), QStringLiteral("0"));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Button size in pixels (at least 20x20)."),
                                  QStringLiteral("WxH"), QStringLiteral("75x23"));
    const QCommandLineOption palette(QStringLiteral("palette"),
                                     QStringLiteral("System colours: the fixed reference set or this desktop's."),
                                     QStringLiteral("reference|system"), QStringLiteral("reference"));
    const QCommandLineOption caption(QStringLiteral("caption"), QStringLiteral("Button text; & marks a mnemonic."),
                                     QStringLiteral("TEXT"), QStringLiteral("Button"));
    const QCommandLineOption custom(QStringLiteral("custom"),
                                    QStringLiteral("Custom colours, RRGGBB each: back, highlight, font, font highlight."),
                                    QStringLiteral("BACK,HIGHLIGHT,FONT,FONTHIGHLIGHT"));
    const QCommandLineOption design(QStringLiteral("design"), QStringLiteral("Render as while the window is designed."));
    const QCommandLineOption mask(QStringLiteral("mask"), QStringLiteral("Make pixels outside the window shape transparent."));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The PNG file to write."), QStringLiteral("FILE.png"));
    parser.addOptions({help, style, state, focus, showFocus, size, palette, caption, custom, design, mask, out});

    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    if (parser.isSet(help))
        return Help{parser.helpText()};
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first())};

    Options o;
    if (parser.isSet(style)) {
        const auto n = parseInt(parser.value(style));
        if (!n)
            return UsageError{QStringLiteral("--style needs a number, not \"%1\"").arg(parser.value(style))};
        o.sheet = false;
        o.style = *n;
    }
    const auto st = parseInt(parser.value(state));
    if (!st || *st < 1 || *st > 4)
        return UsageError{QStringLiteral("--state must be 1, 2, 3 or 4, not \"%1\"").arg(parser.value(state))};
    o.state = *st;
    const auto f = parseFlag(parser.value(focus));
    if (!f)
        return UsageError{QStringLiteral("--focus must be 0 or 1, not \"%1\"").arg(parser.value(focus))};
    o.focus = *f;
    const auto sf = parseFlag(parser.value(showFocus));
    if (!sf)
        return UsageError{QStringLiteral("--show-focus must be 0 or 1, not \"%1\"").arg(parser.value(showFocus))};
    o.showFocus = *sf;
    const auto sz = parseSize(parser.value(size));
    if (!sz)
        return UsageError{QStringLiteral("--size must be WxH in pixels, not \"%1\"").arg(parser.value(size))};
    o.size = *sz;
    const QString p = parser.value(palette);
    if (p != QLatin1String("reference") && p != QLatin1String("system"))
        return UsageError{QStringLiteral("--palette must be reference or system, not \"%1\"").arg(p)};
    o.referencePalette = p == QLatin1String("reference");
    o.caption = parser.value(caption);
    if (parser.isSet(custom)) {
        o.custom = parseCustom(parser.value(custom));
        if (!o.custom)
            return UsageError{QStringLiteral("--custom needs four RRGGBB colours separated by commas, not \"%1\"")
                                  .arg(parser.value(custom))};
    }
    o.designMode = parser.isSet(design);
    o.mask = parser.isSet(mask);
    if (!parser.isSet(out) || parser.value(out).isEmpty())
        return UsageError{QStringLiteral("--out FILE.png is required")};
    o.out = parser.value(out);
    return o;
}

} // namespace gallery
