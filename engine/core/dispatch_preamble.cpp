#include "data_repair/dispatch_preamble.h"

#include "data_repair/file_access.h"

namespace data_repair {

EntryInput readEntryInput(const RepairRequest& request, IProgress* progress, const EntryPreamble& preamble,
                          bool repairing)
{
    EntryInput input;
    reportProgress(progress, preamble.kind, "read", request.input.path, 0, 1);
    std::string error;
    input.bytes = readFile(pathFromUtf8(request.input.path), &error);
    if (input.bytes.empty() && !error.empty()) {
        input.stop = entryFailure(request, preamble.kind, repairing ? request.mode : static_cast<int32_t>(Analyze),
                                  kStatusReadFailed, error);
        return input;
    }
    if (repairing && cancellationRequested(progress)) {
        RepairResult cancelled = preamble.start(request, input.bytes);
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

} // namespace data_repair
