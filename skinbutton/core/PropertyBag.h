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

#include "PropertyValue.h"
#include "SkinButtonGlobal.h"

#include <QJsonObject>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>

#include <optional>

namespace skin {

class PropertyBagData;

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
