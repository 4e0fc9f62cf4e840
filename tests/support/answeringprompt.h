#pragma once

#include "pages/operatorprompt.h"

// For tests of widgets: answers every question with `button` and every file
// dialog with `file`, and records what was shown as "title|text" (questions
// also "|buttons", text questions "|the text offered") and the file dialogs
// as "caption|filter". A text question is answered with OK when `button` is
// 0, with `typed` when it is set and otherwise with the text offered.
// Installed for its lifetime.
class AnsweringPrompt final : public OperatorPrompt
{
public:
    AnsweringPrompt() { install(this); }
    ~AnsweringPrompt() override { install(nullptr); }

    int ask(QWidget *, QMessageBox::Icon, const QString &title, const QString &text,
            const QStringList &buttons, int) override
    {
        shown << title + QLatin1Char('|') + text + QLatin1Char('|') +
                     buttons.join(QLatin1Char(','));
        return button;
    }
    void inform(QWidget *, QMessageBox::Icon, const QString &title, const QString &text) override
    {
        shown << title + QLatin1Char('|') + text;
    }
    bool askText(QWidget *, const QString &title, const QString &label, QString &text, int) override
    {
        shown << title + QLatin1Char('|') + label + QLatin1Char('|') + text;
        if (button != 0)
            return false;
        if (!typed.isNull())
            text = typed;
        return true;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &,
                         const QString &filter) override
    {
        asked << caption + QLatin1Char('|') + filter;
        return file;
    }
    QString saveFileName(QWidget *w, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        return openFileName(w, caption, dir, filter);
    }

    int button = 0;
    QString typed;
    QString file;
    QStringList asked;
    QStringList shown;
};
