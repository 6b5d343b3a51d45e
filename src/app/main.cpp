#include "app/commandline.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    int status = 0;
    std::optional<GuiCommandLine> line;
    {
        // The command line is read before the GUI application exists, which
        // needs a display: --help and --version then work on any console.
        QCoreApplication console(argc, argv);
        QCoreApplication::setApplicationVersion(QStringLiteral(QB_VERSION));
        line = parseGuiCommandLine(QCoreApplication::arguments(), &status);
    }
    if (!line)
        return status;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QB_VERSION));
    return runProgram(app, *line);
}
