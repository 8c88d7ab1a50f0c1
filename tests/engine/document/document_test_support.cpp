#include "document_test_support.h"

#include <sstream>

namespace doc_test {

using namespace data_repair;

std::string makePdf(const std::vector<std::string>& bodies, int rootNumber)
{
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < bodies.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + bodies[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(bodies.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(bodies.size() + 1) + " /Root " + std::to_string(rootNumber) +
           " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string onePagePdf(const std::string& text)
{
    const std::string content = "BT /F1 24 Tf 72 720 Td (" + text + ") Tj ET";
    return makePdf({"<< /Type /Catalog /Pages 2 0 R >>",
                    "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 5 0 R >> >> "
                    "/Contents 4 0 R >>",
                    "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
                    "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"},
                   1);
}

std::string python()
{
    return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

test_support::CommandResult runPython(const std::string& code, const std::vector<std::string>& args)
{
    std::string line = python() + " -c " + test_support::quote(code);
    for (const auto& arg : args)
        line += " " + test_support::quote(arg);
    return test_support::run(line);
}

RepairResult repairFile(const fs::path& input, int32_t mode, bool writePreview)
{
    auto engine = createFileRepairFactory()->createDocumentRepair();
    RepairRequest request = test_support::requestFor(input, mode);
    request.writePreview = writePreview;
    return engine->repair(request, nullptr);
}

RepairResult analyzeFile(const fs::path& input)
{
    auto engine = createFileRepairFactory()->createDocumentRepair();
    return engine->analyze(test_support::requestFor(input, Analyze), nullptr);
}

std::string describe(const RepairResult& result)
{
    std::ostringstream out;
    out << "status " << result.status.code << " '" << result.status.message << "' format " << result.format
        << " confidence " << result.confidence << "\n";
    for (const auto& f : result.findings)
        out << "  finding " << f.category << "/" << f.severity << " " << f.message << " @" << f.offset << "+"
            << f.length << "\n";
    for (const auto& a : result.actions)
        out << "  action " << a.id << " " << a.amount << "\n";
    for (const auto& n : result.notes)
        out << "  note " << n << "\n";
    return out.str();
}

ByteBuffer bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }
std::string text(const ByteBuffer& bytes) { return std::string(bytes.begin(), bytes.end()); }

} // namespace doc_test
