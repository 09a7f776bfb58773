#pragma once
// The card face of a reader record: the fields and photo painted onto the two-sided template (front
// half above, back half below) at the positions the template's captions expect.

#include <QDateTime>
#include <QImage>
#include <QJsonObject>
#include <QString>

// The validity period as the card prints it: two 8-digit dates become "yyyy.MM.dd-yyyy.MM.dd" (dashes,
// dots and white space in the input ignored); anything else is returned as read.
QString formatIdCardValidity(const QString& validity);

// Paints `record` (keys as the reader record: "name", "gender", "ethnicity", "birth_date", "address",
// "id_number", "issuer", "validity_period", "photo_base64") onto a 32-bit copy of `cardTemplate`.
// Null when the template is null.
QImage drawIdCardFace(const QJsonObject& record, const QImage& cardTemplate);

// The built-in template artwork (500 x 632).
QImage defaultIdCardTemplate();
// "idcard_template.bmp" in `appDir` when it loads, else the built-in artwork.
QImage loadIdCardTemplate(const QString& appDir);

// Saves the face as PNG into `saveDir` (created when missing) as "idcard_<number>_<yyyyMMdd_HHmmss>.png".
// Only ASCII letters and digits of the number reach the file name (at most 32); with none left the name
// is "idcard_<time>.png". Returns the path, or empty on failure or with an empty `saveDir`.
QString saveIdCardFace(const QImage& face, const QString& saveDir, const QString& idNumber,
                       const QDateTime& now);
