#pragma once

// One analysis or one repair of one input file, run on a pool thread: read the head, look for a
// sibling-copy consensus, detect the kind, make a task folder in the session, private working
// copies where paths need them, check free space, run the engine, validate the output on its own,
// and seal it in the task folder. Only reads the user's files; never throws.

#include "app/job_link.h"
#include "app/repair_operation_result.h"

#include "data_repair/repair_interfaces.h"

#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>

namespace olm::repair {

// The controller starts it with its link (app/job_link.h), which outlives the controller; a stop asked
// for at any step gives a cancelled result.
// A repair is given the identity of the input its analysis read (RepairOperationResult::inputIdentity)
// and fails, with inputChanged set, when the file at the path is another one or has changed; a
// repair without one (the analysis was not kept) is not compared. Either way a repair also fails
// when the input changes while the engine reads it.
// Before the engine runs, and again with the output's real size before sealing, older sessions no
// running instance holds are trimmed so that the cache with this repair's own use (its output
// beside the sealed copy, and the private copies) stays within `cacheLimitBytes`; 0 sets no limit.
RepairOperationResult runRepairOperation(const std::shared_ptr<JobLink>& link, const QString& inputPath,
                                         const QString& samplePath, const QString& sessionDirectory, bool analyze,
                                         const QString& mode, const FileIdentity& analyzedInput = {},
                                         qint64 cacheLimitBytes = 0);

// True for the lower-cased suffixes jpg, jpeg, png, bmp, gif, tif, tiff, webp.
bool isImageSuffix(const QString& path);

// True when the engine should work on a private copy: the native path has 240 or more UTF-16
// units, or any unit above 0x7F. An empty path needs none.
bool needsPrivateWorkingCopy(const QString& path);

// "<work>/<baseName>.<suffix of copiedFile>", or "<work>/<baseName>" when that file has no suffix.
QString privateCopyPath(const QString& workDirectory, const QString& baseName, const QString& copiedFile);

// Copies a file in 1 MiB chunks through a save file; nothing stays under the destination's name
// unless the copy is whole. `cancelled`, when given, is asked before each chunk: true stops the copy
// (a failure, nothing left behind). A source that is no regular file (a pipe, device or folder)
// fails at once without being read, with `error` (when given) saying so.
bool copyToPrivateWorkingCopy(const QString& source, const QString& destination,
                              const std::function<bool()>& cancelled = {}, UiText* error = nullptr);
// The same from an open device whose size was measured as `expectedSize`: a copy that ends before
// that size (a read that yields nothing, or an error) fails.
bool copyDeviceToPrivateWorkingCopy(QIODevice& source, qint64 expectedSize, const QString& destination,
                                    const std::function<bool()>& cancelled = {});

// Where jobs get their engine factory; the default is the engine's own. Tests put a scripted
// engine here and pass an empty function to restore the default.
using RepairFactoryProvider = std::function<std::unique_ptr<data_repair::IFileRepairFactory>()>;
void setRepairFactoryProvider(RepairFactoryProvider provider);

} // namespace olm::repair
