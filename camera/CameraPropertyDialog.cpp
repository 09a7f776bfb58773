#include "CameraPropertyDialog.h"

#include "ICameraControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using MediaCapture::CameraControl;

CameraPropertyDialog::CameraPropertyDialog(MediaCapture::ICameraControls* controls, const QString& deviceName,
                                           QWidget* parent)
    : QDialog(parent), m_controls(controls)
{
    setObjectName(QStringLiteral("cameraPropertyDialog"));
    setWindowTitle(deviceName);
    auto* column = new QVBoxLayout(this);
    m_form = new QFormLayout;
    column->addLayout(m_form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::RestoreDefaults | QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setObjectName(QStringLiteral("restoreDefaultsButton"));
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &CameraPropertyDialog::restoreDefaults);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    buildRows();
}

void CameraPropertyDialog::buildRows()
{
    if (!m_controls)
        return;
    for (const CameraControl& control : m_controls->listControls()) {
        QWidget* editor = makeEditor(control);
        if (!editor)
            continue;
        editor->setObjectName(QStringLiteral("cameraControl_%1").arg(control.id));
        editor->setEnabled(!control.inactive);
        m_rows[control.id] = editor;
        if (control.type == CameraControl::Type::Boolean || control.type == CameraControl::Type::Button)
            m_form->addRow(QString(), editor);
        else
            m_form->addRow(QString::fromStdString(control.name) + QLatin1Char(':'), editor);
    }
}

QWidget* CameraPropertyDialog::makeEditor(const CameraControl& control)
{
    const uint32_t id = control.id;
    switch (control.type) {
    case CameraControl::Type::Integer: {
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* slider = new QSlider(Qt::Horizontal, row);
        auto* spin = new QSpinBox(row);
        slider->setRange(control.minimum, control.maximum);
        slider->setSingleStep(std::max(1, control.step));
        spin->setRange(control.minimum, control.maximum);
        spin->setSingleStep(std::max(1, control.step));
        slider->setValue(control.value);
        spin->setValue(control.value);
        slider->setMinimumWidth(220);
        layout->addWidget(slider, 1);
        layout->addWidget(spin);
        connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), slider, &QSlider::setValue);
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, [this, id](int v) { apply(id, v); });
        return row;
    }
    case CameraControl::Type::Boolean: {
        auto* check = new QCheckBox(QString::fromStdString(control.name), this);
        check->setChecked(control.value != 0);
        connect(check, &QCheckBox::toggled, this, [this, id](bool on) { apply(id, on ? 1 : 0); });
        return check;
    }
    case CameraControl::Type::Menu: {
        auto* combo = new QComboBox(this);
        for (const auto& item : control.menuItems)
            combo->addItem(QString::fromStdString(item.second), item.first);
        combo->setCurrentIndex(combo->findData(control.value));
        connect(combo, QOverload<int>::of(&QComboBox::activated), this,
                [this, id, combo](int index) { apply(id, combo->itemData(index).toInt()); });
        return combo;
    }
    case CameraControl::Type::Button: {
        auto* button = new QPushButton(QString::fromStdString(control.name), this);
        connect(button, &QPushButton::clicked, this, [this, id] { apply(id, 1); });
        return button;
    }
    }
    return nullptr;
}

void CameraPropertyDialog::apply(uint32_t id, int32_t value)
{
    if (m_refreshing || !m_controls)
        return;
    if (!m_controls->setControl(id, value))
        qWarning().noquote() << "[CameraProps] camera refused control" << id << "=" << value;
    refresh();
}

void CameraPropertyDialog::restoreDefaults()
{
    if (!m_controls)
        return;
    for (const CameraControl& control : m_controls->listControls()) {
        if (control.type != CameraControl::Type::Button && !control.inactive && control.value != control.defaultValue)
            m_controls->setControl(control.id, control.defaultValue);
    }
    refresh();
}

void CameraPropertyDialog::refresh()
{
    m_refreshing = true;
    for (const CameraControl& control : m_controls->listControls()) {
        const auto row = m_rows.find(control.id);
        if (row == m_rows.end())
            continue;
        QWidget* editor = row->second;
        editor->setEnabled(!control.inactive);
        if (auto* check = qobject_cast<QCheckBox*>(editor)) {
            const QSignalBlocker quiet(check);
            check->setChecked(control.value != 0);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(combo->findData(control.value));
        } else if (auto* spin = editor->findChild<QSpinBox*>()) {
            spin->setValue(control.value);  // m_refreshing keeps this from writing back
        }
    }
    m_refreshing = false;
}
