import QtQuick
import QtTest
import Korvex.FileRepair

// "放弃并关闭" in the close guard: the unsaved result is discarded before the program quits. In a
// file of its own, as the quit ends the test run.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {}
    }

    TestCase {
        name: "MainWindowDiscard"
        when: windowShown

        function test_discardAndClose() {
            verify(testFiles.makeFolder("inputs"))
            const inputs = testFiles.path("inputs")
            compare(testFiles.run("python3", [testFiles.sourceFolder + "/tests/app/qml/make_damaged_fixtures.py", inputs]), 0)
            const window = createTemporaryObject(mainComponent, root)
            const workflow = window.repairPage.workflow
            window.repairPage.acceptInput("file://" + inputs + "/photo.jpg")
            workflow.analyze()
            tryCompare(workflow, "state", "AnalysisCompleted", 30000)
            workflow.repair("quick")
            tryCompare(workflow, "state", "PreviewReady", 60000)
            const outputFolder = workflow.outputPath

            const dialog = findChild(window, "unsavedExitDialog")
            window.close()
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "exitDiscardButton"))
            // Discarded (the analysis stays), nothing left to guard.
            compare(workflow.state, "AnalysisCompleted")
            verify(!workflow.hasUnsavedResult)
            verify(!testFiles.exists(outputFolder))
        }
    }
}
