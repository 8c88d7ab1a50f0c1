// Every user text of the result store, the engine texts, output validation and the Office preview
// has a finished translation in all seven catalogues, compiled by lrelease and looked up through
// a real translator.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

struct UserText {
    QString context;
    QString source;
};

const QStringList kLanguages = {QStringLiteral("zh_TW"), QStringLiteral("en_US"), QStringLiteral("de_DE"),
                                QStringLiteral("fr_FR"), QStringLiteral("it_IT"), QStringLiteral("ja_JP"),
                                QStringLiteral("es_ES")};

// The source files whose texts these catalogues carry, with the catalogue areas.
const QStringList kSources = {QStringLiteral("app/encrypted_file_store.cpp"), QStringLiteral("app/engine_texts.cpp"),
                              QStringLiteral("app/output_validation_service.cpp"),
                              QStringLiteral("services/office_preview_service.cpp"), QStringLiteral("services/office_zip_archive.cpp"),
                              QStringLiteral("services/office_html_builders.cpp")};
const QStringList kAreas = {QStringLiteral("result-store"), QStringLiteral("engine-texts"),
                            QStringLiteral("output-validation"), QStringLiteral("office-preview")};

// ctest sets KORVEX_SOURCE_DIR; a direct run falls back to this file's place in the tree.
QString sourceDir()
{
    const QString fromEnvironment = qEnvironmentVariable("KORVEX_SOURCE_DIR");
    return fromEnvironment.isEmpty() ? QDir::cleanPath(QStringLiteral(__FILE__) + QStringLiteral("/../../..")) : fromEnvironment;
}

// Collects uiTr("...") under the file's KORVEX_TR_CONTEXT and QT_TRANSLATE_NOOP("ctx", "...").
QList<UserText> collectTexts()
{
    QList<UserText> texts;
    const QRegularExpression contextRe(QStringLiteral(R"re(#define\s+KORVEX_TR_CONTEXT\s+"([^"]+)")re"));
    const QRegularExpression uiTrRe(QStringLiteral(R"re(\buiTr\(\s*"((?:[^"\\]|\\.)*)")re"));
    const QRegularExpression noopRe(QStringLiteral(R"re(QT_TRANSLATE_NOOP\(\s*"([^"]+)"\s*,\s*"((?:[^"\\]|\\.)*)")re"));
    for (const QString& relative : kSources) {
        QFile file(sourceDir() + QLatin1Char('/') + relative);
        if (!file.open(QIODevice::ReadOnly))
            continue; // a Part not built yet
        const QString code = QString::fromUtf8(file.readAll());
        const QString context = contextRe.match(code).captured(1);
        for (auto it = uiTrRe.globalMatch(code); it.hasNext();)
            texts.append({context, it.next().captured(1)});
        for (auto it = noopRe.globalMatch(code); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            texts.append({match.captured(1), match.captured(2)});
        }
    }
    return texts;
}

} // namespace

class UserTextCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : kLanguages)
            QTest::newRow(qPrintable(language)) << language;
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, language);
        const QString lrelease = QStandardPaths::findExecutable(
            QStringLiteral("lrelease"), {QLibraryInfo::path(QLibraryInfo::BinariesPath), QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)});
        if (lrelease.isEmpty())
            QSKIP("lrelease is not installed");

        QStringList catalogues;
        for (const QString& area : kAreas) {
            const QString path = sourceDir() + QStringLiteral("/i18n/%1.%2.ts").arg(area, language);
            if (QFile::exists(path))
                catalogues << path;
        }
        QVERIFY(!catalogues.isEmpty());
        QTemporaryDir dir;
        const QString qm = dir.filePath(QStringLiteral("texts.qm"));
        QProcess process;
        process.start(lrelease, catalogues + QStringList{QStringLiteral("-qm"), qm});
        QVERIFY(process.waitForFinished(60000));
        const QString report = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(report.contains(QStringLiteral(" 0 unfinished")), qPrintable(report));

        QTranslator translator;
        QVERIFY(translator.load(qm));
        const QList<UserText> texts = collectTexts();
        QVERIFY(texts.size() > 50);
        for (const UserText& text : texts) {
            const QByteArray context = text.context.toUtf8();
            const QByteArray source = text.source.toUtf8();
            const QString translated = translator.translate(context.constData(), source.constData());
            // A translator answers an empty text for a message its catalogue lacks.
            QVERIFY2(!translated.isEmpty(),
                     qPrintable(QStringLiteral("%1 / %2: no %3 translation").arg(text.context, text.source, language)));
            for (const QString& marker : {QStringLiteral("%1"), QStringLiteral("%2")})
                QVERIFY2(text.source.contains(marker) == translated.contains(marker), qPrintable(translated));
        }
    }
};

QTEST_GUILESS_MAIN(UserTextCatalogueTest)
#include "user_text_catalogue_test.moc"
