#pragma once

// The opt-in, local, anonymous event log: one compact JSON object per line, never uploaded.

#include <QString>

namespace olm::repair {

// <application-local data folder>/diagnostics/events.jsonl
QString diagnosticsFilePath();

// 1 to 64 characters from letters, digits, '.', '_' and '-'.
bool isValidDiagnosticEventName(const QString& name);

// Appends {"applicationVersion","event","timestampUtc"}; false (silently) on any failure.
bool appendDiagnosticEvent(const QString& eventName);

// The file's size, 0 when it is missing.
qint64 diagnosticsFileSize();

} // namespace olm::repair
