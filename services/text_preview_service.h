#pragma once

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include "app/ui_text.h"

namespace olm::repair {

// Plain read-only view of a repaired text-like result: local UTF-8 files of 1 byte to 8 MiB,
// JSON shown re-indented.
class TextPreviewService : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text NOTIFY previewChanged)
    Q_PROPERTY(QString error READ error NOTIFY previewChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY previewChanged)

public:
    explicit TextPreviewService(QObject* parent = nullptr);

    QString text() const { return text_; }
    QString error() const { return error_.toString(); }
    bool ready() const { return error().isEmpty() && !text_.isEmpty(); }

    Q_INVOKABLE void load(const QUrl& source);
    Q_INVOKABLE void clear();

    static constexpr qint64 kLimitBytes = 8388608;
    // Re-indenting deeply nested JSON can multiply its size; above this the text is shown as stored.
    static constexpr qint64 kIndentedLimitBytes = 4 * kLimitBytes;

signals:
    void previewChanged();

private:
    void fail(const UiText& error);

    QString text_;
    UiText error_;
};

} // namespace olm::repair
