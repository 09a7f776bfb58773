// Chooses the camera backend behind the library boundary. "auto" lists the real cameras first and
// the virtual camera always last, so a machine without a camera still has a picture and plugging a
// real one in only adds an entry.
#include "ICameraControls.h"
#include "IMediaCapture.h"
#include "V4l2Backend.h"
#include "VirtualBackend.h"

#include <QByteArray>
#include <QDebug>

#include <exception>
#include <memory>

namespace MediaCapture {
namespace {

bool isVirtualPath(const std::string& path) { return path.rfind("virtual:", 0) == 0; }

class CompositeMediaCapture : public IMediaCapture, public ICameraControls {
public:
    CompositeMediaCapture() : m_real(createV4l2MediaCapture()), m_virtual(createVirtualMediaCapture()) {}

    std::vector<DeviceRecord> enumDevices() override
    {
        std::vector<DeviceRecord> devices;
        try {
            devices = m_real->enumDevices();
        } catch (const std::exception& e) {
            // A broken real camera must not hide the virtual one.
            qWarning().noquote() << "[Camera] listing real cameras failed:" << e.what();
        }
        for (auto& device : m_virtual->enumDevices())
            devices.push_back(std::move(device));
        return devices;
    }

    bool openDevice(const std::string& devicePath, const VideoFormat& format) override
    {
        closeDevice();
        IMediaCapture* backend = isVirtualPath(devicePath) ? m_virtual.get() : m_real.get();
        if (!backend->openDevice(devicePath, format))
            return false;
        m_active = backend;
        return true;
    }

    bool startVideoCapture(FrameCallback onFrame, EventCallback onEvent) override
    {
        return m_active && m_active->startVideoCapture(std::move(onFrame), std::move(onEvent));
    }
    void stopVideoCapture() override
    {
        if (m_active)
            m_active->stopVideoCapture();
    }
    void closeDevice() override
    {
        if (m_active)
            m_active->closeDevice();
        m_active = nullptr;
    }
    bool recordingCleanupFirst() override { return m_active ? m_active->recordingCleanupFirst() : true; }
    bool recordingCleanupSecond() override { return m_active ? m_active->recordingCleanupSecond() : true; }
    bool stopRecording() override { return m_active && m_active->stopRecording(); }
    bool isRecording() override { return m_active && m_active->isRecording(); }

    std::vector<CameraControl> listControls() override
    {
        auto* controls = dynamic_cast<ICameraControls*>(m_active);
        return controls ? controls->listControls() : std::vector<CameraControl>();
    }
    bool setControl(uint32_t id, int32_t value) override
    {
        auto* controls = dynamic_cast<ICameraControls*>(m_active);
        return controls && controls->setControl(id, value);
    }

private:
    std::unique_ptr<IMediaCapture> m_real;
    std::unique_ptr<IMediaCapture> m_virtual;
    IMediaCapture* m_active = nullptr;
};

}  // namespace

IMediaCapture* CreateMediaCapture()
{
    const QByteArray choice = qgetenv("LUMADOC_CAMERA").trimmed().toLower();
    if (choice == "virtual")
        return createVirtualMediaCapture();
    if (choice == "v4l2")
        return createV4l2MediaCapture();
    if (!choice.isEmpty() && choice != "auto")
        qWarning().noquote() << "[Camera] unknown LUMADOC_CAMERA value" << choice << "- using auto";
    return new CompositeMediaCapture();
}

void DestroyMediaCapture(IMediaCapture* capture)
{
    delete capture;
}

}  // namespace MediaCapture
