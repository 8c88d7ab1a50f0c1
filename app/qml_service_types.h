#pragma once

// The services the pages create, registered in the application's QML module: the services layer
// knows nothing of the module, so each is named here as a foreign type.

#include "services/account_service.h"
#include "services/binary_preview_service.h"
#include "services/image_preview_service.h"
#include "services/office_preview_service.h"
#include "services/settings_service.h"
#include "services/text_preview_service.h"

#include <QtQml/qqml.h>

namespace olm::repair {

struct AccountServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::AccountService)
    QML_NAMED_ELEMENT(AccountService)
};

struct BinaryPreviewServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::BinaryPreviewService)
    QML_NAMED_ELEMENT(BinaryPreviewService)
};

struct ImagePreviewServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::ImagePreviewService)
    QML_NAMED_ELEMENT(ImagePreviewService)
};

struct OfficePreviewServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::OfficePreviewService)
    QML_NAMED_ELEMENT(OfficePreviewService)
};

struct SettingsServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::SettingsService)
    QML_NAMED_ELEMENT(SettingsService)
};

struct TextPreviewServiceForeign {
    Q_GADGET
    QML_FOREIGN(olm::repair::TextPreviewService)
    QML_NAMED_ELEMENT(TextPreviewService)
};

} // namespace olm::repair
