#pragma once

// What every family entry does before it looks at a format: report the read, open the whole
// input (mapped read-only where it can be), turn a read failure into the entry's failure, stop a
// repair cancelled meanwhile, and announce the stage that follows; and after the format's work,
// turn an input that changed under it into a read failure. The families differ only in the fields
// below.

#include <cstdint>
#include <optional>
#include <utility>

#include "data_repair/byte_buffer.h"
#include "data_repair/file_access.h"
#include "data_repair/output_stage.h"
#include "data_repair/output_writer.h"
#include "data_repair/repair_interfaces.h"

namespace data_repair {

// The family's starting report for an input (kind, detected format, size, success).
using StartReport = RepairResult (*)(const RepairRequest& request, ByteView bytes);

struct EntryPreamble {
    int32_t kind;       // progress source, result kind and cancellation text
    StartReport start;  // the report a repair cancelled after the read starts from
    bool announceRepairStage = true; // false: the repair reports its own progress steps
};

// Either the whole input or the result the entry returns at once.
struct EntryInput {
    InputFile file;
    std::optional<RepairResult> stop;
};

EntryInput readEntryInput(const RepairRequest& request, IProgress* progress, const EntryPreamble& preamble,
                          bool repairing);

// The entry's result once its input is known to have changed (cut short or written to) while the
// format read it: what was read may not be one version of the file, so nothing built from it is
// kept (its outputs are never placed) and the entry fails as a read that ended early.
RepairResult inputChangedFailure(const RepairRequest& request, const EntryPreamble& preamble, bool repairing);

// Runs an analyze (repairing false) or repair entry: the preamble, then body(bytes) on the input,
// the whole under the allocation and cancellation guard.
template <typename Body>
RepairResult runEntry(const RepairRequest& request, IProgress* progress, const EntryPreamble& preamble,
                      bool repairing, Body&& body)
{
    const int32_t mode = repairing ? request.mode : static_cast<int32_t>(Analyze);
    return guardAllocation(request, preamble.kind, mode, progress, [&]() -> RepairResult {
        const ReadScope reads;
        EntryInput input = readEntryInput(request, progress, preamble, repairing);
        if (input.stop)
            return std::move(*input.stop);
        OutputStage outputs;
        RepairResult result = body(input.file.bytes());
        // The last checks before the outputs take their names: an input that changed under the
        // work, or a caller that no longer wants them, leaves every name as it was.
        if (input.file.changedWhileOpen())
            return inputChangedFailure(request, preamble, repairing);
        if (!outputs.empty())
            checkCancelled();
        outputs.commit(result);
        return result;
    });
}

} // namespace data_repair
