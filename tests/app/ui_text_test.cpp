#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

#include "common/ui_text.h"

using olm::repair::UiText;

namespace {

// A translator that answers one context/source pair.
class OneTextTranslator : public QTranslator {
public:
    OneTextTranslator(QString from, QString to) : from_(std::move(from)), to_(std::move(to)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) == "Ctx" && QString::fromUtf8(source) == from_)
            return to_;
        return {};
    }

private:
    QString from_;
    QString to_;
};

} // namespace

class UiTextTest : public QObject {
    Q_OBJECT
private slots:
    void emptyAndLiteral()
    {
        QCOMPARE(UiText().toString(), QString());
        QVERIFY(UiText() == UiText());
        OneTextTranslator translator(QStringLiteral("你好"), QStringLiteral("Hello"));
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(UiText(QStringLiteral("你好")).toString(), QStringLiteral("你好"));
        QCoreApplication::removeTranslator(&translator);
    }

    void followsTranslatorChangesIncludingNestedArguments()
    {
        const UiText inner = UiText::translated("Ctx", "你好");
        const UiText outer = UiText::translated("Ctx", "外部 %1").arg(inner);
        QCOMPARE(inner.toString(), QStringLiteral("你好"));
        QCOMPARE(outer.toString(), QStringLiteral("外部 你好"));
        OneTextTranslator translator(QStringLiteral("你好"), QStringLiteral("Hello"));
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(inner.toString(), QStringLiteral("Hello"));
        QCOMPARE(outer.toString(), QStringLiteral("外部 Hello"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(inner.toString(), QStringLiteral("你好"));
    }

    void argumentsAtFullWidth()
    {
        const UiText base(QStringLiteral("n=%1"));
        QCOMPARE(base.arg(static_cast<unsigned long>(5000000000ULL)).toString(), QStringLiteral("n=5000000000"));
        QCOMPARE(base.arg(18446744073709551615ULL).toString(), QStringLiteral("n=18446744073709551615"));
        QCOMPARE(base.arg(-3).toString(), QStringLiteral("n=-3"));
        QCOMPARE(base.arg(static_cast<unsigned short>(65535)).toString(), QStringLiteral("n=65535"));
        QCOMPARE(UiText(QStringLiteral("%1-%2")).arg(QStringLiteral("a"), UiText(QStringLiteral("b"))).toString(),
                 QStringLiteral("a-b"));
        QCOMPARE(UiText(QStringLiteral("<b>")).toHtmlEscaped().toString(), QStringLiteral("&lt;b&gt;"));
        QCOMPARE(UiText(QStringLiteral("a")).appended(QStringLiteral("b")).toString(), QStringLiteral("ab"));
    }

    void differentRecipesSameTextAreEqual()
    {
        QVERIFY(UiText(QStringLiteral("ab")) == UiText(QStringLiteral("a")).appended(QStringLiteral("b")));
        QVariant v = QVariant::fromValue(UiText(QStringLiteral("x")));
        QCOMPARE(v.value<UiText>().toString(), QStringLiteral("x"));
    }

    void observerSeesOnlyApplicationLanguageChanges()
    {
        QObject owner;
        int calls = 0;
        auto* observer = olm::repair::UiLanguageObserver::attachTo(&owner, [&] { ++calls; });
        QVERIFY(observer != nullptr);
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&owner, &change);
        QCOMPARE(calls, 0);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
        QCOMPARE(calls, 1);
    }

    void byteSizes()
    {
        QCOMPARE(olm::repair::formatByteSize(-5), QStringLiteral("-5 B"));
        QCOMPARE(olm::repair::formatByteSize(1023), QStringLiteral("1023 B"));
        QCOMPARE(olm::repair::formatByteSize(1536), QStringLiteral("1.5 KB"));
        QCOMPARE(olm::repair::formatByteSize(1048575), QStringLiteral("1024.0 KB"));
        QCOMPARE(olm::repair::formatByteSize(1073741824), QStringLiteral("1.00 GB"));
    }
};

QTEST_GUILESS_MAIN(UiTextTest)
#include "ui_text_test.moc"
