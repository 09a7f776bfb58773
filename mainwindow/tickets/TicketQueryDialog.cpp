#include "TicketQueryDialog.h"

#include "TicketDatabase.h"
#include "TicketEditDialog.h"
#include "TicketNames.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TicketQueryDialog::TicketQueryDialog(TicketDatabase* database, QWidget* parent)
    : QDialog(parent), m_database(database), m_prompter(std::make_shared<TicketPrompter>())
{
    setWindowTitle(tr("查询识别记录"));
    resize(900, 560);
    auto* layout = new QVBoxLayout(this);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(tr("类型："), this));
    m_typeCombo = new QComboBox(this);
    for (const auto& item : TicketNames::typeFilterItems())
        m_typeCombo->addItem(item.first, item.second);
    filterRow->addWidget(m_typeCombo);
    m_counterLabel = new QLabel(tr("Counter:"), this);
    m_counterCombo = new QComboBox(this);
    m_counterCombo->addItem(tr("All counters"), QString());
    filterRow->addWidget(m_counterLabel);
    filterRow->addWidget(m_counterCombo);
    const bool shared = m_database->isShared();
    m_counterLabel->setVisible(shared);
    m_counterCombo->setVisible(shared);
    filterRow->addWidget(new QLabel(tr("搜索："), this));
    m_keywordEdit = new QLineEdit(this);
    m_keywordEdit->setPlaceholderText(tr("输入关键词搜索（姓名、身份证号、发票号码等）"));
    filterRow->addWidget(m_keywordEdit, 1);
    auto* searchButton = new QPushButton(tr("搜索"), this);
    filterRow->addWidget(searchButton);
    layout->addLayout(filterRow);

    QStringList headers = {tr("序号"), tr("证件类型"), tr("关键信息"), tr("识别时间"), tr("更新时间")};
    if (shared)
        headers << tr("Counter");
    m_table = new QTableWidget(0, headers.size(), this);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->verticalHeader()->setVisible(false);
    layout->addWidget(m_table, 1);

    m_statusLabel = new QLabel(this);
    layout->addWidget(m_statusLabel);

    auto* buttonRow = new QHBoxLayout;
    m_viewButton = new QPushButton(tr("查看"), this);
    m_editButton = new QPushButton(tr("编辑"), this);
    m_deleteButton = new QPushButton(tr("删除"), this);
    auto* exportButton = new QPushButton(tr("导出全部"), this);
    auto* refreshButton = new QPushButton(tr("刷新"), this);
    for (QPushButton* button : {m_viewButton, m_editButton, m_deleteButton, exportButton, refreshButton})
        buttonRow->addWidget(button);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);

    connect(searchButton, &QPushButton::clicked, this, &TicketQueryDialog::onSearch);
    connect(m_keywordEdit, &QLineEdit::returnPressed, this, &TicketQueryDialog::onSearch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &TicketQueryDialog::onItemDoubleClicked);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &TicketQueryDialog::updateButtons);
    connect(m_viewButton, &QPushButton::clicked, this, &TicketQueryDialog::onViewClicked);
    connect(m_editButton, &QPushButton::clicked, this, &TicketQueryDialog::onEditClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &TicketQueryDialog::onDeleteClicked);
    connect(exportButton, &QPushButton::clicked, this, &TicketQueryDialog::onExportClicked);
    connect(refreshButton, &QPushButton::clicked, this, &TicketQueryDialog::onRefresh);

    onRefresh();
}

TicketQueryDialog::~TicketQueryDialog() = default;

void TicketQueryDialog::setPrompter(std::shared_ptr<TicketPrompter> prompter)
{
    if (prompter)
        m_prompter = std::move(prompter);
}

QString TicketQueryDialog::keyInformation(const QString& json)
{
    const QJsonObject record = QJsonDocument::fromJson(json.toUtf8()).object();
    for (const char* key : {"name", "buyer_name", "plate_number", "owner", "id_number", "invoice_number"}) {
        if (record.contains(key)) {
            const QString value = record.value(key).toString();
            if (!value.isEmpty())
                return value;
            break;
        }
    }
    return record.value("raw_ocr").toString().left(50);
}

void TicketQueryDialog::fill(const QJsonArray& records)
{
    m_table->clearContents();
    m_table->setRowCount(records.size());
    for (int row = 0; row < records.size(); ++row) {
        const QJsonObject record = records.at(row).toObject();
        QString recognized = record.value("recognize_time").toString();
        recognized.replace('T', ' ');
        QStringList cells = {QString::number(record.value("id").toInt()),
                                   TicketNames::typeDisplayName(record.value("ticket_type").toString()),
                                   keyInformation(record.value("json_data").toString()), recognized.left(19),
                                   record.value("updated_at").toString()};
        if (m_database->isShared())
            cells << record.value("counter").toString();
        for (int col = 0; col < cells.size() && col < m_table->columnCount(); ++col) {
            auto* item = new QTableWidgetItem(cells.at(col));
            item->setData(Qt::UserRole, record.value("id").toInt());
            m_table->setItem(row, col, item);
        }
    }
    const QString path = m_database->isShared() ? m_database->locationText()
                                                : QDir::toNativeSeparators(m_database->databasePath());
    if (records.isEmpty() && m_database->isShared() && m_database->lastFailedOffline()) {
        m_statusLabel->setStyleSheet("color: red;");
        m_statusLabel->setText(m_database->lastErrorText());
    } else if (records.isEmpty()) {
        m_statusLabel->setStyleSheet("color: orange;");
        m_statusLabel->setText(
            tr("共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录").arg(path));
    } else {
        m_statusLabel->setStyleSheet("color: green;");
        m_statusLabel->setText(tr("共 %1 条记录  |  数据库：%2").arg(records.size()).arg(path));
    }
    updateButtons();
}

void TicketQueryDialog::updateButtons()
{
    const bool selected = selectedId() > 0;
    m_viewButton->setEnabled(selected);
    m_editButton->setEnabled(selected);
    m_deleteButton->setEnabled(selected);
}

int TicketQueryDialog::selectedId() const
{
    const QList<QTableWidgetItem*> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : items.first()->data(Qt::UserRole).toInt();
}

void TicketQueryDialog::onSearch()
{
    fill(m_database->searchRecords(m_keywordEdit->text().trimmed(), m_typeCombo->currentData().toString(),
                                   m_counterCombo->currentData().toString()));
}

void TicketQueryDialog::onRefresh()
{
    m_keywordEdit->clear();
    m_typeCombo->setCurrentIndex(0);
    fillCounters();
    fill(m_database->getAllRecords());
}

void TicketQueryDialog::fillCounters()
{
    if (!m_database->isShared())
        return;
    m_counterCombo->clear();
    m_counterCombo->addItem(tr("All counters"), QString());
    for (const QString& name : m_database->counters())
        m_counterCombo->addItem(name, name);
}

bool TicketQueryDialog::refuseOffline()
{
    if (!m_database->isShared() || !m_database->lastFailedOffline())
        return false;
    m_prompter->warning(this, tr("Shared database"),
                        tr("The shared database cannot be reached, so records cannot be changed or deleted "
                           "now. Try again when it answers.\n\n%1")
                            .arg(m_database->lastErrorText()));
    return true;
}

void TicketQueryDialog::onItemDoubleClicked(int row, int /*col*/)
{
    const QTableWidgetItem* item = m_table->item(row, 0);
    if (item)
        openRecord(item->data(Qt::UserRole).toInt());
}

void TicketQueryDialog::onViewClicked()
{
    const int id = selectedId();
    if (id <= 0)
        return;
    emit viewRecord(id);
    openRecord(id);
}

void TicketQueryDialog::onEditClicked()
{
    const int id = selectedId();
    if (id > 0)
        openRecord(id);
}

void TicketQueryDialog::openRecord(int id)
{
    const QJsonObject row = m_database->getRecordById(id);
    if (row.isEmpty()) {
        if (!refuseOffline())
            m_prompter->warning(this, tr("错误"), tr("未找到该记录。"));
        return;
    }
    const QJsonObject record = QJsonDocument::fromJson(row.value("json_data").toString().toUtf8()).object();
    TicketEditDialog dialog(record, m_database->getImage(id), this);
    dialog.setWindowTitle(tr("查看记录 #%1").arg(id));
    if (!m_prompter->runDialog(dialog))
        return;
    const QString json =
        QString::fromUtf8(QJsonDocument(dialog.editedRecord()).toJson(QJsonDocument::Compact));
    if (!m_database->updateRecord(id, json)) {
        if (!refuseOffline())
            m_prompter->warning(this, tr("错误"), tr("保存记录失败。"));
        return;
    }
    emit recordEdited(id, json);
    onSearch();
}

void TicketQueryDialog::onDeleteClicked()
{
    const int id = selectedId();
    if (id <= 0)
        return;
    if (!m_prompter->confirm(this, tr("确认删除"), tr("确定要删除记录 #%1 吗？\n此操作不可撤销。").arg(id)))
        return;
    if (!m_database->deleteRecord(id)) {
        if (!refuseOffline())
            m_prompter->warning(this, tr("错误"), tr("删除记录失败。"));
        return;
    }
    emit recordDeleted(id);
    onRefresh();
}

void TicketQueryDialog::onExportClicked()
{
    const QString proposed = QDir::homePath() + "/ticket_records_" +
                             QDateTime::currentDateTime().toString("yyyyMMdd_hhmmss") + ".json";
    const QString path =
        m_prompter->saveFileName(this, tr("导出全部记录"), proposed, tr("JSON 文件 (*.json);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    if (m_database->exportToJson(path))
        m_prompter->information(this, tr("成功"), tr("记录已成功导出！\n%1").arg(path));
    else
        m_prompter->warning(this, tr("错误"), tr("导出记录失败。"));
}
