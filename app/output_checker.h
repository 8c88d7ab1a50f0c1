#pragma once

// The checkers behind output validation: one per kind of output, each asking a real decoder
// (FFmpeg for recordings, Qt PDF for PDF, zlib and an XML reader for ZIP packages, the toolkit's
// image reader for pictures) whether the file opens and decodes. The service asks them in order;
// the first that claims an output (by its suffix, or by its content when the suffix names no kind)
// gives the verdict.

#include "app/output_validation_service.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QXmlStreamReader>

#include <memory>
#include <vector>

namespace olm::repair {

// The output as the checkers see it: its path, lower-cased suffix, size, first bytes (up to 1 MiB)
// and when its check has had the time its size allows.
struct OutputFile {
    QString path;
    QString suffix;
    qint64 size = 0;
    QByteArray head;
    QDeadlineTimer deadline = QDeadlineTimer::Forever;

    bool overTime() const { return deadline.hasExpired(); }
};

// The time a check may take follows the output's size (what a hostile file claims inside does not
// count): a fixed allowance plus a rate below what the slowest decoder here (4K HEVC on one thread)
// reaches on a busy machine. The work budgets of each checker end hostile files long before.
inline constexpr qint64 kCheckBaseMilliseconds = 60000;
inline constexpr qint64 kCheckBytesPerMillisecond = 512; // half a megabyte a second
inline qint64 checkTimeBudget(qint64 size) { return kCheckBaseMilliseconds + size / kCheckBytesPerMillisecond; }

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
// (the reader's own element stack grows with it). So does a single token (a comment, a tag with its
// attributes, a text run, a CDATA section) longer than kMaxTokenBytes: the reader holds a token
// whole, and reads a token cut between two pieces again with every piece, so only whole tokens
// are handed to it.
class XmlStreamCheck {
public:
    static constexpr int kMaxDepth = 1024;
    static constexpr qint64 kMaxTokenBytes = 16 * 1024 * 1024;
    static constexpr qsizetype kPieceBytes = 4 * 1024 * 1024;

    void feed(const QByteArray& bytes);
    // True when the pieces fed make one well-formed document.
    bool finish();
    // Why it failed; empty when it did not.
    UiText error() const { return error_; }
    // True when it failed on a token past the bound, not on the document's form.
    bool overLimit() const { return overLimit_; }

private:
    void readAvailable();
    void flushPending();
    // Follows the token the bytes are in; false when one grows past the bound.
    bool tokensWithinBound(qsizetype from);
    void endMarkup(qsizetype at);

    QXmlStreamReader reader_;
    QByteArray pending_;
    int depth_ = 0;
    bool ended_ = false;
    bool overLimit_ = false;
    UiText error_;
    // Where the token scanner stands: the kind of token, how far an opening or closing marker has
    // matched, the quote a tag is inside, and the token's length so far.
    int scanState_ = 0;
    int markerMatched_ = 0;
    char quote_ = 0;
    qint64 tokenBytes_ = 0;
    qsizetype tokenStart_ = 0; // in pending_: where the token not yet complete begins
};

// The result texts every checker shares.
OutputValidationResult structurePassed();
OutputValidationResult structureFailed();
OutputValidationResult unreadableOutput();
// A check stopped by its budget (time, decoded pixels, inflated bytes, nesting): neither passed nor
// failed, and said so.
OutputValidationResult beyondLimits();

} // namespace olm::repair
