#pragma once

// Hostile outputs made from a few rules, for the validation budget test and its benchmark: an H.264
// stream of one key frame and many frames that skip it all, PDFs with a chain of forms or a deep
// page tree, and the patching of an MP4's index tables.

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <bit>

namespace hostile_outputs {

// --- An H.264 stream written bit by bit: one intra frame of flat macroblocks and then frames
// that skip every macroblock (each a few bytes, each decoded to a whole picture) ---

class BitWriter {
public:
    void put(quint32 value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = (current_ << 1) | ((value >> i) & 1);
            if (++count_ == 8) {
                bytes_.append(char(current_));
                current_ = 0;
                count_ = 0;
            }
        }
    }
    void ue(quint32 value)
    {
        const quint32 x = value + 1;
        const int length = 32 - std::countl_zero(x);
        put(0, length - 1);
        put(x, length);
    }
    void se(int value) { ue(value <= 0 ? quint32(-2 * value) : quint32(2 * value - 1)); }
    QByteArray finish()
    {
        put(1, 1);
        while (count_ != 0)
            put(0, 1);
        return bytes_;
    }

private:
    QByteArray bytes_;
    quint32 current_ = 0;
    int count_ = 0;
};

inline QByteArray nalUnit(quint8 header, const QByteArray& payload)
{
    QByteArray out("\0\0\0\1", 4);
    out.append(char(header));
    int zeros = 0;
    for (const char c : payload) {
        if (zeros >= 2 && quint8(c) <= 3) {
            out.append('\3');
            zeros = 0;
        }
        out.append(c);
        zeros = c == 0 ? zeros + 1 : 0;
    }
    return out;
}

inline QByteArray skipFrameStream(int widthInMacroblocks, int heightInMacroblocks, int skipFrames)
{
    const quint32 macroblocks = quint32(widthInMacroblocks) * quint32(heightInMacroblocks);
    BitWriter sps;
    sps.put(66, 8); // baseline
    sps.put(0, 8);
    sps.put(62, 8);
    sps.ue(0);
    sps.ue(12); // 16-bit frame numbers
    sps.ue(2);  // picture order from the frame number
    sps.ue(1);  // one reference frame
    sps.put(0, 1);
    sps.ue(quint32(widthInMacroblocks - 1));
    sps.ue(quint32(heightInMacroblocks - 1));
    sps.put(1, 1); // frames only
    sps.put(1, 1);
    sps.put(0, 1);
    sps.put(0, 1);
    BitWriter pps;
    pps.ue(0);
    pps.ue(0);
    pps.put(0, 1); // CAVLC
    pps.put(0, 1);
    pps.ue(0);
    pps.ue(0);
    pps.ue(0);
    pps.put(0, 1);
    pps.put(0, 2);
    pps.se(0);
    pps.se(0);
    pps.se(0);
    pps.put(1, 1); // deblocking control present
    pps.put(0, 1);
    pps.put(0, 1);
    BitWriter idr;
    idr.ue(0);
    idr.ue(7); // I slice
    idr.ue(0);
    idr.put(0, 16);
    idr.ue(0);
    idr.put(0, 1);
    idr.put(0, 1);
    idr.se(0);
    idr.ue(1); // no deblocking
    // Each macroblock: I_16x16 DC prediction, no coded blocks, chroma DC, no QP change, an empty DC.
    for (quint32 i = 0; i < macroblocks; ++i)
        idr.put(0x27, 8);
    QByteArray stream = nalUnit(0x67, sps.finish()) + nalUnit(0x68, pps.finish()) + nalUnit(0x65, idr.finish());
    for (int frame = 1; frame <= skipFrames; ++frame) {
        BitWriter p;
        p.ue(0);
        p.ue(5); // P slice
        p.ue(0);
        p.put(quint32(frame) & 0xFFFF, 16);
        p.put(0, 1);
        p.put(0, 1);
        p.put(0, 1);
        p.se(0);
        p.ue(1);
        p.ue(macroblocks); // every macroblock skipped
        stream += nalUnit(0x41, p.finish());
    }
    return stream;
}

// --- PDFs of numbered objects with a correct cross-reference table ---

inline QByteArray pdfOf(const QList<QByteArray>& objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

inline QByteArray streamObject(const QByteArray& dictionary, const QByteArray& data)
{
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// A page drawing form 1, each form drawing the next twice at half size, the last a square.
inline QByteArray formChainPdf(int forms)
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                              "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Resources << /XObject << /F 5 0 R >> >> "
                              "/Contents 4 0 R >>",
                              streamObject("", "/F Do")};
    for (int i = 0; i < forms; ++i) {
        const int number = 5 + i;
        const bool last = i + 1 == forms;
        const QByteArray content = last ? QByteArray("0 0 200 200 re f")
                                        : QByteArray("q 0.5 0 0 0.5 0 0 cm /F Do Q q 0.5 0 0 0.5 100 100 cm /F Do Q");
        const QByteArray resources = last ? QByteArray() : "/Resources << /XObject << /F " + QByteArray::number(number + 1) + " 0 R >> >>";
        objects.append(streamObject("/Type /XObject /Subtype /Form /BBox [0 0 200 200] " + resources, content));
    }
    return pdfOf(objects);
}

// A page tree of page-tree nodes each holding the next, `levels` deep, with one page at the bottom.
inline QByteArray deepPageTreePdf(int levels)
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
    for (int level = 0; level < levels; ++level) {
        const int number = 2 + level;
        const QByteArray parent = level == 0 ? QByteArray("/MediaBox [0 0 200 200]") : "/Parent " + QByteArray::number(number - 1) + " 0 R";
        objects.append("<< /Type /Pages " + parent + " /Kids [" + QByteArray::number(number + 1) + " 0 R] /Count 1 >>");
    }
    const int page = 2 + levels;
    objects.append("<< /Type /Page /Parent " + QByteArray::number(page - 1) + " 0 R /Contents " + QByteArray::number(page + 1) + " 0 R >>");
    objects.append(streamObject("", "0 0 100 100 re f"));
    return pdfOf(objects);
}

// Sets, in every box of `type`, the 32-bit field `at` bytes into its payload.
inline int patchBoxes(QByteArray& bytes, const QByteArray& type, int at, quint32 value)
{
    int patched = 0;
    for (qsizetype pos = bytes.indexOf(type); pos >= 4; pos = bytes.indexOf(type, pos + 4)) {
        const quint32 size = qFromBigEndian<quint32>(bytes.constData() + pos - 4);
        if (size < quint32(8 + at + 4) || pos - 4 + qsizetype(size) > bytes.size())
            continue;
        qToBigEndian(value, bytes.data() + pos + 4 + at);
        ++patched;
    }
    return patched;
}

} // namespace hostile_outputs
