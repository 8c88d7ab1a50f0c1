#include "services/settings_service.h"

#define KORVEX_TR_CONTEXT "olm::repair::SettingsService"
#include "app/ui_tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

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
    // Translated properties are evaluated at each read; announcing them is enough.
    emit legalDocumentChanged();
    emit statusChanged();
}

void SettingsService::loadSettings()
{
    QSettings settings;
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
    settings.setValue(kLanguageKey, language_);
    settings.setValue(kThemeKey, theme_);
    settings.setValue(kSaveBehaviorKey, defaultSaveBehavior_);
    settings.setValue(kCacheLimitKey, cacheLimitMb_);
    settings.setValue(kOpenAfterSaveKey, openAfterSave_);
    settings.setValue(kDiagnosticsKey, diagnosticsEnabled_);
    settings.setValue(kLastSaveDirectoryKey, lastSaveDirectory_);
    settings.setValue(kBookmarkKey, QString::fromLatin1(lastSaveDirectoryBookmark_.toBase64()));
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
    diagnosticsEnabled_ = enabled;
    saveSettings();
    emit settingsChanged();
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
    saveSettings();
    if (!languageWasDefault)
        emit languageChanged(language_);
    emit settingsChanged();
    setStatus(uiTr("已恢复默认设置；现有缓存和诊断文件未被删除"));
}

} // namespace olm::repair
