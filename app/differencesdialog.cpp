#include "app/differencesdialog.h"

#include "dapctl/configcompare.h"
#include "model/unitstate.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The block a path belongs to, as the table groups it.
QString blockCaption(const QString &path)
{
    static const struct
    {
        const char *family;
        const char *caption;
    } Blocks[] = {
        {"input", QT_TRANSLATE_NOOP("DifferencesDialog", "Inputs")},
        {"premix", QT_TRANSLATE_NOOP("DifferencesDialog", "Pre-mix levels")},
        {"matrix", QT_TRANSLATE_NOOP("DifferencesDialog", "Matrix")},
        {"generator", QT_TRANSLATE_NOOP("DifferencesDialog", "Signal generator")},
        {"output", QT_TRANSLATE_NOOP("DifferencesDialog", "Outputs")},
        {"label", QT_TRANSLATE_NOOP("DifferencesDialog", "Labels")},
        {"system", QT_TRANSLATE_NOOP("DifferencesDialog", "System")},
    };
    const QString family = path.section(QLatin1Char('.'), 0, 0);
    for (const auto &b : Blocks)
        if (family == QLatin1String(b.family))
            return DifferencesDialog::tr(b.caption);
    return family;
}

QString shown(const ConfigSide &side, const Model::ParamId &id)
{
    return side.has.contains(id) ? side.state->valueText(id) : DifferencesDialog::tr("(none)");
}

} // namespace

DifferencesDialog::DifferencesDialog(QWidget *parent)
    : QDialog(parent), m_heading(new QLabel(this)), m_table(new QTreeWidget(this)),
      m_send(new QPushButton(this)), m_close(new QPushButton(this))
{
    setObjectName(QStringLiteral("differencesDialog"));
    m_heading->setWordWrap(true);
    m_table->setColumnCount(3);
    m_table->setRootIsDecorated(true);
    m_table->setUniformRowHeights(true);
    m_table->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_send->setObjectName(QStringLiteral("sendButton"));
    retranslate();
    m_send->hide();
    connect(m_send, &QPushButton::clicked, this, &DifferencesDialog::sendRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(720, 460);
}

void DifferencesDialog::showDifferences(const QString &heading, const QString &left,
                                        const QString &right, const ConfigSide &a,
                                        const ConfigSide &b, const QVector<Model::ParamId> &ids)
{
    m_count = ids.size();
    setWindowTitle(tr("Differences"));
    m_heading->setText(m_count ? tr("%1: %2 differences").arg(heading).arg(m_count)
                               : tr("%1: no differences").arg(heading));
    m_table->clear();
    m_table->setHeaderLabels({tr("Path"), left, right});
    const Model::Catalogue &cat = Model::Catalogue::instance();
    // Blocks in the order their first path comes (catalogue order).
    QMap<QString, QTreeWidgetItem *> groups;
    for (const Model::ParamId &id : ids) {
        const QString path = cat.path(id);
        const QString caption = blockCaption(path);
        QTreeWidgetItem *&group = groups[caption];
        if (!group) {
            group = new QTreeWidgetItem(m_table);
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
        }
        auto *row = new QTreeWidgetItem(group, {path, shown(a, id), shown(b, id)});
        row->setToolTip(0, path);
    }
    for (auto it = groups.begin(); it != groups.end(); ++it)
        it.value()->setText(0, tr("%1 (%2)").arg(it.key()).arg(it.value()->childCount()));
    m_table->expandAll();
    m_table->resizeColumnToContents(1);
    m_table->resizeColumnToContents(2);
}

void DifferencesDialog::retranslate()
{
    m_send->setText(tr("Send"));
    m_close->setText(tr("Close"));
}

void DifferencesDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void DifferencesDialog::setSendOffered(bool offered)
{
    m_send->setVisible(offered);
    m_send->setEnabled(offered);
}

QStringList DifferencesDialog::paths() const
{
    QStringList out;
    for (int g = 0; g < m_table->topLevelItemCount(); ++g)
        for (int r = 0; r < m_table->topLevelItem(g)->childCount(); ++r)
            out.append(m_table->topLevelItem(g)->child(r)->text(0));
    return out;
}
