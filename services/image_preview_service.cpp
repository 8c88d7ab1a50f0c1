#include "services/image_preview_service.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#define KORVEX_TR_CONTEXT "olm::repair::ImagePreviewService"
#include "common/ui_tr.h"

namespace olm::repair {

qint64 declaredDecodeBytes(const QString& path, QSize* size)
{
    QImageReader reader(path);
    const QSize declared = reader.size();
    if (size != nullptr)
        *size = declared;
    if (!declared.isValid() || declared.isEmpty())
        return -1;
    // At least 32 bits a pixel: the toolkit converts most pictures to ARGB32 or RGB32.
    const int bits = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    const qint64 bytesPerPixel = std::max<qint64>(4, (bits + 7) / 8);
    return qint64(declared.width()) * qint64(declared.height()) * bytesPerPixel;
}

ImagePreviewService::ImagePreviewService(QObject* parent) : QObject(parent)
{
    UiLanguageObserver::attachTo(this, [this] { emit previewChanged(); });
}

void ImagePreviewService::clear()
{
    source_.clear();
    error_.clear();
    emit previewChanged();
}

void ImagePreviewService::load(const QUrl& source)
{
    source_.clear();
    error_.clear();
    emit previewChanged();

    const QString path = source.isLocalFile() ? source.toLocalFile() : QString();
    const QFileInfo info(path);
    QSize size;
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        error_ = uiTr("预览文件不存在");
    } else if (const qint64 bytes = declaredDecodeBytes(path, &size); bytes < 0) {
        error_ = uiTr("无法读取图片尺寸，已阻止预览");
    } else if (bytes > kDecodeBudgetBytes) {
        error_ = uiTr("图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览")
                     .arg(size.width())
                     .arg(size.height());
    } else {
        source_ = source;
    }
    emit previewChanged();
}

} // namespace olm::repair
