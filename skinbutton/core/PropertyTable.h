#pragma once
// Every public property of a SkinButton, described once: its Qt property name, the name its
// change is notified under, its stored key, its type, its save and load defaults, what a write
// does after storing, and where painting reads it. Setters, loading, saving and the look
// snapshot all walk this table, so a new property is one row here plus its Qt accessors.

#include "ButtonProperties.h"
#include "skinbutton/render/ButtonLook.h"

#include <span>
#include <variant>

namespace skin {

using LookMember = std::variant<std::monostate, int ButtonLook::*, bool ButtonLook::*, QString ButtonLook::*,
                                QImage ButtonLook::*, QFont ButtonLook::*>;

// How the member is stored; Color shares int's member type but is stored as a colour.
enum class PropertyKind { Integer, Boolean, Text, ColorValue, PictureValue, FontValue };

// After storing: rerun the size handling, only repaint, or the two with orders of their own.
enum class OnWrite { Relayout, Repaint, Enabled, Font };

// A save or load default, possibly taken from the host at that moment.
struct StoredDefault {
    enum class From { None, Constant, SystemColor, HostToolTip, HostFont };
    From from = From::None;
    PropertyValue constant = qint32(0);
    int systemColor = 0;

    static StoredDefault none() { return {}; }
    static StoredDefault of(const PropertyValue& v) { return {From::Constant, v, 0}; }
    static StoredDefault system(int index) { return {From::SystemColor, qint32(0), index}; }
    static StoredDefault hostToolTip() { return {From::HostToolTip, qint32(0), 0}; }
    static StoredDefault hostFont() { return {From::HostFont, qint32(0), 0}; }
};

struct PropertyRow {
    const char* name;     // the Qt property ("Style", "ToolTip", "value")
    const char* notified; // the change notification ("Style", "ToolTipText", "Value")
    const char* key;      // the stored key ("Style", "ttBackColor")
    PropertyKind kind;
    PropertyMember member;
    StoredDefault saveDefault; // none: always written
    StoredDefault loadDefault;
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

} // namespace skin
