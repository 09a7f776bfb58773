#include "AnnotationDock.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
struct ToolButtonInfo
{
    int id;
    const char* objectName;
    const char* icon;
};
const ToolButtonInfo kTools[] = {
    {AnnotationDock::Select, "selectToolButton", ":/icons/select.png"},
    {AnnotationDock::Pen, "penToolButton", ":/icons/pen.png"},
    {AnnotationDock::Line, "lineToolButton", ":/icons/line.png"},
    {AnnotationDock::Rectangle, "rectangleToolButton", ":/icons/rectangle.png"},
    {AnnotationDock::Ellipse, "ellipseToolButton", ":/icons/ellipse.png"},
    {AnnotationDock::Eraser, "eraserToolButton", ":/icons/eraser.png"},
};
} // namespace

AnnotationDock::AnnotationDock(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("annotationDockWidget"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);

    m_toolsGroup = new QGroupBox(content);
    m_toolsGroup->setObjectName(QStringLiteral("drawingToolsGroup"));
    auto* toolGrid = new QGridLayout(m_toolsGroup);
    m_tools = new QButtonGroup(this);
    m_tools->setExclusive(true);
    int index = 0;
    for (const ToolButtonInfo& tool : kTools) {
        auto* b = new QToolButton(m_toolsGroup);
        b->setObjectName(QString::fromLatin1(tool.objectName));
        b->setIcon(QIcon(QString::fromLatin1(tool.icon)));
        b->setIconSize(QSize(24, 24));
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_tools->addButton(b, tool.id);
        toolGrid->addWidget(b, index / 3, index % 3);
        ++index;
    }
    m_tools->button(Select)->setChecked(true);
    column->addWidget(m_toolsGroup);

    m_propertiesGroup = new QGroupBox(content);
    m_propertiesGroup->setObjectName(QStringLiteral("annotationPropertiesGroup"));
    auto* props = new QGridLayout(m_propertiesGroup);
    m_colorLabel = new QLabel(m_propertiesGroup);
    m_colorButton = new QPushButton(m_propertiesGroup);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setFixedSize(40, 24);
    m_widthLabel = new QLabel(m_propertiesGroup);
    m_widthSlider = new QSlider(Qt::Horizontal, m_propertiesGroup);
    m_widthSlider->setObjectName(QStringLiteral("penWidthSlider"));
    m_widthSlider->setRange(1, 50);
    m_widthSlider->setValue(3);
    m_widthValue = new QLabel(QStringLiteral("3"), m_propertiesGroup);
    m_widthValue->setFixedWidth(25);
    m_widthValue->setAlignment(Qt::AlignCenter);
    m_eraserLabel = new QLabel(m_propertiesGroup);
    m_eraserSlider = new QSlider(Qt::Horizontal, m_propertiesGroup);
    m_eraserSlider->setObjectName(QStringLiteral("eraserSizeSlider"));
    m_eraserSlider->setRange(5, 100);
    m_eraserSlider->setValue(20);
    m_eraserValue = new QLabel(QStringLiteral("20"), m_propertiesGroup);
    m_eraserValue->setObjectName(QStringLiteral("eraserValueLabel"));
    m_eraserValue->setFixedWidth(25);
    m_eraserValue->setAlignment(Qt::AlignCenter);
    props->addWidget(m_colorLabel, 0, 0);
    props->addWidget(m_colorButton, 0, 1, 1, 2, Qt::AlignLeft);
    props->addWidget(m_widthLabel, 1, 0);
    props->addWidget(m_widthSlider, 1, 1);
    props->addWidget(m_widthValue, 1, 2);
    props->addWidget(m_eraserLabel, 2, 0);
    props->addWidget(m_eraserSlider, 2, 1);
    props->addWidget(m_eraserValue, 2, 2);
    column->addWidget(m_propertiesGroup);

    m_actionsGroup = new QGroupBox(content);
    m_actionsGroup->setObjectName(QStringLiteral("annotationActionsGroup"));
    m_undoButton = new QPushButton(QIcon(QStringLiteral(":/icons/undo.png")), QString(), m_actionsGroup);
    m_undoButton->setObjectName(QStringLiteral("annotationUndoButton"));
    m_clearButton = new QPushButton(QIcon(QStringLiteral(":/icons/clear.png")), QString(), m_actionsGroup);
    m_clearButton->setObjectName(QStringLiteral("annotationClearButton"));
    auto* actions = new QHBoxLayout(m_actionsGroup);
    actions->addWidget(m_undoButton);
    actions->addWidget(m_clearButton);
    column->addWidget(m_actionsGroup);
    column->addStretch();
    setWidget(content);

    setPenColor(m_penColor);
    connect(m_tools, &QButtonGroup::idClicked, this, &AnnotationDock::toolChanged);
    connect(m_colorButton, &QPushButton::clicked, this, &AnnotationDock::colorButtonClicked);
    connect(m_widthSlider, &QSlider::valueChanged, this, [this](int v) {
        m_widthValue->setNum(v);
        emit penWidthChanged(v);
    });
    connect(m_eraserSlider, &QSlider::valueChanged, this, [this](int v) {
        m_eraserValue->setNum(v);
        emit eraserSizeChanged(v);
    });
    connect(m_undoButton, &QPushButton::clicked, this, &AnnotationDock::undoRequested);
    connect(m_clearButton, &QPushButton::clicked, this, &AnnotationDock::clearRequested);
    retranslateUi();
}

QToolButton* AnnotationDock::toolButton(int tool) const
{
    return qobject_cast<QToolButton*>(m_tools->button(tool));
}

int AnnotationDock::currentTool() const
{
    return m_tools->checkedId();
}

void AnnotationDock::setPenColor(const QColor& colour)
{
    if (!colour.isValid())
        return;
    m_penColor = colour;
    m_colorButton->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px solid #ffffff; "
                                                "border-radius: 3px; } QPushButton:hover { border: 2px solid #4a6fa5; }")
                                     .arg(colour.name()));
}

int AnnotationDock::penWidth() const
{
    return m_widthSlider->value();
}

void AnnotationDock::setPenWidth(int width)
{
    m_widthSlider->setValue(width);
}

int AnnotationDock::eraserSize() const
{
    return m_eraserSlider->value();
}

void AnnotationDock::setEraserSize(int size)
{
    m_eraserSlider->setValue(size);
}

void AnnotationDock::retranslateUi()
{
    setWindowTitle(tr("Annotation"));
    m_toolsGroup->setTitle(tr("Drawing Tools"));
    const char* const names[] = {QT_TR_NOOP("Select"), QT_TR_NOOP("Pen"),     QT_TR_NOOP("Line"),
                                 QT_TR_NOOP("Rectangle"), QT_TR_NOOP("Ellipse"), QT_TR_NOOP("Eraser")};
    const char* const tips[] = {QT_TR_NOOP("Select Tool"), QT_TR_NOOP("Pen Tool"),     QT_TR_NOOP("Line Tool"),
                                QT_TR_NOOP("Rectangle Tool"), QT_TR_NOOP("Ellipse Tool"), QT_TR_NOOP("Eraser Tool")};
    for (int id = Select; id <= Eraser; ++id) {
        m_tools->button(id)->setText(tr(names[id]));
        m_tools->button(id)->setToolTip(tr(tips[id]));
    }
    m_propertiesGroup->setTitle(tr("Properties"));
    m_colorLabel->setText(tr("Color:"));
    m_colorButton->setToolTip(tr("Pen Color"));
    m_widthLabel->setText(tr("Width:"));
    m_widthSlider->setToolTip(tr("Pen Width"));
    m_eraserLabel->setText(tr("Eraser:"));
    m_eraserSlider->setToolTip(tr("Eraser Size"));
    m_actionsGroup->setTitle(tr("Actions"));
    m_undoButton->setText(tr("Undo"));
    m_clearButton->setText(tr("Clear"));
}
