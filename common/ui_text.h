#pragma once

// A user-visible text kept as a recipe: it is evaluated through the translator installed at the
// moment it is shown, so a message made under one language reads in the current one after a switch,
// and a message made on a worker thread is translated on the GUI thread.

#include <QDebug>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <functional>

namespace olm::repair {

class UiText {
public:
    using Segment = std::function<QString()>;

    UiText() = default;
    UiText(const QString& literal); // NOLINT: a literal text is a UiText
    explicit UiText(Segment segment);

    static UiText translated(const char* context, const char* source);

    UiText arg(const QString& value) const;
    UiText arg(const UiText& value) const;
    UiText arg(long long value) const;
    UiText arg(int value) const;
    UiText arg(unsigned long value) const;
    UiText arg(unsigned long long value) const;
    UiText arg(unsigned short value) const;
    UiText arg(const QString& first, const UiText& second) const;
    UiText toHtmlEscaped() const;

    QString toString() const;
    bool isEmpty() const { return segments_.isEmpty(); }
    void clear();
    UiText appended(const QString& literal) const;

    bool operator==(const UiText& other) const;
    bool operator!=(const UiText& other) const { return !(*this == other); }

private:
    QList<Segment> segments_;
};

QDebug operator<<(QDebug debug, const UiText& text);

// Tells its owner that the UI language changed (a language-change event reached the application).
class UiLanguageObserver : public QObject {
public:
    using Callback = std::function<void()>;
    UiLanguageObserver(Callback callback, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Creates an observer for `owner` when an application exists and lives in the owner's thread.
    static UiLanguageObserver* attachTo(QObject* owner, Callback callback);

private:
    Callback callback_;
};

// Byte counts as "1.5 KB" etc.: fixed notation with a point, untranslated.
QString formatByteSize(qint64 bytes);

} // namespace olm::repair

Q_DECLARE_METATYPE(olm::repair::UiText)

// Each source file that issues user texts defines its own translation context:
//   #define KORVEX_TR_CONTEXT "olm::repair::SettingsService"
//   #include "common/ui_tr.h"
