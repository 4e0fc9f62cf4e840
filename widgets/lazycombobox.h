#pragma once

#include <QComboBox>

// A combo box that is given its font as it is built and makes its popup list
// only when it first opens. A plain QComboBox answers every font change by
// building that list (a frame, a list view, scroll bars and scrollers); pages
// with a box in each of 16 strips spent more on those lists at start-up than
// on the rest of the page, for popups that are rarely opened.
class LazyComboBox : public QComboBox
{
public:
    LazyComboBox(const QFont &font, QWidget *parent = nullptr);

    void showPopup() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    bool m_building = true;
    bool m_popupFont = false; // the list has been given the box's font
};
