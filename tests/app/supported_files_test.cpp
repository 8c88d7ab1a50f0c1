// The input dialog's filter comes from the engine's own extension lists: every name the engine
// repairs is offered (in both cases), and nothing offered is one the engine would refuse by name.

#include <QtTest>

#include "app/supported_files.h"
#include "data_repair/detection.h"
#include "data_repair/format_extensions.h"

using namespace olm::repair;

class SupportedFilesTest : public QObject {
    Q_OBJECT
private slots:
    void everyEngineExtensionIsOfferedInBothCases()
    {
        namespace ext = data_repair::extensions;
        const QStringList patterns = SupportedFiles::patterns();
        QStringList missing;
        const auto check = [&](data_repair::ExtensionList list) {
            for (const std::string_view name : list) {
                const QString suffix = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
                for (const QString& pattern : {QStringLiteral("*.") + suffix, QStringLiteral("*.") + suffix.toUpper()}) {
                    if (!patterns.contains(pattern))
                        missing.append(pattern);
                }
            }
        };
        for (const auto& kind : {std::span<const data_repair::ExtensionList>(ext::kPhotoKind),
                                 std::span<const data_repair::ExtensionList>(ext::kAudioKind),
                                 std::span<const data_repair::ExtensionList>(ext::kVideoKind),
                                 std::span<const data_repair::ExtensionList>(ext::kDocumentKind)}) {
            for (const data_repair::ExtensionList list : kind)
                check(list);
        }
        check(ext::kText);
        check(kContentRoutedMediaSuffixes);
        QCOMPARE(missing, QStringList());
        // What users reported hidden.
        for (const char* name : {"*.mp3", "*.flac", "*.wav", "*.m4a", "*.mkv", "*.webm", "*.avi", "*.dng", "*.DNG"})
            QVERIFY2(patterns.contains(QLatin1String(name)), name);
        QStringList once = patterns;
        QCOMPARE(once.removeDuplicates(), 0);
    }

    void nothingOfferedIsRefusedByName()
    {
        // An empty file says nothing by content: its name alone decides the kind. Names the
        // engine only recognises by content are left out.
        for (const QString& suffix : SupportedFiles::suffixes()) {
            if (data_repair::isListed(kContentRoutedMediaSuffixes, suffix.toStdString()))
                continue;
            const int kind = data_repair::detectFileKind(("a." + suffix).toStdString(), {});
            QVERIFY2(kind != data_repair::Unknown && kind != data_repair::Archive, qPrintable(suffix));
        }
        QVERIFY(!SupportedFiles::suffixes().contains(QStringLiteral("zip")));
    }
};

QTEST_GUILESS_MAIN(SupportedFilesTest)
#include "supported_files_test.moc"
