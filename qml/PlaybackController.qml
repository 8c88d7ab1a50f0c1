import QtQuick
import QtMultimedia

// Playback requests for one media player. The player changes its state asynchronously, so a click
// is recorded at once in playbackRequested and deferred steps carry the generation they were issued
// at: a newer request or a cancellation makes every older deferred play or reload a no-op.
QtObject {
    id: control

    // The player driven: a MediaPlayer, or anything with the same members.
    property var player: null
    // The medium to play; empty when the current preview is no video or audio.
    property url wantedSource
    readonly property bool hasMedia: String(control.wantedSource) !== ""

    property bool videoWasStarted: false
    property bool playbackRequested: false
    property bool playbackStartPending: false
    property bool playbackReloadPending: false
    property int playbackStartAttempts: 0
    property int playbackCommandGeneration: 0
    // The player could not play the medium (an error, invalid media, or no start after every
    // retry): the view says so instead of leaving a black surface at 0:00. A new request or a new
    // medium clears it.
    property bool playbackFailed: false

    readonly property bool playing: control.player !== null && control.player.playbackState === MediaPlayer.PlayingState
    // End of the medium: reported by the player, or the position within 100 ms of the end. The
    // distance test needs a clip longer than that margin, or position 0 of a tiny clip would
    // already count as the end.
    readonly property bool mediaAtEnd: control.player !== null
        && (control.player.mediaStatus === MediaPlayer.EndOfMedia
            || (control.player.duration > 100 && control.player.position >= control.player.duration - 100))

    property Timer playbackStartWatchdog: Timer {
        interval: 350
        repeat: false
        onTriggered: control.watchdogExpired()
    }

    function clearPlaybackRequest() {
        control.playbackCommandGeneration += 1
        control.playbackRequested = false
        control.playbackStartPending = false
        control.playbackReloadPending = false
        control.playbackStartAttempts = 0
        control.playbackStartWatchdog.stop()
    }

    function stillWanted(generation) {
        return control.playbackRequested && control.playbackCommandGeneration === generation
    }

    function requestPlayback() {
        if (!control.hasMedia || control.player === null || control.playing)
            return
        control.playbackCommandGeneration += 1
        const generation = control.playbackCommandGeneration
        control.playbackRequested = true
        control.playbackStartPending = true
        control.playbackStartAttempts = 0
        control.playbackFailed = false
        control.videoWasStarted = true
        control.issuePlayback(generation)
    }

    function issuePlayback(generation) {
        if (!control.stillWanted(generation))
            return
        if (control.mediaAtEnd) {
            control.reloadAndPlayFromBeginning(generation)
            return
        }
        control.playbackReloadPending = false
        // Qt 6.4's qmllint types Qt.callLater as a plain value, not as the function it is.
        Qt.callLater(() => { // qmllint disable type
            if (!control.stillWanted(generation))
                return
            control.player.play()
            control.playbackStartWatchdog.restart()
        })
    }

    // A fresh load instead of a seek to 0: repaired ASF/WMV streams without a usable seek index
    // play from a freshly opened demuxer but refuse a seek from the end back to the start.
    function reloadAndPlayFromBeginning(generation) {
        control.playbackReloadPending = true
        control.player.stop()
        control.player.source = ""
        Qt.callLater(() => {
            if (!control.stillWanted(generation))
                return
            control.player.source = control.wantedSource
            control.player.play()
            control.playbackStartWatchdog.restart()
        })
    }

    function pausePlayback() {
        control.clearPlaybackRequest()
        if (control.player !== null)
            control.player.pause()
    }

    function togglePlayback() {
        if (control.playbackRequested || control.playing)
            control.pausePlayback()
        else
            control.requestPlayback()
    }

    // Replaces the player's medium only when it differs, so a repeated synchronisation neither
    // stops nor reloads what is playing.
    function syncSource(wanted) {
        if (control.player === null || String(control.player.source) === String(wanted))
            return
        control.player.stop()
        control.playbackFailed = false
        control.player.source = wanted
    }

    function watchdogExpired() {
        if (!control.playbackRequested || !control.playbackStartPending)
            return
        if (control.playing) {
            control.playbackStartPending = false
            control.playbackStartAttempts = 0
            return
        }
        const status = control.player.mediaStatus
        if (status === MediaPlayer.InvalidMedia || status === MediaPlayer.NoMedia || control.playbackStartAttempts >= 3) {
            control.clearPlaybackRequest()
            // A medium still loading on a busy machine has not failed; one that loaded and never
            // started has.
            const loading = status === MediaPlayer.NoMedia || status === MediaPlayer.LoadingMedia
            control.playbackFailed = control.hasMedia && !loading
            return
        }
        control.playbackStartAttempts += 1
        control.issuePlayback(control.playbackCommandGeneration)
    }

    property Connections playerEvents: Connections {
        target: control.player
        ignoreUnknownSignals: true

        function onErrorOccurred(error, errorString) {
            control.clearPlaybackRequest()
            control.playbackFailed = control.hasMedia
            // Some backends stay in the playing state after an error; the buttons must not say so.
            control.player.stop()
            console.warn("Internal video preview:", error, errorString)
        }
        function onMediaStatusChanged() {
            const status = control.player.mediaStatus
            if (status === MediaPlayer.InvalidMedia) {
                control.clearPlaybackRequest()
                control.playbackFailed = control.hasMedia
            }
            else if (status === MediaPlayer.NoMedia && !control.playbackReloadPending)
                control.clearPlaybackRequest()
            else if (status === MediaPlayer.EndOfMedia && !control.playbackStartPending)
                control.clearPlaybackRequest()
        }
        function onPlaybackStateChanged() {
            const state = control.player.playbackState
            if (state === MediaPlayer.PlayingState) {
                control.playbackRequested = true
                control.playbackStartPending = false
                control.playbackReloadPending = false
                control.playbackStartAttempts = 0
                control.playbackStartWatchdog.stop()
            } else if (state === MediaPlayer.PausedState) {
                if (!control.playbackStartPending)
                    control.clearPlaybackRequest()
            } else if (state === MediaPlayer.StoppedState) {
                const status = control.player.mediaStatus
                const loading = status === MediaPlayer.LoadingMedia || status === MediaPlayer.BufferingMedia
                    || status === MediaPlayer.BufferedMedia
                if (!control.playbackStartPending && !loading)
                    control.clearPlaybackRequest()
            }
        }
    }
}
