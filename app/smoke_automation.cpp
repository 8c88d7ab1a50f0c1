#include "app/smoke_automation.h"

#include "app/repair_workflow_controller.h"
#include "common/save_file_commit.h"
#include "services/settings_service.h"

#include <QCoreApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace olm::repair {

namespace {

constexpr int kQuitDelayMs = 250;
constexpr int kFeedbackResultDelayMs = 250;
constexpr int kFeedbackSubmitDelayMs = 500;
constexpr int kCaptureDelayMs = 1000;
constexpr int kFeedbackTimeoutMs = 20000;
constexpr int kRepairTimeoutMs = 30000;

// The first end wins: a time-out or a second answer that arrives in the same pass of the event
// loop must not replace the code of the outcome that ended the run.
void endSmokeRun(int code)
{
    static bool ended = false;
    if (ended)
        return;
    ended = true;
    QCoreApplication::exit(code);
}

void endSmokeRunAfter(int delayMs, int code)
{
    QTimer::singleShot(delayMs, QCoreApplication::instance(), [code] { endSmokeRun(code); });
}

bool saveWindowCapture(QQuickWindow* window, const QString& capturePath)
{
    // The image format follows the path's suffix; an unknown suffix fails the save.
    const QImage image = window->grabWindow();
    return !image.isNull() && image.save(capturePath);
}

void captureAfterDelay(QObject* context, QQuickWindow* window, const QString& capturePath)
{
    QTimer::singleShot(kCaptureDelayMs, context, [window, capturePath] {
        endSmokeRun(saveWindowCapture(window, capturePath) ? kSmokeExitSuccess : kSmokeExitCaptureFailed);
    });
}

// Sizes above 0 only: an unset or non-numeric variable reads as 0 and leaves the size alone.
void applyWindowSize(QQuickWindow* window, const char* widthVariable, const char* heightVariable)
{
    const int width = qEnvironmentVariableIntValue(widthVariable);
    const int height = qEnvironmentVariableIntValue(heightVariable);
    if (width > 0)
        window->setWidth(width);
    if (height > 0)
        window->setHeight(height);
}

void applyPageChoices(QObject* root)
{
    if (qEnvironmentVariable(kSmokeHelpFeedbackVariable) == QLatin1String("1")) {
        if (QObject* helpPage = root->findChild<QObject*>(QStringLiteral("helpPage")))
            helpPage->setProperty("feedbackVisible", true);
    }
    const QString page = qEnvironmentVariable(kSmokePageVariable);
    if (!page.isEmpty())
        root->setProperty("currentPage", page);
    const QString section = qEnvironmentVariable(kSmokeSectionVariable);
    if (!section.isEmpty()) {
        if (QObject* settingsPage = root->findChild<QObject*>(QStringLiteral("settingsPage")))
            settingsPage->setProperty("section", section);
    }
}

enum class SmokeRun { None, CaptureOnly, Feedback, Repair };

SmokeRun chooseRun(const QString& capturePath, const QString& repairInput, const QString& feedbackText)
{
    if (!feedbackText.isEmpty() && !capturePath.isEmpty())
        return SmokeRun::Feedback;
    if (repairInput.isEmpty() || capturePath.isEmpty())
        return capturePath.isEmpty() ? SmokeRun::None : SmokeRun::CaptureOnly;
    return SmokeRun::Repair;
}

void startFeedbackRun(QQuickWindow* window, SettingsService& settings, const QString& capturePath, const QString& feedbackText)
{
    QCoreApplication* application = QCoreApplication::instance();
    QObject::connect(&settings, &SettingsService::feedbackFinished, application,
                     [window, capturePath](const QString& result, const QString& ticket) {
                         QTimer::singleShot(kFeedbackResultDelayMs, QCoreApplication::instance(),
                                            [window, capturePath, result, ticket] {
                                                finishFeedbackSmokeRun(window, capturePath, result, ticket);
                                            });
                     });
    QTimer::singleShot(kFeedbackSubmitDelayMs, application, [window, feedbackText] {
        if (!submitSmokeFeedback(window, feedbackText))
            endSmokeRun(kSmokeExitFeedbackFailed);
    });
    endSmokeRunAfter(kFeedbackTimeoutMs, kSmokeExitFeedbackFailed);
}

int startRepairRun(QObject* root, QQuickWindow* window, SettingsService& settings, const QString& capturePath,
                   const QString& repairInput)
{
    auto* controller = root->findChild<RepairWorkflowController*>();
    if (controller == nullptr)
        return kSmokeExitNoController;

    QCoreApplication* application = QCoreApplication::instance();
    // The controller announces a state several times (every busy change re-announces it, and a
    // repair's start announces "AnalysisCompleted" once more before it turns "Repairing"). React
    // once per state entered: a second quick-repair call while the first runs would replace the
    // progress text with a refusal, and a second capture would be taken.
    auto lastState = std::make_shared<QString>();
    QObject::connect(controller, &RepairWorkflowController::stateChanged, application,
                     [controller, window, capturePath, settingsService = &settings, application, lastState] {
                         const QString state = controller->state();
                         if (state == *lastState)
                             return;
                         *lastState = state;
                         onSmokeRepairStateChanged(controller, window, capturePath, settingsService, application);
                     });
    QTimer::singleShot(0, controller, [controller, repairInput] {
        controller->selectInput(QUrl::fromLocalFile(repairInput));
        controller->analyze();
    });
    const int setTimeoutMs = qEnvironmentVariableIntValue(kSmokeRepairTimeoutVariable);
    endSmokeRunAfter(setTimeoutMs > kRepairTimeoutMs ? setTimeoutMs : kRepairTimeoutMs, kSmokeExitRepairTimeout);
    return kSmokeExitSuccess;
}

} // namespace

QQuickItem* findItemByObjectName(QQuickItem* item, const QString& name)
{
    if (item == nullptr)
        return nullptr;
    if (item->objectName() == name)
        return item;
    const QList<QQuickItem*> children = item->childItems();
    for (QQuickItem* child : children) {
        if (QQuickItem* found = findItemByObjectName(child, name))
            return found;
    }
    return nullptr;
}

bool submitSmokeFeedback(QQuickWindow* window, const QString& text)
{
    QQuickItem* field = findItemByObjectName(window->contentItem(), QStringLiteral("feedbackDescription"));
    QQuickItem* button = findItemByObjectName(window->contentItem(), QStringLiteral("submitFeedbackButton"));
    if (field == nullptr || button == nullptr)
        return false;
    field->setProperty("text", text);
    return QMetaObject::invokeMethod(button, "clicked");
}

void finishFeedbackSmokeRun(QQuickWindow* window, const QString& capturePath, const QString& result, const QString& ticket)
{
    QSaveFile resultFile(capturePath + QStringLiteral(".result.json"));
    if (!resultFile.open(QIODevice::WriteOnly)) {
        endSmokeRun(kSmokeExitFeedbackFailed);
        return;
    }
    // QJsonObject keeps its members sorted, which is also the order wanted: "result", "ticket".
    const QJsonObject outcome{{QStringLiteral("result"), result}, {QStringLiteral("ticket"), ticket}};
    resultFile.write(QJsonDocument(outcome).toJson(QJsonDocument::Indented));
    bool captured = false;
    if (commitSaveFile(resultFile))
        captured = saveWindowCapture(window, capturePath);
    endSmokeRun(result == QLatin1String("submitted") && captured ? kSmokeExitSuccess : kSmokeExitFeedbackFailed);
}

void onSmokeRepairStateChanged(RepairWorkflowController* controller, QQuickWindow* window, const QString& capturePath,
                               SettingsService* settings, QCoreApplication* application)
{
    const QString state = controller->state();
    if (state == WorkflowState::AnalysisCompleted) {
        QTimer::singleShot(0, controller, [controller] { controller->repair(QStringLiteral("quick")); });
    } else if (state == WorkflowState::PreviewReady) {
        const QString language = qEnvironmentVariable(kSmokeSwitchLanguageVariable);
        if (!language.isEmpty())
            settings->setLanguage(language);
        applyWindowSize(window, kSmokeResizeWidthVariable, kSmokeResizeHeightVariable);
        captureAfterDelay(application, window, capturePath);
    } else if (state == WorkflowState::Failed) {
        // The controller announces the state before it sets the reason: read the status once the
        // announcement is over, or the log names the progress text instead of the failure.
        QTimer::singleShot(0, application, [controller = QPointer<RepairWorkflowController>(controller)] {
            const QString status = controller ? controller->status() : QString();
            qWarning("Smoke repair failed: %s", status.toUtf8().constData());
            endSmokeRun(kSmokeExitRepairFailed);
        });
    }
}

int setUpSmokeAutomation(QQmlApplicationEngine& engine, SettingsService& settings)
{
    QObject* root = engine.rootObjects().value(0);
    if (root == nullptr)
        return kSmokeExitSuccess; // start-up has already ended such a run
    applyPageChoices(root);

    const QString capturePath = qEnvironmentVariable(kSmokeCaptureVariable);
    const SmokeRun run = chooseRun(capturePath, qEnvironmentVariable(kSmokeRepairInputVariable),
                                   qEnvironmentVariable(kSmokeFeedbackMessageVariable));

    auto* window = qobject_cast<QQuickWindow*>(root);
    if (window == nullptr) {
        // Nothing to drive or capture. Only the plain run may still end well: a requested run that
        // cannot even start is a failure, not a success.
        const int code = run == SmokeRun::None       ? kSmokeExitSuccess
                         : run == SmokeRun::Feedback ? kSmokeExitFeedbackFailed
                                                     : kSmokeExitCaptureFailed;
        endSmokeRunAfter(kQuitDelayMs, code);
        return kSmokeExitSuccess;
    }
    applyWindowSize(window, kSmokeWidthVariable, kSmokeHeightVariable);

    switch (run) {
    case SmokeRun::Feedback:
        startFeedbackRun(window, settings, capturePath, qEnvironmentVariable(kSmokeFeedbackMessageVariable));
        return kSmokeExitSuccess;
    case SmokeRun::CaptureOnly:
        captureAfterDelay(QCoreApplication::instance(), window, capturePath);
        return kSmokeExitSuccess;
    case SmokeRun::Repair:
        return startRepairRun(root, window, settings, capturePath, qEnvironmentVariable(kSmokeRepairInputVariable));
    case SmokeRun::None:
        break;
    }
    endSmokeRunAfter(kQuitDelayMs, kSmokeExitSuccess);
    return kSmokeExitSuccess;
}

} // namespace olm::repair
