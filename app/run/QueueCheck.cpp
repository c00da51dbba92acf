#include "QueueCheck.h"

#include "EraseLoop.h"
#include "erase/EraseEngine.h"

#include <QFile>

#include <optional>
#include <string>

namespace zarvok::app {

QString notQueuedWarning(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    const std::optional<erase::Outcome> outcome = erase::checkBeforeErase(std::string(bytes.constData(), std::size_t(bytes.size())));
    if (!outcome)
        return {};
    if (outcome->status == erase::Status::NoFolder)
        return outcome->found == erase::Found::Nothing ? notExistMessage(path) : notAFolderMessage(path, outcome->found);
    return refusedMessage(path, failureReason(*outcome, path));
}

} // namespace zarvok::app
