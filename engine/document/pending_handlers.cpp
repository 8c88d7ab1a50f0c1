#include "document/document_formats.h"
namespace data_repair {
static RepairResult pending(const RepairRequest& r, const ByteBuffer& b) { RepairResult x = baseDocumentResult(r, b); x.setStatus(RepairStatus::failure(kDocUnsupported, "unsupported document format")); return x; }
RepairResult analyzeOleDocument(const RepairRequest& r, const ByteBuffer& b) { return pending(r, b); }
RepairResult repairOleDocument(const RepairRequest& r, const ByteBuffer& b) { return pending(r, b); }
}
