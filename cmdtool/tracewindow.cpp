#include "cmdtool/tracewindow.h"

#include "cmdtool/tracemodel.h"
#include "pages/operatorprompt.h"
#include "protocol/commandnames.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const char GeometryKey[] = "ProtocolTraceGeometry";

QSettings settingsStore()
{
    return QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"));
}

// The module box's item data: op << 8 | module, or -1 for every module.
int moduleKey(quint8 op, quint8 module)
{
    return op << 8 | module;
}

} // namespace

TraceWindow::TraceWindow(QWidget *parent)
    : QWidget(parent), m_model(new TraceModel(this)), m_view(new QTableView(this)),
      m_module(new QComboBox(this)), m_direction(new QComboBox(this)),
      m_pause(new QPushButton(this)), m_clear(new QPushButton(this)), m_copy(new QPushButton(this)),
      m_save(new QPushButton(this)), m_moduleLabel(new QLabel(this)),
      m_directionLabel(new QLabel(this)), m_counts(new QLabel(this))
{
    setObjectName(QStringLiteral("traceWindow"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_view->setObjectName(QStringLiteral("traceView"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setAlternatingRowColors(true);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Fixed row heights and column widths: the view never measures 100,000 rows.
    QHeaderView *rows = m_view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    QHeaderView *columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    const int digit = m_view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[TraceModel::ColumnCount] = {14, 5, 4, 6, 5, 6, 7, 26, 0};
    for (int c = 0; c + 1 < TraceModel::ColumnCount; ++c)
        columns->resizeSection(c, widths[c] * digit + 12);

    m_module->addItem(QString(), -1);
    for (const Proto::ModuleInfo &m : Proto::knownModules())
        m_module->addItem(
            QStringLiteral("%1 (%2/%3)").arg(QLatin1String(m.name)).arg(m.op).arg(m.module),
            moduleKey(m.op, m.module));
    m_direction->addItem(QString(), -1);
    m_direction->addItem(QString(), int(FrameTrace::Direction::Sent));
    m_direction->addItem(QString(), int(FrameTrace::Direction::Received));
    m_pause->setCheckable(true);
    for (QPushButton *b : {m_pause, m_clear, m_copy, m_save}) {
        b->setObjectName(QStringLiteral("normalButton"));
        b->setMinimumSize(72, 26);
    }

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_moduleLabel);
    bar->addWidget(m_module);
    bar->addSpacing(8);
    bar->addWidget(m_directionLabel);
    bar->addWidget(m_direction);
    bar->addSpacing(8);
    bar->addWidget(m_pause);
    bar->addWidget(m_clear);
    bar->addWidget(m_copy);
    bar->addWidget(m_save);
    bar->addStretch(1);
    bar->addWidget(m_counts);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    connect(m_module, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TraceWindow::filterChanged);
    connect(m_direction, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TraceWindow::filterChanged);
    connect(m_pause, &QPushButton::toggled, m_model, &TraceModel::setPaused);
    connect(m_clear, &QPushButton::clicked, m_model, &TraceModel::clear);
    connect(m_copy, &QPushButton::clicked, this, &TraceWindow::copy);
    connect(m_save, &QPushButton::clicked, this, &TraceWindow::saveAs);
    connect(m_model, &TraceModel::countsChanged, this, &TraceWindow::updateCounts);
    // Follow the newest frame unless the operator scrolled up to read.
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { m_follow = value >= m_view->verticalScrollBar()->maximum(); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &TraceWindow::rowsArrived);

    retranslate();
    resize(980, 520);
    restoreGeometry(settingsStore().value(QLatin1String(GeometryKey)).toByteArray());
}

TraceWindow::~TraceWindow()
{
    if (m_hooked)
        FrameTrace::install({});
}

void TraceWindow::retranslate()
{
    setWindowTitle(tr("Protocol Trace"));
    m_moduleLabel->setText(tr("Module:"));
    m_directionLabel->setText(tr("Direction:"));
    m_module->setItemText(0, tr("All modules"));
    m_direction->setItemText(0, tr("Both"));
    m_direction->setItemText(1, tr("Sent"));
    m_direction->setItemText(2, tr("Received"));
    m_pause->setText(tr("Pause"));
    m_clear->setText(tr("Clear"));
    m_copy->setText(tr("Copy"));
    m_save->setText(tr("Save..."));
    updateCounts();
}

void TraceWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TraceWindow::showEvent(QShowEvent *event)
{
    if (!m_hooked) {
        FrameTrace::install([model = m_model](const FrameTrace::Record &r) { model->append(r); });
        m_hooked = true;
    }
    QWidget::showEvent(event);
}

void TraceWindow::hideEvent(QHideEvent *event)
{
    // A minimised window keeps recording; a closed one stops.
    if (m_hooked && !event->spontaneous()) {
        FrameTrace::install({});
        m_hooked = false;
    }
    settingsStore().setValue(QLatin1String(GeometryKey), saveGeometry());
    QWidget::hideEvent(event);
}

void TraceWindow::filterChanged()
{
    FrameTrace::Filter filter;
    const int key = m_module->currentData().toInt();
    if (key >= 0) {
        filter.op = quint8(key >> 8);
        filter.module = key & 0xFF;
    }
    filter.direction = m_direction->currentData().toInt();
    m_model->setFilter(filter);
    m_view->scrollToBottom();
    m_follow = true;
}

void TraceWindow::rowsArrived()
{
    if (m_follow)
        m_view->scrollToBottom();
}

void TraceWindow::updateCounts()
{
    m_counts->setText(tr("%1 shown of %2 frames (the last %3 are kept)")
                          .arg(m_model->rowCount())
                          .arg(m_model->storedCount())
                          .arg(m_model->capacity()));
}

QString TraceWindow::text() const
{
    QVector<int> rows;
    const QModelIndexList selected = m_view->selectionModel()->selectedRows();
    for (const QModelIndex &i : selected)
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        for (int r = 0; r < m_model->rowCount(); ++r)
            rows.append(r);
    QString out = FrameTrace::heading() + QLatin1Char('\n');
    for (int r : qAsConst(rows))
        out += m_model->lineAt(r) + QLatin1Char('\n');
    return out;
}

void TraceWindow::copy()
{
    QApplication::clipboard()->setText(text());
}

void TraceWindow::saveAs()
{
    OperatorPrompt &prompt = OperatorPrompt::current();
    QString path = prompt.saveFileName(this, tr("Save Protocol Trace"), QDir::currentPath(),
                                       tr("Text Files (*.txt)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray bytes = text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        prompt.inform(this, QMessageBox::Critical, tr("Protocol Trace"),
                      tr("The trace could not be saved to %1: %2").arg(path, file.errorString()));
}
