#pragma once

// User texts for what the repair engine reports in English: the message of each finding and the
// error of a failed engine call. Pure functions; safe on the job's thread.

#include "common/ui_text.h"

#include "data_repair/engine.h"

#include <string>

namespace olm::repair {

// The user text of one finding: a known phrase of its message first, else its category.
UiText findingUserMessage(const data_repair::Finding& finding);

// The warning shown for a note the engine made about its output (a part it could not restore, a
// track it dropped); a note with no text of its own gets a general one.
UiText engineNoteUserMessage(const std::string& note);

// What one finding is about, for telling findings of the same kind apart: the part or entry the
// engine names after ": " in its message (as it stands, untranslated), else the byte offset it gives
// (above 0), else an empty text.
UiText findingSubject(const data_repair::Finding& finding);

// Advice for the engine failures the user can act on; any other message by its kind (file access,
// cancelled, changed meanwhile, sample, format, damage), never in the engine's English. An empty
// message gives an empty text.
UiText engineErrorUserMessage(const std::string& message);

} // namespace olm::repair
