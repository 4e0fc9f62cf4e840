#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// "ip Settings": a unit's new address, subnet mask and gateway in dotted form.
// OK is enabled only while all three are complete.
class QIpSetting final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QIpSetting)

public:
    explicit QIpSetting(QWidget *parent = nullptr);

    void setValues(quint32 address, quint32 mask, quint32 gateway);
    // Fills only the address; mask and gateway keep what they hold.
    void setAddress(quint32 address);
    quint32 address() const;
    quint32 mask() const;
    quint32 gateway() const;
    bool isComplete() const;

    QLineEdit *addressEdit() const { return m_address; }
    QLineEdit *maskEdit() const { return m_mask; }
    QLineEdit *gatewayEdit() const { return m_gateway; }
    QDialogButtonBox *buttons() const { return m_buttons; }

    // Parses "a.b.c.d" (decimal only, no leading-zero octal) into a u32 with
    // the first byte most significant; false when the text is not such a form.
    static bool parseDotted(const QString &text, quint32 *value);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void updateOk();

    QLabel *m_addressLabel;
    QLabel *m_maskLabel;
    QLabel *m_gatewayLabel;
    QLineEdit *m_address;
    QLineEdit *m_mask;
    QLineEdit *m_gateway;
    QDialogButtonBox *m_buttons;
};
