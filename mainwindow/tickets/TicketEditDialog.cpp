#include "TicketEditDialog.h"

#include "TicketNames.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Text longer than this does not fit a QLineEdit (it silently cuts at 32767 characters): a card photo
// in Base64 is far longer, and cutting it would store a broken picture.
constexpr int kLineEditLimit = 32767;

QString recordType(const QJsonObject& record)
{
    const QString type = record.value("type").toString();
    if (type.isEmpty() && record.value("source").toString() == "hardware")
        return TicketNames::hardwareType();
    return type;
}

} // namespace

TicketEditDialog::TicketEditDialog(const QJsonObject& record, const QImage& picture, QWidget* parent)
    : QDialog(parent), m_record(record)
{
    setWindowTitle(tr("编辑识别结果"));
    setMinimumSize(650, 550);
    resize(700, 600);

    auto* outer = new QHBoxLayout(this);
    if (!picture.isNull()) {
        auto* pictureColumn = new QVBoxLayout;
        pictureColumn->addWidget(new QLabel(tr("原始图片"), this));
        auto* pictureLabel = new QLabel(this);
        pictureLabel->setPixmap(
            QPixmap::fromImage(picture.scaled(250, 300, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        pictureColumn->addWidget(pictureLabel);
        pictureColumn->addStretch();
        outer->addLayout(pictureColumn);
    }

    auto* column = new QVBoxLayout;
    outer->addLayout(column, 1);
    column->addWidget(
        new QLabel(tr("证件类型：%1").arg(TicketNames::typeDisplayName(recordType(record))), this));

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* formHost = new QWidget(scroll);
    auto* form = new QFormLayout(formHost);
    for (auto it = record.begin(); it != record.end(); ++it) {
        const QString key = it.key();
        if (key == "raw_ocr")
            continue;
        const QString text = valueText(it.value());
        QWidget* editor = nullptr;
        const bool readOnly = key == "type" || key == "recognize_time";
        if (text.size() > kLineEditLimit || key == "photo_base64") {
            auto* box = new QPlainTextEdit(formHost);
            box->setPlainText(text);
            box->setMaximumHeight(80);
            box->setReadOnly(readOnly);
            editor = box;
        } else {
            auto* line = new QLineEdit(text, formHost);
            line->setReadOnly(readOnly);
            editor = line;
        }
        if (readOnly)
            editor->setStyleSheet("color: gray;");
        form->addRow(TicketNames::keyDisplayName(key) + tr("："), editor);
        m_editors.insert(key, editor);
    }
    scroll->setWidget(formHost);
    column->addWidget(scroll, 1);

    if (record.contains("raw_ocr")) {
        column->addWidget(new QLabel("<hr>", this));
        column->addWidget(new QLabel(tr("原始OCR文本（只读）："), this));
        auto* raw = new QPlainTextEdit(this);
        raw->setPlainText(record.value("raw_ocr").toString());
        raw->setReadOnly(true);
        raw->setMaximumHeight(120);
        column->addWidget(raw);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("保存"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

QString TicketEditDialog::valueText(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    if (value.isString())
        return value.toString();
    return value.toVariant().toString();
}

QString TicketEditDialog::editorText(const QWidget* editor)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(editor))
        return box->toPlainText();
    return {};
}

QJsonObject TicketEditDialog::editedRecord() const
{
    QJsonObject edited = m_record;
    for (auto it = m_editors.begin(); it != m_editors.end(); ++it) {
        const QString text = editorText(it.value());
        if (text != valueText(m_record.value(it.key())))
            edited[it.key()] = text;
    }
    return edited;
}
