#pragma once

// The application font's family as a notifying QML singleton. Qt 6.4's Qt.application.font has no
// change signal, so bindings to it keep the family of the language the UI started in; controls bind
// to ApplicationFont.family instead and follow every language switch.

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace olm::repair {

class ApplicationFont : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString family READ family NOTIFY familyChanged)

public:
    explicit ApplicationFont(QObject* parent = nullptr);

    QString family() const { return family_; }
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void familyChanged();

private:
    void refresh();

    QString family_;
};

} // namespace olm::repair
