// The Office preview: its ZIP reader, its page builders and the service, on DOCX, XLSX and PPTX
// containers written by Python's zipfile in the test.

#include "services/office_html_builders.h"
#include "services/office_preview_service.h"
#include "services/office_sheet_model.h"
#include "services/office_zip_archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace olm::repair;

namespace {

// Helpers that write packages, prepended to every fixture script.
QString fixturePrelude()
{
    const QString fromEnvironment = qEnvironmentVariable("KORVEX_SOURCE_DIR");
    const QString root = fromEnvironment.isEmpty() ? QDir::cleanPath(QStringLiteral(__FILE__) + QStringLiteral("/../../..")) : fromEnvironment;
    QFile file(root + QStringLiteral("/tests/app/office_fixtures.py"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class OfficePreviewServiceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    void python(const QString& script)
    {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        process.start(QStringLiteral("python3"), {QStringLiteral("-c"), fixturePrelude() + QLatin1Char('\n') + script});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    }

    static QString officeText(const char* source)
    {
        return QCoreApplication::translate("olm::repair::OfficePreviewService", source);
    }

    // Directory error of a raw container.
    QString directoryError(const QString& file)
    {
        OfficeZipArchive archive(path(file));
        UiText error;
        return archive.readDirectory(error) ? QString() : error.toString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is needed to write the fixtures");
    }

    void docxShowsEscapedParagraphs()
    {
        python(QStringLiteral("docx('Report.DOCX', ['a &lt;b&gt; &amp; c', '', 'x %1 y'])"));
        OfficePreviewService service;
        QSignalSpy changed(&service, &OfficePreviewService::previewChanged);
        service.load(QUrl::fromLocalFile(path(QStringLiteral("Report.DOCX"))));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(service.kind(), QStringLiteral("docx"));
        QCOMPARE(service.title(), QStringLiteral("Report.DOCX"));
        QVERIFY2(service.ready(), qPrintable(service.error()));
        QCOMPARE(service.pageCount(), 1);
        const QString page = service.pages().first();
        QVERIFY(page.startsWith(QStringLiteral("<html><head><style>body{font-family:")));
        QVERIFY(page.contains(QStringLiteral("<p>a &lt;b&gt; &amp; c</p><p>&nbsp;</p><p>x %1 y</p>")));
        QVERIFY(!service.limitation().isEmpty());
        service.clear();
        QCOMPARE(service.pageCount(), 0);
        QVERIFY(service.title().isEmpty() && service.kind().isEmpty() && service.limitation().isEmpty());
    }

    void docxPagingAndEmptyDocuments()
    {
        QStringList paragraphs;
        for (int i = 0; i < 300; ++i)
            paragraphs << QString(50, QLatin1Char('a' + i % 26));
        const QList<UiText> pages = paginateDocxHtml(paragraphs);
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages.first().toString().count(QStringLiteral("<p>")), 120);

        QStringList many(250, QString(7000, QLatin1Char('x')));
        QCOMPARE(paginateDocxHtml(many).size(), 200);

        python(QStringLiteral("docx('empty.docx', [])"));
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("empty.docx"))));
        QVERIFY(service.ready());
        QVERIFY(service.pages().first().contains(QStringLiteral("文档中没有可显示的文本内容。")));
    }

    // Every page stays within its text and markup bounds: long paragraphs are split across pages
    // (nothing lost), blank paragraphs and escaped text close pages too.
    void docxPagesAreBounded_data()
    {
        QTest::addColumn<QStringList>("paragraphs");
        QTest::addColumn<int>("pages");
        QTest::newRow("one paragraph of a million characters") << QStringList{QString(1000000, QLatin1Char('x'))} << 167;
        // 2520 blank paragraphs fill the markup of a page.
        QTest::newRow("100000 blank paragraphs") << QStringList(100000, QString()) << 40;
        // A quote is escaped to six characters: five paragraphs of 1000 fill a page.
        QTest::newRow("escaped text") << QStringList(30, QString(1000, QLatin1Char('"'))) << 6;
        QTest::newRow("pair at a cut") << QStringList{QString(5999, QLatin1Char('a')) + QStringLiteral("\U0001F600b")} << 2;
    }

    void docxPagesAreBounded()
    {
        QFETCH(QStringList, paragraphs);
        QFETCH(int, pages);
        const qsizetype frame = wrapHtmlPage(UiText(QString()), QString()).toString().size();
        static const QRegularExpression piece(QStringLiteral("<p>([^<]*)</p>"));
        const QList<UiText> built = paginateDocxHtml(paragraphs);
        QCOMPARE(built.size(), pages);
        QString joined;
        for (const UiText& page : built) {
            const QString html = page.toString();
            QVERIFY2(html.size() - frame <= kDocxPageMarkup, qPrintable(QString::number(html.size() - frame)));
            QString text;
            for (const auto& match : piece.globalMatch(html)) {
                QString plain = match.captured(1);
                plain.replace(QStringLiteral("&nbsp;"), QString()).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
                text += plain;
            }
            QVERIFY(text.size() <= kDocxPageCharacters);
            joined += text;
        }
        if (paragraphs.size() == 1) // split, not cut: the pieces give the paragraph back, pairs whole
            QCOMPARE(joined, paragraphs.first());
    }

    // Reading stops once the last page is full: a document of millions of blank paragraphs is not
    // read to its end, while a fault before that point is still reported.
    void docxReadingStopsAtTheLastPage()
    {
        UiText error;
        QByteArray full = "<document><body>";
        for (int i = 0; i < 200 * 2520 + 1; ++i)
            full += "<p/>";
        const QList<UiText> pages = parseDocxParagraphs(full + "<p><unclosed", error);
        QVERIFY2(error.isEmpty(), qPrintable(error.toString()));
        QCOMPARE(pages.size(), kDocxMaxPages);
        QVERIFY(parseDocxParagraphs("<document><body><p/><p><unclosed", error).isEmpty());
        QVERIFY(error.toString().startsWith(QStringLiteral("DOCX XML 解析失败：")));
    }

    // The 2 KB document holding one paragraph of a million characters previews as pages of at most
    // a page of text, and reading the pages does not build them again.
    void docxPagesAreBuiltOnce()
    {
        python(QStringLiteral("docx('long.docx', ['y' * 1000000, 'end'])"));
        QVERIFY(QFileInfo(path(QStringLiteral("long.docx"))).size() < 8192);
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("long.docx"))));
        QVERIFY2(service.ready(), qPrintable(service.error()));
        QCOMPARE(service.pageCount(), 167);
        const QString first = service.page(0);
        QVERIFY(first.contains(QStringLiteral("<p>") + QString(kDocxPageCharacters, QLatin1Char('y')) + QStringLiteral("</p>")));
        QVERIFY(service.page(166).contains(QStringLiteral("<p>end</p>")));
        const QStringList once = service.pages();
        const QStringList again = service.pages();
        for (int i : {0, 1, 166}) {
            QVERIFY(once.at(i).constData() == again.at(i).constData());
            QVERIFY(service.page(i).constData() == once.at(i).constData());
        }
        // A language change builds them again, in the new language.
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
        QVERIFY(service.page(0).constData() != first.constData());
        QCOMPARE(service.page(0), first);
        QCOMPARE(service.page(-1), QString());
        QCOMPARE(service.page(167), QString());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "absent.docx" << "预览文件不存在" << "";
        QTest::newRow("empty file") << "zero.docx" << "Office 文件大小超出安全预览范围（最大 256 MB）" << "";
        QTest::newRow("docx named zip") << "doc.zip" << "内部 Office 预览仅支持 DOCX、XLSX 和 PPTX" << "";
        QTest::newRow("pptx named docx") << "slides.docx" << "Office 容器缺少必要条目：word/document.xml" << "docx";
        QTest::newRow("not a zip") << "text.xlsx" << "Office 容器缺少 ZIP 中央目录" << "xlsx";
        QTest::newRow("no sheets") << "nosheets.xlsx" << "Office 文档中没有可安全显示的页面" << "xlsx";
    }

    void refusals()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QFETCH(QString, kind);
        python(QStringLiteral("open('zero.docx','wb').close()\n"
                              "docx('doc.zip', ['hello'])\n"
                              "pkg('slides.docx', [('ppt/slides/slide1.xml', slide(['x']))])\n"
                              "open('text.xlsx','w').write('just some text that is long enough')\n"
                              "pkg('nosheets.xlsx', [('xl/workbook.xml', '<workbook/>')])\n"));
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(file)));
        QCOMPARE(service.error(), expected);
        QCOMPARE(service.kind(), kind);
        QCOMPARE(service.title(), file);
        QVERIFY(!service.ready());
        UiText error;
        QVERIFY(!validateOfficePreview(path(file), &error));
        QCOMPARE(error.toString(), expected);
    }

    void workbooksShowAtMostEightSheetsInNumberOrder()
    {
        // sheet1..sheet12 written in a shuffled order; each holds its own number in A1 (inline).
        python(QStringLiteral(
            "order = [10, 2, 12, 1, 9, 3, 11, 4, 8, 5, 7, 6]\n"
            "parts = [('xl/worksheets/sheet%d.xml' % n, sheet('<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>S%d</t></is></c>"
            "<c r=\"B1\" t=\"s\"><v>0</v></c></row>' % n)) for n in order]\n"
            "pkg('book.xlsx', parts)\n"));
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("book.xlsx"))));
        QVERIFY2(service.ready(), qPrintable(service.error()));
        QCOMPARE(service.pageCount(), 8);
        for (int i = 0; i < 8; ++i) {
            const QString page = service.pages().at(i);
            QVERIFY(page.contains(QStringLiteral("<h2>工作表 %1</h2>").arg(i + 1)));
            QVERIFY2(page.contains(QStringLiteral("<td>S%1</td>").arg(i + 1)), qPrintable(page));
            // No shared-string table: the index shows the invalid marker.
            QVERIFY(page.contains(QStringLiteral("<td>[无效共享字符串]</td>")));
            // The page's table holds the same.
            const OfficeSheetModel* table = service.sheet(i);
            QVERIFY(table != nullptr);
            QCOMPARE(table->title(), QStringLiteral("工作表 %1").arg(i + 1));
            QCOMPARE(table->rowCount(), 1);
            QCOMPARE(table->columnCount(), 2);
            QCOMPARE(table->index(0, 0).data().toString(), QStringLiteral("S%1").arg(i + 1));
            QCOMPARE(table->index(0, 1).data().toString(), QStringLiteral("[无效共享字符串]"));
        }
        QVERIFY(service.sheet(-1) == nullptr);
        QVERIFY(service.sheet(8) == nullptr);
        QCOMPARE(service.limitation(), officeText("安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。"));
    }

    void worksheetCells()
    {
        const QStringList shared = {QStringLiteral("zero"), QStringLiteral("<one>")};
        UiText error;
        auto render = [&](const QString& rows) {
            const QByteArray xml = QStringLiteral("<worksheet><sheetData>%1</sheetData></worksheet>").arg(rows).toUtf8();
            return renderWorksheetHtml(xml, shared, UiText(QStringLiteral("T")), error).toString();
        };
        const QString c5 = render(QStringLiteral("<row r=\"5\"><c r=\"C5\"><v>42</v></c></row>"));
        QVERIFY(c5.contains(QStringLiteral("<tr><th>#</th><th>A</th><th>B</th><th>C</th></tr>")));
        QVERIFY(c5.contains(QStringLiteral("<tr><th>5</th><td></td><td></td><td>42</td></tr></table>")));
        QCOMPARE(c5.count(QStringLiteral("<tr><th>")), 6); // the header row and rows 1-5

        const QString kinds = render(QStringLiteral(
            "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>7</v></c><c r=\"C1\" t=\"s\"><v>x</v></c>"
            "<c r=\"D1\"><f>SUM(1,2)</f><v>3</v></c><c r=\"E1\" t=\"b\"><v>1</v></c><c r=\"AD1\"><v>last</v></c>"
            "<c r=\"AE1\"><v>beyond</v></c><c r=\"AAAAAAAAAAAA1\"><v>overflow</v></c><c r=\"Ä1\"><v>unicode</v></c></row>"
            "<row r=\"250\"><c r=\"A250\"><v>far</v></c></row>"));
        QVERIFY(kinds.contains(QStringLiteral("<td>&lt;one&gt;</td><td>[无效共享字符串]</td><td>[无效共享字符串]</td><td>3</td><td>1</td>")));
        QVERIFY(kinds.contains(QStringLiteral("<th>AD</th></tr>")));
        QVERIFY(kinds.contains(QStringLiteral("<td>last</td></tr></table>")));
        for (const char* hidden : {"beyond", "overflow", "unicode", "far", "<th>AE</th>"})
            QVERIFY2(!kinds.contains(QLatin1String(hidden)), hidden);

        // Crafted row numbers at the edges of int: no overflow, nothing shown out of range.
        const QString edges = render(QStringLiteral(
            "<row r=\"-2147483648\"><c r=\"A1\"><v>neg</v></c></row><row r=\"2147483647\"><c r=\"A1\"><v>max</v></c></row>"
            "<row><c r=\"A1\"><v>next</v></c></row><row><c r=\"A1\"><v>after</v></c></row>"));
        QVERIFY(error.isEmpty());
        for (const char* hidden : {"neg", "max", "next", "after"})
            QVERIFY(!edges.contains(QLatin1String(hidden)));
        QVERIFY(edges.contains(QStringLiteral("<tr><th>#</th><th>A</th></tr><tr><th>1</th><td></td></tr></table>")));

        // A row without "r" follows the previous one.
        const QString follow = render(QStringLiteral("<row r=\"2\"><c r=\"A2\"><v>a</v></c></row><row><c r=\"B9\"><v>b</v></c></row>"));
        QVERIFY(follow.contains(QStringLiteral("<tr><th>3</th><td></td><td>b</td></tr>")));

        QCOMPARE(spreadsheetColumnName(1), QStringLiteral("A"));
        QCOMPARE(spreadsheetColumnName(26), QStringLiteral("Z"));
        QCOMPARE(spreadsheetColumnName(27), QStringLiteral("AA"));
        QCOMPARE(spreadsheetColumnName(30), QStringLiteral("AD"));

        render(QStringLiteral("<row><c><v>unclosed"));
        QVERIFY(error.toString().startsWith(QStringLiteral("XLSX 工作表解析失败：")));
    }

    // One long shared string in every cell, or one endless run on a slide, stays within the page's
    // bound; what is cut ends in an ellipsis.
    void sheetAndSlidePagesAreBounded()
    {
        UiText error;
        QString rows;
        for (int r = 1; r <= kSheetMaxRows; ++r) {
            rows += QStringLiteral("<row r=\"%1\">").arg(r);
            for (int c = 1; c <= kSheetMaxColumns; ++c)
                rows += QStringLiteral("<c r=\"%1%2\" t=\"s\"><v>0</v></c>").arg(spreadsheetColumnName(c)).arg(r);
            rows += QStringLiteral("</row>");
        }
        const QByteArray sheetXml = QStringLiteral("<worksheet><sheetData>%1</sheetData></worksheet>").arg(rows).toUtf8();
        const QString sheet = renderWorksheetHtml(sheetXml, {QString(5000, QLatin1Char('s'))}, UiText(QStringLiteral("T")), error).toString();
        QVERIFY(error.isEmpty());
        QCOMPARE(sheet.count(QStringLiteral("<td>s")), kSheetPageCharacters / kSheetCellCharacters);
        QVERIFY(!sheet.contains(QString(kSheetCellCharacters + 1, QLatin1Char('s'))));
        QCOMPARE(sheet.count(QStringLiteral("<td>") + QChar(0x2026) + QStringLiteral("</td>")),
                 kSheetMaxRows * kSheetMaxColumns - kSheetPageCharacters / kSheetCellCharacters);
        QVERIFY(sheet.endsWith(QStringLiteral("<td>") + QChar(0x2026) + QStringLiteral("</td></tr></table></body></html>")));
        QVERIFY2(sheet.size() < kSheetPageCharacters + 60 * kSheetMaxRows * kSheetMaxColumns, qPrintable(QString::number(sheet.size())));

        const QByteArray slideXml = "<sld><t>" + QByteArray(100000, 'r') + "</t><t>after</t></sld>";
        const QString slide = renderSlideHtml(slideXml, 1, error).toString();
        QVERIFY(error.isEmpty());
        QVERIFY(slide.contains(QStringLiteral("<p>") + QString(kSlidePageCharacters, QLatin1Char('r')) + QChar(0x2026) + QStringLiteral("</p>")));
        QVERIFY(!slide.contains(QStringLiteral("after")));
        QVERIFY(slide.size() < kSlidePageCharacters + 2000);
    }

    // A workbook page's table: at most 200 rows x 30 columns, cells cut as on the HTML page, headers
    // that name rows and columns, one table per page kept until the next load.
    void sheetTablesAreBounded()
    {
        python(QStringLiteral(
            "rows = ''.join('<row r=\"%d\">%s</row>' % (r, ''.join('<c r=\"%s%d\" t=\"s\"><v>0</v></c>' % (col, r)"
            " for col in [chr(65 + c) for c in range(26)] + ['A' + chr(65 + c) for c in range(14)])) for r in range(1, 251))\n"
            "pkg('wide.xlsx', [('xl/sharedStrings.xml', '<sst %s><si><t>%s</t></si></sst>' % (S, 's' * 5000)),"
            " ('xl/worksheets/sheet1.xml', sheet(rows)),"
            " ('xl/worksheets/sheet2.xml', sheet('<row r=\"3\"><c r=\"C3\"><v>42</v></c></row>'))])\n"
            "docx('letter.docx', ['hello'])\n"));
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("wide.xlsx"))));
        QVERIFY2(service.ready(), qPrintable(service.error()));
        QCOMPARE(service.pageCount(), 2);
        QPointer<OfficeSheetModel> table = service.sheet(0);
        QVERIFY(table);
        QCOMPARE(service.sheet(0), table.data());
        QCOMPARE(table->rowCount(), kSheetMaxRows);
        QCOMPARE(table->columnCount(), kSheetMaxColumns);
        QCOMPARE(table->rowCount(table->index(0, 0)), 0);
        int full = 0;
        int cut = 0;
        qsizetype shown = 0;
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                const QString text = table->index(r, c).data().toString();
                shown += text.size();
                QVERIFY(text.size() <= kSheetCellCharacters + 1);
                if (text == QString(kSheetCellCharacters, QLatin1Char('s')) + QChar(0x2026))
                    ++full;
                else if (text == QChar(0x2026))
                    ++cut;
            }
        }
        QCOMPARE(full, kSheetPageCharacters / kSheetCellCharacters);
        QCOMPARE(cut, kSheetMaxRows * kSheetMaxColumns - full);
        QVERIFY(shown <= kSheetPageCharacters + kSheetMaxRows * kSheetMaxColumns);
        QCOMPARE(table->index(0, 0).data(Qt::EditRole), QVariant());
        QCOMPARE(table->headerData(0, Qt::Horizontal).toString(), QStringLiteral("A"));
        QCOMPARE(table->headerData(29, Qt::Horizontal).toString(), QStringLiteral("AD"));
        QCOMPARE(table->headerData(30, Qt::Horizontal), QVariant());
        QCOMPARE(table->headerData(199, Qt::Vertical).toString(), QStringLiteral("200"));
        QCOMPARE(table->headerData(200, Qt::Vertical), QVariant());

        // Empty cells up to the last one used, as on the HTML page.
        const OfficeSheetModel* small = service.sheet(1);
        QCOMPARE(small->rowCount(), 3);
        QCOMPARE(small->columnCount(), 3);
        QCOMPARE(small->index(2, 2).data().toString(), QStringLiteral("42"));
        QCOMPARE(small->index(0, 0).data().toString(), QString());

        // A language change reads the texts again and tells the view.
        QSignalSpy retitled(table.data(), &OfficeSheetModel::titleChanged);
        QSignalSpy cells(table.data(), &QAbstractItemModel::dataChanged);
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
        QCOMPARE(retitled.count(), 1);
        QCOMPARE(cells.count(), 1);
        QCOMPARE(table->title(), QStringLiteral("工作表 1"));

        // Other kinds have no tables; the next load releases the old ones.
        service.load(QUrl::fromLocalFile(path(QStringLiteral("letter.docx"))));
        QVERIFY(service.ready());
        QVERIFY(service.sheet(0) == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(table.isNull());
    }

    void presentations()
    {
        python(QStringLiteral(
            "pkg('deck.pptx', [('ppt/slides/slide%d.xml' % n, slide(['Title %d' % n, '  ', 'a&lt;b'] if n != 3 else [])) for n in range(1, 151)])\n"
            "pkg('broken.pptx', [('ppt/slides/slide%d.xml' % n, slide(['ok']) if n != 3 else '<p:sld><a:t>unclosed') for n in range(1, 6)])\n"));
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("deck.pptx"))));
        QVERIFY2(service.ready(), qPrintable(service.error()));
        QCOMPARE(service.pageCount(), 100);
        const QString first = service.pages().first();
        QVERIFY(first.contains(QStringLiteral("<div class='slide'><div class='number'>幻灯片 1</div><p>Title 1</p><p>a&lt;b</p></div>")));
        QVERIFY(service.pages().at(2).contains(QStringLiteral("<p class='empty'>此页没有可显示的文本内容。</p>")));

        service.load(QUrl::fromLocalFile(path(QStringLiteral("broken.pptx"))));
        QCOMPARE(service.pageCount(), 2);
        QVERIFY(!service.ready());
        QVERIFY(service.error().startsWith(QStringLiteral("PPTX 幻灯片解析失败：")));
        QVERIFY(!service.limitation().isEmpty());
    }

    void aLanguageChangeReEmits()
    {
        OfficePreviewService service;
        QSignalSpy changed(&service, &OfficePreviewService::previewChanged);
        QEvent event(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
        QCOMPARE(changed.count(), 1);
    }

    void containerDirectory()
    {
        python(QStringLiteral(
            "docx('comment.docx', ['hi'])\n"
            "data = open('comment.docx','rb').read()\n"
            "eocd = data.rfind(b'PK\\x05\\x06')\n"
            "fake = b'PK\\x05\\x06' + b'\\0' * 18\n"
            "comment = (fake + b'c' * 65535)[:65535]\n"
            "open('comment.docx','wb').write(data[:eocd + 20] + struct.pack('<H', 65535) + comment)\n"
            "open('short.docx','wb').write(b'PK\\x05\\x06' + b'\\0' * 17)\n"
            "open('emptyzip.docx','wb').write(b'PK\\x05\\x06' + b'\\0' * 18)\n"
            "def end(disk=0, cddisk=0, here=0, total=0, size=0, offset=0):\n"
            "    return b'PK\\x05\\x06' + struct.pack('<HHHHIIH', disk, cddisk, here, total, size, offset, 0)\n"
            "open('zip64.docx','wb').write(end(here=0xFFFF, total=0xFFFF))\n"
            "open('disk.docx','wb').write(end(disk=1, cddisk=1))\n"
            "open('many.docx','wb').write(end(here=10001, total=10001))\n"
            "open('past.docx','wb').write(b'x' * 100 + end(here=1, total=1, size=50, offset=80))\n"
            "open('wrap.docx','wb').write(b'x' * 100 + end(here=1, total=1, size=0x200, offset=0xFFFFFF00))\n"
            "with zipfile.ZipFile('names.docx', 'w') as z:\n"
            "    z.writestr('word/document.xml', 'first')\n"
            "    z.writestr('word/document.xml', 'second')\n"
            "    z.writestr('中文.xml', 'utf8')\n"
            "    i = zipfile.ZipInfo('latin\\xe9.xml'); z.writestr(i, 'latin')\n"));
        QCOMPARE(directoryError(QStringLiteral("comment.docx")), QString());
        QCOMPARE(directoryError(QStringLiteral("short.docx")), officeText("Office 容器长度不在安全范围内"));
        QCOMPARE(directoryError(QStringLiteral("emptyzip.docx")), QString());
        QCOMPARE(directoryError(QStringLiteral("zip64.docx")), officeText("不支持分卷或 ZIP64 Office 容器"));
        QCOMPARE(directoryError(QStringLiteral("disk.docx")), officeText("不支持分卷或 ZIP64 Office 容器"));
        QCOMPARE(directoryError(QStringLiteral("many.docx")), officeText("Office 容器条目过多，已阻止预览"));
        QCOMPARE(directoryError(QStringLiteral("past.docx")), officeText("Office 容器条目过多，已阻止预览"));
        QCOMPARE(directoryError(QStringLiteral("wrap.docx")), officeText("Office 容器条目过多，已阻止预览"));

        OfficeZipArchive archive(path(QStringLiteral("names.docx")));
        UiText error;
        QVERIFY(archive.readDirectory(error));
        QCOMPARE(archive.readEntry(QStringLiteral("word/document.xml"), error), QByteArray("first"));
        QCOMPARE(archive.readEntry(QStringLiteral("中文.xml"), error), QByteArray("utf8"));
        // Without the UTF-8 flag the name is Latin-1.
        QCOMPARE(archive.readEntry(QString::fromLatin1("latin\xe9.xml"), error), QByteArray("latin"));
        QVERIFY(error.isEmpty());
        QVERIFY(archive.readEntry(QStringLiteral("absent.xml"), error, true).isEmpty());
        QVERIFY(error.isEmpty());
    }

    void entryChecks()
    {
        python(QStringLiteral(
            "def patch(src, dst, fn):\n"
            "    b = bytearray(open(src,'rb').read()); fn(b); open(dst,'wb').write(bytes(b))\n"
            "payload = ('<w:document %s><w:body><w:p><w:r><w:t>' % W) + 'hello ' * 200 + '</w:t></w:r></w:p></w:body></w:document>'\n"
            "pkg('ok.docx', [('word/document.xml', payload)])\n"
            "pkg('stored.docx', [('word/document.xml', payload)], zipfile.ZIP_STORED)\n"
            "data = open('ok.docx','rb').read()\n"
            "cd = data.rfind(b'PK\\x01\\x02')\n"
            "lh = data.rfind(b'PK\\x03\\x04')\n"
            "start = lh + 30 + struct.unpack('<H', data[lh+26:lh+28])[0] + struct.unpack('<H', data[lh+28:lh+30])[0]\n"
            "csize = struct.unpack('<I', data[cd+20:cd+24])[0]\n"
            "def flip(b): b[start + 5] ^= 0x01\n"
            "patch('ok.docx', 'crc.docx', lambda b: b.__setitem__(cd+16, b[cd+16] ^ 1))\n"
            "patch('ok.docx', 'small.docx', lambda b: b.__setitem__(slice(cd+24, cd+28), struct.pack('<I', 100)))\n"
            "patch('ok.docx', 'large.docx', lambda b: b.__setitem__(slice(cd+24, cd+28), struct.pack('<I', 5000)))\n"
            "patch('ok.docx', 'enc.docx', lambda b: b.__setitem__(cd+8, b[cd+8] | 1))\n"
            "patch('ok.docx', 'method.docx', lambda b: (b.__setitem__(cd+10, 12), b.__setitem__(lh+8, 12)))\n"
            "patch('ok.docx', 'local.docx', lambda b: b.__setitem__(lh+8, 0))\n"
            "s = open('stored.docx','rb').read(); scd = s.rfind(b'PK\\x01\\x02')\n"
            "patch('stored.docx', 'storedsize.docx', lambda b: b.__setitem__(slice(scd+24, scd+28), struct.pack('<I', 10)))\n"
            "patch('ok.docx', 'toolarge.docx', lambda b: b.__setitem__(slice(cd+24, cd+28), struct.pack('<I', 16777217)))\n"
            "big = '<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>' + 'x' * (6 * 1024 * 1024) + '</v></c></row></sheetData></worksheet>'\n"
            "pkg('budget.xlsx', [('xl/worksheets/sheet%d.xml' % n, big) for n in range(1, 8)])\n"));
        auto entryError = [&](const QString& file) {
            OfficeZipArchive archive(path(file));
            UiText error;
            if (!archive.readDirectory(error))
                return error.toString();
            archive.readEntry(QStringLiteral("word/document.xml"), error);
            return error.toString();
        };
        const QString name = QStringLiteral("word/document.xml");
        QCOMPARE(entryError(QStringLiteral("ok.docx")), QString());
        QCOMPARE(entryError(QStringLiteral("stored.docx")), QString());
        QCOMPARE(entryError(QStringLiteral("crc.docx")), officeText("Office XML CRC 校验失败：%1").arg(name));
        QCOMPARE(entryError(QStringLiteral("small.docx")), officeText("Office XML DEFLATE 解压失败：%1").arg(name));
        QCOMPARE(entryError(QStringLiteral("large.docx")), officeText("Office XML DEFLATE 解压失败：%1").arg(name));
        QCOMPARE(entryError(QStringLiteral("enc.docx")), officeText("不预览加密的 Office XML"));
        QCOMPARE(entryError(QStringLiteral("method.docx")), officeText("Office XML 使用不支持的压缩方法：%1").arg(12));
        QCOMPARE(entryError(QStringLiteral("local.docx")), officeText("Office XML 本地条目结构无效：%1").arg(name));
        QCOMPARE(entryError(QStringLiteral("storedsize.docx")), officeText("Office 存储条目长度不一致：%1").arg(name));
        QCOMPARE(entryError(QStringLiteral("toolarge.docx")), officeText("Office XML 超出安全预览限制"));

        // The preview reports the same reason that validation hands on.
        OfficePreviewService service;
        service.load(QUrl::fromLocalFile(path(QStringLiteral("crc.docx"))));
        UiText error;
        QVERIFY(!validateOfficePreview(path(QStringLiteral("crc.docx")), &error));
        QCOMPARE(error.toString(), service.error());
        QVERIFY(validateOfficePreview(path(QStringLiteral("ok.docx")), &error));
        QVERIFY(error.toString().isEmpty());

        // 6 MiB sheets: the sixth would pass the 32 MiB budget of one load.
        service.load(QUrl::fromLocalFile(path(QStringLiteral("budget.xlsx"))));
        QCOMPARE(service.pageCount(), 5);
        QCOMPARE(service.error(), officeText("Office XML 超出安全预览限制"));
    }

    void entryNumbers()
    {
        QCOMPARE(zipEntryNumber(QStringLiteral("xl/worksheets/sheet10.xml")), 10);
        QCOMPARE(zipEntryNumber(QStringLiteral("xl/worksheets/sheet.xml")), 0);
        QCOMPARE(zipEntryNumber(QStringLiteral("xl/worksheets/sheet99999999999.xml")), 0);
    }
};

QTEST_GUILESS_MAIN(OfficePreviewServiceTest)
#include "office_preview_service_test.moc"
