#pragma once
/// @file PropertyValue.h
/// One stored value of a control's stored form (PropertyBag.h): an integer, a boolean, a text, a
/// colour, a picture or a font.

#include "Color.h"
#include "Picture.h"
#include "SkinButtonGlobal.h"
#include "StoredFont.h"

#include <QJsonValue>
#include <QSharedDataPointer>
#include <QString>

#include <optional>

namespace skin {

class PropertyValueData;

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

} // namespace skin
