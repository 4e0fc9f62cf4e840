#include "pages/filters/eqimportdialog.h"

#include "pages/filters/eqcurveplot.h"
#include "widgets/appfont.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

EqImportDialog::EqImportDialog(const EqImport &plan, const QString &channelName,
                               const QString &fileName, QWidget *parent)
    : QDialog(parent), m_result(plan.result()), m_deviation(plan.largestDeviation())
{
    setObjectName(QStringLiteral("eqImportDialog"));
    setWindowTitle(tr("Import EQ: %1 to %2").arg(fileName, channelName));
    setFont(appFont(9));

    m_plot = new EqCurvePlot(this);
    m_plot->setCurves(plan.fileCurve(), plan.unitCurve());
    m_plot->setLegend(tr("file"), channelName);

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_summary->setText(tr("%1 filters placed as the file asks, %2 approximated, %3 not placed.")
                           .arg(plan.count(EqImport::Note::Placed))
                           .arg(plan.count(EqImport::Note::Approximated))
                           .arg(plan.count(EqImport::Note::NotPlaced)));
    m_deviationLabel = new QLabel(this);
    m_deviationLabel->setObjectName(QStringLiteral("eqDeviationLabel"));
    m_deviationLabel->setText(tr("Largest deviation from the file, 20 Hz to 20 kHz: %1 dB")
                                  .arg(plan.largestDeviation(), 0, 'f', 2));
    QFont bold = appFont(9, true);
    m_deviationLabel->setFont(bold);

    m_notes = new QTableWidget(this);
    fillNotes(plan);

    m_apply = new QPushButton(tr("Apply"), this);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_plot, 4);
    layout->addWidget(m_deviationLabel);
    layout->addWidget(m_summary);
    layout->addWidget(m_notes, 3);
    layout->addLayout(buttons);
    resize(760, 540);
    m_apply->setFocus();
}

void EqImportDialog::fillNotes(const EqImport &plan)
{
    const QVector<EqImport::Note> &notes = plan.notes();
    m_notes->setColumnCount(3);
    m_notes->setRowCount(notes.size());
    m_notes->setHorizontalHeaderLabels({tr("Line"), tr("In the file"), tr("On the unit")});
    m_notes->verticalHeader()->hide();
    // Compact rows: the list is read, not edited, and should show many notes.
    m_notes->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_notes->verticalHeader()->setDefaultSectionSize(m_notes->fontMetrics().height() + 6);
    m_notes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_notes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_notes->setWordWrap(false);
    const QColor approximated(160, 100, 0), notPlaced(190, 30, 30);
    for (int row = 0; row < notes.size(); ++row) {
        const EqImport::Note &n = notes[row];
        QString result = n.result;
        if (n.kind == EqImport::Note::Approximated)
            result = EqImport::tr("approximated: %1").arg(n.result);
        else if (n.kind == EqImport::Note::NotPlaced)
            result = EqImport::tr("not placed: %1").arg(n.result);
        const QString cells[3] = {n.line > 0 ? QString::number(n.line) : QString(), n.asked,
                                  result};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setToolTip(cells[c]);
            if (n.kind == EqImport::Note::Approximated)
                item->setForeground(approximated);
            else if (n.kind == EqImport::Note::NotPlaced)
                item->setForeground(notPlaced);
            m_notes->setItem(row, c, item);
        }
    }
    m_notes->resizeColumnsToContents();
    m_notes->horizontalHeader()->setStretchLastSection(true);
}
