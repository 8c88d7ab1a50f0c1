#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace data_repair {

enum FileKind : int32_t {
    Video = 0,
    Audio = 1,
    Photo = 2,
    Document = 3,
    Archive = 4,
    Enhancement = 5,
    Unknown = 6,
};

enum RepairMode : int32_t {
    Analyze = 0,
    Repair = 1,
    Advanced = 2,
    Extract = 3,
};

enum FindingSeverity : int32_t {
    Info = 0,
    Warning = 1,
    Error = 2,
};

enum FindingCategory : int32_t {
    NoDamage = 0,
    UnsupportedFormat = 2,
    HeaderMissing = 3,
    TrailerMissing = 4,
    Truncated = 5,
    ChecksumMismatch = 6,
    IndexDamaged = 7,
    MetadataMissing = 8,
    StructureInvalid = 9,
    InvalidMarker = 10,
    ScanDataMissing = 11,
    HeaderDamaged = 12,
    PreviewFound = 13,
    PreviewMissing = 14,
    SampleMismatch = 15,
    Encrypted = 16,
    IndexMissing = 17,
    ComponentUnavailable = 18,
};

struct RepairStatus {
    bool ok = false;
    int32_t code = 0;
    std::string message;

    static RepairStatus success();
    static RepairStatus failure(int32_t code, std::string message);
};

struct SourceInfo {
    std::string path;
    std::string fileName;
    std::string label;
};

struct OutputArtifact {
    std::string path;
    std::string kind;
    std::string note;
    uint64_t size = 0;
};

struct Finding {
    int32_t category = NoDamage;
    int32_t severity = Info;
    std::string message;
    uint64_t offset = 0;
    uint64_t length = 0;
    double confidence = 0.0;
    bool repairable = false;
};

struct RepairAction {
    std::string id;
    std::string description;
    uint64_t amount = 0;
};

struct ProgressEvent {
    int32_t source = Unknown;
    std::string step;
    std::string path;
    uint64_t current = 0;
    uint64_t total = 0;
};

struct RepairRequest {
    SourceInfo input;
    SourceInfo sample;
    int32_t mode = Repair;
    std::string outputDirectory;
    std::string outputPath;
    bool overwrite = false;
    bool writePreview = false;
};

struct RepairResult {
    RepairStatus status;
    SourceInfo input;
    SourceInfo sample;
    int32_t kind = Unknown;
    int32_t mode = Repair;
    std::string format;
    OutputArtifact output;
    std::vector<OutputArtifact> artifacts;
    std::vector<Finding> findings;
    std::vector<RepairAction> actions;
    std::vector<std::string> notes;
    std::vector<std::string> commands;
    uint64_t inputSize = 0;
    uint64_t outputSize = 0;
    double confidence = 0.0;
    bool usedReference = false;
    bool sampleRequired = false;
    bool outputWritten = false;
    bool previewWritten = false;
    // Findings beyond kMaxFindings: counted in the one summary finding that follows the first
    // kMaxFindings, not stored one by one.
    uint64_t omittedFindings = 0;

    void setStatus(const RepairStatus& value);
    void addAction(std::string id, std::string description, uint64_t amount);
    // Note the argument order: repairable comes before confidence.
    void addFinding(int32_t category, int32_t severity, std::string message, uint64_t offset,
                    uint64_t length, bool repairable, double confidence);
    void addGeneralFinding(int32_t category, int32_t severity, std::string message, bool repairable,
                           double confidence);
};

// A result holds at most this many findings and one summary of the rest, so a file with millions
// of small faults cannot exhaust memory; the application lists the same number.
inline constexpr size_t kMaxFindings = 1000;

// Status codes shared by every engine; the per-engine ranges live with each engine.
inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusReadFailed = 2;
// Something inside the engine failed (memory exhausted, an unexpected error): not the input.
inline constexpr int32_t kStatusInternalFailure = 3;
inline constexpr int32_t kStatusCancelled = 5;

SourceInfo makeSourceInfo(const std::string& utf8Path);
OutputArtifact makeArtifact(const std::filesystem::path& path, std::string kind, std::string note);

// UTF-8 text <-> filesystem path. On Linux both are the bytes unchanged.
std::filesystem::path pathFromUtf8(const std::string& utf8);
std::string pathToUtf8(const std::filesystem::path& path);

} // namespace data_repair
