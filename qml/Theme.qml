pragma Singleton
import QtQuick
import Korvex.FileRepair

// The one light look of the application: colour, radius and font roles every page and control
// refers to, so a tone is changed in one place. There is no dark theme.
QtObject {
    // Palette shared by every page
    readonly property color windowBackground: "#F7F9F8"
    readonly property color surface: "#FFFFFF"
    readonly property color textOnAccent: "#FFFFFF"
    readonly property color accent: "#07964D"
    readonly property color accentHovered: "#0AA758"
    readonly property color accentPressed: "#08783D"
    readonly property color textTitle: "#10261B"
    readonly property color textSecondary: "#66756E"
    readonly property color textControl: "#17251E"
    readonly property color textBody: "#34473E"
    readonly property color textHint: "#78877F"
    readonly property color textDisabled: "#98A29D"
    readonly property color textSuccess: "#087A40"
    readonly property color textError: "#B42318"
    readonly property color textWarning: "#B54708"
    readonly property color controlBorder: "#CBD5D0"
    readonly property color panelBorder: "#DDE5E1"
    readonly property color chromeBorder: "#E2E8E5"
    readonly property color cardBorder: "#D9E3DE"
    readonly property color rule: "#E8ECEA"
    readonly property color headerBorder: "#E7ECE9"

    // Further text tones
    readonly property color textStrong: "#263B31"
    readonly property color textProminent: "#173527"
    readonly property color textCaption: "#7A8982"
    readonly property color textFaint: "#8A9690"
    readonly property color textGhost: "#475467"

    // States: fills, borders and texts of pills, badges and banners
    readonly property color successFill: "#ECF9F1"
    readonly property color successBorder: "#7BD3A2"
    readonly property color errorFill: "#FEF3F2"
    readonly property color errorBorder: "#FDA29B"
    readonly property color infoFill: "#EEF4FF"
    readonly property color textInfo: "#175CD3"
    readonly property color warningFill: "#FFF6E8"
    readonly property color warningBorder: "#F5C77B"
    readonly property color cautionFill: "#FFF8ED"
    readonly property color cautionBorder: "#F5D39C"
    readonly property color textCaution: "#8A4B08"
    readonly property color textCautionDetail: "#8A5B24"
    readonly property color noteFill: "#EFF6FF"
    readonly property color noteBorder: "#B2D0F7"
    readonly property color textNote: "#174A8B"
    readonly property color promiseFill: "#F1F7FF"
    readonly property color textPromiseDetail: "#4B6587"
    readonly property color noticeSuccessFill: "#EEF8F2"
    readonly property color noticeWarningFill: "#FFF7ED"
    readonly property color neutralPillFill: "#F0F3F1"
    readonly property color localBadgeFill: "#EDF8F2"
    readonly property color localBadgeBorder: "#D2EBDD"
    readonly property color savedFill: "#F3F8F5"
    readonly property color savedBorder: "#D7E6DE"

    // Surfaces inside panels
    readonly property color subtleFill: "#FBFCFB"
    readonly property color previewFill: "#F8FAF9"
    readonly property color readOnlyFill: "#F5F7F6"
    readonly property color dropHoverFill: "#F1FBF5"
    readonly property color dropBorder: "#AFC3B9"
    readonly property color chipBorder: "#DEE5E1"
    readonly property color listDivider: "#EDF0EE"
    readonly property color stepRailBorder: "#E0E7E3"
    readonly property color stepConnector: "#D7DEDA"
    readonly property color stepConnectorDone: "#52B77F"
    readonly property color phasePendingFill: "#E5E9E7"
    readonly property color profileHoveredFill: "#EEF2F0"

    // Controls
    readonly property color activeFill: "#EAF8F0"
    readonly property color activeBorder: "#95D8B0"
    readonly property color hoveredFill: "#F4F7F5"
    readonly property color secondaryHoveredFill: "#F5FAF7"
    readonly property color secondaryPressedFill: "#EDF7F1"
    readonly property color ghostHoveredFill: "#F3F6F4"
    readonly property color disabledFill: "#F0F2F1"
    readonly property color disabledBorder: "#D9DEDB"
    readonly property color fieldDisabledFill: "#F4F6F5"
    readonly property color selection: "#BDEBD0"
    readonly property color switchTrackOff: "#C7CFCA"
    readonly property color switchBorderOff: "#B8C1BC"
    readonly property color link: "#0878C9"
    readonly property color linkHovered: "#075EA8"

    // Previews of a repaired result
    readonly property color previewArea: "#F4F7F5"
    readonly property color previewText: "#24382F"
    readonly property color videoBackdrop: "#111714"
    readonly property color mediaTime: "#50645A"
    readonly property color pageDeskFill: "#E9EFEC"
    readonly property color pageDeskBorder: "#D6E0DB"
    readonly property color sheetHeaderFill: "#EDF7F1"
    readonly property color sheetGridLine: "#D9E2DD"

    // The sign-in-with-Google button keeps that brand's own colours
    readonly property color googleText: "#1F1F1F"
    readonly property color googleBorder: "#747775"
    readonly property color googlePressedFill: "#F2F2F2"

    // Corner radii (pills use half their height instead)
    readonly property int radiusCompact: 7
    readonly property int radiusControl: 8
    readonly property int radiusInset: 9
    readonly property int radiusSample: 10
    readonly property int radiusPanel: 12

    // Type: the application font of the UI language (follows every language switch) and pixel sizes
    readonly property string fontFamily: ApplicationFont.family
    readonly property int fontTiny: 10
    readonly property int fontCaption: 11
    readonly property int fontSmall: 12
    readonly property int fontControl: 13
    readonly property int fontBody: 14
    readonly property int fontSection: 16
    readonly property int fontItemTitle: 17
    readonly property int fontEmphasis: 18
    readonly property int fontHeaderTitle: 19
    readonly property int fontResultHeading: 20
    readonly property int fontStageHeading: 21
    readonly property int fontPanelHeading: 22
    readonly property int fontPageTitle: 28
    readonly property int fontAccountTitle: 30
    readonly property int fontDisplay: 34

    // The text with its words held together for line breaking. Japanese and Chinese may be broken
    // between any two characters; here a run of one script (katakana with its prolonged sound mark,
    // hiragana, or han) is joined with invisible word joiners, an opening bracket to what follows
    // and a closing bracket or comma to what precedes, so lines break between words only.
    function keepWords(text) {
        const kind = code => (code >= 0x30A0 && code <= 0x30FF) || (code >= 0x31F0 && code <= 0x31FF)
                                 || (code >= 0xFF66 && code <= 0xFF9F) ? "katakana"
            : code >= 0x3040 && code <= 0x309F ? "hiragana"
            : (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0x3400 && code <= 0x4DBF) ? "han"
            : "other"
        const opening = "（「『【〔《〈"
        const closing = "）」』】〕》〉、。，"
        let joined = ""
        for (let i = 0; i < text.length; ++i) {
            if (i > 0) {
                const before = text[i - 1]
                const after = text[i]
                const sameRun = kind(before.charCodeAt(0)) === kind(after.charCodeAt(0)) && kind(after.charCodeAt(0)) !== "other"
                if (sameRun || opening.indexOf(before) >= 0 || closing.indexOf(after) >= 0)
                    joined += "\u2060"
            }
            joined += text[i]
        }
        return joined
    }
}
