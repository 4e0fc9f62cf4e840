#pragma once

#include <QSize>
#include <QVector>
#include <QWidget>

#include <array>
#include <functional>

class ElidedLabel;
class MixNaviWidget;
class QLabel;
class QMixButton;
class QMtxWidget;
class RotatedLabel;

// Sizes of a crosspoint grid and its headings.
struct CrosspointGridGeometry
{
    QSize button;       // one crosspoint button
    int gap;            // between buttons
    int margin;         // background around the buttons, where a band can start
    int headerHeight;   // length of the upright output headings
    int nameElide;      // output names are cut to this width (or the heading's length)
    int rowHeaderWidth; // input number and name at the start of each row
};

// The 16 x 16 crosspoint grid shared by the matrix page and the crosspoint
// editor: inputs are rows, outputs columns. It owns the buttons, the
// rubber-band background, the navigation marks and the headings, and does
// all selection work:
// - a press on an unselected button selects it alone;
// - a press on the background clears the selection, and dragging a band
//   selects exactly the buttons that lie wholly inside it;
// - a press on a selected button switches every selected crosspoint to the
//   button's new state (switched()).
// aboutToChangeSelection() is emitted before the selection changes, so an
// owner can send what it still holds for the old selection.
//
// The grid is one stop of the focus chain. A cursor marks one crosspoint:
// the arrow keys move it (Home/End to the first/last output of the row), and
// Space does what a press on its crosspoint does; a press moves the cursor
// there too. While the grid has the focus the cursor's crosspoint shows a
// focus ring, and assistive technology is told the crosspoint as the focus.
//
// The grid is made at the geometry it is given and takes more room when its
// owner's layout gives it: first the row and column names get the room their
// names need, then the buttons grow (up to 54 x 30). Names are cut in the middle only when
// they must be; the whole name is the tooltip.
class CrosspointGrid final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CrosspointGrid)

public:
    static constexpr int Inputs = 16;
    static constexpr int Outputs = 16;
    // How the band rectangle is shifted up and left of the dragged points.
    static constexpr int BandShift = 5;

    using ButtonFactory = std::function<QMixButton *(int input, int output, QWidget *parent)>;

    CrosspointGrid(const CrosspointGridGeometry &geometry, const ButtonFactory &factory,
                   QWidget *parent = nullptr);

    QMixButton *button(int input, int output) const;
    QMtxWidget *mtxWidget() const { return m_mtx; }
    MixNaviWidget *naviWidget() const { return m_navi; }
    QWidget *buttonArea() const { return m_area; }
    RotatedLabel *outputHeading(int output) const;
    ElidedLabel *inputName(int input) const;

    bool isOn(int input, int output) const;
    // Sets the shown state of one crosspoint; emits nothing.
    void setOn(int input, int output, bool on);
    bool isSelected(int input, int output) const;
    bool hasSelection() const;
    // The selected inputs of `output`, ascending.
    QVector<quint8> selectedInputs(int output) const;
    // The first selected crosspoint in the order input 0 output 0, input 0
    // output 1, ...; false when nothing is selected.
    bool firstSelected(int *input, int *output) const;
    void clearSelection();

    void setInputName(int input, const QString &name);
    void setOutputName(int output, const QString &name);
    void setFonts(const QFont &title, const QFont &name);
    // "IN 3 Handheld 2", "OUT 5": the channel and its name, as told to
    // assistive technology.
    QString inputLabel(int input) const;
    QString outputLabel(int output) const;

    int cursorInput() const { return m_cursorInput; }
    int cursorOutput() const { return m_cursorOutput; }
    // Moves the cursor (clamped to the grid); selects nothing.
    void setCursorPosition(int input, int output);
    // What a press on the cursor's crosspoint does (Space).
    void pressCursor();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void MtxMousePressed();
    void MtxMouseMove(QPoint start, QPoint current);
    void MtxBtnSelect();
    void MtxBtnClicked(bool isChecked);

signals:
    void aboutToChangeSelection();
    // A press selected this crosspoint alone.
    void buttonSelected(int input, int output);
    // The background was pressed, a band moved, or the selection was cleared.
    void bandChanged();
    // Every selected crosspoint was set to `on` by a press on (input, output).
    void switched(int input, int output, bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeWidgets();
    // The geometry for the present size: the given one with the room beyond
    // it handed to the names first, then to the buttons.
    CrosspointGridGeometry grownGeometry() const;
    // The geometry at its largest: names whole, the largest buttons.
    CrosspointGridGeometry largestGeometry() const;
    int wantedRowHeaderWidth() const;
    int wantedHeaderHeight() const;
    void updateLargest();
    QSize sizeFor(const CrosspointGridGeometry &geometry) const;
    void showNavigation(const QMixButton *hovered);
    void showCursor();

    const CrosspointGridGeometry m_geometry;
    CrosspointGridGeometry m_placed;
    QWidget *m_area;
    QMtxWidget *m_mtx;
    MixNaviWidget *m_navi;
    std::array<std::array<QMixButton *, Outputs>, Inputs> m_buttons{};
    std::array<RotatedLabel *, Outputs> m_headings{};
    std::array<QLabel *, Inputs> m_rowTitles{};
    std::array<ElidedLabel *, Inputs> m_rowNames{};
    int m_cursorInput = 0;
    int m_cursorOutput = 0;
};
