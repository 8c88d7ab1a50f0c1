import QtQuick
import QtTest
import Korvex.FileRepair

// The third-party notices name every Qt library and media component the program really loads:
// the real window, and a preview that plays a sound (which loads the media backend), then the
// libraries mapped into this process, against the notices of every language.
Item {
    id: root
    width: 400
    height: 300

    Component {
        id: mainComponent
        Main {}
    }

    Component {
        id: previewComponent
        InternalPreview {
            width: 400
            height: 300
            kind: "audio"
            fileName: "tone.wav"
        }
    }

    TestCase {
        name: "LicenseNotices"
        when: windowShown

        function test_noticesNameWhatIsLoaded() {
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            compare(testFiles.run("ffmpeg", ["-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=duration=2",
                                             testFiles.path("tone.wav")]), 0)
            const preview = createTemporaryObject(previewComponent, root, { source: testFiles.url("tone.wav") })
            tryVerify(() => preview.player.duration > 0, 15000, preview.player.errorString)

            const maps = testFiles.readText("/proc/self/maps")
            verify(maps.length > 0)
            const required = new Set()
            const qtLibrary = /libQt6(\w+)\.so/g
            for (let match = qtLibrary.exec(maps); match !== null; match = qtLibrary.exec(maps))
                required.add(match[1])
            // The test runner's own libraries; the program does not load them.
            required.delete("Test")
            required.delete("QuickTest")
            verify(required.has("Multimedia") && required.has("Pdf") && required.has("Svg") && required.has("DBus"),
                   Array.from(required).join(" "))
            if (/libgstreamer-1\.0\.so/.test(maps))
                required.add("GStreamer")
            if (/libav(codec|format)\.so/.test(maps))
                required.add("FFmpeg")
            required.add("PDFium")

            const folder = testFiles.sourceFolder + "/licenses"
            const notices = testFiles.list(folder).filter(name => name.startsWith("THIRD_PARTY_NOTICES"))
            compare(notices.length, 8)
            for (const name of notices) {
                const text = testFiles.readText(folder + "/" + name)
                for (const component of required)
                    verify(new RegExp("\\b" + component + "\\b").test(text), name + " does not name " + component)
            }
        }
    }
}
