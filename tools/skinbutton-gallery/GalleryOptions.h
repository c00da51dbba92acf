#pragma once
// The gallery's command line: one button, or a sheet of every style and state, to a PNG.

#include "skinbutton/types/Color.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>

namespace gallery {

struct CustomColors {
    skin::Color back = 0;
    skin::Color highlight = 0;
    skin::Color font = 0;
    skin::Color fontHighlight = 0;
};

struct Options {
    bool sheet = true; // no --style: every style and state
    int style = 0;
    int state = 1; // 1 normal, 2 hot, 3 pressed, 4 disabled
    bool focus = false;
    bool showFocus = false; // the ShowFocus property
    bool checked = false;   // a toggle button whose value is true (the sheet's "checked" column)
    bool isDefault = false; // a dialog's default button (the sheet's "default" column)
    QSize size{75, 23};
    bool referencePalette = true;
    QString caption = QStringLiteral("Button");
    std::optional<CustomColors> custom;
    bool designMode = false;
    bool mask = false;
    QString out;
};

struct Help {
    QString text;
};

struct UsageError {
    QString message;
};

// Every style, 0-10: the rows of a sheet.
const QList<int>& builtStyles();

// To add an option: see OptionSet in GalleryOptions.cpp.
std::variant<Options, Help, UsageError> parseOptions(const QStringList& arguments);

} // namespace gallery
