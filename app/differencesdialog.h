#pragma once

#include "model/paramid.h"

#include <QDialog>
#include <QVector>

struct ConfigSide;
class QLabel;
class QPushButton;
class QTreeWidget;

// The differences between two configurations, before anything is written:
// one row per path with both values, grouped by block, with their count.
// "Send" (when offered) asks for the configuration to be written; the dialog
// then shows the differences that remain.
class DifferencesDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(DifferencesDialog)

public:
    explicit DifferencesDialog(QWidget *parent = nullptr);

    // `left` and `right` head the value columns ("Unit", "File").
    void showDifferences(const QString &heading, const QString &left, const QString &right,
                         const ConfigSide &a, const ConfigSide &b,
                         const QVector<Model::ParamId> &ids);
    void setSendOffered(bool offered);

    int count() const { return m_count; }
    QStringList paths() const;
    QTreeWidget *table() const { return m_table; }
    QPushButton *sendButton() const { return m_send; }

signals:
    void sendRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_heading;
    QTreeWidget *m_table;
    QPushButton *m_send;
    QPushButton *m_close;
    int m_count = 0;
};
