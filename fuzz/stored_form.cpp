// A window's stored form: a whole form file, each of its controls read by the window's own
// reader and loaded into a real button, which lays itself out and paints.
//
// After every input: every control loads (fully, or with a reason given); the loaded button is
// in a visual state 1-4 and has painted a surface of its own size; and a second button loaded
// from what the first one saves paints the same pixels and saves the same properties (once the
// written changes of an empty caption and IconAlign 0 have settled).

#include "forms/ButtonForm.h"
#include "FuzzSupport.h"
#include "skinbutton/core/SkinButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

#include <memory>

using namespace zarvok;

namespace {

QString g_formPath;
constexpr int kMostControls = 8; // keeps one input quick; the forms have six at most
const QRect kGeometry(0, 0, 65, 59); // a toolbar button of the main window

QString jsonText(const skin::PropertyBag& bag)
{
    return QString::fromUtf8(QJsonDocument(bag.toJson()).toJson(QJsonDocument::Compact));
}

std::unique_ptr<skin::SkinButton> loadedButton(QWidget& window, const QString& name, const skin::PropertyBag& bag)
{
    auto button = std::make_unique<skin::SkinButton>(&window);
    button->setObjectName(name);
    button->initProperties();
    button->setGeometry(kGeometry);
    QString error;
    const bool loaded = button->readProperties(bag, &error);
    fuzz::check(loaded || !error.isEmpty(), "a load that stops says why", name);
    const int state = button->visualState();
    fuzz::check(state >= 1 && state <= 4, "a loaded button is in a visual state 1-4", QString::number(state));
    fuzz::check(button->grab().toImage().size() == kGeometry.size(), "a loaded button has painted its whole surface",
                jsonText(bag));
    return button;
}

void checkControl(QWidget& window, const QString& name)
{
    const skin::PropertyBag stored = forms::storedProperties(g_formPath, name);
    auto first = loadedButton(window, name, stored);
    // As written, an empty caption and IconAlign 0 are saved as absent and load as "SkinButton"
    // and 1: one more round settles them.
    if (first->Caption().isEmpty() || first->IconAlign() == 0)
        first = loadedButton(window, name, first->writeProperties());
    const skin::PropertyBag saved = first->writeProperties();
    const auto second = loadedButton(window, name, saved);
    fuzz::check(jsonText(second->writeProperties()) == jsonText(saved), "a saved button saves the same again",
                jsonText(saved) + QLatin1Char('\n') + jsonText(second->writeProperties()));
    fuzz::check(second->grab().toImage() == first->grab().toImage(), "a saved button paints the same again",
                jsonText(stored) + QLatin1Char('\n') + jsonText(saved));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const QString home = fuzz::usePrivateHome();
    QDir::setCurrent(home); // a relative picture path names nothing
    g_formPath = home + QStringLiteral("/form.json");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::quietQtMessages();
    fuzz::startQt<QApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile file(g_formPath);
        fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the form file can be written");
        file.write(bytes);
    }
    QWidget window;
    // The names the window asks for, as the form file lists them, and one it does not list.
    QStringList names = QJsonDocument::fromJson(bytes).object().keys().mid(0, kMostControls);
    names << QStringLiteral("cmdMissing");
    for (const QString& name : names)
        checkControl(window, name);
    return 0;
}
