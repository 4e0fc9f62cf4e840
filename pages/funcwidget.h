#pragma once

#include "protocol/frame.h"

#include <QMap>
#include <QVector>
#include <QWidget>

namespace Model {
class EditHistory;
class UnitState;
} // namespace Model

class BlockPage;
class DeviceStatus;
class PacketRouter;
class PageStack;
class QButtonGroup;
class QPushButton;
class ANCWidget;
class QAGCWidget;
class QAec;
class QAutoMixer;
class QDevLabel;
class QGate;
class QInLimiter;
class QOutLimiter;
class QFeedback;
class QInDelay;
class QInFilter;
class QInLevel;
class QOutDelay;
class QOutFilter;
class QMixer;
class QOutLevel;
class QPreMixLevel;

// The page container: the row of page buttons above the stacked block pages.
// It refreshes the page on screen every 200 ms (every second tick of the poll
// clock, while a unit is connected), routes the unit's answers to the pages,
// passes channel names to the pages that show them, and relays the pages'
// device-state signals.
//
// Built with PageBuild::ShownFirst it makes only the page shown at start and
// leaves the others to buildPages(), so that a window can show before the
// other 18 pages are made; until then the accessors of those pages give
// nullptr. Anything that needs them (a page button, a received answer, a
// channel name, another current page) builds them first.
class FuncWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FuncWidget)

public:
    enum Page
    {
        InSetup,
        Gate,
        Agc,
        Feedback,
        InFilter,
        InLimiter,
        InDelay,
        PreLevel,
        Matrix,
        Aec,
        Automixer,
        OutLevel,
        OutFilter,
        Anc,
        OutLimiter,
        OutDelay,
        Preset,
        Label,
        Settings,
        PageCount
    };

    enum class PageBuild
    {
        All,       // every page at construction
        ShownFirst // the page shown at start; the others in buildPages()
    };

    static constexpr int PageAreaHeight = 400;
    // The page on screen is read on every this many ticks of the poll clock.
    static constexpr int RefreshTicks = 2;

    explicit FuncWidget(QWidget *parent = nullptr, PageBuild build = PageBuild::All);

    // Builds the pages not built yet; does nothing once they are.
    void buildPages();
    // Builds the next page not built yet (the last call wires them up);
    // false once every page is built.
    bool buildNextPage();
    bool pagesBuilt() const { return m_pagesBuilt; }

    // Plugs the container's dispatch into the receive path: every op 3 frame
    // and every op 2 frame that has no receiver of its own.
    void installRoutes(PacketRouter &router);
    void blockDispatch(const Proto::Frame &frame);
    void systemDispatch(const Proto::Frame &frame);

    QPushButton *pageButton(int index) const;
    BlockPage *page(int index) const;
    int currentIndex() const;
    void setCurrentPage(int index);
    // Puts a page built outside this library (its library builds on this one)
    // at `index` in place of the page there, which is deleted, and routes the
    // op 3 answers of `module` (0: none) to it. The container takes ownership.
    // A page built with pageParent() as its parent is put in place without
    // being moved: moving a built page makes Qt resolve the style of every
    // widget in it again.
    void setPage(int index, BlockPage *page, quint8 module = 0);
    QWidget *pageParent() const;
    // Shows the page `step` buttons along the row (Ctrl+PgUp/PgDn: -1, +1),
    // past hidden buttons and round the ends.
    void stepPage(int step);
    // The pages can be edited only while a unit is logged in: the main window
    // disables them (greyed, the page buttons still work) until then. A
    // container starts with its pages enabled.
    void setPagesEnabled(bool enabled);
    bool pagesEnabled() const;
    // The untranslated title of a page's button ("In Setup").
    static const char *pageTitle(int index);
    int bandCount() const { return m_bandCount; }

    // Refreshes the label page unless it is on screen (the poll does that).
    void refreshLabelPage();
    // Reads what the settings page shows (after a login).
    void refreshSettings();
    // Forgets what the settings page shows (another unit was selected).
    void clearSettings();
    quint8 faultByte() const;
    // The unit's identity, status and settings, shown by the overview and the
    // settings page.
    DeviceStatus *deviceStatus() const { return m_status; }
    // The state of the unit every page shows.
    Model::UnitState *unitState() const { return m_state; }
    // The operator's edits of that unit, undone and redone step by step.
    Model::EditHistory *history() const { return m_history; }

    QInLevel *inLevel() const { return m_inLevel; }
    QPreMixLevel *preMixLevel() const { return m_preMix; }
    QOutLevel *outLevel() const { return m_outLevel; }
    QDevLabel *devLabel() const { return m_devLabel; }
    QFeedback *feedback() const { return m_feedback; }
    QInFilter *inFilter() const { return m_inFilter; }
    QOutFilter *outFilter() const { return m_outFilter; }
    QInDelay *inDelay() const { return m_inDelay; }
    QOutDelay *outDelay() const { return m_outDelay; }
    QMixer *mixer() const { return m_mixer; }

public slots:
    void timeout();
    void setInlabel(uchar channel, QString string);
    void setOutlabel(uchar channel, QString string);

signals:
    void inlevelMeterChanged(uchar channel, int value);
    void inPreLevelMeterChanged(uchar channel, int value);
    void outlevelMeterChanged(uchar channel, int value);
    void outPreLevelMeterChanged(uchar channel, int value);
    void sig_armVer(uchar major, uchar minor, uchar patch);
    void sig_dspVer(uchar major, uchar minor, uchar patch);
    void sig_location(QString text);
    void sig_description(QString text);
    void sig_dspUsage(float a, float b);
    void sig_allMute(bool mute);
    void sig_sn(QString text);
    void sig_fault(uchar fault, QVector<float> voltages);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setButtonShown(int index, bool shown);
    void showTabStop();
    void retranslate();
    void placeBuilt(int index, BlockPage *page, const char *trace);
    void finishPages();

    QVector<QPushButton *> m_buttons;
    Model::UnitState *m_state;
    Model::EditHistory *m_history;
    QButtonGroup *m_group;
    PageStack *m_stack;
    quint32 m_refreshTicks = 0;             // of the poll clock
    QMap<quint8, BlockPage *> m_blockPages; // op 3 receivers by module
    QVector<BlockPage *> m_inputNamePages;
    QVector<BlockPage *> m_outputNamePages;
    QInLevel *m_inLevel = nullptr;
    QPreMixLevel *m_preMix = nullptr;
    QOutLevel *m_outLevel = nullptr;
    QDevLabel *m_devLabel = nullptr;
    QFeedback *m_feedback = nullptr;
    QInFilter *m_inFilter = nullptr;
    QOutFilter *m_outFilter = nullptr;
    QInDelay *m_inDelay = nullptr;
    QOutDelay *m_outDelay = nullptr;
    QMixer *m_mixer = nullptr;
    QGate *m_gate = nullptr;
    QAutoMixer *m_autoMixer = nullptr;
    QAec *m_aec = nullptr;
    ANCWidget *m_anc = nullptr;
    QInLimiter *m_inLimiter = nullptr;
    QOutLimiter *m_outLimiter = nullptr;
    QAGCWidget *m_agc = nullptr;
    int m_bandCount = 8;
    bool m_pagesBuilt = false;
    int m_nextBuild = 0; // the step of buildNextPage() to take next
    DeviceStatus *m_status;
    bool m_pagesEnabled = true;
};
