#pragma once

// Damaged files made by the tests themselves (PIL, python zipfile, ffmpeg or by hand), a scripted
// engine for the cases a real engine cannot be timed for, and a guard that proves an input was
// neither changed nor touched.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "data_repair/engine.h"

namespace workflow_fixtures {

struct ToolRun {
    int exitCode = -1;
    QString output;
};

inline ToolRun runTool(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(10000))
        return run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.output = QString::fromUtf8(process.readAll());
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

inline bool toolAvailable(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// Debian's python has PIL; the pyenv one on PATH may not.
inline ToolRun python(const QString& script, const QStringList& arguments = {})
{
    return runTool(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments);
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Bytes of a file a python script writes to argv[1] (a scratch file removed afterwards).
inline QByteArray madeByPython(const QString& script, const QString& scratch)
{
    const ToolRun made = python(script, {scratch});
    const QByteArray bytes = made.exitCode == 0 ? readAll(scratch) : QByteArray();
    QFile::remove(scratch);
    return bytes;
}

// A photo with 300 bytes of junk in front of its start-of-image marker.
inline bool makeDamagedJpeg(const QString& path)
{
    const QByteArray clean = madeByPython(QStringLiteral(
        "import sys\nfrom PIL import Image\n"
        "im = Image.new('RGB', (96, 64))\n"
        "im.putdata([((x * 3) % 256, (y * 4) % 256, (x + y) % 256) for y in range(64) for x in range(96)])\n"
        "im.save(sys.argv[1], quality=90)\n"), path + QStringLiteral(".clean.jpg"));
    return !clean.isEmpty() && writeAll(path, QByteArray(300, '\x5A') + clean);
}

// A one-page PDF whose cross-reference table points at the wrong places and whose "startxref" is gone.
inline bool makeDamagedPdf(const QString& path)
{
    QByteArray pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    QList<qsizetype> offsets;
    const QByteArray stream = "BT /F1 18 Tf 40 100 Td (Korvex test page) Tj ET";
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    pdf += "xref\n0 6\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset + 7).rightJustified(10, '0') + " 00000 n \n"; // every offset wrong
    pdf += "trailer\n<< /Size 6 /Root 1 0 R >>\n";
    return writeAll(path, pdf);
}

// A DOCX cut before its central directory (a copy interrupted at the end).
inline bool makeDamagedDocx(const QString& path)
{
    const QByteArray bytes = madeByPython(QStringLiteral(
        "import sys, zipfile\n"
        "ct = '<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>'\n"
        "rels = '<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>'\n"
        "doc = '<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>'"
        " + ''.join('<w:p><w:r><w:t>Paragraph %d of the Korvex test document.</w:t></w:r></w:p>' % i for i in range(40)) + '</w:body></w:document>'\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    z.writestr('[Content_Types].xml', ct)\n"
        "    z.writestr('_rels/.rels', rels)\n"
        "    z.writestr('word/document.xml', doc)\n"), path + QStringLiteral(".clean.docx"));
    const qsizetype central = bytes.indexOf(QByteArray("PK\x01\x02", 4));
    if (central <= 0)
        return false;
    return writeAll(path, bytes.left(central));
}

inline bool makeClip(const QString& path, const QString& source = QStringLiteral("testsrc=d=2:s=160x120:r=25"))
{
    return runTool(QStringLiteral("ffmpeg"),
                   {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", source, "-c:v",
                    "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25", path})
               .exitCode == 0;
}

// A clip with bytes in front of its ftyp (a recovery tool's header): the quick repair cuts them off.
inline bool makeMp4WithPrefix(const QString& path)
{
    const QString clean = path + QStringLiteral(".clean.mp4");
    if (!makeClip(clean))
        return false;
    const QByteArray bytes = readAll(clean);
    QFile::remove(clean);
    return !bytes.isEmpty() && writeAll(path, QByteArray(300, '\x5A') + bytes);
}

// A recording whose camera stopped before it wrote the "moov" index, or (overwritten) one whose
// index was overwritten by other data.
inline bool makeMp4WithoutIndex(const QString& path, bool overwritten = false)
{
    const QString clean = path + QStringLiteral(".clean.mp4");
    if (!makeClip(clean))
        return false;
    const QByteArray bytes = readAll(clean);
    QFile::remove(clean);
    const qsizetype moov = bytes.indexOf("moov");
    const qsizetype mdat = bytes.indexOf("mdat");
    if (moov < 4 || mdat < 4)
        return false;
    // ffmpeg writes the index last: everything before it is what a stopped camera leaves.
    if (moov < mdat)
        return false;
    if (!overwritten)
        return writeAll(path, bytes.left(moov - 4));
    QByteArray damaged = bytes;
    for (qsizetype i = moov - 4; i < damaged.size(); ++i)
        damaged[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    return writeAll(path, damaged);
}

// A WAV whose RIFF and data sizes were never filled in (a recorder that lost power).
inline bool makeDamagedWav(const QString& path)
{
    const ToolRun made = python(QStringLiteral(
        "import sys, wave, math, struct\n"
        "w = wave.open(sys.argv[1], 'wb')\n"
        "w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)\n"
        "w.writeframes(b''.join(struct.pack('<h', int(8000 * math.sin(i / 8.0))) for i in range(16000)))\n"
        "w.close()\n"), {path});
    if (made.exitCode != 0)
        return false;
    QByteArray bytes = readAll(path);
    if (bytes.size() < 44)
        return false;
    bytes.replace(4, 4, QByteArray(4, '\0'));
    bytes.replace(40, 4, QByteArray(4, '\0'));
    return writeAll(path, bytes);
}

// Proves that a file was neither changed nor written: same bytes, same modification time.
class InputGuard {
public:
    explicit InputGuard(const QString& path)
        : path_(path), bytes_(readAll(path)), modified_(QFileInfo(path).lastModified())
    {
    }
    bool unchanged() const
    {
        return readAll(path_) == bytes_ && QFileInfo(path_).lastModified() == modified_;
    }

private:
    QString path_;
    QByteArray bytes_;
    QDateTime modified_;
};

// An engine whose every kind runs one scripted function (analysis and repair alike).
using ScriptedCall = std::function<data_repair::RepairResult(const data_repair::RepairRequest&,
                                                             data_repair::IProgress*, bool analyze)>;

class ScriptedRepair final : public data_repair::IVideoRepair,
                             public data_repair::IAudioRepair,
                             public data_repair::IPhotoRepair,
                             public data_repair::IDocumentRepair {
public:
    explicit ScriptedRepair(ScriptedCall call) : call_(std::move(call)) {}
    data_repair::RepairResult analyze(const data_repair::RepairRequest& r, data_repair::IProgress* p) override
    {
        return call_(r, p, true);
    }
    data_repair::RepairResult repair(const data_repair::RepairRequest& r, data_repair::IProgress* p) override
    {
        return call_(r, p, false);
    }

private:
    ScriptedCall call_;
};

class ScriptedFactory final : public data_repair::IFileRepairFactory {
public:
    explicit ScriptedFactory(ScriptedCall call) : call_(std::move(call)) {}
    std::unique_ptr<data_repair::IVideoRepair> createVideoRepair() override { return std::make_unique<ScriptedRepair>(call_); }
    std::unique_ptr<data_repair::IAudioRepair> createAudioRepair() override { return std::make_unique<ScriptedRepair>(call_); }
    std::unique_ptr<data_repair::IPhotoRepair> createPhotoRepair() override { return std::make_unique<ScriptedRepair>(call_); }
    std::unique_ptr<data_repair::IDocumentRepair> createDocumentRepair() override { return std::make_unique<ScriptedRepair>(call_); }
    std::unique_ptr<data_repair::IAiEnhancement> createAiEnhancement() override { return nullptr; }
    std::unique_ptr<data_repair::IBatchRepair> createBatchRepair() override { return nullptr; }

private:
    ScriptedCall call_;
};

// How long one job of the real engine on a small fixture may take on a loaded machine.
constexpr int kJobTimeoutMs = 120000;

// Waits until the controller's job has returned; false when it did not in time.
inline bool waitIdle(olm::repair::RepairWorkflowController& c)
{
    QDeadlineTimer deadline(kJobTimeoutMs);
    while (c.busy() && !deadline.hasExpired())
        QTest::qWait(10);
    return !c.busy();
}

// Saves the unsaved result into `folder` and waits until the save has ended (it runs off the GUI
// thread); true when the result was saved.
inline bool saveAndWait(olm::repair::RepairWorkflowController& c, const QUrl& folder)
{
    return c.saveResult(folder) && waitIdle(c) && c.saved();
}

// Asks for the plain preview and waits until it is there (it is decrypted off the GUI thread).
inline bool preparePreviewAndWait(olm::repair::RepairWorkflowController& c)
{
    if (c.preparePreview())
        return true;
    QDeadlineTimer deadline(kJobTimeoutMs);
    while (!c.previewAvailable() && !deadline.hasExpired())
        QTest::qWait(10);
    return c.previewAvailable();
}

// Select, analyse and repair; true when the result waits in "PreviewReady".
inline bool repairToPreview(olm::repair::RepairWorkflowController& c, const QString& input,
                            const QString& mode = QStringLiteral("quick"))
{
    c.selectInput(QUrl::fromLocalFile(input));
    c.analyze();
    if (!waitIdle(c) || c.state() != olm::repair::WorkflowState::AnalysisCompleted)
        return false;
    c.repair(mode);
    return waitIdle(c) && c.state() == olm::repair::WorkflowState::PreviewReady;
}

// Jobs started from now on run `call` in place of the engine (until setRepairFactoryProvider({})).
inline void scriptEngine(ScriptedCall call)
{
    olm::repair::setRepairFactoryProvider([call] { return std::make_unique<ScriptedFactory>(call); });
}

// A scripted output: `bytes` written as "<work>/<name>" and reported as the engine's output.
inline data_repair::RepairResult writtenOutput(const data_repair::RepairRequest& request, const QString& name,
                                               const QByteArray& bytes)
{
    data_repair::RepairResult result;
    const QString path = QDir(QString::fromStdString(request.outputDirectory)).filePath(name);
    writeAll(path, bytes);
    result.status = data_repair::RepairStatus::success();
    result.output.path = path.toStdString();
    result.outputWritten = true;
    return result;
}

} // namespace workflow_fixtures

// A checker the test asks: skipped on a developer machine without it, a failure in CI.
#define WORKFLOW_REQUIRE_TOOL(tool)                                                              \
    do {                                                                                         \
        const QString tool_ = QString(tool);                                                     \
        if (!workflow_fixtures::toolAvailable(tool_)) {                                          \
            const QByteArray why_ = ("required tool missing: " + tool_).toUtf8();                \
            if (qEnvironmentVariableIsSet("CI"))                                                 \
                QFAIL(why_.constData());                                                         \
            QSKIP(why_.constData());                                                             \
        }                                                                                        \
    } while (false)
