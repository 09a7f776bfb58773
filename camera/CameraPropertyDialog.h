#pragma once
// The open camera's picture controls, applied live while the preview runs. Built from whatever the
// camera reports, so a camera with focus or white balance gets those rows and one without does not.
#include <QDialog>

#include <cstdint>
#include <map>

namespace MediaCapture {
class ICameraControls;
struct CameraControl;
}
class QFormLayout;

class CameraPropertyDialog : public QDialog {
    Q_OBJECT
public:
    CameraPropertyDialog(MediaCapture::ICameraControls* controls, const QString& deviceName,
                         QWidget* parent = nullptr);

    // True when the camera reported no adjustable control at all.
    bool isEmpty() const { return m_rows.empty(); }
    // Puts every control back to the camera's default.
    void restoreDefaults();

private:
    void buildRows();
    QWidget* makeEditor(const MediaCapture::CameraControl& control);
    void apply(uint32_t id, int32_t value);
    // Re-reads values and the inactive flags: switching an automatic mode frees or locks its partner.
    void refresh();

    MediaCapture::ICameraControls* m_controls;
    QFormLayout* m_form = nullptr;
    std::map<uint32_t, QWidget*> m_rows;
    bool m_refreshing = false;
};
