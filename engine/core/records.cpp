#include "data_repair/records.h"

#include <algorithm>
#include <system_error>

#include "data_repair/output_stage.h"

namespace data_repair {

RepairStatus RepairStatus::success() { return RepairStatus{true, 0, {}}; }

RepairStatus RepairStatus::failure(int32_t code, std::string message)
{
    return RepairStatus{false, code, std::move(message)};
}

void RepairResult::setStatus(const RepairStatus& value) { status = value; }

void RepairResult::addAction(std::string id, std::string description, uint64_t amount)
{
    actions.push_back(RepairAction{std::move(id), std::move(description), amount});
}

void RepairResult::addFinding(int32_t category, int32_t severity, std::string message, uint64_t offset,
                              uint64_t length, bool repairable, double findingConfidence)
{
    if (findings.size() < kMaxFindings) {
        findings.push_back(Finding{category, severity, std::move(message), offset, length, findingConfidence, repairable});
        return;
    }
    // The summary starts as the first finding left out and then takes the worst severity, and
    // repairable when any left-out finding is, so the verdict over the whole file stays right.
    ++omittedFindings;
    if (omittedFindings == 1) {
        findings.push_back(Finding{category, severity, {}, offset, length, findingConfidence, repairable});
    } else {
        Finding& summary = findings.back();
        summary.severity = std::max(summary.severity, severity);
        summary.repairable = summary.repairable || repairable;
    }
    findings.back().message = std::to_string(omittedFindings) + " more findings not listed";
}

void RepairResult::addGeneralFinding(int32_t category, int32_t severity, std::string message, bool repairable,
                                     double findingConfidence)
{
    addFinding(category, severity, std::move(message), 0, 0, repairable, findingConfidence);
}

std::filesystem::path pathFromUtf8(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string pathToUtf8(const std::filesystem::path& path) { return path.string(); }

SourceInfo makeSourceInfo(const std::string& utf8Path)
{
    SourceInfo info;
    info.path = utf8Path;
    info.fileName = pathToUtf8(pathFromUtf8(utf8Path).filename());
    return info;
}

OutputArtifact makeArtifact(const std::filesystem::path& path, std::string kind, std::string note)
{
    OutputArtifact artifact;
    artifact.path = pathToUtf8(path);
    artifact.kind = std::move(kind);
    artifact.note = std::move(note);
    // An output still waiting for its operation to end is measured where it waits.
    const OutputStage* stage = activeOutputStage();
    const std::filesystem::path staged = stage != nullptr ? stage->stagedAt(path) : std::filesystem::path();
    const std::filesystem::path& file = staged.empty() ? path : staged;
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec)) {
        const auto size = std::filesystem::file_size(file, ec);
        if (!ec)
            artifact.size = size;
    }
    return artifact;
}

} // namespace data_repair
