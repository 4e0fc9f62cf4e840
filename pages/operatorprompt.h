#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every question to the operator (confirmations, file dialogs, message boxes)
// goes through here. The program uses the standard dialogs; tests install a
// prompt of their own that answers instead of a person, so no test ever waits
// on a modal box.
class OperatorPrompt
{
public:
    virtual ~OperatorPrompt();

    // Asks with the given button texts; returns the index of the chosen button,
    // or -1 when the box was closed without one.
    virtual int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                    const QString &text, const QStringList &buttons, int defaultButton = 0);
    virtual void inform(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                        const QString &text);
    // Asks for a line of text: `label` above a field that starts with `text`
    // and takes at most `maxLength` characters. On OK `text` holds what the
    // operator typed and the answer is true; Cancel or closing the box
    // answers false and leaves `text` as it was.
    virtual bool askText(QWidget *parent, const QString &title, const QString &label, QString &text,
                         int maxLength);
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);

    // The prompt in use; tests replace it (nullptr restores the standard one).
    static OperatorPrompt &current();
    static void install(OperatorPrompt *prompt);
};
