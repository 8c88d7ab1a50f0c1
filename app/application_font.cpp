#include "app/application_font.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>

namespace olm::repair {

ApplicationFont::ApplicationFont(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
    family_ = QGuiApplication::font().family();
}

bool ApplicationFont::eventFilter(QObject* watched, QEvent* event)
{
    // QGuiApplication::setFont sends ApplicationFontChange to the application object.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationFontChange)
        refresh();
    return false;
}

void ApplicationFont::refresh()
{
    const QString family = QGuiApplication::font().family();
    if (family == family_)
        return;
    family_ = family;
    emit familyChanged();
}

} // namespace olm::repair
