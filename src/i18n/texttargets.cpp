#include "i18n/texttargets.h"

namespace {

using W = LanguageWindow;
using K = TextTargetKind;

// clang-format off
const TextTarget targets[] = {
    {1, W::MainWindow, K::StatusPanel, "statusPanel"},
    {2, W::MainWindow, K::Label, "readLabel"},
    {3, W::MainWindow, K::Label, "writeLabel"},
    {4, W::MainWindow, K::Label, "exitLabel"},
    {5, W::MainWindow, K::Group, "portGroup"},
    {6, W::MainWindow, K::Menu, "fileMenu"},
    {7, W::MainWindow, K::MenuItem, "newAction"},
    {8, W::MainWindow, K::MenuItem, "openAction"},
    {9, W::MainWindow, K::MenuItem, "saveAction"},
    {10, W::MainWindow, K::MenuItem, "exitAction"},
    {11, W::MainWindow, K::Menu, "editMenu"},
    {12, W::MainWindow, K::MenuItem, "readAction"},
    {13, W::MainWindow, K::MenuItem, "writeAction"},
    {14, W::MainWindow, K::MenuItem, "channelPageAction"},
    {15, W::MainWindow, K::MenuItem, "optionsPageAction"},
    {16, W::MainWindow, K::MenuItem, "otherFunctionsAction"},
    {17, W::MainWindow, K::Menu, "optionsMenu"},
    {18, W::MainWindow, K::Menu, "portMenu"},
    {19, W::MainWindow, K::Menu, "skinMenu"},
    {20, W::MainWindow, K::MenuItem, "blueSkinAction"},
    {21, W::MainWindow, K::MenuItem, "steelSkinAction"},
    {22, W::MainWindow, K::MenuItem, "coffeeSkinAction"},
    {23, W::MainWindow, K::Menu, "languageMenu"},
    {24, W::MainWindow, K::MenuItem, "chineseAction"},
    {25, W::MainWindow, K::MenuItem, "englishAction"},
    {26, W::MainWindow, K::Menu, "helpMenu"},
    {27, W::MainWindow, K::MenuItem, "helpAction"},
    {28, W::MainWindow, K::MenuItem, "aboutAction"},
    {28, W::AboutBox, K::WindowCaption, "aboutBox"},
    {29, W::MainWindow, K::ButtonBarSection, "buttonsBar", 0},
    {30, W::MainWindow, K::ButtonBarItem, "buttonsBar", 0, 0},
    {31, W::MainWindow, K::ButtonBarItem, "buttonsBar", 0, 1},
    {32, W::MainWindow, K::ButtonBarItem, "buttonsBar", 0, 2},
    {33, W::MainWindow, K::ButtonBarSection, "buttonsBar", 1},
    {34, W::MainWindow, K::ButtonBarItem, "buttonsBar", 1, 0},
    {35, W::MainWindow, K::ButtonBarItem, "buttonsBar", 1, 1},
    {36, W::MainWindow, K::ButtonBarItem, "buttonsBar", 1, 2},
    {37, W::MainWindow, K::ButtonBarItem, "buttonsBar", 1, 3},
    {38, W::MainWindow, K::ButtonBarSection, "buttonsBar", 2},
    {39, W::MainWindow, K::ButtonBarItem, "buttonsBar", 2, 0},
    {40, W::MainWindow, K::Page, "channelPage"},
    {41, W::MainWindow, K::Button, "autoAddButton"},
    {42, W::MainWindow, K::Button, "clearChannelsButton"},
    {43, W::MainWindow, K::Button, "moveUpButton"},
    {44, W::MainWindow, K::Button, "moveDownButton"},
    {45, W::MainWindow, K::Button, "deleteChannelButton"},
    {46, W::MainWindow, K::GridHeading, "channelGrid", 0},
    {47, W::MainWindow, K::GridHeading, "channelGrid", 1},
    {48, W::MainWindow, K::GridHeading, "channelGrid", 2},
    {49, W::MainWindow, K::GridHeading, "channelGrid", 3},
    {50, W::MainWindow, K::GridHeading, "channelGrid", 4},
    {51, W::MainWindow, K::GridHeading, "channelGrid", 5},
    {52, W::MainWindow, K::GridHeading, "channelGrid", 6},
    {53, W::MainWindow, K::GridHeading, "channelGrid", 7},
    {54, W::MainWindow, K::GridHeading, "channelGrid", 8},
    {61, W::MainWindow, K::Page, "optionsPage"},
    {62, W::MainWindow, K::Label, "apoLabel"},
    {63, W::MainWindow, K::Label, "beepLabel"},
    {64, W::MainWindow, K::Label, "batterySaveLabel"},
    {65, W::MainWindow, K::Label, "scanResumeLabel"},
    {66, W::MainWindow, K::Label, "scramblerLabel"},
    {67, W::MainWindow, K::Label, "vfoMrLabel"},
    {68, W::MainWindow, K::Label, "mrDisplayLabel"},
    {69, W::MainWindow, K::Label, "squelchLabel"},
    {70, W::MainWindow, K::Label, "voxLabel"},
    {71, W::MainWindow, K::Label, "timeOutLabel"},
    {72, W::MainWindow, K::Label, "keyLockLabel"},
    {73, W::MainWindow, K::Label, "upDownUnlockLabel"},
    {74, W::MainWindow, K::Label, "reverseLabel"},
    {75, W::MainWindow, K::Label, "expansionKeyLabel"},
    {76, W::MainWindow, K::Label, "bandLabel"},
    {77, W::MainWindow, K::Label, "stepLabel"},
    {78, W::MainWindow, K::Label, "txLedLabel"},
    {79, W::MainWindow, K::Label, "rxLedLabel"},
    {80, W::MainWindow, K::Label, "bandWidthLabel"},
    {83, W::MainWindow, K::Group, "band1Group"},
    {84, W::MainWindow, K::Group, "band2Group"},
    {85, W::MainWindow, K::Label, "band1RxLabel"},
    {85, W::MainWindow, K::Label, "band2RxLabel"},
    {86, W::MainWindow, K::Label, "band1TxLabel"},
    {86, W::MainWindow, K::Label, "band2TxLabel"},
    {97, W::ProgrammingDialog, K::Button, "closeButton"},
    {98, W::ProgrammingDialog, K::StatusPanel, "statusPanel"},
    {99, W::AboutBox, K::Label, "titleLabel"},
    {100, W::AboutBox, K::Label, "versionLabel"},
    {101, W::AboutBox, K::Label, "rightsLabel"},
    {102, W::AboutBox, K::Label, "makerLabel"},
    {105, W::ConfirmationDialog, K::Button, "okButton"},
    {105, W::AboutBox, K::Button, "okButton"},
    {105, W::SerialPortDialog, K::Button, "okButton"},
    // Our own numbers.
    {201, W::MainWindow, K::MenuItem, "openImageAction"},
    {202, W::MainWindow, K::MenuItem, "importCsvAction"},
    {203, W::MainWindow, K::MenuItem, "exportCsvAction"},
    {204, W::MainWindow, K::MenuItem, "verifyAction"},
    {220, W::MainWindow, K::MenuItem, "serialPortAction"},
    {221, W::SerialPortDialog, K::WindowCaption, "serialPortDialog"},
    {222, W::SerialPortDialog, K::ListHeading, "portList", 0},
    {223, W::SerialPortDialog, K::ListHeading, "portList", 1},
    {224, W::SerialPortDialog, K::ListHeading, "portList", 2},
    {225, W::SerialPortDialog, K::ListHeading, "portList", 3},
    {226, W::SerialPortDialog, K::ListHeading, "portList", 4},
    {228, W::SerialPortDialog, K::Button, "findButton"},
    {242, W::MainWindow, K::MenuItem, "cutRowsAction"},
    {243, W::MainWindow, K::MenuItem, "copyRowsAction"},
    {244, W::MainWindow, K::MenuItem, "pasteRowsAction"},
    {245, W::MainWindow, K::Menu, "recentMenu"},
    // The confirmation dialog's Cancel has a text of its own: 97 is the
    // programming dialog's Close. So has the serial port dialog's.
    {260, W::ConfirmationDialog, K::Button, "cancelButton"},
    {260, W::SerialPortDialog, K::Button, "cancelButton"},
    {261, W::MainWindow, K::MenuItem, "printAction"},
    {262, W::MainWindow, K::MenuItem, "exportPdfAction"},
    {263, W::MainWindow, K::MenuItem, "backupFirstAction"},
};
// clang-format on

using M = MessageSlots;

const MessageTarget messageTable[] = {
    {95, &M::readCaption},
    {96, &M::writeCaption},
    {103, &M::errorTitle},
    {104, &M::linkFailedText},
    {106, &M::portFailedText},
    {107, &M::unusedText},
    {108, &M::confirmTitle},
    {109, &M::newConfirmText},
    {110, &M::clearConfirmText},
    // Our own numbers.
    {205, &M::verifyingText},
    {206, &M::verifiedText},
    {207, &M::verifyDiffersText},
    {208, &M::verifyFailedText},
    {209, &M::backupText},
    {210, &M::noBackupText},
    {211, &M::imageFilterText},
    {212, &M::csvFilterText},
    {213, &M::allFilesFilterText},
    {214, &M::importedText},
    {215, &M::exportedText},
    {216, &M::warningTitle},
    {227, &M::notPluggedInText},
    {229, &M::lookingText},
    {230, &M::radioAnsweredText},
    {231, &M::noRadioText},
    {232, &M::notInGroupText},
    {233, &M::loginAgainText},
    {234, &M::noPermissionText},
    {235, &M::portBusyText},
    {236, &M::portBusyByText},
    {237, &M::portMissingText},
    {238, &M::pluggedInText},
    {239, &M::nothingPluggedInText},
    {240, &M::undoText},
    {241, &M::redoText},
    {246, &M::saveChangesTitle},
    {247, &M::saveChangesText},
    {248, &M::cellStepText},
    {249, &M::moveStepText},
    {250, &M::settingStepText},
    {251, &M::openStepText},
    {252, &M::openImageStepText},
    {253, &M::importStepText},
    {254, &M::readStepText},
    {255, &M::pasteStepText},
    {256, &M::cutStepText},
    {257, &M::pastedText},
    {258, &M::discardButtonText},
    {259, &M::keepEditingButtonText},
    {264, &M::demoText},
    {265, &M::outOfBandToolTip},
    {266, &M::outOfBandTitle},
    {267, &M::outOfBandText},
    {268, &M::outOfBandReceiveLine},
    {269, &M::outOfBandTransmitLine},
    {270, &M::moreLinesText},
    {271, &M::writeAnywayText},
    {272, &M::pdfFilterText},
    {273, &M::pdfWrittenText},
    {274, &M::printChannelsHeading},
    {275, &M::printSettingsHeading},
    {276, &M::backingUpText},
    {277, &M::nothingWrittenText},
    {278, &M::printFailedText},
};

} // namespace

std::span<const TextTarget> textTargets()
{
    return targets;
}

QList<TextTarget> textTargetsOf(int number)
{
    QList<TextTarget> list;
    for (const TextTarget &target : targets)
        if (target.number == number)
            list << target;
    return list;
}

std::span<const MessageTarget> messageTargets()
{
    return messageTable;
}

QString *messageSlot(MessageSlots &messages, int number)
{
    for (const MessageTarget &target : messageTable)
        if (target.number == number)
            return &(messages.*target.slot);
    return nullptr;
}

QString messageText(const MessageSlots &messages, int number)
{
    for (const MessageTarget &target : messageTable)
        if (target.number == number)
            return messages.*target.slot;
    return {};
}
