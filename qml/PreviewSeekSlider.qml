import QtQuick
import QtQuick.Controls.Basic

// The seek slider of the embedded preview's video and audio views: it follows the player's
// position except while it is held, and seeks when moved by hand.
Slider {
    id: slider
    required property var preview
    from: 0
    to: Math.max(1, slider.preview.player.duration)
    enabled: slider.preview.player.seekable
    onMoved: slider.preview.player.setPosition(slider.value)
    Binding on value {
        when: !slider.pressed
        value: slider.preview.player.position
    }
}
