#pragma once

// How a family's dispatcher recognises a format: one ordered list of rules, each naming a clue
// and the table entry it points to; the first rule that holds wins. The family's recognition
// order is thereby data in one place rather than branches spread over its dispatcher.
//
// A table entry (Format) provides:
//   ExtensionSets extensions;                       the names it goes by
//   bool (*start)(ByteView);               its signature opens the file (may be null)
//   uint64_t (*locate)(ByteView);          where a structurally checked signature sits
//                                                   further in, npos when none (may be null)

#include <cstdint>
#include <span>
#include <string>

#include "data_repair/byte_buffer.h"
#include "data_repair/format_extensions.h"

namespace data_repair {

enum class Clue {
    Extension,            // the name's extension is one of the entry's
    Start,                // the entry's signature opens the file
    Anywhere,             // the entry's signature is found further in
    AnywhereOrExtension,  // either of the two above
    AnywhereAndExtension, // both: the name and a signature found further in agree
};

template <typename Format>
struct FormatRule {
    Clue clue;
    const Format* format;
    bool onlyWithoutExtension = false; // the rule applies only to a name without an extension
};

template <typename Format>
struct FormatMatch {
    const Format* format = nullptr; // null: no rule held
    Clue clue = Clue::Extension;
    uint64_t offset = 0; // where the signature sits for an Anywhere match
};

template <typename Format>
FormatMatch<Format> firstMatch(std::span<const FormatRule<Format>> rules, const std::string& ext,
                               ByteView bytes)
{
    for (const FormatRule<Format>& rule : rules) {
        if (rule.onlyWithoutExtension && !ext.empty())
            continue;
        const Format& format = *rule.format;
        const auto named = [&] { return isListedIn(format.extensions, ext); };
        const auto located = [&] { return format.locate != nullptr ? format.locate(bytes) : npos; };
        switch (rule.clue) {
        case Clue::Extension:
            if (named())
                return {&format, rule.clue, 0};
            break;
        case Clue::Start:
            if (format.start != nullptr && format.start(bytes))
                return {&format, rule.clue, 0};
            break;
        case Clue::Anywhere:
            if (const uint64_t at = located(); at != npos)
                return {&format, rule.clue, at};
            break;
        case Clue::AnywhereOrExtension:
            if (named())
                return {&format, Clue::Extension, 0};
            if (const uint64_t at = located(); at != npos)
                return {&format, Clue::Anywhere, at};
            break;
        case Clue::AnywhereAndExtension:
            if (named())
                if (const uint64_t at = located(); at != npos)
                    return {&format, Clue::Anywhere, at};
            break;
        }
    }
    return {};
}

} // namespace data_repair
