#pragma once

// A second opinion on a repaired output, independent of the engine that wrote it: does a real
// decoder open it as the kind its suffix and content declare? Reads only the file; never writes,
// never runs another program.

#include "common/ui_text.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace olm::repair {

struct OutputValidationResult {
    OutputValidationResult(bool valid = false, UiText message = {}, UiText loss = {})
        : valid(valid), message(std::move(message)), loss(std::move(loss))
    {
    }

    bool valid = false;
    UiText message;
    // Set on an invalid picture that still decodes to its declared size with its missing part
    // filled in: what of it was lost. The job accepts such a picture when the engine reported the
    // input cut short.
    UiText loss;
};

// How a running validation hears of a stop and tells how far it got; both may be empty. A stopped
// validation returns an invalid result (the job then reports the cancellation).
struct ValidationControl {
    std::function<bool()> cancelled;
    std::function<void(qint64 done, qint64 total)> progress;

    bool isCancelled() const { return cancelled && cancelled(); }
    void report(qint64 done, qint64 total) const
    {
        if (progress)
            progress(done, total);
    }
};

namespace OutputValidationService {

inline constexpr qint64 kTextLimit = 67108864;   // 64 MiB, inclusive
inline constexpr qint64 kWindowSize = 1048576;   // head and tail windows
inline constexpr qint64 kScanBlockSize = 1048576;

OutputValidationResult validateOutput(const QString& path, const ValidationControl& control = {});

bool startsWithBytes(const QByteArray& bytes, const QByteArray& prefix);
// True when every marker occurs somewhere in the file; streams it in 1 MiB blocks with an overlap,
// so a marker across a block boundary is found too.
bool fileContainsAllMarkers(const QString& path, const QList<QByteArray>& markers);

} // namespace OutputValidationService

} // namespace olm::repair
