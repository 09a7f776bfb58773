#pragma once
// One capture in the gallery: its picture, time, date, size, file name and format badge, a selection
// check box and Up, Down and Del buttons. It only shows and reports; GalleryModel decides.

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPainter;
class QPushButton;
class QTimer;

class ThumbnailItem : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kItemHeight = 140;
    static constexpr int kAnimationIntervalMs = 50;

    ThumbnailItem(const QImage& image, int index, const QString& filePath, QWidget* parent = nullptr);

    void setFilePath(const QString& filePath);
    // The name a capture without a file shows (its generated name); ignored once it has a file.
    void setDisplayName(const QString& name);
    QString filePath() const { return m_filePath; }
    // Ignores a null image; otherwise the item shows it and keeps it as its own full image.
    void setFullImage(const QImage& image);
    bool hasFullImage() const { return m_hasFullImage; }
    // The item's own full image, else its file, else the thumbnail.
    QImage image() const;
    QImage thumbnail() const { return m_thumbnail; }
    QSize originalSize() const { return m_originalSize; }

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    bool isChecked() const;
    // Shows the selection without reporting it back.
    void setChecked(bool checked);

    void startProcessing();
    void stopProcessing();
    void setProgress(int percent);
    bool isProcessing() const { return m_processing; }
    int progress() const { return m_progress; }
    int scanPosition() const { return m_scanPos; }
    int scanStep() const { return m_scanStep; }
    // One animation step; the timer calls it every 50 ms while processing.
    void advanceScan();
    // Draws the scan line, its band and the percentage over `area`.
    static void paintProcessing(QPainter& painter, const QRect& area, int scanPos, int progress);

    QLabel* timeLabel() const { return m_timeLabel; }
    QLabel* dateLabel() const { return m_dateLabel; }
    QLabel* sizeLabel() const { return m_sizeLabel; }
    QLabel* nameLabel() const { return m_nameLabel; }
    QLabel* badgeLabel() const { return m_badgeLabel; }
    QLabel* imageLabel() const { return m_imageLabel; }
    QCheckBox* checkBox() const { return m_checkBox; }
    QPushButton* upButton() const { return m_upButton; }
    QPushButton* downButton() const { return m_downButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }

signals:
    void clicked(int index);
    void selectionChanged(int index, bool selected);
    void moveUpRequested(int index);
    void moveDownRequested(int index);
    void deleteRequested(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    void retranslateUi();
    void showThumbnail();
    void updateSizeLabel();

    QImage m_thumbnail;
    QImage m_fullImage;
    bool m_hasFullImage = false;
    QSize m_originalSize;
    int m_index = 0;
    bool m_processing = false;
    int m_progress = 0;
    int m_scanPos = 0;
    int m_scanStep = 1;
    QString m_filePath;

    QWidget* m_imageArea = nullptr;
    QWidget* m_overlay = nullptr;
    QLabel* m_imageLabel = nullptr;
    QCheckBox* m_checkBox = nullptr;
    QPushButton* m_upButton = nullptr;
    QPushButton* m_downButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QLabel* m_badgeLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    QTimer* m_animationTimer = nullptr;
};
