#pragma once
/// @file PropertyBag.h
/// A control's stored form: the PropertyBag of typed values under keys.
///
// The stored properties of one control: typed values under keys that compare without regard to
// letter case. Writes keep their first spelling and order, so a saved bag lists its keys in the
// order they were written.
//
// JSON form (one object per control, the key spelling as written):
//   integer  -> JSON number (integral, 32-bit)
//   boolean  -> JSON true / false
//   text     -> JSON string
//   colour   -> JSON string "#RRGGBB" (an integer 0x00BBGGRR is accepted as well)
//   picture  -> JSON string: a resource or file path (":/icons/exit.svg", SVG included), or
//               "data:image/png;base64,..." for a picture that came from no file; "" is no picture
//   font     -> JSON object {"family": text, "pointSize": number, "weight": 100-900 (400 normal),
//               "italic": bool, "charset": integer}
// A JSON string is read back as text; it becomes a colour or a picture when the control reads it
// into a member of that type (see PropertyValue::toColour and toPicture).

#include "Color.h"
#include "SkinButtonGlobal.h"

#include <QFont>
#include <QImage>
#include <QJsonObject>
#include <QJsonValue>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>

#include <optional>

namespace skin {

class PropertyValueData;
class PropertyBagData;

/// A picture and where it came from, so that saving a loaded picture writes its path back.
struct SKINBUTTON_EXPORT Picture {
    QString source; ///< resource or file path; empty when the picture was made in memory
    QImage image;   ///< null: no picture

    /// True when there is no picture.
    bool isNull() const { return image.isNull(); }
    /// Same source and same pixels.
    friend bool operator==(const Picture& a, const Picture& b) { return a.source == b.source && a.image == b.image; }
    /// Another source or other pixels.
    friend bool operator!=(const Picture& a, const Picture& b) { return !(a == b); }

    /// Loads an image file or resource (SVG through the Qt SVG image plug-in). An empty path is no
    // picture; a path that cannot be read yields nullopt and the reason.
    static std::optional<Picture> load(const QString& path, QString* error = nullptr);
};

/// A font as stored: Qt has no character set, so the stored one is carried along unchanged.
struct StoredFont {
    QFont font;      ///< the font
    int charset = 0; ///< the stored character set, kept as it was read
    /// Same font and character set.
    friend bool operator==(const StoredFont& a, const StoredFont& b) { return a.font == b.font && a.charset == b.charset; }
    /// Another font or character set.
    friend bool operator!=(const StoredFont& a, const StoredFont& b) { return !(a == b); }
};

/// A stored colour, 0x00BBGGRR (told apart from an integer by its type).
struct ColourValue {
    Color rgb = 0; ///< the colour
    /// Same colour.
    friend bool operator==(const ColourValue& a, const ColourValue& b) { return a.rgb == b.rgb; }
    /// Another colour.
    friend bool operator!=(const ColourValue& a, const ColourValue& b) { return !(a == b); }
};

/// One stored value: an integer, a boolean, a text, a colour, a picture or a font.
class SKINBUTTON_EXPORT PropertyValue {
public:
    /// The kinds of value, in the order of the stored form's types.
    enum class Type { Integer, Boolean, Text, Colour, Picture, Font };

    /// An integer.
    PropertyValue(qint32 v);
    /// A boolean.
    PropertyValue(bool v);
    /// A text.
    PropertyValue(const QString& v);
    /// A text, from UTF-8.
    PropertyValue(const char* v);
    /// A colour.
    PropertyValue(ColourValue v);
    /// A picture.
    PropertyValue(const skin::Picture& v);
    /// A font.
    PropertyValue(const StoredFont& v);
    /// Copies share the value until one of them changes.
    PropertyValue(const PropertyValue& other);
    /// Takes the other's value.
    PropertyValue(PropertyValue&& other) noexcept;
    /// Shares the other's value.
    PropertyValue& operator=(const PropertyValue& other);
    /// Takes the other's value.
    PropertyValue& operator=(PropertyValue&& other) noexcept;
    /// Lets go of the value.
    ~PropertyValue();
    /// A colour, 0x00BBGGRR.
    static PropertyValue colour(Color c) { return PropertyValue(ColourValue{c}); }

    /// The kind of value held.
    Type type() const;

    /// @name Conversions
    /// Used when a stored value is read into a member; nullopt when the stored value cannot
    /// stand for the member's type.
    /// @{

    /// As an integer.
    std::optional<qint32> toInteger() const;
    /// As a boolean.
    std::optional<bool> toBoolean() const;
    /// As a text.
    std::optional<QString> toText() const;
    /// As a colour (a colour, an integer 0x00BBGGRR, or a text "#RRGGBB").
    std::optional<Color> toColour() const;
    /// As a picture; a text is a file or resource path to load (error: why it could not be read).
    std::optional<skin::Picture> toPicture(QString* error = nullptr) const;
    /// As a font.
    std::optional<StoredFont> toFont() const;
    /// @}

    /// The value in the JSON form (see PropertyBag.h).
    QJsonValue toJson() const;
    /// A value from its JSON form; nullopt, with the reason in error, when it cannot be read.
    static std::optional<PropertyValue> fromJson(const QJsonValue& json, QString* error = nullptr);

    /// Same kind and same value.
    friend SKINBUTTON_EXPORT bool operator==(const PropertyValue& a, const PropertyValue& b);
    /// Another kind or another value.
    friend bool operator!=(const PropertyValue& a, const PropertyValue& b) { return !(a == b); }

private:
    QSharedDataPointer<PropertyValueData> d;
};

/// The stored properties of one control: typed values under keys that compare without regard to
/// letter case; a saved bag lists its keys in the order they were first written.
class SKINBUTTON_EXPORT PropertyBag {
public:
    /// An empty bag.
    PropertyBag();
    /// Copies share the entries until one of them changes.
    PropertyBag(const PropertyBag& other);
    /// Takes the other's entries.
    PropertyBag(PropertyBag&& other) noexcept;
    /// Shares the other's entries.
    PropertyBag& operator=(const PropertyBag& other);
    /// Takes the other's entries.
    PropertyBag& operator=(PropertyBag&& other) noexcept;
    /// Lets go of the entries.
    ~PropertyBag();

    /// Stores value under key; with a default given and the value equal to it, the key is
    /// removed instead, so that a default never appears in a saved bag.
    void WriteProperty(const QString& key, const PropertyValue& value,
                       const std::optional<PropertyValue>& defaultValue = std::nullopt);
    /// The stored value, or the default when the key is absent.
    PropertyValue ReadProperty(const QString& key, const PropertyValue& defaultValue) const;

    /// Whether key is stored (letter case aside).
    bool contains(const QString& key) const;
    /// The value stored under key, or nullopt.
    std::optional<PropertyValue> value(const QString& key) const;
    /// The keys in the order first written, with the first spelling.
    QStringList keys() const;
    /// The number of keys.
    int size() const;

    /// The bag as one JSON object (one control's stored form).
    QJsonObject toJson() const;
    /// A bag from one control's JSON object. Entries that cannot be read (arrays, null,
    /// fractional numbers, fonts without a family) are left out and each is described in
    /// problems; without a list they are reported as warnings.
    static PropertyBag fromJson(const QJsonObject& json, QStringList* problems = nullptr);

private:
    QSharedDataPointer<PropertyBagData> d;
};

} // namespace skin
