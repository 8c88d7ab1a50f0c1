#pragma once

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include "common/ui_text.h"

namespace olm::repair {

// Read-only view of recovered data whose bytes do not match the format its suffix declares:
// an explanatory header, a readable excerpt when the data is mostly text, and a hex dump of the
// first 64 KiB. Nothing in the file is interpreted beyond that.
class BinaryPreviewService : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text NOTIFY previewChanged)
    Q_PROPERTY(QString error READ error NOTIFY previewChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY previewChanged)

public:
    explicit BinaryPreviewService(QObject* parent = nullptr);

    QString text() const { return text_.toString(); }
    QString error() const { return error_.toString(); }
    bool ready() const;

    Q_INVOKABLE void load(const QUrl& source);
    Q_INVOKABLE void clear();

    static constexpr qint64 kWindowBytes = 65536;
    static constexpr int kExcerptUnits = 16000;

signals:
    void previewChanged();

private:
    UiText text_;
    UiText error_;
};

// One line per 16 bytes: offset, two groups of hex pairs, and the printable characters.
QString formatHexDump(const QByteArray& bytes);

// Decodes UTF-8 statefully: a leading BOM is dropped and an incomplete sequence at the very end
// is held back. `valid` is false when any invalid sequence was met.
QString decodeUtf8Window(const QByteArray& bytes, bool* valid);

} // namespace olm::repair
