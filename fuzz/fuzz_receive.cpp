// Fuzz target for the receive path and the simulated unit's request handling.
// The input is cut into pieces (sizes taken from the input itself) and fed to
// the splitter; its frames must equal those of the plain byte-at-a-time loop,
// and every frame is handed to the simulated unit's model, which must cope
// with any payload.

#include "fuzz/fuzzsupport.h"
#include "protocol/streamsplitter.h"
#include "sim/simmodel.h"

#include <vector>

namespace {

std::vector<QByteArray> referenceFrames(const QByteArray &buf)
{
    std::vector<QByteArray> out;
    int at = 0;
    while (buf.size() - at >= 11) {
        const char *b = buf.constData() + at;
        if (uchar(b[0]) != 0x82 || uchar(b[1]) != 0x7D) {
            ++at;
            continue;
        }
        const int len = uchar(b[8]) | (uchar(b[9]) << 8);
        if (buf.size() - at < len + 12)
            break;
        if (uchar(b[10 + len]) == 0x7D && uchar(b[11 + len]) == 0x82)
            out.push_back(buf.mid(at, len + 12));
        at += len + 12;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool quiet = [] {
        quietLogging();
        return true;
    }();
    (void)quiet;
    if (size < 1)
        return 0;
    const int pieceSize = 1 + data[0] % 64;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), int(size - 1));

    static SimModel model;
    std::vector<QByteArray> frames;
    StreamSplitter splitter([&](const Proto::Frame &f) {
        frames.push_back(Proto::makeFrame(f.codeId, f.op, f.module, f.cmd, f.flag, f.payload));
        model.handle(f);
    });
    for (int pos = 0; pos < stream.size(); pos += pieceSize)
        splitter.feed(stream.mid(pos, pieceSize));

    if (frames != referenceFrames(stream))
        fuzzFail("the splitter's frames differ from the byte-wise loop's");
    return 0;
}
