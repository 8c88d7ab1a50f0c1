#pragma once

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include "common/ui_text.h"

namespace olm::repair {

// Lets a picture through to the image view only when its full decode fits a fixed memory budget.
// Only the declared size in the header is read: decoders such as progressive JPEG hold the whole
// image while decoding, however small the size it is shown at.
class ImagePreviewService : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl source READ source NOTIFY previewChanged)
    Q_PROPERTY(QString error READ error NOTIFY previewChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY previewChanged)

public:
    // As much as the toolkit's image reader may allocate for one image.
    static constexpr qint64 kDecodeBudgetBytes = 268435456;

    explicit ImagePreviewService(QObject* parent = nullptr);

    // The file to decode; empty while nothing was accepted.
    QUrl source() const { return source_; }
    QString error() const { return error_.toString(); }
    bool ready() const { return !source_.isEmpty(); }

    Q_INVOKABLE void load(const QUrl& source);
    Q_INVOKABLE void clear();

signals:
    void previewChanged();

private:
    QUrl source_;
    UiText error_;
};

// Bytes a full decode of the image at `path` takes by its declared size and pixel format, or -1
// when the header does not tell the size.
qint64 declaredDecodeBytes(const QString& path, QSize* size = nullptr);

} // namespace olm::repair
