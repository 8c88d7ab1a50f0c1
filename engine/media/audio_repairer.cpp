#include "media/audio_repairer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

constexpr std::array<std::string_view, 6> kAudioFormats{"mp3", "aac", "flac", "ogg", "wav", "m4a"};

using FormatHandler = RepairResult (*)(const RepairRequest&, const ByteBuffer&);

struct FormatHandlers {
    FormatHandler mp3;
    FormatHandler aac;
    FormatHandler flac;
    FormatHandler ogg;
    FormatHandler wav;
    FormatHandler m4a;
};

constexpr FormatHandlers kAnalyzers{analyzeMp3, analyzeAac, analyzeFlac, analyzeOgg, analyzeWav, analyzeM4a};
constexpr FormatHandlers kRepairers{repairMp3, repairAac, repairFlac, repairOgg, repairWav, repairM4a};

// An M4A whose container cannot be used may still hold a bare frame stream. Only a container
// without media data qualifies: a failed write or a refused layout is the M4A's own answer.
RepairResult dispatchM4a(const RepairRequest& request, const ByteBuffer& buffer, const FormatHandlers& handlers)
{
    RepairResult m4a = handlers.m4a(request, buffer);
    if (m4a.status.ok || m4a.status.code != kAudioM4aMdatNotFound)
        return m4a;
    RepairResult aac = handlers.aac(request, buffer);
    if (aac.status.ok) {
        aac.notes.push_back("M4A container metadata was not recoverable; repaired as an AAC ADTS frame stream");
        return aac;
    }
    RepairResult mp3 = handlers.mp3(request, buffer);
    if (mp3.status.ok) {
        mp3.notes.push_back("M4A container metadata was not recoverable; repaired as an MP3 frame stream");
        return mp3;
    }
    return m4a;
}

RepairResult dispatch(const RepairRequest& request, const ByteBuffer& buffer, const FormatHandlers& handlers)
{
    const std::filesystem::path input = pathFromUtf8(request.input.path);
    const std::string format = chooseAudioFormat(detectFormatName(input, buffer), lowerExtension(input));
    if (format == "mp3")
        return handlers.mp3(request, buffer);
    if (format == "aac")
        return handlers.aac(request, buffer);
    if (format == "ogg")
        return handlers.ogg(request, buffer);
    if (format == "wav")
        return handlers.wav(request, buffer);
    if (format == "flac")
        return handlers.flac(request, buffer);
    if (format == "m4a")
        return dispatchM4a(request, buffer, handlers);
    return reportUnsupportedAudio(request, buffer);
}

constexpr EntryPreamble kPreamble{Audio, prepareAudioResult};

} // namespace

std::string chooseAudioFormat(const std::string& sniffedName, const std::string& extension)
{
    for (std::string_view name : kAudioFormats) {
        if (sniffedName == name)
            return sniffedName;
    }
    return extension;
}

RepairResult prepareAudioResult(const RepairRequest& request, const ByteBuffer& buffer)
{
    RepairResult result =
        startResult(request, Audio, detectFormatName(pathFromUtf8(request.input.path), buffer), buffer.size());
    result.setStatus(RepairStatus::success());
    return result;
}

RepairResult reportUnsupportedAudio(const RepairRequest& request, const ByteBuffer& buffer)
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
    return analysis.status.ok && request.mode != Analyze;
}

bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
                      const std::string& extension, int32_t writeCode)
{
    return writeAudioOutput(result, request, ByteParts{std::span<const uint8_t>(bytes)}, extension, writeCode);
}

bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const ByteParts& parts,
                      const std::string& extension, int32_t writeCode)
{
    if (!writeRepairedOutput(result, request, parts, extension, "repaired-audio", writeCode))
        return false;
    result.setStatus(RepairStatus::success());
    return true;
}

std::span<const uint8_t> inputRange(const ByteBuffer& buffer, uint64_t pos, uint64_t length)
{
    if (pos >= buffer.size())
        return {};
    return {buffer.data() + pos, static_cast<size_t>(std::min<uint64_t>(length, buffer.size() - pos))};
}

ByteBuffer readAudioSample(const RepairRequest& request)
{
    if (request.sample.path.empty())
        return {};
    std::string error;
    return readFile(pathFromUtf8(request.sample.path), &error);
}

RepairResult AudioRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false,
                    [&](const ByteBuffer& buffer) { return dispatch(request, buffer, kAnalyzers); });
}

RepairResult AudioRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true,
                    [&](const ByteBuffer& buffer) { return dispatch(request, buffer, kRepairers); });
}

} // namespace data_repair
