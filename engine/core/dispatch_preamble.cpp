#include "data_repair/dispatch_preamble.h"

#include "data_repair/file_access.h"

namespace data_repair {

EntryInput readEntryInput(const RepairRequest& request, IProgress* progress, const EntryPreamble& preamble,
                          bool repairing)
{
    EntryInput input;
    reportProgress(progress, preamble.kind, "read", request.input.path, 0, 1);
    std::string error;
    input.file = openInputFile(pathFromUtf8(request.input.path), &error);
    if (input.file.bytes().empty() && !error.empty()) {
        input.stop = entryFailure(request, preamble.kind, repairing ? request.mode : static_cast<int32_t>(Analyze),
                                  kStatusReadFailed, error);
        return input;
    }
    // A mapped input is there at once, with no read to notice a cancellation on the way.
    if (!repairing && cancellationRequested(progress)) {
        input.stop = entryFailure(request, preamble.kind, Analyze, kStatusCancelled, cancelledMessage(preamble.kind));
        return input;
    }
    if (repairing && cancellationRequested(progress)) {
        RepairResult cancelled = preamble.start(request, input.file.bytes());
        cancelled.setStatus(RepairStatus::failure(kStatusCancelled, cancelledMessage(preamble.kind)));
        input.stop = std::move(cancelled);
        return input;
    }
    if (!repairing)
        reportProgress(progress, preamble.kind, "analyze", request.input.path, 1, 2);
    else if (preamble.announceRepairStage)
        reportProgress(progress, preamble.kind, "repair", request.input.path, 1, 2);
    return input;
}

RepairResult inputChangedFailure(const RepairRequest& request, const EntryPreamble& preamble, bool repairing)
{
    return entryFailure(request, preamble.kind, repairing ? request.mode : static_cast<int32_t>(Analyze),
                        kStatusReadFailed, kErrShortRead);
}

} // namespace data_repair
