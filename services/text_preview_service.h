#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include "common/ui_text.h"

namespace olm::repair {

// Plain read-only view of a repaired text-like result: local UTF-8 files of 1 byte to 8 MiB,
// JSON shown re-indented. The text is also handed out as short blocks of display lines, so a view
// lays out only the blocks in sight: laying out megabytes at once, or one line of a few hundred
// thousand characters, holds the window for minutes.
class TextPreviewService : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text NOTIFY previewChanged)
    Q_PROPERTY(QString error READ error NOTIFY previewChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY previewChanged)
    Q_PROPERTY(int blockCount READ blockCount NOTIFY previewChanged)

public:
    explicit TextPreviewService(QObject* parent = nullptr);

    QString text() const { return text_; }
    QString error() const { return error_.toString(); }
    bool ready() const { return error().isEmpty() && !text_.isEmpty(); }
    int blockCount() const { return int(blocks_.size()); }
    QStringList blocks() const { return blocks_; }

    // Block `index` of the text; empty outside the range.
    Q_INVOKABLE QString block(int index) const;

    Q_INVOKABLE void load(const QUrl& source);
    Q_INVOKABLE void clear();

    static constexpr qint64 kLimitBytes = 8388608;
    // Re-indenting deeply nested JSON can multiply its size; above this the text is shown as stored.
    static constexpr qint64 kIndentedLimitBytes = 4 * kLimitBytes;
    // Longest display line: longer lines are cut into segments shown one under the other.
    static constexpr int kSegmentCharacters = 1000;
    static constexpr int kBlockLines = 64;
    static constexpr int kBlockCharacters = 4096;

signals:
    void previewChanged();

private:
    void fail(const UiText& error);

    QString text_;
    QStringList blocks_;
    UiText error_;
};

// The text as display blocks: lines (without their line feed, and without the carriage return of
// CR LF) grouped in order, at most kBlockLines lines and kBlockCharacters characters a block; a
// line longer than kSegmentCharacters is cut into segments that count as lines of their own.
QStringList textDisplayBlocks(const QString& text);

} // namespace olm::repair
