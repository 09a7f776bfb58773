#pragma once
// Ticket mode's side panel: document type, recognition and card-reader buttons, the result view and
// the record buttons. It holds and labels the controls; the window wires them.

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTextBrowser;

class TicketPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TicketPanel(QWidget* parent = nullptr);
    void retranslateUi();

    // "idcard", "driver_license", "vat_invoice" or "vehicle_license".
    QString ticketType() const;

    QComboBox* typeCombo = nullptr;
    QPushButton* recognizeButton = nullptr;
    QPushButton* readCardButton = nullptr;  // shown only for identity cards
    QTextBrowser* resultBrowser = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* queryButton = nullptr;
    QPushButton* exportJsonButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* backButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QLabel* m_typeLabel = nullptr;
    QLabel* m_resultLabel = nullptr;
};
