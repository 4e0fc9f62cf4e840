#pragma once

#include "app/faultreport.h"
#include "app/firmwareupgrade.h"
#include "fuzz/capturesocket.h"
#include "pages/funcwidget.h"
#include "pages/transferprogressdialog.h"
#include "protocol/packetrouter.h"
#include "protocol/streamsplitter.h"

// The receiving side of the program, wired as the main window wires it but
// without its device table (which would open sockets): the splitter into the
// routing table, the page container with every page (the preset and settings
// pages installed as the main window installs them), the progress dialog,
// the firmware acknowledgements and the fault box. What the pages send goes
// to a capturing socket.
//
// Needs a QApplication; questions to the operator are answered at once
// (first button, no file), so nothing waits for a person.
class PageRig final
{
    Q_DISABLE_COPY(PageRig)

public:
    PageRig();

    // Starts the application (offscreen) and the resources the pages need.
    static void initApplication(const char *name);

    FuncWidget container;
    TransferProgressDialog progress{nullptr};
    FirmwareUpgrade firmware{progress.guard()};
    FaultReport faults{[this] { return container.faultByte(); }, nullptr};
    PacketRouter router;
    StreamSplitter splitter{[this](const Proto::Frame &f) { router.dispatch(f); }};
    CaptureSocket socket;
};
