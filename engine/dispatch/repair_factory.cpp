#include <exception>
#include <new>
#include <string>
#include <type_traits>

#include "core/ai_enhancer.h"
#include "data_repair/file_access.h"
#include "data_repair/repair_interfaces.h"
#include "dispatch/batch_repairer.h"
#include "document/document_repairer.h"
#include "media/audio_repairer.h"
#include "media/video_repairer.h"
#include "photo/photo_repairer.h"

namespace data_repair {

namespace {

// Nothing may leave an engine operation as an exception: whatever escapes an engine object
// (an allocation failure above all) becomes an internal failure the caller can show, with the
// request's input, kind and mode, so it is not mistaken for an unreadable input.
template <typename Result, typename Request>
Result internalFailure(const Request& request, int32_t kind, std::string message)
{
    Result result;
    if constexpr (std::is_same_v<Result, RepairResult>) {
        result.input = request.input;
        result.kind = kind;
        if constexpr (requires { request.mode; })
            result.mode = request.mode;
    }
    result.status = RepairStatus::failure(kStatusInternalFailure, std::move(message));
    return result;
}

template <typename Result, typename Request, typename Call>
Result guarded(const Request& request, int32_t kind, Call&& call)
{
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return internalFailure<Result>(request, kind, "not enough memory to process the file");
    } catch (const std::exception& error) {
        return internalFailure<Result>(request, kind, std::string("unexpected engine error: ") + error.what());
    } catch (...) {
        return internalFailure<Result>(request, kind, "unexpected engine error");
    }
}

} // namespace

namespace implementation {

class VideoRepairImpl final : public IVideoRepair {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Video, [&] { return engine_.analyze(request, progress); });
    }
    RepairResult repair(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Video, [&] { return engine_.repair(request, progress); });
    }

private:
    VideoRepairer engine_;
};

class AudioRepairImpl final : public IAudioRepair {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Audio, [&] { return engine_.analyze(request, progress); });
    }
    RepairResult repair(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Audio, [&] { return engine_.repair(request, progress); });
    }

private:
    AudioRepairer engine_;
};

class PhotoRepairImpl final : public IPhotoRepair {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Photo, [&] { return engine_.analyze(request, progress); });
    }
    RepairResult repair(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Photo, [&] { return engine_.repair(request, progress); });
    }

private:
    PhotoRepairer engine_;
};

class DocumentRepairImpl final : public IDocumentRepair {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Document, [&] { return engine_.analyze(request, progress); });
    }
    RepairResult repair(const RepairRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Document, [&] { return engine_.repair(request, progress); });
    }

private:
    DocumentRepairer engine_;
};

class BatchRepairImpl final : public IBatchRepair {
public:
    BatchRepairResult analyze(const BatchRepairRequest& request, IProgress* progress) override
    {
        return guarded<BatchRepairResult>(request, Unknown, [&] { return engine_.analyze(request, progress); });
    }
    BatchRepairResult repair(const BatchRepairRequest& request, IProgress* progress) override
    {
        return guarded<BatchRepairResult>(request, Unknown, [&] { return engine_.repair(request, progress); });
    }

private:
    BatchRepairer engine_;
};

class AiEnhancementImpl final : public IAiEnhancement {
public:
    RepairResult analyze(const AiEnhancementRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Enhancement, [&] { return engine_.analyze(request, progress); });
    }
    RepairResult enhance(const AiEnhancementRequest& request, IProgress* progress) override
    {
        return guarded<RepairResult>(request, Enhancement, [&] { return engine_.enhance(request, progress); });
    }

private:
    AiEnhancer engine_;
};

} // namespace implementation

namespace {

class FileRepairFactory final : public IFileRepairFactory {
public:
    std::unique_ptr<IVideoRepair> createVideoRepair() override
    {
        return std::make_unique<implementation::VideoRepairImpl>();
    }
    std::unique_ptr<IAudioRepair> createAudioRepair() override
    {
        return std::make_unique<implementation::AudioRepairImpl>();
    }
    std::unique_ptr<IPhotoRepair> createPhotoRepair() override
    {
        return std::make_unique<implementation::PhotoRepairImpl>();
    }
    std::unique_ptr<IDocumentRepair> createDocumentRepair() override
    {
        return std::make_unique<implementation::DocumentRepairImpl>();
    }
    std::unique_ptr<IAiEnhancement> createAiEnhancement() override
    {
        return std::make_unique<implementation::AiEnhancementImpl>();
    }
    std::unique_ptr<IBatchRepair> createBatchRepair() override
    {
        return std::make_unique<implementation::BatchRepairImpl>();
    }
};

} // namespace

std::unique_ptr<IFileRepairFactory> createFileRepairFactory() { return std::make_unique<FileRepairFactory>(); }

} // namespace data_repair
