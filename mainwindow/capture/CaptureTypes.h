#pragma once
// What a capture is asked to do (a snapshot of the window's switches taken when it starts) and what
// it decided. MainWindow fills the request from its widgets and acts on the result; nothing in
// between needs a window.
#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

// Who started the capture: a person pressing a button or key may get a modal box, a timer, the
// stable-picture detector, voice or a scanner gun must not stop the window with one.
enum class TriggerKind { User, Automatic };

enum class CaptureOutcome { Blocked, HeldForComposite, Finished };

enum class BlockPresentation { None, MessageBox, StatusBar };

struct CaptureRequest {
    TriggerKind trigger = TriggerKind::User;
    bool isPreviewing = false;

    // The preview's rotation as it stores it (rotating right from 0 stores -90, -180, ...).
    int rotationDeg = 0;
    // Whether the preview holds a valid crop selection, and that selection mapped to pixels of the
    // frame as displayed (after rotation); the mapped rectangle may be invalid.
    bool manualCropSelected = false;
    QRect manualCropRect;

    bool autoCrop = false;
    QPolygon documentQuad;  // outline last found on the live picture; empty when none
    bool autoStraighten = false;

    bool idPhotoMode = false;
    QColor mattingBackground = Qt::white;
    bool idPhotoFrameShown = false;
    QRect idPhotoRect;  // the preview's ID-photo frame, pixels of the frame as displayed

    bool removeBackground = false;
    int backgroundMode = 0;                   // combo index; anything but 0..2 counts as 0
    std::optional<int> backgroundThreshold;   // slider value; none without a slider (127)

    bool watermark = false;

    bool compositeEnabled = false;
    int compositeDirection = 0;  // 0 vertical (first above), non-zero horizontal (first left)

    bool bookMode = false;  // window mode 2
    bool flattenSingle = false;
    bool flattenDouble = false;
    std::optional<bool> removeFingers;  // the finger-removal box's state; none without the box
};

struct BookDecision {
    bool bookMode = false;
    bool flattenSingle = false;
    bool flattenDouble = false;
    bool processorPresent = false;
    bool shouldFlatten = false;
    bool shouldFlattenDouble = false;
};

struct CaptureResult {
    CaptureOutcome outcome = CaptureOutcome::Blocked;
    QImage image;

    // Blocked: how and what to tell.
    BlockPresentation blockPresentation = BlockPresentation::None;
    QString blockTitle;
    QString blockText;

    // The status-bar text to show when the capture ends, and for how long.
    QString statusText;
    int statusTimeoutMs = 2000;

    bool showCompositeHint = false;  // a first shot is now held
    bool hideCompositeHint = false;  // a held shot was used or dropped

    // Finished: where the image goes next.
    BookDecision book;
    bool addToGallery = false;
    bool galleryShowsFlattening = false;  // the gallery item animates until flattening ends
    bool createSaveDirectory = false;      // double page: the flattener writes the pages there
    bool bookDoublePagePending = false;    // no saving by the pipeline while this is set

    QStringList log;  // the lines logged while processing, in order
};
