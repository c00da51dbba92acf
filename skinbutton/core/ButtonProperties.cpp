#include "ButtonProperties.h"

namespace skin {

namespace {

// Stored keys; the spelling is part of the stored form.
const char* const kStyle = "Style";
const char* const kIcon = "Icon";
const char* const kCaption = "Caption";
const char* const kIconSize = "IconSize";
const char* const kIconAlign = "IconAlign";
const char* const kCaptionAlign = "CaptionAlign";
const char* const kNonThemeStyle = "iNonThemeStyle";
const char* const kEnabled = "Enabled";
const char* const kShowFocus = "ShowFocus";
const char* const kUseCustomColors = "USeCustomColors";
const char* const kBackColor = "BackColor";
const char* const kHighlightColor = "HighlightColor";
const char* const kFontColor = "FontColor";
const char* const kFontHighlightColor = "FontHighlightColor";
const char* const kToolTipText = "ToolTipText";
const char* const kToolTipTitle = "Tooltiptitle";
const char* const kToolTipIcon = "ToolTipIcon";
const char* const kToolTipType = "ToolTipType";
const char* const kToolTipBackColor = "ttBackColor";
const char* const kToolTipForeColor = "ttForeColor";
const char* const kFont = "Font";
const char* const kButtonType = "ButtonType";
const char* const kValue = "Value";

constexpr int kDefaultStyle = 3;
constexpr int kDefaultNonThemeStyle = 5;
constexpr int kLoadedIconAlign = 1;
constexpr int kLoadedToolTipType = 1;
constexpr int kDefaultIconSize = 16;

// Reads key after key into the members, stopping at the first value of the wrong kind.
class Loader {
public:
    explicit Loader(const PropertyBag& bag) : m_bag(bag) {}

    void integer(const char* key, int& member, int fallback)
    {
        convert(key, PropertyValue(qint32(fallback)), [&member](const PropertyValue& v) {
            const auto n = v.toInteger();
            if (n)
                member = *n;
            return n.has_value();
        });
    }
    void boolean(const char* key, bool& member, bool fallback)
    {
        convert(key, PropertyValue(fallback), [&member](const PropertyValue& v) {
            const auto b = v.toBoolean();
            if (b)
                member = *b;
            return b.has_value();
        });
    }
    void text(const char* key, QString& member, const QString& fallback)
    {
        convert(key, PropertyValue(fallback), [&member](const PropertyValue& v) {
            const auto t = v.toText();
            if (t)
                member = *t;
            return t.has_value();
        });
    }
    void colour(const char* key, Color& member, Color fallback)
    {
        convert(key, PropertyValue::colour(fallback), [&member](const PropertyValue& v) {
            const auto c = v.toColour();
            if (c)
                member = *c;
            return c.has_value();
        });
    }
    void picture(const char* key, Picture& member)
    {
        QString why;
        convert(key, PropertyValue(Picture{}), [&member, &why](const PropertyValue& v) {
            const auto p = v.toPicture(&why);
            if (p)
                member = *p;
            return p.has_value();
        });
        if (m_error && !why.isEmpty())
            m_error = QStringLiteral("\"%1\": %2").arg(QLatin1String(key), why);
    }
    void font(const char* key, StoredFont& member, const StoredFont& fallback)
    {
        convert(key, PropertyValue(fallback), [&member](const PropertyValue& v) {
            const auto f = v.toFont();
            if (f)
                member = *f;
            return f.has_value();
        });
    }

    const std::optional<QString>& error() const { return m_error; }

private:
    template <class Store>
    void convert(const char* key, const PropertyValue& fallback, Store store)
    {
        if (m_error)
            return;
        const QString name = QLatin1String(key);
        if (!store(m_bag.ReadProperty(name, fallback)))
            m_error = QStringLiteral("\"%1\" does not hold a value of the right kind").arg(name);
    }

    const PropertyBag& m_bag;
    std::optional<QString> m_error;
};

} // namespace

StoredFont designFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return StoredFont{font, 0};
}

ButtonProperties initialProperties(const PropertyHost& host)
{
    ButtonProperties p;
    p.style = 0;
    p.caption = host.name;
    p.iconSize = kDefaultIconSize;
    p.icon = Picture{};
    p.showFocus = false;
    p.useCustomColors = false;
    p.enabled = true;
    p.backColor = host.systemColor(SysColor::ButtonFace);
    p.highlightColor = host.systemColor(SysColor::Highlight);
    p.fontColor = host.systemColor(SysColor::ButtonText);
    p.fontHighlightColor = host.systemColor(SysColor::ButtonText);
    p.font = host.surfaceFont;
    return p;
}

void writeProperties(const ButtonProperties& p, PropertyBag& bag, const PropertyHost& host)
{
    auto colour = [](Color c) { return PropertyValue::colour(c); };
    auto system = [&host](int index) { return PropertyValue::colour(host.systemColor(index)); };
    auto key = [](const char* k) { return QLatin1String(k); };

    bag.WriteProperty(key(kIcon), p.icon);
    bag.WriteProperty(key(kStyle), qint32(p.style), qint32(kDefaultStyle));
    bag.WriteProperty(key(kCaption), p.caption, QString());
    bag.WriteProperty(key(kIconSize), qint32(p.iconSize), qint32(kDefaultIconSize));
    bag.WriteProperty(key(kIconAlign), qint32(p.iconAlign), qint32(0));
    bag.WriteProperty(key(kCaptionAlign), qint32(p.captionAlign), qint32(0));
    bag.WriteProperty(key(kNonThemeStyle), qint32(p.nonThemeStyle), qint32(kDefaultNonThemeStyle));
    bag.WriteProperty(key(kEnabled), p.enabled, true);
    bag.WriteProperty(key(kShowFocus), p.showFocus, false);
    bag.WriteProperty(key(kUseCustomColors), p.useCustomColors, false);
    bag.WriteProperty(key(kBackColor), colour(p.backColor), system(SysColor::ButtonFace));
    bag.WriteProperty(key(kHighlightColor), colour(p.highlightColor), system(SysColor::Highlight));
    bag.WriteProperty(key(kFontColor), colour(p.fontColor), system(SysColor::ButtonText));
    bag.WriteProperty(key(kFontHighlightColor), colour(p.fontHighlightColor), system(SysColor::ButtonText));
    bag.WriteProperty(key(kToolTipText), p.toolTip, host.toolTipText);
    bag.WriteProperty(key(kToolTipTitle), p.toolTipTitle);
    bag.WriteProperty(key(kToolTipIcon), qint32(p.toolTipIcon));
    bag.WriteProperty(key(kToolTipType), qint32(p.toolTipType));
    // The tooltip colours default to the opposite system colours; the stored form has always
    // paired them so, and files saved that way must keep loading the same.
    bag.WriteProperty(key(kToolTipBackColor), colour(p.toolTipBackColor), system(SysColor::ToolTipText));
    bag.WriteProperty(key(kToolTipForeColor), colour(p.toolTipForeColor), system(SysColor::ToolTipBack));
    bag.WriteProperty(key(kFont), p.font);
    bag.WriteProperty(key(kButtonType), qint32(p.buttonType), qint32(0));
    bag.WriteProperty(key(kValue), p.value, false);
}

std::optional<QString> readProperties(const PropertyBag& bag, ButtonProperties& p, const PropertyHost& host)
{
    Loader in(bag);
    in.picture(kIcon, p.icon);
    in.integer(kStyle, p.style, kDefaultStyle);
    in.text(kCaption, p.caption, QStringLiteral("SkinButton"));
    in.integer(kIconSize, p.iconSize, kDefaultIconSize);
    in.integer(kCaptionAlign, p.captionAlign, 0);
    in.integer(kIconAlign, p.iconAlign, kLoadedIconAlign);
    in.integer(kNonThemeStyle, p.nonThemeStyle, kDefaultNonThemeStyle);
    in.boolean(kEnabled, p.enabled, true);
    in.boolean(kShowFocus, p.showFocus, false);
    in.boolean(kUseCustomColors, p.useCustomColors, false);
    in.colour(kBackColor, p.backColor, host.systemColor(SysColor::ButtonFace));
    in.colour(kHighlightColor, p.highlightColor, host.systemColor(SysColor::Highlight));
    in.colour(kFontColor, p.fontColor, host.systemColor(SysColor::ButtonText));
    in.colour(kFontHighlightColor, p.fontHighlightColor, host.systemColor(SysColor::ButtonText));
    in.text(kToolTipText, p.toolTip, host.toolTipText);
    in.text(kToolTipTitle, p.toolTipTitle, QString());
    in.integer(kToolTipIcon, p.toolTipIcon, 0);
    in.integer(kToolTipType, p.toolTipType, kLoadedToolTipType);
    in.colour(kToolTipBackColor, p.toolTipBackColor, host.systemColor(SysColor::ToolTipText));
    in.colour(kToolTipForeColor, p.toolTipForeColor, host.systemColor(SysColor::ToolTipBack));
    in.font(kFont, p.font, host.surfaceFont);
    in.integer(kButtonType, p.buttonType, 0);
    in.boolean(kValue, p.value, false);
    return in.error();
}

} // namespace skin
