#pragma once

#include <QObject>

#include <functional>

namespace Model {
class EditHistory;
}

class QAction;
class QMenu;

// The Edit menu: undo and redo of the operator's edits of the connected unit,
// named after the step ("Undo IN 3 EQ band 2 gain"), with the usual keys.
// Undo and redo write to the unit through the current socket, so they do
// nothing until a unit is logged in. After the writes the page on screen
// reads its block again (`refreshPage`), so it shows what the unit now holds.
class EditActions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(EditActions)

public:
    EditActions(Model::EditHistory *history, QMenu *menu, QObject *parent = nullptr);

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    void setRefresh(std::function<void()> refreshPage) { m_refreshPage = std::move(refreshPage); }
    void retranslate();

    void undo();
    void redo();

private:
    Model::EditHistory *m_history;
    QMenu *m_menu;
    QAction *m_undo;
    QAction *m_redo;
    std::function<void()> m_refreshPage;
};
