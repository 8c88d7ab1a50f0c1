#include "media/audio_repairer.h"

#include <algorithm>
#include <array>

#include "core/result_start.h"
#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

// An M4A whose container cannot be used may still hold a bare frame stream. Only a container
// without media data qualifies: a failed write or a refused layout is the M4A's own answer.
RepairResult m4aOrFrameStream(const RepairRequest& request, ByteView buffer, bool repairing)
{
    RepairResult m4a = repairing ? repairM4a(request, buffer) : analyzeM4a(request, buffer);
    if (m4a.status.ok || m4a.status.code != kAudioM4aMdatNotFound)
        return m4a;
    RepairResult aac = repairing ? repairAac(request, buffer) : analyzeAac(request, buffer);
    if (aac.status.ok) {
        aac.notes.push_back("M4A container metadata was not recoverable; repaired as an AAC ADTS frame stream");
        return aac;
    }
    RepairResult mp3 = repairing ? repairMp3(request, buffer) : analyzeMp3(request, buffer);
    if (mp3.status.ok) {
        mp3.notes.push_back("M4A container metadata was not recoverable; repaired as an MP3 frame stream");
        return mp3;
    }
    return m4a;
}

RepairResult analyzeM4aOrFrames(const RepairRequest& r, ByteView b) { return m4aOrFrameStream(r, b, false); }
RepairResult repairM4aOrFrames(const RepairRequest& r, ByteView b) { return m4aOrFrameStream(r, b, true); }

using namespace extensions;

constexpr std::array<ExtensionList, 1> kMp3Names{kMp3};
constexpr std::array<ExtensionList, 1> kAacNames{kAac};
constexpr std::array<ExtensionList, 1> kFlacNames{kFlac};
constexpr std::array<ExtensionList, 1> kOggNames{kOgg};
constexpr std::array<ExtensionList, 1> kWavNames{kWav};
constexpr std::array<ExtensionList, 1> kM4aNames{kM4a};

constexpr std::array<AudioFormat, 6> kFormats{{
    {"mp3", kMp3Names, isMpegAudioStart, analyzeMp3, repairMp3},
    {"aac", kAacNames, isAdtsStart, analyzeAac, repairAac},
    {"flac", kFlacNames, isFlacStart, analyzeFlac, repairFlac},
    {"ogg", kOggNames, isOggStart, analyzeOgg, repairOgg},
    {"wav", kWavNames, isWaveStart, analyzeWav, repairWav},
    {"m4a", kM4aNames, hasM4aBrand, analyzeM4aOrFrames, repairM4aOrFrames},
}};

// The format detection names from the content, else the one the extension names.
const AudioFormat* route(const RepairRequest& request, ByteView buffer)
{
    const std::filesystem::path input = pathFromUtf8(request.input.path);
    const std::string format = chooseAudioFormat(detectFormatName(input, buffer), lowerExtension(input));
    for (const AudioFormat& entry : kFormats)
        if (entry.name == format || isListedIn(entry.extensions, format))
            return &entry;
    return nullptr;
}

constexpr EntryPreamble kPreamble{Audio, prepareAudioResult};

} // namespace

std::span<const AudioFormat> audioFormats() { return kFormats; }

std::string chooseAudioFormat(const std::string& sniffedName, const std::string& extension)
{
    for (const AudioFormat& entry : kFormats) {
        if (sniffedName == entry.name)
            return sniffedName;
    }
    return extension;
}

RepairResult prepareAudioResult(const RepairRequest& request, ByteView buffer)
{
    return beginResult(request, Audio, buffer);
}

RepairResult reportUnsupportedAudio(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.addFinding(UnsupportedFormat, Error, "audio repair supports MP3, M4A, FLAC, AAC, WAV and OGG", 0, 0, false,
                      1.0);
    result.setStatus(RepairStatus::failure(kAudioUnsupported, "unsupported audio format"));
    return result;
}

bool reportAudioStart(RepairResult& result, uint64_t start, const AudioStartTexts& texts)
{
    if (start == npos) {
        result.addFinding(HeaderMissing, Error, texts.missingFinding, 0, 0, false, texts.missingConfidence);
        result.setStatus(RepairStatus::failure(texts.missingCode, texts.missingStatus));
        return false;
    }
    if (start > 0)
        result.addFinding(HeaderDamaged, Warning, texts.garbageFinding, 0, start, true, 0.9);
    return true;
}

bool audioRepairShouldWrite(const RepairResult& analysis, const RepairRequest& request)
{
    return analysis.status.ok && modeWritesRepairedOutput(request.mode, ExtractWrites::RepairedOutput);
}

bool writeAudioOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode)
{
    return writeAudioOutput(result, request, ByteParts{std::span<const uint8_t>(bytes)}, extension, writeCode);
}

bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const ByteParts& parts,
                      const std::string& extension, int32_t writeCode)
{
    return writeRepairedOutputAndSucceed(result, request, parts, extension, "repaired-audio", writeCode);
}

bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode)
{
    return writeRepairedOutputAndSucceed(result, request, pieces, extension, "repaired-audio", writeCode);
}

std::span<const uint8_t> inputRange(ByteView buffer, uint64_t pos, uint64_t length)
{
    if (pos >= buffer.size())
        return {};
    return {buffer.data() + pos, static_cast<size_t>(std::min<uint64_t>(length, buffer.size() - pos))};
}

InputFile readAudioSample(const RepairRequest& request)
{
    if (request.sample.path.empty())
        return {};
    std::string error;
    return openInputFile(pathFromUtf8(request.sample.path), &error);
}

RepairResult AudioRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false, [&](ByteView buffer) {
        const AudioFormat* format = route(request, buffer);
        return format != nullptr ? format->analyze(request, buffer) : reportUnsupportedAudio(request, buffer);
    });
}

RepairResult AudioRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true, [&](ByteView buffer) {
        const AudioFormat* format = route(request, buffer);
        return format != nullptr ? format->repair(request, buffer) : reportUnsupportedAudio(request, buffer);
    });
}

} // namespace data_repair
