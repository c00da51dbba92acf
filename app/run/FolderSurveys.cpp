#include "FolderSurveys.h"

#include <QFile>
#include <QLocale>
#include <QSet>

namespace zarvok::app {
namespace {

const QLocale& english()
{
    // Fixed English like every text of the window, whatever the desktop's language.
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString countOf(std::uint64_t n, const char* one, const char* many)
{
    return english().toString(static_cast<qulonglong>(n)) + QLatin1Char(' ') + QString::fromLatin1(n == 1 ? one : many);
}

} // namespace

QString sizeText(std::uint64_t bytes)
{
    if (bytes < 1024)
        return countOf(bytes, "byte", "bytes");
    // Decimal units, as file managers on this desktop show sizes.
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
    double value = double(bytes) / 1000.0;
    int unit = 0;
    while (value >= 1000.0 && unit < 4) {
        value /= 1000.0;
        ++unit;
    }
    return english().toString(value, 'f', value < 10 ? 1 : 0) + QLatin1Char(' ') + QString::fromLatin1(units[unit]);
}

QString contentsText(std::uint64_t entries, std::optional<std::uint64_t> bytes, bool counting)
{
    if (counting)
        return countOf(entries, "item", "items") + QStringLiteral(" so far");
    if (!bytes)
        return countOf(entries, "item", "items");
    return countOf(entries, "item", "items") + QStringLiteral(", ") + sizeText(*bytes);
}

QString contentsNote(const FolderContents& contents)
{
    const erase::Survey& s = contents.survey;
    if (s.status == erase::Survey::Status::NoFolder)
        return QStringLiteral("No folder at this path");
    if (s.status == erase::Survey::Status::Refused)
        return QStringLiteral("Will be refused: ") + QString::fromStdString(s.reason);
    QString note = contentsText(s.entries, s.sized ? std::optional(s.bytes) : std::nullopt, contents.counting);
    if (s.mountPoints > 0)
        note += QStringLiteral("\n") + countOf(s.mountPoints, "mount point", "mount points")
                + QStringLiteral(" inside will stay (") + pathText(s.firstMountPoint) + QLatin1Char(')');
    if (s.lockedFolders > 0)
        note += QStringLiteral("\n") + countOf(s.lockedFolders, "folder", "folders")
                + QStringLiteral(" you may not empty (") + pathText(s.firstLocked) + QLatin1Char(')');
    if (s.unreadable > 0)
        note += QStringLiteral("\n") + countOf(s.unreadable, "folder", "folders") + QStringLiteral(" could not be read (")
                + pathText(s.firstUnreadable) + QStringLiteral(": ") + QString::fromStdString(s.reason) + QLatin1Char(')');
    return note;
}

QList<FolderExtent> extentsOf(const QStringList& folders, const FolderSurveys& surveys)
{
    QList<FolderExtent> extents;
    for (const QString& folder : folders) {
        const FolderContents* contents = surveys.find(folder);
        FolderExtent extent;
        if (contents != nullptr) {
            using Status = erase::Survey::Status;
            const Status status = contents->survey.status;
            extent.counted = !contents->counting && status != Status::Stopped;
            // Where the survey found no folder, or one an erase refuses, the erase removes nothing.
            const bool nothing = !contents->counting && (status == Status::NoFolder || status == Status::Refused);
            extent.entries = nothing ? 0 : contents->survey.entries + 1;
        }
        extents << extent;
    }
    return extents;
}

FolderSurveys::FolderSurveys(std::unique_ptr<FolderSurveyor> surveyor, QObject* parent)
    : QObject(parent)
    , m_surveyor(std::move(surveyor))
{
    connect(m_surveyor.get(), &FolderSurveyor::finished, this, &FolderSurveys::onFinished);
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &FolderSurveys::refreshCounting);
}

void FolderSurveys::follow(const QStringList& queued)
{
    const QSet<QString> present(queued.begin(), queued.end());
    const QStringList known = m_known.keys();
    for (const QString& folder : known)
        if (!present.contains(folder))
            forget(folder);
    m_waiting.removeIf([&](const QString& folder) { return !present.contains(folder); });
    for (const QString& folder : queued)
        if (!m_known.contains(folder) && !m_waiting.contains(folder) && folder != m_current)
            m_waiting.append(folder);
    startNext();
}

void FolderSurveys::forget(const QString& folder)
{
    m_waiting.removeAll(folder);
    if (folder == m_current) {
        m_surveyor->stop();
        m_current.clear();
        m_refresh.stop();
    }
    if (m_known.remove(folder) > 0)
        emit changed(folder);
    startNext();
}

void FolderSurveys::hurry(const QString& folder)
{
    if (m_waiting.removeAll(folder) == 0)
        return;
    m_waiting.prepend(folder);
    startNext();
}

void FolderSurveys::setRunAhead(bool on)
{
    const bool faster = on && !m_runAhead;
    m_runAhead = on;
    // What it counted so far stays shown until the faster survey has counted more.
    if (faster && !m_current.isEmpty())
        m_surveyor->start(m_current, FolderSurveyor::Priority::Normal);
}

const FolderContents* FolderSurveys::find(const QString& folder) const
{
    const auto it = m_known.constFind(folder);
    return it == m_known.constEnd() ? nullptr : &*it;
}

void FolderSurveys::startNext()
{
    if (!m_current.isEmpty() || m_waiting.isEmpty())
        return;
    m_current = m_waiting.takeFirst();
    m_known.insert(m_current, FolderContents{});
    m_clock.start();
    m_surveyor->start(m_current, m_runAhead ? FolderSurveyor::Priority::Normal : FolderSurveyor::Priority::Idle);
    m_refresh.start();
}

void FolderSurveys::refreshCounting()
{
    auto it = m_known.find(m_current);
    if (it == m_known.end())
        return;
    const std::uint64_t entries = m_surveyor->entriesSoFar();
    if (entries <= it->survey.entries)
        return;
    it->survey.entries = entries;
    it->survey.bytes = m_surveyor->bytesSoFar();
    emit changed(m_current);
}

void FolderSurveys::onFinished(const erase::Survey& survey)
{
    const QString folder = std::exchange(m_current, QString());
    m_refresh.stop();
    if (!folder.isEmpty()) {
        m_known.insert(folder, FolderContents{false, survey});
        emit changed(folder);
        emit surveyed(folder, m_clock.elapsed());
    }
    startNext();
}

} // namespace zarvok::app
