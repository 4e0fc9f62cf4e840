#pragma once

#include "pages/filters/eqimport.h"

#include <QDialog>

class EqCurvePlot;
class QLabel;
class QPushButton;
class QTableWidget;

// The preview of an equaliser file's import: the file's curve and the curve
// the channel will have on the same axes, the largest deviation between
// them from 20 Hz to 20 kHz, and what came of each filter. "Apply" accepts
// it; the page then writes result(). Nothing is sent before.
class EqImportDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(EqImportDialog)

public:
    EqImportDialog(const EqImport &plan, const QString &channelName, const QString &fileName,
                   QWidget *parent = nullptr);

    const EqChannel &result() const { return m_result; }
    double largestDeviation() const { return m_deviation; }

    EqCurvePlot *plot() const { return m_plot; }
    QLabel *deviationLabel() const { return m_deviationLabel; }
    QTableWidget *notes() const { return m_notes; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void fillNotes(const EqImport &plan);

    EqChannel m_result;
    double m_deviation = 0;
    EqCurvePlot *m_plot = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_deviationLabel = nullptr;
    QTableWidget *m_notes = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_cancel = nullptr;
};
