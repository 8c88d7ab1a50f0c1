#include "common/ui_text.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace olm::repair {

namespace {
[[maybe_unused]] const int kUiTextTypeId = qRegisterMetaType<UiText>("olm::repair::UiText");
}

UiText::UiText(const QString& literal)
{
    segments_.append([literal] { return literal; });
}

UiText::UiText(Segment segment) { segments_.append(std::move(segment)); }

UiText UiText::translated(const char* context, const char* source)
{
    const QByteArray ctx(context);
    const QByteArray src(source);
    return UiText(Segment([ctx, src] { return QCoreApplication::translate(ctx.constData(), src.constData(), nullptr, -1); }));
}

UiText UiText::arg(const QString& value) const
{
    const UiText base = *this;
    return UiText(Segment([base, value] { return base.toString().arg(value); }));
}

UiText UiText::arg(const UiText& value) const
{
    const UiText base = *this;
    return UiText(Segment([base, value] { return base.toString().arg(value.toString()); }));
}

UiText UiText::arg(long long value) const
{
    const UiText base = *this;
    return UiText(Segment([base, value] { return base.toString().arg(value, 0, 10, QLatin1Char(' ')); }));
}

UiText UiText::arg(int value) const { return arg(static_cast<long long>(value)); }

UiText UiText::arg(unsigned long value) const
{
    // At the type's full width: a 64-bit count must not be cut to 32 bits.
    return arg(static_cast<unsigned long long>(value));
}

UiText UiText::arg(unsigned long long value) const
{
    const UiText base = *this;
    return UiText(Segment([base, value] { return base.toString().arg(value, 0, 10, QLatin1Char(' ')); }));
}

UiText UiText::arg(unsigned short value) const
{
    const UiText base = *this;
    return UiText(Segment([base, value] { return base.toString().arg(static_cast<uint>(value), 0, 10, QLatin1Char(' ')); }));
}

UiText UiText::arg(const QString& first, const UiText& second) const
{
    const UiText base = *this;
    return UiText(Segment([base, first, second] { return base.toString().arg(first, second.toString()); }));
}

UiText UiText::toHtmlEscaped() const
{
    const UiText base = *this;
    return UiText(Segment([base] { return base.toString().toHtmlEscaped(); }));
}

QString UiText::toString() const
{
    QString text;
    for (const Segment& segment : segments_)
        text += segment();
    return text;
}

void UiText::clear() { segments_.clear(); }

UiText UiText::appended(const QString& literal) const
{
    UiText copy = *this;
    copy.segments_.append([literal] { return literal; });
    return copy;
}

bool UiText::operator==(const UiText& other) const { return toString() == other.toString(); }

QDebug operator<<(QDebug debug, const UiText& text)
{
    QDebugStateSaver saver(debug);
    debug << text.toString();
    return debug;
}

UiLanguageObserver::UiLanguageObserver(Callback callback, QObject* parent)
    : QObject(parent), callback_(std::move(callback))
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

bool UiLanguageObserver::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange && callback_)
        callback_();
    return false;
}

UiLanguageObserver* UiLanguageObserver::attachTo(QObject* owner, Callback callback)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || app->thread() != owner->thread())
        return nullptr;
    return new UiLanguageObserver(std::move(callback), owner);
}

QString formatByteSize(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes < 1048576)
        return QStringLiteral("%1 KB").arg(static_cast<double>(bytes) / 1024.0, 0, 'f', 1);
    if (bytes < 1073741824)
        return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / 1048576.0, 0, 'f', 1);
    return QStringLiteral("%1 GB").arg(static_cast<double>(bytes) / 1073741824.0, 0, 'f', 2);
}

} // namespace olm::repair
