#pragma once

// A private settings store and program identity for one test program, so settings written by a
// test never reach the user's own store or another test program's.

#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

class SettingsStoreFixture {
public:
    // Call once from initTestCase; false when the store folder could not be made.
    bool setUp(const QString& applicationName)
    {
        if (!dir_.isValid())
            return false;
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(applicationName);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
        return true;
    }

private:
    QTemporaryDir dir_;
};
