#pragma once
// Spoken commands, as plain integers so they travel through queued signals between threads.

#include <QMetaType>

enum VoiceCommand : int {
    CmdNone = 0,
    CmdTakePhoto = 1,
    CmdRotateLeft = 2,
    CmdRotateRight = 3,
    CmdZoomIn = 4,
    CmdZoomOut = 5,
    CmdOriginalSize = 6,
    CmdFitWindow = 7,
    CmdCenterView = 8,
    CmdSaveImage = 9,
    CmdRecognizeText = 10,
    CmdScanCode = 11,
    CmdAutoCrop = 12,
    CmdPortraitMatting = 13,
    CmdIdPhoto = 14,
    CmdModeNormal = 15,
    CmdModeVideoBooth = 16,
    CmdModeBook = 17,
    CmdModeAiCollab = 18,
    CmdModeTicket = 19,
    CmdTicketCapture = 20,
    CmdGeneralMode = 21,
};
static_assert(sizeof(VoiceCommand) == 4, "VoiceCommand crosses threads as a 4-byte value");

Q_DECLARE_METATYPE(VoiceCommand)
