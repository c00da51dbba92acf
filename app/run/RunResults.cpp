#include "RunResults.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cerrno>

namespace zarvok::app {
namespace {

QString count(std::uint64_t n)
{
    // Fixed English like every text of the window, whatever the desktop's language.
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(static_cast<qulonglong>(n));
}

QString seconds(qint64 ms)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(double(ms) / 1000.0, 'f', 1) + QStringLiteral(" s");
}

QString reasonText(const erase::Outcome& outcome)
{
    if (!outcome.reason.empty())
        return QString::fromStdString(outcome.reason);
    if (outcome.error)
        return QString::fromStdString(outcome.error.message());
    return QStringLiteral("unknown error");
}

FolderResult::Kind kindOf(const erase::Outcome& outcome)
{
    using Kind = FolderResult::Kind;
    switch (outcome.status) {
    case erase::Status::Erased:
        return Kind::Erased;
    case erase::Status::NoFolder:
        return outcome.found == erase::Found::Nothing ? Kind::Missing : Kind::NotAFolder;
    case erase::Status::Refused:
        return Kind::Refused;
    case erase::Status::Failed:
        break;
    }
    return outcome.error == std::make_error_code(std::errc::operation_canceled) ? Kind::Stopped : Kind::NotErased;
}

} // namespace

FolderResult resultOf(const QString& folder, const erase::Outcome& outcome, std::uint64_t removed, qint64 elapsedMs)
{
    FolderResult result;
    result.folder = folder;
    result.kind = kindOf(outcome);
    result.removed = removed;
    result.elapsedMs = elapsedMs;
    if (outcome.error.category() == std::system_category())
        result.error = outcome.error.value();
    if (result.kind == FolderResult::Kind::Erased || result.kind == FolderResult::Kind::Stopped)
        return result;
    if (result.kind == FolderResult::Kind::NotAFolder)
        result.reason = outcome.found == erase::Found::SymbolicLink ? QStringLiteral("a symbolic link, not a folder")
                                                                    : QStringLiteral("a file, not a folder");
    else if (result.kind == FolderResult::Kind::Missing)
        result.reason = QStringLiteral("no folder at this path");
    else
        result.reason = reasonText(outcome);
    const QString entry = QFile::decodeName(QByteArray::fromStdString(outcome.failedPath));
    if (!entry.isEmpty() && QDir::cleanPath(entry) != QDir::cleanPath(folder))
        result.firstLeft = entry;
    return result;
}

QString outcomeText(const FolderResult& result)
{
    using Kind = FolderResult::Kind;
    const QString done = count(result.removed) + QStringLiteral(" removed in ") + seconds(result.elapsedMs);
    if (result.asAdministrator) {
        if (result.kind == Kind::Erased)
            return QStringLiteral("Erased as administrator");
        if (result.kind == Kind::NotErased)
            return QStringLiteral("Not fully erased as administrator");
        if (result.kind == Kind::Refused)
            return QStringLiteral("Refused as administrator, nothing erased");
    }
    switch (result.kind) {
    case Kind::Erased:
        return QStringLiteral("Erased: ") + done;
    case Kind::Stopped:
        return QStringLiteral("Stopped: ") + done;
    case Kind::Missing:
        return QStringLiteral("Not found");
    case Kind::NotAFolder:
        return QStringLiteral("Not a folder");
    case Kind::Refused:
        return QStringLiteral("Refused, nothing erased");
    case Kind::NotErased:
        return QStringLiteral("Not fully erased: ") + done;
    }
    return {};
}

QString resultNote(const FolderResult& result)
{
    QString note = outcomeText(result);
    if (!result.reason.isEmpty())
        note += QStringLiteral("\n") + result.reason;
    if (!result.firstLeft.isEmpty())
        note += QStringLiteral("\nFirst entry left: ") + result.firstLeft;
    return note;
}

QString resultsAsText(const QList<FolderResult>& results)
{
    QString text = QStringLiteral("Folder\tOutcome\tReason\n");
    for (const FolderResult& result : results) {
        QString reason = result.reason;
        if (!result.firstLeft.isEmpty())
            reason += QStringLiteral(" (at ") + result.firstLeft + QLatin1Char(')');
        text += result.folder + QLatin1Char('\t') + outcomeText(result) + QLatin1Char('\t') + reason + QLatin1Char('\n');
    }
    return text;
}

void RunResults::record(const FolderResult& result)
{
    m_results.removeIf([&](const FolderResult& earlier) { return earlier.folder == result.folder; });
    m_results.append(result);
    emit recorded(result);
}

const FolderResult* RunResults::find(const QString& folder) const
{
    for (const FolderResult& result : m_results)
        if (result.folder == folder)
            return &result;
    return nullptr;
}

} // namespace zarvok::app
