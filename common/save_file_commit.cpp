#include "common/save_file_commit.h"

namespace olm::repair {

bool commitSaveFile(QSaveFile& file, QString* error)
{
    if (!file.flush()) {
        // The text of the failed flush, before cancelling replaces it with its own.
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace olm::repair
