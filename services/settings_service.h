#pragma once

// The user's settings (interface language, theme, save behaviour, cache limit, open-after-save,
// diagnostics) as one QML-facing object. It persists them in the per-user settings store, takes
// over the installer's language choice once per installer revision, and keeps a translatable status
// line that tells what the last settings action did.
//
// Start-up creates one instance without a parent before the QML engine and publishes it as the
// context property "settingsService"; it outlives the engine. GUI thread only.

#include "common/ui_text.h"

#include <QByteArray>
#include <QHash>
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
    Q_PROPERTY(QString diagnosticsPath READ diagnosticsPath CONSTANT)
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
    // The cache limit in MiB as the settings store holds it now (clamped like the property), for
    // the repair jobs, which must keep within it.
    static int storedCacheLimitMb();

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
    // <application-local data folder>/diagnostics/events.jsonl
    QString diagnosticsPath() const;
    QString lastSaveDirectory() const { return lastSaveDirectory_; }
    QUrl lastSaveDirectoryUrl() const;
    bool lastSaveDirectoryAvailable() const;
    QString applicationVersion() const;
    QString legalTitle() const { return legalTitle_.toString(); }
    QString legalText() const { return legalText_.toString(); }
    QString status() const;
    bool feedbackBusy() const { return feedbackBusy_; }

    QByteArray lastSaveDirectoryBookmark() const { return lastSaveDirectoryBookmark_; }
    QByteArray lastFeedbackPayload() const { return lastFeedbackPayload_; }
    QString lastFeedbackRequestId() const { return lastFeedbackRequestId_; }

    // The order of these declarations is the order QML and the meta-object system see.

    // Measures the session cache for cacheSizeText.
    Q_INVOKABLE void refreshCacheSize();
    // Removes the oldest cache sessions while the cache exceeds cacheLimitMb. Sessions held by a
    // running instance, and the one holding protectedFilePath (the unsaved result), stay.
    Q_INVOKABLE void enforceCacheLimit(const QString& protectedFilePath = QString());
    // Removes cache sessions older than seven days, with the same protection.
    Q_INVOKABLE void clearExpiredCache(const QString& protectedFilePath = QString());
    // Remembers an existing, writable folder as the last save folder.
    Q_INVOKABLE bool rememberSaveDirectory(const QUrl& directoryUrl);
    // Appends one event to the diagnostics log while diagnostics are enabled; silent otherwise.
    Q_INVOKABLE void recordDiagnosticEvent(const QString& eventName);
    // Deletes the diagnostics log (enabled or not).
    Q_INVOKABLE void clearDiagnosticData();
    // Each loads one legal document into legalTitle/legalText and asks the page to show it.
    Q_INVOKABLE void showThirdPartyNotices();
    Q_INVOKABLE void showQtSourceInstructions();
    Q_INVOKABLE void showLgplLicense();
    // Restores every setting's default; the cache, the diagnostics log and the installer revision
    // stay as they are.
    Q_INVOKABLE void resetDefaults();
    // Application, Qt, OS, architecture and language: what a problem report may carry.
    Q_INVOKABLE QString feedbackSystemInfo() const;
    Q_INVOKABLE bool copyFeedback(const QString& text);
    Q_INVOKABLE bool saveFeedback(const QUrl& destination, const QString& text);
    // Posts one problem report to <apiBase>/v1/feedback; the outcome arrives as feedbackFinished.
    Q_INVOKABLE void submitFeedback(const QUrl& apiBase, const QString& message, bool includeSystem);

    // The legal documents' folder beside the executable, and one document's path in it.
    static QString licenseFilePath(const QString& name);
    // A legal file's text; empty when it is missing, not a regular file, unreadable, empty or larger
    // than kLegalFileLimit.
    static QString readLegalFile(const QString& path);
    // The feedback endpoint for an API base: its path without trailing '/' + "/v1/feedback".
    static QUrl feedbackEndpoint(const QUrl& apiBase);

    static constexpr qint64 kLegalFileLimit = 2097152;
    static constexpr int kFeedbackMessageLimit = 6000;
    static constexpr int kFeedbackTextLimit = 32000;
    static constexpr qint64 kFeedbackReplyLimit = 65536;
    static constexpr int kFeedbackTimeoutMs = 15000;

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
    void refreshDiagnosticsSize();
    void loadLegalDocument();
    void setLegalDocument(const UiText& title, const UiText& text);
    void finishFeedback(const QString& result, const QString& ticket);

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
    // What this copy of the program last read from or wrote to the store, per key: only keys whose
    // value differs are written, so another running copy's changes to other keys are kept.
    QHash<QString, QString> storedValues_;
};

} // namespace olm::repair
