#include "widgets/qchannelselect.h"

#include "widgets/appfont.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kButtonsPerRow = 8;

QString checkedStyle()
{
    return QStringLiteral("border-radius:0px;background-color:#AA5500");
}

QString uncheckedStyle()
{
    return QStringLiteral("background-color: rgb(234, 234, 234);");
}
} // namespace

QChannelSelect::QChannelSelect(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    m_inputGroup = makeGroup(m_inputButtons, QStringLiteral("inputChannelButton"));
    m_outputGroup = makeGroup(m_outputButtons, QStringLiteral("outputChannelButton"));
    for (QPushButton *button : m_inputButtons)
        connect(button, &QPushButton::toggled, this, &QChannelSelect::inputChannelBtnClicked);
    for (QPushButton *button : m_outputButtons)
        connect(button, &QPushButton::toggled, this, &QChannelSelect::outputChannelBtnClicked);

    m_buttonBox =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QChannelSelect::acceptClicked);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_inputGroup);
    layout->addWidget(m_outputGroup);
    layout->addWidget(m_buttonBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    retranslate();
}

QGroupBox *QChannelSelect::makeGroup(Buttons &buttons, const QString &namePrefix)
{
    auto *group = new QGroupBox(this);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(4);
    for (int c = 0; c < kChannels; ++c) {
        auto *button = new QPushButton(QString::number(c + 1), group);
        button->setObjectName(namePrefix + QString::number(c + 1));
        button->setCheckable(true);
        button->setFixedSize(40, 25);
        button->setStyleSheet(uncheckedStyle());
        grid->addWidget(button, c / kButtonsPerRow, c % kButtonsPerRow);
        buttons[c] = button;
    }
    return group;
}

void QChannelSelect::applyCheckedStyle(QPushButton *button, bool isChecked)
{
    if (button)
        button->setStyleSheet(isChecked ? checkedStyle() : uncheckedStyle());
}

void QChannelSelect::inputChannelBtnClicked(bool isChecked)
{
    applyCheckedStyle(qobject_cast<QPushButton *>(sender()), isChecked);
}

void QChannelSelect::outputChannelBtnClicked(bool isChecked)
{
    applyCheckedStyle(qobject_cast<QPushButton *>(sender()), isChecked);
}

quint16 QChannelSelect::maskOf(const Buttons &buttons)
{
    quint16 mask = 0;
    for (int c = 0; c < kChannels; ++c) {
        if (buttons[c]->isChecked())
            mask |= quint16(1u << c);
    }
    return mask;
}

void QChannelSelect::acceptClicked()
{
    m_inputMask = maskOf(m_inputButtons);
    m_outputMask = maskOf(m_outputButtons);
    accept();
}

void QChannelSelect::setInputChannelEnabled(int channel, bool enabled)
{
    if (QPushButton *button = inputButton(channel))
        button->setEnabled(enabled);
}

void QChannelSelect::setOutputChannelEnabled(int channel, bool enabled)
{
    if (QPushButton *button = outputButton(channel))
        button->setEnabled(enabled);
}

void QChannelSelect::setOutputGroupVisible(bool visible)
{
    m_outputGroup->setVisible(visible);
}

QPushButton *QChannelSelect::inputButton(int channel) const
{
    return channel >= 0 && channel < kChannels ? m_inputButtons[channel] : nullptr;
}

QPushButton *QChannelSelect::outputButton(int channel) const
{
    return channel >= 0 && channel < kChannels ? m_outputButtons[channel] : nullptr;
}

void QChannelSelect::resetButtons()
{
    for (const Buttons *buttons : {&m_inputButtons, &m_outputButtons}) {
        for (QPushButton *button : *buttons) {
            button->setChecked(false);
            applyCheckedStyle(button, false);
            button->setEnabled(true);
        }
    }
}

// A spontaneous hide (the window system minimising the window) is not the end
// of a choice; only closing the dialog clears it.
void QChannelSelect::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        resetButtons();
    QDialog::hideEvent(event);
}

void QChannelSelect::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void QChannelSelect::retranslate()
{
    // The buttons carry their own style sheets, which stops the dialog's font
    // from reaching them, so they get it explicitly.
    const QFont font = appFont(8);
    setFont(font);
    for (const Buttons *buttons : {&m_inputButtons, &m_outputButtons}) {
        for (QPushButton *button : *buttons)
            button->setFont(font);
    }
    setWindowTitle(tr("Select Channel"));
    m_inputGroup->setTitle(tr("Input channel"));
    m_outputGroup->setTitle(tr("Output channel"));
}
