#pragma once

#include <QWidget>

class AllMuteCmdWidget;
class LevelCmdWidget;
class LoginCmdWidget;
class OutLevelCmdWidget;
class PreLevelCmdWidget;
class PresetCmdWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// Window that composes the hexadecimal text of common commands for external
// controllers (RS232 or TCP). It sends nothing: the operator copies the text.
// It is always a window of its own, also when given a parent.
class CommandToolWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CommandToolWidget)

public:
    explicit CommandToolWidget(QWidget *parent = nullptr);

    // The text of the last generated command (empty before the first one).
    QString commandText() const;

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void pwdCmdGen();
    void preLevelMuteCmdGen();
    void preLevelInvertCmdGen();
    void preLevelGainCmdGen();
    void preLevelGainDeltaCmdGen();
    void outLevelMuteCmdGen();
    void outLevelInvertCmdGen();
    void outLevelGainCmdGen();
    void outLevelGainDeltaCmdGen();
    void presetLoadCmdGen();
    void allMuteCmdGen();
    void cmdCopy();

private:
    void showCommand(const QByteArray &frame);
    void retranslateUi();

    QLabel *m_infoLabel;
    QTabWidget *m_tabWidget;
    LoginCmdWidget *m_loginWidget;
    PreLevelCmdWidget *m_preLevelWidget;
    OutLevelCmdWidget *m_outLevelWidget;
    PresetCmdWidget *m_presetWidget;
    AllMuteCmdWidget *m_allMuteWidget;
    QLabel *m_commandLabel;
    QLineEdit *m_commandEdit;
    QPushButton *m_copyButton;
};
