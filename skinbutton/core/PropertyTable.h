#pragma once
// Every public property of a SkinButton, described once: its Qt property name, the name its
// change is notified under, its stored key, its type, what a new button starts with, its save
// and load defaults, what a write does after storing, and where painting reads it. Setters,
// resets, a new button, loading, saving and the look snapshot all walk this table, so a new
// property is one row here, its ButtonProperties member and its Qt accessors (moc reads only
// literal Q_PROPERTY lines; a test checks each row has one).

#include "ButtonProperties.h"
#include "skinbutton/render/ButtonLook.h"

#include <span>
#include <variant>

namespace skin {

using LookMember = std::variant<std::monostate, int ButtonLook::*, bool ButtonLook::*, QString ButtonLook::*,
                                QImage ButtonLook::*, QFont ButtonLook::*>;

// How the member is stored: a Color shares int's member type but is stored as a colour.
using PropertyKind = PropertyValue::Type;

// After storing: rerun the size handling, only repaint, or the two with orders of their own.
enum class OnWrite { Relayout, Repaint, Enabled, Font };

// Where a new button's value, a save default or a load default comes from: the member's own
// initializer in ButtonProperties, a constant, or the host at that moment.
struct PropertyDefault {
    enum class From { None, Declared, Constant, SystemColor, HostName, HostToolTip, HostFont };
    From from = From::None;
    PropertyValue constant = qint32(0);
    int systemColor = 0;

    static PropertyDefault none() { return {}; } // as a save default: always written
    static PropertyDefault declared() { return {From::Declared}; }
    static PropertyDefault of(const PropertyValue& v) { return {From::Constant, v}; }
    static PropertyDefault system(int index) { return {From::SystemColor, qint32(0), index}; }
    static PropertyDefault hostName() { return {From::HostName}; }
    static PropertyDefault hostToolTip() { return {From::HostToolTip}; }
    static PropertyDefault hostFont() { return {From::HostFont}; }
};

struct PropertyRow {
    const char* name;     // the Qt property ("Style", "ToolTip", "value")
    const char* notified; // the change notification ("Style", "ToolTipText", "Value")
    const char* key;      // the stored key ("Style", "ttBackColor")
    PropertyKind kind;
    PropertyMember member;
    PropertyDefault initial; // what a new button starts with
    PropertyDefault saveDefault;
    PropertyDefault loadDefault;
    OnWrite onWrite;
    LookMember look; // monostate: painting does not read it as it stands
    bool savedBeforePrevious = false; // the one key that is saved before the key loaded ahead of it
};

// The rows in loading order.
std::span<const PropertyRow> propertyTable();
const PropertyRow& propertyRow(const PropertyMember& member);

// std::visit over the member variants with one lambda per type.
template <class... F>
struct overloaded : F... {
    using F::operator()...;
};
template <class... F>
overloaded(F...) -> overloaded<F...>; // clang before 17 deduces no aggregate without it

// Copies every property that painting reads into look.
void copyToLook(const ButtonProperties& props, ButtonLook& look);

// A row's member as a stored value, and back: false when the value cannot stand for the
// member's type (why: the reason a picture could not be read).
PropertyValue valueOf(const ButtonProperties& props, const PropertyRow& row);
bool store(const PropertyValue& value, const PropertyRow& row, ButtonProperties& props, QString* why = nullptr);
// The value a default stands for, for the row's member, with what the host knows now.
PropertyValue resolve(const PropertyDefault& d, const PropertyRow& row, const PropertyHost& host);

} // namespace skin
