#pragma once
// "查询识别记录": lists the stored tickets, filters them by type and keyword, and views, edits, deletes
// and exports them. Message boxes, the file chooser and the nested edit dialog go through the prompter.

#include "TicketPrompter.h"

#include <QDialog>
#include <QJsonArray>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TicketDatabase;
class TicketEditDialog;

class TicketQueryDialog : public QDialog
{
    Q_OBJECT
public:
    // `database` must outlive the dialog. The list is filled at once.
    TicketQueryDialog(TicketDatabase* database, QWidget* parent = nullptr);
    ~TicketQueryDialog() override;

    void setPrompter(std::shared_ptr<TicketPrompter> prompter);

    QComboBox* typeCombo() const { return m_typeCombo; }
    // Shown only for the shared store: "All counters" (empty data), then each counter's name.
    QComboBox* counterCombo() const { return m_counterCombo; }
    QLineEdit* keywordEdit() const { return m_keywordEdit; }
    QTableWidget* table() const { return m_table; }
    QLabel* statusLabel() const { return m_statusLabel; }

    // The key information column: the first present of the record's name-like fields, else the start
    // of its raw OCR text.
    static QString keyInformation(const QString& json);

signals:
    void viewRecord(int recordId);
    void recordEdited(int recordId, QString updatedJson);
    void recordDeleted(int recordId);

public slots:
    void onSearch();
    void onItemDoubleClicked(int row, int col);
    void onViewClicked();
    void onEditClicked();
    void onDeleteClicked();
    void onExportClicked();
    void onRefresh();

private:
    void fill(const QJsonArray& records);
    int selectedId() const;
    void openRecord(int id);
    void updateButtons();
    void fillCounters();
    // False (after telling the user) when the shared store refused because it is away.
    bool refuseOffline();

    TicketDatabase* m_database;
    std::shared_ptr<TicketPrompter> m_prompter;
    QComboBox* m_typeCombo = nullptr;
    QLabel* m_counterLabel = nullptr;
    QComboBox* m_counterCombo = nullptr;
    QLineEdit* m_keywordEdit = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_viewButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};
