#pragma once

#include <QString>

// The three names the windows show. They are texts on screen and stay
// exactly as they are; each stands for something else:
//
// - Program, "QB-380": the program itself. It is the application's display
//   name, the main window's caption once a band range is chosen, the
//   caption "QB-380    [file name]" after a radio image is opened, the title
//   of the message box that refuses a cell text, and the programming
//   dialog's caption (programmingdialog.ui).
// - ChannelFile, "RPX-207": the kind of file the channel files are. It heads
//   the main window's caption after a channel file is opened or saved,
//   "RPX-207    [band range]", and names the channel file dialogs' filter,
//   "RPX-207  文件 (*.r07)".
// - StartCaption, "RPX-4100": the main window's caption as it is created,
//   before a band range is chosen. The about box's heading says
//   "RPX4100对讲机编程软件" until a language library gives its text
//   (aboutbox.ui).
namespace ProductNames {
inline const QString Program = QStringLiteral("QB-380");
inline const QString ChannelFile = QStringLiteral("RPX-207");
inline const QString StartCaption = QStringLiteral("RPX-4100");
} // namespace ProductNames
