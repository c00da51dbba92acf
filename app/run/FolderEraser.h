#pragma once
// Erases one folder tree at a time for the erase run, without blocking the caller; tests stand
// in for it.

#include "erase/EraseEngine.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace zarvok::app {

class FolderEraser : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts erasing the tree; finished() follows, never from inside this call.
    virtual void start(const QString& path) = 0;
    // Asks the erase in progress to stop between entries; finished() still follows.
    virtual void stop() = 0;
    // Entries removed so far by the erase in progress (or the last one); read while it runs.
    virtual std::uint64_t removedSoFar() const = 0;

signals:
    void finished(const zarvok::erase::Outcome& outcome);
};

} // namespace zarvok::app

Q_DECLARE_METATYPE(zarvok::erase::Outcome)
