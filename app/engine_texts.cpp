#define KORVEX_TR_CONTEXT "olm::repair::RepairWorkflowController"
#include "common/ui_tr.h"

#include "app/engine_texts.h"

#include <QRegularExpression>
#include <QString>

#include <array>

namespace olm::repair {

namespace {

// A phrase rule names a subject. Engines also mention a subject when it is present ("trailing
// bytes after JPEG EOI marker", "garbage bytes before ASF header GUID"), so the rules whose text
// says the thing is missing only apply when the message says so too, and the media-data rule does
// not apply to the informational fast-start findings ("moov atom is after mdat ...").
struct PhraseRule {
    std::array<const char*, 2> subjects;
    bool needsAbsence;
    bool skipsInfo;
    const char* text;
};

constexpr std::array<PhraseRule, 9> kPhraseRules = {{
    // What a cut picture lost, in the words the image check uses for the same loss.
    {{"lower part of the picture is lost", nullptr}, false, false,
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "图片下部的数据已丢失，无法恢复，该部分以填充色显示")},
    {{"upper part of the picture is lost", nullptr}, false, false,
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "图片上部的数据已丢失，无法恢复，该部分以填充色显示")},
    {{"frames after the cut are lost", nullptr}, false, false,
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "截断处之后的动画帧已丢失，无法恢复")},
    {{"ZIP EOCD", nullptr}, true, false, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "ZIP 中央目录记录缺失")},
    {{"EOI", nullptr}, true, false, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "JPEG 文件结束标记缺失")},
    {{"SOI", nullptr}, true, false, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "JPEG 文件头起始标记缺失")},
    {{"ASF header GUID", nullptr}, true, false,
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "WMV/ASF 文件头标识与关键流参数缺失")},
    {{"mdat", nullptr}, false, true, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "MP4 媒体数据块尺寸异常")},
    // The PDF engine words its finding "cross-reference table"; "xref" covers the short form.
    {{"xref", "cross-reference"}, false, false,
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "PDF 交叉引用表缺失或损坏")},
}};

constexpr std::array<const char*, 19> kCategoryTexts = {
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "未发现此项损坏"),
    nullptr, // 1 has no text of its own
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "此文件格式尚不支持"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件头缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件结束结构缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件数据被截断或不完整"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "数据校验值不匹配"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件容器索引损坏"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "必要的元数据缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件内部结构异常"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件结构标记无效"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "图像扫描数据缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件头内容损坏"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "检测到内嵌预览数据"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "内嵌预览数据缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "正常样本与待修复文件不匹配"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件容器已加密"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件索引缺失"),
    QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "所需的处理组件不可用"),
};

// The engine's notes about its output, by a phrase of each; the first rule that matches speaks.
struct NoteRule {
    std::array<const char*, 3> phrases;
    const char* text;
};

constexpr std::array<NoteRule, 11> kNoteRules = {{
    {{"catalog root was not found", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "PDF 文档目录（根对象）缺失，输出可能需要手工恢复")},
    {{"kept the video track alone", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "只保留了视频轨道，其他轨道（如音频）未能恢复")},
    {{"packets were omitted", "packets remain omitted", nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "损坏的媒体数据已被略去，播放时会有短暂跳跃")},
    {{"repaired as an AAC ADTS frame stream", "repaired as an MP3 frame stream", nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "容器信息无法恢复，已改存为纯音频帧流")},
    {{"corruption may remain", "could not be decoded into a complete image", "not recoverable without"},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "部分图像数据无法恢复，结果中可能仍有可见损坏")},
    {{"zero-filled", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "部分图像数据无法恢复，结果中可能仍有可见损坏")},
    {{"Cues index was not found", "idx1 index is missing", nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "视频缺少跳转索引，播放器可能需要先扫描文件才能跳转")},
    {{"STREAMINFO was damaged and was rebuilt", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "FLAC 流信息已损坏，已根据音频帧重建")},
    {{"MD5 signature", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController",
                       "FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响")},
    {{"the sample count was set to the kept audio", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "FLAC 流信息中的总采样数已改为实际保留的音频长度")},
    {{"may require manual recovery", nullptr, nullptr},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "输出可能需要手工恢复")},
}};

// The engine's other failures, by what its English message says, so that no English reaches the
// window: its file-access texts, then a cancelled, changed-meanwhile, consensus, sample, format or
// damage failure. The first rule any of whose phrases occurs decides; anything else gets the
// general text.
struct ErrorRule {
    std::array<const char*, 6> phrases;
    const char* text;
};

constexpr std::array<ErrorRule, 12> kErrorRules = {{
    {{"cancelled"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "操作已取消")},
    {{"output path names the input"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "修复结果不能写到原文件或样本文件上")},
    {{"failed to open input file"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "无法打开待修复文件")},
    {{"failed to read input", "too large to read"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "无法完整读取待修复文件")},
    {{"output file already exists", "no free output file name"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "找不到可用的修复结果文件名")},
    {{"output file", "failed to copy file"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "无法写入修复结果文件")},
    {{"changed"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件在处理期间被更改，请重新分析")},
    {{"consensus", "redundant cop"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "未找到可一致确认的同源副本")},
    {{"sample", "exemplar"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "所选正常样本无法用于修复此文件")},
    {{"unsupported document format", "unsupported audio format", "unsupported photo format", "unsupported file"},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "此文件格式尚不支持")},
    {{"not found", "damaged", "no recoverable", "missing", "truncated", "could not be"},
     QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件损坏过重，未找到可恢复的数据")},
    {{"requires", "not a photo", "not recoverable"}, QT_TRANSLATE_NOOP("olm::repair::RepairWorkflowController", "文件损坏过重，未找到可恢复的数据")},
}};

bool containsAny(const QString& text, std::initializer_list<const char*> phrases)
{
    for (const char* phrase : phrases) {
        if (phrase != nullptr && text.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

UiText findingUserMessage(const data_repair::Finding& finding)
{
    const QString message = QString::fromUtf8(finding.message.data(), static_cast<qsizetype>(finding.message.size()));
    const bool saysAbsent = containsAny(message, {"missing", "not found"});
    for (const PhraseRule& rule : kPhraseRules) {
        if (!containsAny(message, {rule.subjects[0], rule.subjects[1]}))
            continue;
        if ((rule.needsAbsence && !saysAbsent) || (rule.skipsInfo && finding.severity == data_repair::Info))
            continue;
        return uiTr(rule.text);
    }
    const int32_t category = finding.category;
    if (category >= 0 && category < static_cast<int32_t>(kCategoryTexts.size()) && kCategoryTexts[category] != nullptr)
        return uiTr(kCategoryTexts[category]);
    return uiTr("检测到文件异常，详细诊断见修复报告");
}

UiText engineNoteUserMessage(const std::string& note)
{
    const QString text = QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size()));
    for (const NoteRule& rule : kNoteRules) {
        if (containsAny(text, {rule.phrases[0], rule.phrases[1], rule.phrases[2]}))
            return uiTr(rule.text);
    }
    return uiTr("修复引擎对输出附有一条说明，请在使用前检查结果");
}

UiText findingSubject(const data_repair::Finding& finding)
{
    const QString message = QString::fromUtf8(finding.message.data(), static_cast<qsizetype>(finding.message.size()));
    const qsizetype colon = message.indexOf(QLatin1String(": "));
    if (colon >= 0) {
        const QString subject = message.mid(colon + 2).trimmed();
        if (!subject.isEmpty())
            return UiText(subject);
    }
    if (finding.offset > 0)
        return uiTr("字节偏移 %1").arg(static_cast<unsigned long long>(finding.offset));
    return {};
}

UiText engineErrorUserMessage(const std::string& message)
{
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    if (text.isEmpty())
        return {};
    if (containsAny(text, {"compatible normal sample is required", "compatible normal ASF sample is required"}))
        return uiTr("文件关键头部已缺失，请进入高级修复并选择兼容的正常样本");
    if (containsAny(text, {"does not contain a compatible run of ASF packets"}))
        return uiTr("所选正常样本与待修复文件的数据包结构不兼容");
    if (containsAny(text, {"normal sample does not contain a usable ASF header", "sample ASF packet signature is not usable"}))
        return uiTr("所选正常样本本身缺少可用的 ASF 结构，请更换样本");
    if (containsAny(text, {"not enough memory to process the file"}))
        return uiTr("内存不足，无法处理此文件，请关闭其他程序后重试");
    if (containsAny(text, {"unexpected engine error"}))
        return uiTr("修复引擎内部出错，未能处理此文件，请重试");
    // "image too large to salvage: <decoded> bytes decoded, limit <limit>", shown in MiB.
    static const QRegularExpression tooLarge(
        QStringLiteral("image too large to salvage: (\\d+) bytes decoded, limit (\\d+)"));
    if (const QRegularExpressionMatch match = tooLarge.match(text); match.hasMatch()) {
        constexpr unsigned long long kMiB = 1024ull * 1024ull;
        const unsigned long long decoded = match.captured(1).toULongLong();
        const unsigned long long limit = match.captured(2).toULongLong();
        return uiTr("图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB")
            .arg((decoded + kMiB - 1) / kMiB)
            .arg(limit / kMiB);
    }
    if (containsAny(text, {"a healthy sample file recorded by the same device is needed"}))
        return uiTr("文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本");
    if (containsAny(text, {"the sample file does not match this recording"}))
        return uiTr("所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件");
    for (const ErrorRule& rule : kErrorRules) {
        for (const char* phrase : rule.phrases)
            if (phrase != nullptr && text.contains(QLatin1String(phrase), Qt::CaseInsensitive))
                return uiTr(rule.text);
    }
    return uiTr("修复引擎未能修复此文件");
}

} // namespace olm::repair
