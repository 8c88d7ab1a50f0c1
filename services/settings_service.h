#pragma once

// The user's settings (interface language, theme, save behaviour, cache limit, open-after-save,
// diagnostics) as one QML-facing object. It persists them in the per-user settings store, takes
// over the installer's language choice once per installer revision, and keeps a translatable status
// line that tells what the last settings action did.
//
// Start-up creates one instance without a parent before the QML engine and publishes it as the
// context property "settingsService"; it outlives the engine. GUI thread only.

#include "app/ui_text.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace olm::repair {

class SettingsService : public QObject {
    Q_OBJECT
    QML_ELEMENT

    // The order of these declarations is the order QML and the meta-object system see.
    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(QString theme READ theme WRITE setTheme NOTIFY settingsChanged)
    Q_PROPERTY(QString defaultSaveBehavior READ defaultSaveBehavior WRITE setDefaultSaveBehavior NOTIFY settingsChanged)
    Q_PROPERTY(int cacheLimitMb READ cacheLimitMb WRITE setCacheLimitMb NOTIFY settingsChanged)
    Q_PROPERTY(bool openAfterSave READ openAfterSave WRITE setOpenAfterSave NOTIFY settingsChanged)
    Q_PROPERTY(bool diagnosticsEnabled READ diagnosticsEnabled WRITE setDiagnosticsEnabled NOTIFY settingsChanged)
    Q_PROPERTY(QString cacheSizeText READ cacheSizeText NOTIFY cacheChanged)
    Q_PROPERTY(QString diagnosticsSizeText READ diagnosticsSizeText NOTIFY diagnosticsChanged)
    // diagnosticsPath (constant) belongs here, with the diagnostics log.
    Q_PROPERTY(QString lastSaveDirectory READ lastSaveDirectory NOTIFY settingsChanged)
    Q_PROPERTY(QUrl lastSaveDirectoryUrl READ lastSaveDirectoryUrl NOTIFY settingsChanged)
    Q_PROPERTY(bool lastSaveDirectoryAvailable READ lastSaveDirectoryAvailable NOTIFY settingsChanged)
    Q_PROPERTY(QString applicationVersion READ applicationVersion CONSTANT)
    Q_PROPERTY(QString legalTitle READ legalTitle NOTIFY legalDocumentChanged)
    Q_PROPERTY(QString legalText READ legalText NOTIFY legalDocumentChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(bool feedbackBusy READ feedbackBusy NOTIFY feedbackBusyChanged)

public:
    explicit SettingsService(QObject* parent = nullptr);

    // The eight interface languages, in the order the settings page lists them.
    static const QStringList& supportedLanguageCodes();
    // The language's own name ("日本語" for "ja-JP"); an unknown code is returned unchanged.
    static QString languageDisplayName(const QString& code);
    // Where the installer leaves its language choice: beside the executable.
    static QString installerLanguageFilePath();

    QString language() const { return language_; }
    void setLanguage(const QString& language);
    QString theme() const { return theme_; }
    void setTheme(const QString& theme);
    QString defaultSaveBehavior() const { return defaultSaveBehavior_; }
    void setDefaultSaveBehavior(const QString& behavior);
    int cacheLimitMb() const { return cacheLimitMb_; }
    void setCacheLimitMb(int limitMb);
    bool openAfterSave() const { return openAfterSave_; }
    void setOpenAfterSave(bool enabled);
    bool diagnosticsEnabled() const { return diagnosticsEnabled_; }
    void setDiagnosticsEnabled(bool enabled);

    QString cacheSizeText() const { return cacheSizeText_; }
    QString diagnosticsSizeText() const { return diagnosticsSizeText_; }
    QString lastSaveDirectory() const { return lastSaveDirectory_; }
    QUrl lastSaveDirectoryUrl() const;
    bool lastSaveDirectoryAvailable() const;
    QString applicationVersion() const;
    QString legalTitle() const { return legalTitle_.toString(); }
    QString legalText() const { return legalText_.toString(); }
    QString status() const;
    bool feedbackBusy() const { return feedbackBusy_; }

    QByteArray lastSaveDirectoryBookmark() const { return lastSaveDirectoryBookmark_; }

    // Remembers an existing, writable folder as the last save folder.
    Q_INVOKABLE bool rememberSaveDirectory(const QUrl& directoryUrl);
    // Restores every setting's default; the cache, the diagnostics log and the installer revision
    // stay as they are.
    Q_INVOKABLE void resetDefaults();

    static constexpr int kMinimumCacheLimitMb = 128;
    static constexpr int kMaximumCacheLimitMb = 4096;
    static constexpr int kDefaultCacheLimitMb = 512;

signals:
    void languageChanged(const QString& language);
    void settingsChanged();
    void cacheChanged();
    void diagnosticsChanged();
    void legalDocumentChanged();
    void legalDocumentRequested();
    void statusChanged();
    void feedbackBusyChanged();
    void feedbackFinished(const QString& result, const QString& ticket);

private:
    void loadSettings();
    void saveSettings();
    void setStatus(const UiText& status);
    void onUiLanguageChanged();

    QString language_;
    QString theme_;
    QString defaultSaveBehavior_;
    int cacheLimitMb_ = kDefaultCacheLimitMb;
    bool openAfterSave_ = false;
    bool diagnosticsEnabled_ = false;
    QString cacheSizeText_;
    QString diagnosticsSizeText_;
    QString lastSaveDirectory_;
    UiText legalTitle_;
    UiText legalText_;
    bool noticesShown_ = false;
    UiText status_;
    bool feedbackBusy_ = false;
    QByteArray lastFeedbackPayload_;
    QString lastFeedbackRequestId_;
    QByteArray lastSaveDirectoryBookmark_;
};

} // namespace olm::repair
