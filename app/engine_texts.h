#pragma once

// User texts for what the repair engine reports in English: the message of each finding and the
// error of a failed engine call. Pure functions; safe on the job's thread.

#include "common/ui_text.h"

#include "data_repair/engine.h"

#include <string>

namespace olm::repair {

// The user text of one finding: a known phrase of its message first, else its category.
UiText findingUserMessage(const data_repair::Finding& finding);

// What one finding is about, for telling findings of the same kind apart: the part or entry the
// engine names after ": " in its message (as it stands, untranslated), else the byte offset it gives
// (above 0), else an empty text.
UiText findingSubject(const data_repair::Finding& finding);

// Advice for the engine failures the user can act on; any other message as it is (untranslated),
// an empty message as an empty text.
UiText engineErrorUserMessage(const std::string& message);

} // namespace olm::repair
