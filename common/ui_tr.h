// Included after defining KORVEX_TR_CONTEXT: gives this source file its uiTr() helper.
// QT_TRANSLATE_NOOP-style marking keeps lupdate able to find the texts.
#ifndef KORVEX_TR_CONTEXT
#error "define KORVEX_TR_CONTEXT before including common/ui_tr.h"
#endif

#include "common/ui_text.h"

namespace {
[[maybe_unused]] olm::repair::UiText uiTr(const char* source)
{
    return olm::repair::UiText::translated(KORVEX_TR_CONTEXT, source);
}
} // namespace
