#include "services/settings_service.h"

#define KORVEX_TR_CONTEXT "olm::repair::SettingsService"
#include "common/ui_tr.h"

#include "common/save_file_commit.h"
#include "services/cache_maintenance.h"
#include "services/diagnostics_log.h"
#include "services/network_deadline.h"
#include "services/session_cache.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QSysInfo>
#include <QUuid>

#include <algorithm>

namespace olm::repair {

namespace {

const QString kDefaultLanguage = QStringLiteral("zh-CN");
const QString kLightTheme = QStringLiteral("light");
const QString kAskBehavior = QStringLiteral("ask");
const QString kLastBehavior = QStringLiteral("last");

const QString kLanguageKey = QStringLiteral("ui/language");
const QString kThemeKey = QStringLiteral("ui/theme");
const QString kSaveBehaviorKey = QStringLiteral("files/defaultSaveBehavior");
const QString kCacheLimitKey = QStringLiteral("cache/limitMb");
const QString kOpenAfterSaveKey = QStringLiteral("files/openAfterSave");
const QString kDiagnosticsKey = QStringLiteral("privacy/diagnosticsEnabled");
const QString kLastSaveDirectoryKey = QStringLiteral("files/lastSaveDirectory");
const QString kBookmarkKey = QStringLiteral("files/lastSaveDirectoryBookmark");
const QString kInstallerRevisionKey = QStringLiteral("ui/installerRevision");

int clampCacheLimit(int limitMb)
{
    return std::clamp(limitMb, SettingsService::kMinimumCacheLimitMb, SettingsService::kMaximumCacheLimitMb);
}

bool isWritableDirectory(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isDir() && info.isWritable();
}

} // namespace

SettingsService::SettingsService(QObject* parent)
    : QObject(parent), language_(kDefaultLanguage), theme_(kLightTheme), defaultSaveBehavior_(kAskBehavior)
{
    UiLanguageObserver::attachTo(this, [this] { onUiLanguageChanged(); });
    loadSettings();
    refreshCacheSize();
    refreshDiagnosticsSize();
}

const QStringList& SettingsService::supportedLanguageCodes()
{
    static const QStringList codes = {
        QStringLiteral("zh-CN"), QStringLiteral("zh-TW"), QStringLiteral("en-US"), QStringLiteral("de-DE"),
        QStringLiteral("fr-FR"), QStringLiteral("it-IT"), QStringLiteral("ja-JP"), QStringLiteral("es-ES"),
    };
    return codes;
}

QString SettingsService::languageDisplayName(const QString& code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("zh-CN"), QStringLiteral("简体中文")}, {QStringLiteral("zh-TW"), QStringLiteral("繁體中文")},
        {QStringLiteral("en-US"), QStringLiteral("English")}, {QStringLiteral("de-DE"), QStringLiteral("Deutsch")},
        {QStringLiteral("fr-FR"), QStringLiteral("Français")}, {QStringLiteral("it-IT"), QStringLiteral("Italiano")},
        {QStringLiteral("ja-JP"), QStringLiteral("日本語")}, {QStringLiteral("es-ES"), QStringLiteral("Español")},
    };
    return names.value(code, code);
}

QString SettingsService::installerLanguageFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/installer-language.ini");
}

void SettingsService::onUiLanguageChanged()
{
    // The notices exist per language; the other documents' translated parts are evaluated at each
    // read, so announcing them is enough.
    if (noticesShown_)
        loadLegalDocument();
    emit legalDocumentChanged();
    emit statusChanged();
}

int SettingsService::storedCacheLimitMb()
{
    const QSettings settings;
    return clampCacheLimit(settings.value(kCacheLimitKey, kDefaultCacheLimitMb).toInt());
}

void SettingsService::loadSettings()
{
    QSettings settings;
    for (const QString& key : {kLanguageKey, kThemeKey, kSaveBehaviorKey, kCacheLimitKey, kOpenAfterSaveKey,
                               kDiagnosticsKey, kLastSaveDirectoryKey, kBookmarkKey}) {
        if (settings.contains(key))
            storedValues_.insert(key, settings.value(key).toString());
    }
    language_ = settings.value(kLanguageKey, language_).toString();

    // The installer's choice wins once per installer revision; an unsupported language leaves the
    // revision unrecorded, so the rule is tried again at the next start.
    const QSettings installer(installerLanguageFilePath(), QSettings::IniFormat);
    const QString revision = installer.value(QStringLiteral("Install/Revision")).toString();
    const QString installerLanguage =
        installer.value(QStringLiteral("Install/Language")).toString().replace(QLatin1Char('_'), QLatin1Char('-'));
    if (!revision.isEmpty() && revision != settings.value(kInstallerRevisionKey).toString()
        && supportedLanguageCodes().contains(installerLanguage)) {
        language_ = installerLanguage;
        settings.setValue(kLanguageKey, language_);
        storedValues_.insert(kLanguageKey, language_);
        settings.setValue(kInstallerRevisionKey, revision);
    }

    theme_ = settings.value(kThemeKey, theme_).toString();
    defaultSaveBehavior_ = settings.value(kSaveBehaviorKey, defaultSaveBehavior_).toString();
    cacheLimitMb_ = settings.value(kCacheLimitKey, cacheLimitMb_).toInt(); // no number reads as 0
    openAfterSave_ = settings.value(kOpenAfterSaveKey, openAfterSave_).toBool();
    diagnosticsEnabled_ = settings.value(kDiagnosticsKey, diagnosticsEnabled_).toBool();
    lastSaveDirectory_ = settings.value(kLastSaveDirectoryKey, lastSaveDirectory_).toString();
    lastSaveDirectoryBookmark_ = QByteArray::fromBase64(settings.value(kBookmarkKey).toByteArray());

    if (!supportedLanguageCodes().contains(language_))
        language_ = kDefaultLanguage;
    if (theme_ != kLightTheme)
        theme_ = kLightTheme;
    if (defaultSaveBehavior_ != kAskBehavior && defaultSaveBehavior_ != kLastBehavior)
        defaultSaveBehavior_ = kAskBehavior;
    cacheLimitMb_ = clampCacheLimit(cacheLimitMb_);
    if (!lastSaveDirectory_.isEmpty())
        lastSaveDirectory_ = QDir::cleanPath(lastSaveDirectory_);

    saveSettings();
}

void SettingsService::saveSettings()
{
    QSettings settings;
    const auto store = [&](const QString& key, const QVariant& value) {
        const auto stored = storedValues_.constFind(key);
        if (stored != storedValues_.constEnd() && *stored == value.toString())
            return;
        settings.setValue(key, value);
        storedValues_.insert(key, value.toString());
    };
    store(kLanguageKey, language_);
    store(kThemeKey, theme_);
    store(kSaveBehaviorKey, defaultSaveBehavior_);
    store(kCacheLimitKey, cacheLimitMb_);
    store(kOpenAfterSaveKey, openAfterSave_);
    store(kDiagnosticsKey, diagnosticsEnabled_);
    store(kLastSaveDirectoryKey, lastSaveDirectory_);
    store(kBookmarkKey, QString::fromLatin1(lastSaveDirectoryBookmark_.toBase64()));
    settings.sync();
}

void SettingsService::setStatus(const UiText& status)
{
    const QString before = status_.toString();
    status_ = status;
    if (status_.toString() != before)
        emit statusChanged();
}

QString SettingsService::status() const
{
    const QString text = status_.toString();
    if (!text.isEmpty())
        return text;
    return uiTr("设置仅保存在当前用户配置目录").toString();
}

void SettingsService::setLanguage(const QString& language)
{
    const QString code = language.trimmed();
    if (!supportedLanguageCodes().contains(code)) {
        setStatus(uiTr("不支持的界面语言：%1").arg(language));
        return;
    }
    if (code == language_)
        return;
    language_ = code;
    saveSettings();
    emit languageChanged(language_);
    emit settingsChanged();
    setStatus(uiTr("界面语言已切换为 %1").arg(languageDisplayName(language_)));
}

void SettingsService::setTheme(const QString& theme)
{
    if (theme != kLightTheme) {
        setStatus(uiTr("当前发行包仅提供经过验收的浅色主题"));
        return;
    }
    if (theme == theme_)
        return;
    theme_ = theme;
    saveSettings();
    emit settingsChanged();
    setStatus(uiTr("浅色主题已应用"));
}

void SettingsService::setDefaultSaveBehavior(const QString& behavior)
{
    if ((behavior != kAskBehavior && behavior != kLastBehavior) || behavior == defaultSaveBehavior_)
        return;
    defaultSaveBehavior_ = behavior;
    saveSettings();
    emit settingsChanged();
    setStatus(behavior == kLastBehavior ? uiTr("保存时将优先使用上次选择的有效目录")
                                        : uiTr("保存时将始终询问目标目录"));
}

void SettingsService::setCacheLimitMb(int limitMb)
{
    const int clamped = clampCacheLimit(limitMb);
    if (clamped == cacheLimitMb_)
        return;
    cacheLimitMb_ = clamped;
    saveSettings();
    emit settingsChanged();
    setStatus(uiTr("临时修复缓存上限已设置为 %1 MB").arg(cacheLimitMb_));
}

void SettingsService::setOpenAfterSave(bool enabled)
{
    if (enabled == openAfterSave_)
        return;
    openAfterSave_ = enabled;
    saveSettings();
    emit settingsChanged();
    setStatus(enabled ? uiTr("保存成功后将在系统文件管理器中定位结果") : uiTr("保存成功后不再自动定位结果"));
}

void SettingsService::setDiagnosticsEnabled(bool enabled)
{
    if (enabled == diagnosticsEnabled_)
        return;
    if (enabled) {
        diagnosticsEnabled_ = true;
        saveSettings();
        emit settingsChanged();
        // The log starts with the switch itself.
        recordDiagnosticEvent(QStringLiteral("diagnostics.enabled"));
        setStatus(uiTr("已启用本地匿名诊断日志；日志不会自动上传"));
        return;
    }
    // Recorded while still enabled, so the switch is the log's last line.
    recordDiagnosticEvent(QStringLiteral("diagnostics.disabled"));
    diagnosticsEnabled_ = false;
    saveSettings();
    emit settingsChanged();
    setStatus(uiTr("已关闭本地匿名诊断日志"));
}

QUrl SettingsService::lastSaveDirectoryUrl() const
{
    if (lastSaveDirectory_.isEmpty())
        return {};
    return QUrl::fromLocalFile(lastSaveDirectory_);
}

bool SettingsService::lastSaveDirectoryAvailable() const
{
    return !lastSaveDirectory_.isEmpty() && isWritableDirectory(lastSaveDirectory_);
}

QString SettingsService::applicationVersion() const { return QCoreApplication::applicationVersion(); }

bool SettingsService::rememberSaveDirectory(const QUrl& directoryUrl)
{
    const QString path = directoryUrl.isLocalFile() ? directoryUrl.toLocalFile() : directoryUrl.toString();
    if (path.isEmpty() || !isWritableDirectory(path)) {
        setStatus(uiTr("未记住保存目录：目录不存在或不可写"));
        return false;
    }
    lastSaveDirectory_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    saveSettings();
    emit settingsChanged();
    setStatus(uiTr("已记住保存目录：%1").arg(QDir::toNativeSeparators(lastSaveDirectory_)));
    return true;
}

void SettingsService::resetDefaults()
{
    const bool languageWasDefault = language_ == kDefaultLanguage;
    language_ = kDefaultLanguage;
    theme_ = kLightTheme;
    defaultSaveBehavior_ = kAskBehavior;
    cacheLimitMb_ = kDefaultCacheLimitMb;
    openAfterSave_ = false;
    diagnosticsEnabled_ = false;
    lastSaveDirectory_.clear();
    lastSaveDirectoryBookmark_.clear();
    storedValues_.clear(); // a reset writes every key, whatever another copy stored meanwhile
    saveSettings();
    if (!languageWasDefault)
        emit languageChanged(language_);
    emit settingsChanged();
    setStatus(uiTr("已恢复默认设置；现有缓存和诊断文件未被删除"));
}

// --- Cache trimming and expiry -------------------------------------------------------------

void SettingsService::refreshCacheSize()
{
    const QString root = repairOutputPath();
    const QString text = formatByteSize(root.isEmpty() ? 0 : directorySize(root));
    if (text == cacheSizeText_)
        return;
    cacheSizeText_ = text;
    emit cacheChanged();
}

void SettingsService::enforceCacheLimit(const QString& protectedFilePath)
{
    const qint64 limitBytes = qint64(cacheLimitMb_) * 1048576;
    const TrimOutcome outcome = trimCacheToLimit(limitBytes, protectedFilePath);
    refreshCacheSize();
    if (outcome.overLimit) {
        setStatus(uiTr("已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限").arg(outcome.removed));
    } else if (outcome.removed == 0) {
        // Nothing had to go: the cache was within the limit from the start.
        setStatus(uiTr("缓存占用未超过 %1 MB 上限").arg(cacheLimitMb_));
    } else {
        setStatus(uiTr("已清理 %1 个旧任务，缓存已回到 %2 MB 上限内").arg(outcome.removed).arg(cacheLimitMb_));
    }
}

void SettingsService::clearExpiredCache(const QString& protectedFilePath)
{
    const QDateTime cutoff = QDateTime::currentDateTimeUtc().addDays(-7);
    const ExpiryOutcome outcome = removeExpiredSessions(cutoff, protectedFilePath);
    setStatus(uiTr("已清理 %1 个过期任务缓存；%2 个当前任务受到保护").arg(outcome.removed).arg(outcome.protectedCount));
    refreshCacheSize();
    recordDiagnosticEvent(QStringLiteral("cache.expired_cleared"));
}

// --- Diagnostics log -----------------------------------------------------------------------

QString SettingsService::diagnosticsPath() const { return diagnosticsFilePath(); }

void SettingsService::refreshDiagnosticsSize()
{
    const QString text = formatByteSize(diagnosticsFileSize());
    if (text == diagnosticsSizeText_)
        return;
    diagnosticsSizeText_ = text;
    emit diagnosticsChanged();
}

void SettingsService::recordDiagnosticEvent(const QString& eventName)
{
    if (!diagnosticsEnabled_ || !appendDiagnosticEvent(eventName))
        return;
    refreshDiagnosticsSize();
}

void SettingsService::clearDiagnosticData()
{
    const QString path = diagnosticsFilePath();
    const bool cleared = !QFileInfo::exists(path) || QFile::remove(path);
    refreshDiagnosticsSize();
    setStatus(cleared ? uiTr("本地匿名诊断日志已清除") : uiTr("无法清除本地诊断日志，请稍后重试"));
}

// --- Legal texts ---------------------------------------------------------------------------

QString SettingsService::licenseFilePath(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("licenses/%1").arg(name));
}

QString SettingsService::readLegalFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLegalFileLimit)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // One byte past the limit tells a file that grew since the size check from one that fits.
    const QByteArray bytes = file.read(kLegalFileLimit + 1);
    if (bytes.size() > kLegalFileLimit)
        return {};
    return QString::fromUtf8(bytes);
}

void SettingsService::setLegalDocument(const UiText& title, const UiText& text)
{
    const QString titleBefore = legalTitle_.toString();
    const QString textBefore = legalText_.toString();
    legalTitle_ = title;
    legalText_ = text;
    if (legalTitle_.toString() != titleBefore || legalText_.toString() != textBefore)
        emit legalDocumentChanged();
}

void SettingsService::loadLegalDocument()
{
    QString text = readLegalFile(licenseFilePath(QStringLiteral("THIRD_PARTY_NOTICES.%1.md").arg(language_)));
    if (text.isEmpty())
        text = readLegalFile(licenseFilePath(QStringLiteral("THIRD_PARTY_NOTICES.md")));
    const UiText body = text.isEmpty()
        ? uiTr("发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。")
        : UiText(text);
    setLegalDocument(uiTr("第三方软件声明"), body);
}

void SettingsService::showThirdPartyNotices()
{
    noticesShown_ = true;
    loadLegalDocument();
    emit legalDocumentRequested();
}

void SettingsService::showLgplLicense()
{
    noticesShown_ = false;
    const QString text = readLegalFile(licenseFilePath(QStringLiteral("LGPL-3.0-only.txt")));
    const UiText body = text.isEmpty()
        ? uiTr("发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。")
        : UiText(text);
    setLegalDocument(uiTr("GNU LGPLv3 许可证"), body);
    emit legalDocumentRequested();
}

void SettingsService::showQtSourceInstructions()
{
    noticesShown_ = false;
    const QString version = QString::fromLatin1(qVersion());
    setLegalDocument(uiTr("获取对应 Qt 源码"),
                     uiTr("本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。\n"
                          "\n"
                          "对应 Qt 源码：\n"
                          "• Qt 官方源码仓库：https://code.qt.io/cgit/qt/\n"
                          "• Qt 官方归档：https://download.qt.io/archive/qt/\n"
                          "• 请选择与应用完全对应的 Qt %1 源码。\n"
                          "\n"
                          "重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。")
                         .arg(version));
    emit legalDocumentRequested();
}

// --- Feedback ------------------------------------------------------------------------------

QString SettingsService::feedbackSystemInfo() const
{
    return QStringLiteral("Korvex File Repair %1\nQt: %2\nOS: %3 %4\nArchitecture: %5\nLanguage: %6")
        .arg(QCoreApplication::applicationVersion(), QString::fromLatin1(qVersion()), QSysInfo::productType(),
             QSysInfo::productVersion(), QSysInfo::currentCpuArchitecture(), language_);
}

bool SettingsService::copyFeedback(const QString& text)
{
    if (text.trimmed().isEmpty() || text.size() > kFeedbackTextLimit)
        return false;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    clipboard->setText(text);
    return true;
}

bool SettingsService::saveFeedback(const QUrl& destination, const QString& text)
{
    if (!destination.isLocalFile() || !destination.host().isEmpty() || text.trimmed().isEmpty()
        || text.size() > kFeedbackTextLimit)
        return false;
    QSaveFile file(destination.toLocalFile());
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return commitSaveFile(file);
}

QUrl SettingsService::feedbackEndpoint(const QUrl& apiBase)
{
    static const QRegularExpression trailingSlashes(QStringLiteral("/+$"));
    QUrl url = apiBase;
    url.setPath(apiBase.path().remove(trailingSlashes) + QStringLiteral("/v1/feedback"));
    return url;
}

namespace {

bool acceptableFeedbackBase(const QUrl& apiBase)
{
    if (!apiBase.isValid() || !apiBase.userInfo().isEmpty() || apiBase.hasQuery() || apiBase.hasFragment())
        return false;
    if (apiBase.scheme() == QLatin1String("https"))
        return true;
    // Plain http only to this machine.
    return apiBase.scheme() == QLatin1String("http")
        && (apiBase.host() == QLatin1String("127.0.0.1") || apiBase.host() == QLatin1String("localhost"));
}

} // namespace

void SettingsService::submitFeedback(const QUrl& apiBase, const QString& message, bool includeSystem)
{
    if (feedbackBusy_)
        return;
    const QString trimmed = message.trimmed();
    if (trimmed.isEmpty() || message.size() > kFeedbackMessageLimit || !acceptableFeedbackBase(apiBase)) {
        emit feedbackFinished(QStringLiteral("error"), QString());
        return;
    }

    QJsonObject payload{
        {QStringLiteral("channel"), QStringLiteral("desktop")},
        {QStringLiteral("contact"), QString()},
        {QStringLiteral("locale"), language_},
        {QStringLiteral("message"), trimmed},
        {QStringLiteral("product_id"), QStringLiteral("korvex.file_repair")},
        {QStringLiteral("technical_info"), includeSystem ? feedbackSystemInfo() : QString()},
    };
    // Resending the same report (after a failure, say) carries the same id, so the back end can
    // tell a retry from a new report.
    const QByteArray withoutId = QJsonDocument(payload).toJson(QJsonDocument::Compact);
    if (withoutId != lastFeedbackPayload_ || lastFeedbackRequestId_.isEmpty()) {
        lastFeedbackPayload_ = withoutId;
        lastFeedbackRequestId_ = QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
    payload.insert(QStringLiteral("request_id"), lastFeedbackRequestId_);
    const QByteArray body = QJsonDocument(payload).toJson(QJsonDocument::Compact);

    QNetworkRequest request(feedbackEndpoint(apiBase));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(kFeedbackTimeoutMs);

    auto* manager = new QNetworkAccessManager(this);
    QNetworkReply* reply = manager->post(request, body);
    reply->setReadBufferSize(kFeedbackReplyLimit + 1);
    setOverallDeadline(reply, kFeedbackTimeoutMs);
    connect(reply, &QNetworkReply::readyRead, reply, [reply] {
        if (reply->bytesAvailable() > kFeedbackReplyLimit)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, manager] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray data = reply->read(kFeedbackReplyLimit);
        const QString id = QJsonDocument::fromJson(data).object().value(QStringLiteral("id")).toString();
        static const QRegularExpression ticketPattern(QStringLiteral("^FR-[a-f0-9]{32}$"));
        QString result = QStringLiteral("error");
        QString ticket;
        if (status == 429) {
            result = QStringLiteral("limited");
        } else if (reply->error() == QNetworkReply::NoError && status == 201 && ticketPattern.match(id).hasMatch()) {
            result = QStringLiteral("submitted");
            ticket = id;
        }
        finishFeedback(result, ticket);
        manager->deleteLater();
    });
    feedbackBusy_ = true;
    emit feedbackBusyChanged();
}

void SettingsService::finishFeedback(const QString& result, const QString& ticket)
{
    feedbackBusy_ = false;
    emit feedbackBusyChanged();
    emit feedbackFinished(result, ticket);
}

} // namespace olm::repair
