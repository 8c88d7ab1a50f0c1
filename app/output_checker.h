#pragma once

// The checkers behind output validation: one per kind of output, each asking a real decoder
// (FFmpeg for recordings, Qt PDF for PDF, zlib and an XML reader for ZIP packages, the toolkit's
// image reader for pictures) whether the file opens and decodes. The service asks them in order;
// the first that claims an output (by its suffix, or by its content when the suffix names no kind)
// gives the verdict.

#include "app/output_validation_service.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <memory>
#include <vector>

namespace olm::repair {

// The output as the checkers see it: its path, lower-cased suffix, size and first bytes (up to
// 1 MiB).
struct OutputFile {
    QString path;
    QString suffix;
    qint64 size = 0;
    QByteArray head;
};

class OutputChecker {
public:
    virtual ~OutputChecker() = default;
    // True when the suffix names this checker's kind.
    virtual bool claimsSuffix(const QString& suffix) const = 0;
    // True when the first bytes are of this checker's kind (asked only when no suffix is claimed).
    virtual bool claimsContent(const QByteArray& head) const = 0;
    virtual OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const = 0;
};

std::unique_ptr<OutputChecker> makeMediaOutputChecker();
std::unique_ptr<OutputChecker> makePdfOutputChecker();
std::unique_ptr<OutputChecker> makeZipPackageOutputChecker();
std::unique_ptr<OutputChecker> makeImageOutputChecker();
std::unique_ptr<OutputChecker> makeCameraRawOutputChecker();

// An XML document read as it arrives, in pieces; deeper nesting than any real document has fails
// (the reader's own element stack grows with it).
class XmlStreamCheck {
public:
    static constexpr int kMaxDepth = 1024;

    void feed(const QByteArray& bytes);
    // True when the pieces fed make one well-formed document.
    bool finish();
    // Why it failed; empty when it did not.
    UiText error() const { return error_; }

private:
    void readAvailable();

    QXmlStreamReader reader_;
    int depth_ = 0;
    bool ended_ = false;
    UiText error_;
};

// The result texts every checker shares.
OutputValidationResult structurePassed();
OutputValidationResult structureFailed();
OutputValidationResult unreadableOutput();

} // namespace olm::repair
