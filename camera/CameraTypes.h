#pragma once
// Camera records shared by the wrapper, the controller and the main window. They travel in queued
// signals, so they are registered with the meta-type system (registerCameraMetaTypes()).
#include <QList>
#include <QMetaType>
#include <QSize>
#include <QString>

struct CameraResolution {
    qint32 width = 0;
    qint32 height = 0;
    QList<qint32> frameRates;  // in the order the camera lists them, duplicates kept

    QSize size() const { return QSize(width, height); }
    bool operator==(const CameraResolution& other) const
    {
        return width == other.width && height == other.height && frameRates == other.frameRates;
    }
};

struct CameraDeviceInfo {
    QString name;    // friendly name shown in the device list
    QString vid;     // USB vendor id, hexadecimal text, optionally with "0x"
    QString pid;     // USB product id, same form
    QString detail;  // carried along from the library
    QString path;    // identity: passed to openDevice, item data of the device list
    QList<CameraResolution> resolutions;  // ordered by width, then height

    bool operator==(const CameraDeviceInfo& other) const
    {
        return name == other.name && vid == other.vid && pid == other.pid && detail == other.detail
            && path == other.path && resolutions == other.resolutions;
    }
};

Q_DECLARE_METATYPE(CameraResolution)
Q_DECLARE_METATYPE(CameraDeviceInfo)
Q_DECLARE_METATYPE(QList<CameraDeviceInfo>)

// Idempotent; call before the first queued connection that carries these records.
void registerCameraMetaTypes();
