#pragma once
// "编辑识别结果": one editor per key of a ticket record, the picture it was recognised from beside them
// and the raw OCR text below, read-only. After acceptance editedRecord() is the record with the edits.

#include <QDialog>
#include <QImage>
#include <QJsonObject>
#include <QMap>

class QWidget;

class TicketEditDialog : public QDialog
{
    Q_OBJECT
public:
    TicketEditDialog(const QJsonObject& record, const QImage& picture, QWidget* parent = nullptr);

    // The record passed in, with every key whose text was changed set to the new text (as a string);
    // unchanged keys keep their value and its JSON type.
    QJsonObject editedRecord() const;

    // The editor of `key` (a QLineEdit, or a QPlainTextEdit for values too long for a line edit);
    // null for "raw_ocr" and absent keys.
    QWidget* editorFor(const QString& key) const { return m_editors.value(key, nullptr); }

private:
    static QString valueText(const QJsonValue& value);
    static QString editorText(const QWidget* editor);

    QJsonObject m_record;
    QMap<QString, QWidget*> m_editors;
};
