#include "pages/operatorprompt.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {
OperatorPrompt *g_installed = nullptr;
}

OperatorPrompt::~OperatorPrompt() = default;

int OperatorPrompt::ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                        const QString &text, const QStringList &buttons, int defaultButton)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &b : buttons)
        added.append(box.addButton(b, QMessageBox::ActionRole));
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.at(defaultButton)));
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

void OperatorPrompt::inform(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                            const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool OperatorPrompt::askText(QWidget *parent, const QString &title, const QString &label,
                             QString &text, int maxLength)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = dialog.textValue();
    return true;
}

QString OperatorPrompt::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString OperatorPrompt::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

OperatorPrompt &OperatorPrompt::current()
{
    static OperatorPrompt standard;
    return g_installed ? *g_installed : standard;
}

void OperatorPrompt::install(OperatorPrompt *prompt)
{
    g_installed = prompt;
}
