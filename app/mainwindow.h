#pragma once

#include "app/appconfig.h"

#include <QMainWindow>
#include <QTranslator>

// The one top-level window.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    AppConfig &config() { return m_config; }
    void applyLanguage(int index);

private:
    AppConfig m_config;
    QTranslator m_translator;
};
