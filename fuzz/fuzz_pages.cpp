// Fuzz target for the receive path of the whole program: bytes through the
// splitter into the routing table, and from there into every page's receive
// handler, wired as the main window wires them (the preset and settings pages,
// the progress dialog, firmware acknowledgements, the fault box).
//
// The input is a run of records (see PageRecord): whole frames of any op,
// module, cmd, flag and payload, which reach the handlers; raw stream bytes,
// which reach the splitter as they come (and may complete or break a frame
// that records around them started); a page's refresh; and a few events of
// the program and the connection. Whatever the program sends in reply must be
// well-formed frames.

#include "fuzz/fuzzbytes.h"
#include "fuzz/fuzzsupport.h"
#include "fuzz/pagerig.h"
#include "pages/blockpage.h"
#include "protocol/progressguard.h"

#include <QCoreApplication>

namespace {

PageRig &rig()
{
    static PageRig *r = [] {
        PageRig::initApplication("fuzz_pages");
        return new PageRig;
    }();
    return *r;
}

void control(PageRig &p, quint8 what)
{
    switch (what % 8) {
    case 0: // a new connection: the rest of the old stream is dropped
        p.splitter.clear();
        break;
    case 1:
        p.progress.guard()->cancel();
        break;
    case 2:
        QCoreApplication::processEvents();
        break;
    case 3: // the container's refresh timer
        p.container.timeout();
        break;
    case 4: // switching pages is slow (every widget of both pages): kept rare
        p.container.setCurrentPage((what >> 3) % FuncWidget::PageCount);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PageRig &p = rig();
    FuzzBytes in(data, size);
    while (!in.atEnd()) {
        switch (in.u8() % 4) {
        case PageRecord::Stream:
            p.splitter.feed(in.bytes(in.u8()));
            break;
        case PageRecord::Frame: {
            const quint8 op = in.u8();
            const quint8 module = in.u8();
            const quint8 cmd = in.u8();
            const quint8 flag = in.u8();
            const QByteArray payload = in.bytes(in.u16());
            p.splitter.feed(Proto::makeFrame(1, op, module, cmd, flag, payload));
            break;
        }
        case PageRecord::Refresh:
            p.container.page(in.u8() % FuncWidget::PageCount)->refresh();
            break;
        default:
            control(p, in.u8());
            break;
        }
    }
    p.socket.takeFrames();
    return 0;
}
