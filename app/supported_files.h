#pragma once

// The file names the program offers to repair, from the engine's own extension lists, for the
// input dialog's "supported files" filter: a file the engine repairs is never hidden there.

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <array>
#include <string_view>

namespace olm::repair {

// Names no extension list of the engine holds, whose content the engine still recognises and
// repairs: WebM (Matroska), 3GPP2 (ISO media), MPEG-2 transport and DVD program streams, and raw
// H.264/HEVC streams named by their codec.
inline constexpr std::array<std::string_view, 10> kContentRoutedMediaSuffixes{
    "webm", "3g2", "m2t", "vob", "h264", "264", "avc", "h265", "265", "hevc"};

class SupportedFiles : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // "*.jpg", "*.JPG", … : every supported suffix in lower and in upper case (the dialog's filter
    // is case-sensitive on Linux, and cameras name their files in upper case).
    Q_PROPERTY(QStringList patterns READ patterns CONSTANT)

public:
    using QObject::QObject;

    // Lower-case suffixes without the dot, photo, audio, video and document kinds in that order,
    // each once.
    static QStringList suffixes();
    static QStringList patterns();
};

} // namespace olm::repair
