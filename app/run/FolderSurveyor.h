#pragma once
// Surveys one folder at a time in the background; tests stand in for it.

#include "erase/Survey.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace zarvok::app {

class FolderSurveyor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    enum class Priority {
        Idle,   // only what nobody else uses of the processor and the disk
        Normal, // as the erase's own, counting entries only: to keep ahead of an erase
    };
    // Starts surveying; finished() follows, never from inside this call.
    virtual void start(const QString& path, Priority priority) = 0;
    // Stops the survey in progress; its finished() does not follow.
    virtual void stop() = 0;
    // Counted so far by the survey in progress.
    virtual std::uint64_t entriesSoFar() const = 0;
    virtual std::uint64_t bytesSoFar() const = 0;

signals:
    void finished(const zarvok::erase::Survey& survey);
};

// The engine's survey on a thread of its own.
std::unique_ptr<FolderSurveyor> makeBackgroundSurveyor();

} // namespace zarvok::app

Q_DECLARE_METATYPE(zarvok::erase::Survey)
