#include "app/editactions.h"

#include "model/edithistory.h"
#include "protocol/transport.h"

#include <QAction>
#include <QMenu>

EditActions::EditActions(Model::EditHistory *history, QMenu *menu, QObject *parent)
    : QObject(parent), m_history(history), m_menu(menu), m_undo(menu->addAction(QString())),
      m_redo(menu->addAction(QString()))
{
    m_undo->setObjectName(QStringLiteral("undo"));
    m_redo->setObjectName(QStringLiteral("redo"));
    m_undo->setShortcut(QKeySequence::Undo);
    // Ctrl+Shift+Z and Ctrl+Y on every platform.
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, this, &EditActions::undo);
    connect(m_redo, &QAction::triggered, this, &EditActions::redo);
    connect(history, &Model::EditHistory::changed, this, &EditActions::retranslate);
    retranslate();
}

void EditActions::retranslate()
{
    m_menu->setTitle(tr("Edit"));
    const QString undo = m_history->undoText();
    const QString redo = m_history->redoText();
    m_undo->setText(undo.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undo));
    m_redo->setText(redo.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redo));
    m_undo->setEnabled(m_history->canUndo());
    m_redo->setEnabled(m_history->canRedo());
}

void EditActions::undo()
{
    // Written to no unit, the values would differ from the unit's.
    if (!isLoggedIn() || !m_history->canUndo())
        return;
    for (const Proto::Frame &f : m_history->undo())
        sendFrame(f);
    if (m_refreshPage)
        m_refreshPage();
}

void EditActions::redo()
{
    if (!isLoggedIn() || !m_history->canRedo())
        return;
    for (const Proto::Frame &f : m_history->redo())
        sendFrame(f);
    if (m_refreshPage)
        m_refreshPage();
}
