#include "app/supported_files.h"

#include "data_repair/format_extensions.h"

namespace olm::repair {

namespace {

void appendAll(QStringList& out, data_repair::ExtensionList list)
{
    for (const std::string_view ext : list) {
        const QString suffix = QString::fromLatin1(ext.data(), static_cast<qsizetype>(ext.size()));
        if (!out.contains(suffix))
            out.append(suffix);
    }
}

} // namespace

QStringList SupportedFiles::suffixes()
{
    namespace ext = data_repair::extensions;
    QStringList out;
    for (const data_repair::ExtensionList list : ext::kPhotoKind)
        appendAll(out, list);
    for (const data_repair::ExtensionList list : ext::kAudioKind)
        appendAll(out, list);
    for (const data_repair::ExtensionList list : ext::kVideoKind)
        appendAll(out, list);
    appendAll(out, kContentRoutedMediaSuffixes);
    for (const data_repair::ExtensionList list : ext::kDocumentKind)
        appendAll(out, list);
    appendAll(out, ext::kText);
    return out;
}

QStringList SupportedFiles::patterns()
{
    QStringList out;
    const QStringList all = suffixes();
    for (const QString& suffix : all) {
        out << QStringLiteral("*.") + suffix;
        if (suffix.toUpper() != suffix) // "264" has no upper case
            out << QStringLiteral("*.") + suffix.toUpper();
    }
    return out;
}

} // namespace olm::repair
