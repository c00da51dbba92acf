#include "GalleryOptions.h"

#include "skinbutton/types/SkinButtonEnums.h"

#include <QCommandLineParser>
#include <QMetaEnum>
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

const QList<int>& builtStyles()
{
    static const QList<int> styles = [] {
        const QMetaEnum looks = QMetaEnum::fromType<skin::ButtonStyle>();
        QList<int> all;
        for (int i = 0; i < looks.keyCount(); ++i)
            all.append(looks.value(i));
        return all;
    }();
    return styles;
}

namespace {

QCommandLineOption valueOption(const char* name, const char* text, const char* valueName, const char* byDefault = nullptr)
{
    QCommandLineOption option{QString::fromLatin1(name), QString::fromLatin1(text), QString::fromLatin1(valueName)};
    if (byDefault)
        option.setDefaultValue(QString::fromLatin1(byDefault));
    return option;
}

// Every option of the command line. A new option: a member here, a line in Options, and its
// reading in readButton() (what the button is) or readPicture() (what is written).
struct OptionSet {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption style = valueOption("style", "The Style to render.", "N");
    QCommandLineOption state = valueOption("state", "1 normal, 2 hot, 3 pressed, 4 disabled.", "1|2|3|4", "1");
    QCommandLineOption focus = valueOption("focus", "1: the button has the focus.", "0|1", "0");
    QCommandLineOption showFocus =
        valueOption("show-focus", "1: the ShowFocus property is set (the custom-colour ring of Style 5).", "0|1", "0");
    QCommandLineOption custom = valueOption("custom", "Custom colours, RRGGBB each: back, highlight, font, font highlight.",
                                            "BACK,HIGHLIGHT,FONT,FONTHIGHLIGHT");
    QCommandLineOption design{QStringLiteral("design"), QStringLiteral("Render as while the window is designed.")};
    QCommandLineOption size = valueOption("size", "Button size in pixels (at least 20x20).", "WxH", "75x23");
    QCommandLineOption palette = valueOption("palette", "System colours: the fixed reference set or this desktop's.",
                                             "reference|system", "reference");
    QCommandLineOption caption = valueOption("caption", "Button text; & marks a mnemonic.", "TEXT", "Button");
    QCommandLineOption mask{QStringLiteral("mask"), QStringLiteral("Make pixels outside the window shape transparent.")};
    QCommandLineOption out = valueOption("out", "The PNG file to write.", "FILE.png");

    void declare(QCommandLineParser& parser) const
    {
        parser.addOptions({help, style, state, focus, showFocus, custom, design, size, palette, caption, mask, out});
    }
};

using Failure = std::optional<UsageError>;

Failure fail(const char* text, const QString& value) { return UsageError{QString::fromLatin1(text).arg(value)}; }

Failure readButton(const QCommandLineParser& parser, const OptionSet& set, Options& o)
{
    if (parser.isSet(set.style)) {
        const auto n = parseInt(parser.value(set.style));
        if (!n)
            return fail("--style needs a number, not \"%1\"", parser.value(set.style));
        o.sheet = false;
        o.style = *n;
    }
    const auto state = parseInt(parser.value(set.state));
    if (!state || *state < 1 || *state > 4)
        return fail("--state must be 1, 2, 3 or 4, not \"%1\"", parser.value(set.state));
    o.state = *state;
    const auto focus = parseFlag(parser.value(set.focus));
    if (!focus)
        return fail("--focus must be 0 or 1, not \"%1\"", parser.value(set.focus));
    o.focus = *focus;
    const auto showFocus = parseFlag(parser.value(set.showFocus));
    if (!showFocus)
        return fail("--show-focus must be 0 or 1, not \"%1\"", parser.value(set.showFocus));
    o.showFocus = *showFocus;
    if (parser.isSet(set.custom)) {
        o.custom = parseCustom(parser.value(set.custom));
        if (!o.custom)
            return fail("--custom needs four RRGGBB colours separated by commas, not \"%1\"", parser.value(set.custom));
    }
    o.designMode = parser.isSet(set.design);
    return std::nullopt;
}

Failure readPicture(const QCommandLineParser& parser, const OptionSet& set, Options& o)
{
    const auto size = parseSize(parser.value(set.size));
    if (!size)
        return fail("--size must be WxH in pixels, not \"%1\"", parser.value(set.size));
    o.size = *size;
    const QString palette = parser.value(set.palette);
    if (palette != QLatin1String("reference") && palette != QLatin1String("system"))
        return fail("--palette must be reference or system, not \"%1\"", palette);
    o.referencePalette = palette == QLatin1String("reference");
    o.caption = parser.value(set.caption);
    o.mask = parser.isSet(set.mask);
    if (!parser.isSet(set.out) || parser.value(set.out).isEmpty())
        return UsageError{QStringLiteral("--out FILE.png is required")};
    o.out = parser.value(set.out);
    return std::nullopt;
}

} // namespace

std::variant<Options, Help, UsageError> parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders SkinButton looks to a PNG file without a display: with --style one button "
        "(0-10; any other number shows the plain button face), otherwise a sheet of every style in "
        "every state."));
    const OptionSet set;
    set.declare(parser);
    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    if (parser.isSet(set.help))
        return Help{parser.helpText()};
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first())};

    Options o;
    if (Failure failure = readButton(parser, set, o))
        return *failure;
    if (Failure failure = readPicture(parser, set, o))
        return *failure;
    return o;
}

} // namespace gallery
