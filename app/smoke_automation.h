#pragma once

// Smoke-test automation: with KORVEX_REPAIR_SMOKE_TEST set, the loaded program drives itself - it
// opens a chosen page, runs one feedback submission or one analysis and quick repair, captures the
// window into an image file and ends with an exit code that tells the outcome. Everything runs on
// the GUI thread through single-shot timers and signal connections, so the program under test
// behaves as in normal use.

#include <QString>

class QCoreApplication;
class QObject;
class QQmlApplicationEngine;
class QQuickItem;
class QQuickWindow;

namespace olm::repair {

class RepairWorkflowController;
class SettingsService;

inline constexpr char kSmokePageVariable[] = "KORVEX_REPAIR_SMOKE_PAGE";
inline constexpr char kSmokeHelpFeedbackVariable[] = "KORVEX_REPAIR_SMOKE_HELP_FEEDBACK";
inline constexpr char kSmokeSectionVariable[] = "KORVEX_REPAIR_SMOKE_SECTION";
inline constexpr char kSmokeWidthVariable[] = "KORVEX_REPAIR_SMOKE_WIDTH";
inline constexpr char kSmokeHeightVariable[] = "KORVEX_REPAIR_SMOKE_HEIGHT";
inline constexpr char kSmokeCaptureVariable[] = "KORVEX_REPAIR_SMOKE_CAPTURE";
inline constexpr char kSmokeFeedbackMessageVariable[] = "KORVEX_REPAIR_SMOKE_FEEDBACK_MESSAGE";
inline constexpr char kSmokeRepairInputVariable[] = "KORVEX_REPAIR_SMOKE_REPAIR_INPUT";
inline constexpr char kSmokeSwitchLanguageVariable[] = "KORVEX_REPAIR_SMOKE_SWITCH_LANGUAGE";
inline constexpr char kSmokeResizeWidthVariable[] = "KORVEX_REPAIR_SMOKE_RESIZE_WIDTH";
inline constexpr char kSmokeResizeHeightVariable[] = "KORVEX_REPAIR_SMOKE_RESIZE_HEIGHT";
// A longer wait for the repair run's result than the 30 s default, in milliseconds: the test suite
// sets it so that a loaded machine is not taken for a hung repair.
inline constexpr char kSmokeRepairTimeoutVariable[] = "KORVEX_REPAIR_SMOKE_REPAIR_TIMEOUT_MS";

// How a smoke run ends (start-up's own failures, 1 and 2, come before any of these).
enum SmokeExitCode : int {
    kSmokeExitSuccess = 0,
    kSmokeExitCaptureFailed = 3, // the window capture was not saved, or there was no window to capture
    kSmokeExitNoController = 4, // repair run: no RepairWorkflowController under the root
    kSmokeExitRepairFailed = 5, // repair run: the controller reached "Failed"
    kSmokeExitRepairTimeout = 6, // repair run: no preview within 30 seconds (or the wait set)
    kSmokeExitFeedbackFailed = 8, // feedback run: controls missing, not "submitted", nothing written, or no answer
};

// Sets the smoke run up after the main window was loaded. Returns kSmokeExitSuccess when the event
// loop is to run (the run then ends the loop with its code), any other code to end at once.
int setUpSmokeAutomation(QQmlApplicationEngine& engine, SettingsService& settings);

// Depth-first over QQuickItem::childItems: the item itself when its object name is `name`, else the
// first match among its children in order; null when there is none.
QQuickItem* findItemByObjectName(QQuickItem* item, const QString& name);

// Fills the help page's feedback field with `text` and clicks its submit button. False when either
// control is missing or the click could not be invoked.
bool submitSmokeFeedback(QQuickWindow* window, const QString& text);

// Writes "<capturePath>.result.json" and, once that is committed, the window capture; then ends the
// run: 0 only for "submitted" with the capture saved, else 8.
void finishFeedbackSmokeRun(QQuickWindow* window, const QString& capturePath, const QString& result, const QString& ticket);

// Reacts to a state the repair run's controller entered: the quick repair after the analysis, the
// capture once the preview is ready, exit 5 on failure.
void onSmokeRepairStateChanged(RepairWorkflowController* controller, QQuickWindow* window, const QString& capturePath,
                               SettingsService* settings, QCoreApplication* application);

} // namespace olm::repair
