// The pages of the container, made one per call so that the window can show
// and answer while they are made, then wired together.

#include "model/unitstate.h"
#include "pages/blockpage.h"
#include "pages/devicestatus.h"
#include "pages/dynamics/ancwidget.h"
#include "pages/dynamics/qaec.h"
#include "pages/dynamics/qagcwidget.h"
#include "pages/dynamics/qautomixer.h"
#include "pages/dynamics/qgate.h"
#include "pages/dynamics/qinlimiter.h"
#include "pages/dynamics/qoutlimiter.h"
#include "pages/filters/qfeedback.h"
#include "pages/filters/qindelay.h"
#include "pages/filters/qinfilter.h"
#include "pages/filters/qoutdelay.h"
#include "pages/filters/qoutfilter.h"
#include "pages/funcwidget.h"
#include "pages/levels/qdevlabel.h"
#include "pages/levels/qinlevel.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/matrix/qmixer.h"
#include "pages/pagestack.h"
#include "pages/placeholderpage.h"
#include "protocol/startuptrace.h"

void FuncWidget::buildPages()
{
    while (buildNextPage()) {
    }
}

void FuncWidget::placeBuilt(int index, BlockPage *page, const char *trace)
{
    setPage(index, page);
    if (StartupTrace::isEnabled()) // what a page costs is mostly its widgets
        StartupTrace::mark(QByteArray(trace + QByteArrayLiteral(", ") +
                                      QByteArray::number(page->findChildren<QWidget *>().size()) +
                                      " widgets")
                               .constData());
}

bool FuncWidget::buildNextPage()
{
    if (m_pagesBuilt)
        return false;
    // One page per call, so that a caller may return to the event loop in
    // between. The pages are wired together and routed to only in the last
    // step: until then every way in (a frame, a page button, a name) calls
    // buildPages() first.
    switch (m_nextBuild++) {
    case 0:
        m_inLevel = new QInLevel(m_stack);
        placeBuilt(InSetup, m_inLevel, "page QInLevel");
        break;
    case 1:
        m_outLevel = new QOutLevel(m_stack);
        placeBuilt(OutLevel, m_outLevel, "page QOutLevel");
        break;
    case 2:
        m_devLabel = new QDevLabel(m_stack);
        placeBuilt(Label, m_devLabel, "page QDevLabel");
        break;
    case 3:
        m_feedback = new QFeedback(m_stack);
        placeBuilt(Feedback, m_feedback, "page QFeedback");
        break;
    case 4:
        m_inFilter = new QInFilter(m_stack);
        placeBuilt(InFilter, m_inFilter, "page QInFilter");
        break;
    case 5:
        m_outFilter = new QOutFilter(m_stack);
        placeBuilt(OutFilter, m_outFilter, "page QOutFilter");
        break;
    case 6:
        m_inDelay = new QInDelay(m_stack);
        placeBuilt(InDelay, m_inDelay, "page QInDelay");
        break;
    case 7:
        m_outDelay = new QOutDelay(m_stack);
        placeBuilt(OutDelay, m_outDelay, "page QOutDelay");
        break;
    case 8:
        m_mixer = new QMixer(m_stack);
        placeBuilt(Matrix, m_mixer, "page QMixer");
        break;
    case 9:
        m_gate = new QGate(m_stack);
        placeBuilt(Gate, m_gate, "page QGate");
        break;
    case 10:
        m_autoMixer = new QAutoMixer(m_stack);
        placeBuilt(Automixer, m_autoMixer, "page QAutoMixer");
        break;
    case 11:
        m_aec = new QAec(m_stack);
        placeBuilt(Aec, m_aec, "page QAec");
        m_anc = new ANCWidget(m_stack);
        placeBuilt(Anc, m_anc, "page ANCWidget");
        break;
    case 12:
        m_inLimiter = new QInLimiter(m_stack);
        placeBuilt(InLimiter, m_inLimiter, "page QInLimiter");
        m_outLimiter = new QOutLimiter(m_stack);
        placeBuilt(OutLimiter, m_outLimiter, "page QOutLimiter");
        m_agc = new QAGCWidget(m_stack);
        placeBuilt(Agc, m_agc, "page QAGCWidget");
        break;
    default:
        finishPages();
        return false;
    }
    return true;
}

void FuncWidget::finishPages()
{
    m_pagesBuilt = true;
    connect(m_inLevel, &QInLevel::meterChanged, this, &FuncWidget::inlevelMeterChanged);
    connect(m_outLevel, &QOutLevel::meterChanged, this, &FuncWidget::outlevelMeterChanged);
    connect(m_outLevel, &QOutLevel::preMeterChanged, this, &FuncWidget::outPreLevelMeterChanged);
    connect(m_devLabel, &QDevLabel::inputLabel, this, &FuncWidget::setInlabel);
    connect(m_devLabel, &QDevLabel::outputLabel, this, &FuncWidget::setOutlabel);

    // The automixer shows the gate's thresholds and lamps from the unit's
    // state, which the gate page fills from the gate's answers (also while it
    // is hidden). A threshold edited on the automixer is written by the gate
    // page, with the rest of the gate record.
    connect(m_autoMixer, qOverload<uchar, int>(&QAutoMixer::threshChanged), m_gate,
            qOverload<uchar, int>(&QGate::threshChanged));
    // Pages built by the libraries above this one are put in by their owners.
    for (int index : {Preset, Settings})
        if (!page(index))
            setPage(index, new PlaceholderPage(pageTitle(index), m_stack));

    m_blockPages.insert(QInLevel::Module, m_inLevel);
    m_blockPages.insert(QOutLevel::Module, m_outLevel);
    m_blockPages.insert(QGate::Module, m_gate);
    m_blockPages.insert(QAutoMixer::Module, m_autoMixer);
    m_blockPages.insert(QAec::Module, m_aec);
    m_blockPages.insert(ANCWidget::Module, m_anc);
    m_blockPages.insert(QInLimiter::Module, m_inLimiter);
    m_blockPages.insert(QOutLimiter::Module, m_outLimiter);
    m_blockPages.insert(QAGCWidget::Module, m_agc);
    m_blockPages.insert(QFeedback::Module, m_feedback);
    m_blockPages.insert(QInFilter::Module, m_inFilter);
    m_blockPages.insert(QOutFilter::Module, m_outFilter);
    m_blockPages.insert(QInDelay::Module, m_inDelay);
    m_blockPages.insert(QOutDelay::Module, m_outDelay);
    m_blockPages.insert(QMixer::Module, m_mixer);
    m_blockPages.insert(QMixer::GeneratorModule, m_mixer); // through receiveGenerator
    m_inputNamePages = {m_inLevel,   m_gate,    m_agc,    m_feedback, m_inFilter,
                        m_inLimiter, m_inDelay, m_preMix, m_mixer,    m_autoMixer};
    m_outputNamePages = {m_mixer, m_autoMixer, m_outLevel, m_outFilter, m_outLimiter, m_outDelay};
    StartupTrace::mark("pages built");
}

void FuncWidget::setPage(int index, BlockPage *page, quint8 module)
{
    if (index < 0 || index >= PageCount || !page)
        return;
    QWidget *old = m_stack->replaceWidget(index, page);
    if (!old)
        return;
    page->setEnabled(m_pagesEnabled);
    // Nothing may route to the page that goes.
    for (auto it = m_blockPages.begin(); it != m_blockPages.end();)
        it = it.value() == old ? m_blockPages.erase(it) : std::next(it);
    if (auto *oldPage = qobject_cast<BlockPage *>(old)) {
        m_inputNamePages.removeAll(oldPage);
        m_outputNamePages.removeAll(oldPage);
    }
    delete old;
    if (module != 0)
        m_blockPages.insert(module, page);
}
