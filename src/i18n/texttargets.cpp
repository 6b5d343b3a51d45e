#include "i18n/texttargets.h"

namespace {

using W = LanguageWindow;
using K = TextTargetKind;

// clang-format off
const TextTarget targets[] = {
    {1, W::MainWindow, K::StatusPanel, "bsSkinStatusPanel1"},
    {2, W::MainWindow, K::Label, "AALinkLabel1"},
    {3, W::MainWindow, K::Label, "AALinkLabel2"},
    {4, W::MainWindow, K::Label, "AALinkLabel3"},
    {5, W::MainWindow, K::Group, "bsSkinNotebook2"},
    {6, W::MainWindow, K::Menu, "file1"},
    {7, W::MainWindow, K::MenuItem, "new1"},
    {8, W::MainWindow, K::MenuItem, "open1"},
    {9, W::MainWindow, K::MenuItem, "save1"},
    {10, W::MainWindow, K::MenuItem, "exit1"},
    {11, W::MainWindow, K::Menu, "edit1"},
    {12, W::MainWindow, K::MenuItem, "read1"},
    {13, W::MainWindow, K::MenuItem, "write2"},
    {14, W::MainWindow, K::MenuItem, "chaedit4"},
    {15, W::MainWindow, K::MenuItem, "function1"},
    {16, W::MainWindow, K::MenuItem, "otherfunc"},
    {17, W::MainWindow, K::Menu, "option1"},
    {18, W::MainWindow, K::Menu, "port1"},
    {19, W::MainWindow, K::Menu, "skin1"},
    {20, W::MainWindow, K::MenuItem, "sk1"},
    {21, W::MainWindow, K::MenuItem, "sk2"},
    {22, W::MainWindow, K::MenuItem, "sk3"},
    {23, W::MainWindow, K::Menu, "language"},
    {24, W::MainWindow, K::MenuItem, "chinese"},
    {25, W::MainWindow, K::MenuItem, "english"},
    {26, W::MainWindow, K::Menu, "Help1"},
    {27, W::MainWindow, K::MenuItem, "Help2"},
    {28, W::MainWindow, K::MenuItem, "About1"},
    {28, W::AboutBox, K::WindowCaption, "aboutBox"},
    {29, W::MainWindow, K::ButtonBarSection, "bsSkinButtonsBar1", 0},
    {30, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 0, 0},
    {31, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 0, 1},
    {32, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 0, 2},
    {33, W::MainWindow, K::ButtonBarSection, "bsSkinButtonsBar1", 1},
    {34, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 1, 0},
    {35, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 1, 1},
    {36, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 1, 2},
    {37, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 1, 3},
    {38, W::MainWindow, K::ButtonBarSection, "bsSkinButtonsBar1", 2},
    {39, W::MainWindow, K::ButtonBarItem, "bsSkinButtonsBar1", 2, 0},
    {40, W::MainWindow, K::Page, "bsSkinTabSheet1"},
    {41, W::MainWindow, K::Button, "bsSkinButton6"},
    {42, W::MainWindow, K::Button, "bsSkinButton9"},
    {43, W::MainWindow, K::Button, "bsSkinButton3"},
    {44, W::MainWindow, K::Button, "bsSkinButton4"},
    {45, W::MainWindow, K::Button, "bsSkinButton5"},
    {46, W::MainWindow, K::GridHeading, "StringAlignGrid1", 0},
    {47, W::MainWindow, K::GridHeading, "StringAlignGrid1", 1},
    {48, W::MainWindow, K::GridHeading, "StringAlignGrid1", 2},
    {49, W::MainWindow, K::GridHeading, "StringAlignGrid1", 3},
    {50, W::MainWindow, K::GridHeading, "StringAlignGrid1", 4},
    {51, W::MainWindow, K::GridHeading, "StringAlignGrid1", 5},
    {52, W::MainWindow, K::GridHeading, "StringAlignGrid1", 6},
    {53, W::MainWindow, K::GridHeading, "StringAlignGrid1", 7},
    {54, W::MainWindow, K::GridHeading, "StringAlignGrid1", 8},
    {61, W::MainWindow, K::Page, "bsSkinTabSheet2"},
    {62, W::MainWindow, K::Label, "bsSkinStdLabel1"},
    {63, W::MainWindow, K::Label, "bsSkinStdLabel2"},
    {64, W::MainWindow, K::Label, "bsSkinStdLabel3"},
    {65, W::MainWindow, K::Label, "bsSkinStdLabel4"},
    {66, W::MainWindow, K::Label, "bsSkinStdLabel5"},
    {67, W::MainWindow, K::Label, "bsSkinStdLabel6"},
    {68, W::MainWindow, K::Label, "bsSkinStdLabel7"},
    {69, W::MainWindow, K::Label, "bsSkinStdLabel8"},
    {70, W::MainWindow, K::Label, "bsSkinStdLabel9"},
    {71, W::MainWindow, K::Label, "bsSkinStdLabel10"},
    {72, W::MainWindow, K::Label, "bsSkinStdLabel11"},
    {73, W::MainWindow, K::Label, "bsSkinStdLabel12"},
    {74, W::MainWindow, K::Label, "bsSkinStdLabel13"},
    {75, W::MainWindow, K::Label, "bsSkinStdLabel14"},
    {76, W::MainWindow, K::Label, "bsSkinStdLabel15"},
    {77, W::MainWindow, K::Label, "bsSkinStdLabel16"},
    {78, W::MainWindow, K::Label, "bsSkinStdLabel17"},
    {79, W::MainWindow, K::Label, "bsSkinStdLabel18"},
    {80, W::MainWindow, K::Label, "bsSkinStdLabel19"},
    {83, W::MainWindow, K::Group, "bsSkinNotebook4"},
    {84, W::MainWindow, K::Group, "bsSkinNotebook5"},
    {85, W::MainWindow, K::Label, "bsSkinStdLabel20"},
    {85, W::MainWindow, K::Label, "bsSkinStdLabel22"},
    {86, W::MainWindow, K::Label, "bsSkinStdLabel21"},
    {86, W::MainWindow, K::Label, "bsSkinStdLabel23"},
    {97, W::ConfirmationDialog, K::Button, "bsSkinButton2"},
    {97, W::ProgrammingDialog, K::Button, "bsSkinButton2"},
    {98, W::ProgrammingDialog, K::StatusPanel, "bsSkinStatusPanel1"},
    {99, W::AboutBox, K::Label, "bsSkinStdLabel4"},
    {100, W::AboutBox, K::Label, "bsSkinStdLabel3"},
    {101, W::AboutBox, K::Label, "bsSkinStdLabel2"},
    {102, W::AboutBox, K::Label, "bsSkinStdLabel1"},
    {105, W::ConfirmationDialog, K::Button, "bsSkinButton1"},
    {105, W::AboutBox, K::Button, "bsSkinButton2"},
    // Our own numbers.
    {201, W::MainWindow, K::MenuItem, "openimage1"},
    {202, W::MainWindow, K::MenuItem, "importcsv1"},
    {203, W::MainWindow, K::MenuItem, "exportcsv1"},
    {204, W::MainWindow, K::MenuItem, "verify1"},
};
// clang-format on

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
