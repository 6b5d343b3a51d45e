#include "app/channelfilecommands.h"

#include "model/productnames.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "storage/channelfile.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>

QString runFileDialog(QWidget *parent, const FileDialogSetup &setup)
{
    QFileDialog dialog(parent, setup.title, setup.folder, setup.filter);
    dialog.setObjectName(setup.save ? QStringLiteral("SaveDialog1")
                                    : QStringLiteral("OpenDialog1"));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The toolkit's own dialog shows the title and the filter exactly as
    // given, whatever desktop the program runs on.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    if (setup.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
        dialog.setDefaultSuffix(setup.defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // The dialog collapses the blanks of a filter's description; the model
    // name keeps its two blanks in the list the user sees.
    if (auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
        types->setItemText(0, setup.filter.section(QStringLiteral(";;"), 0, 0));
    if (!setup.name.isEmpty())
        dialog.selectFile(setup.name);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

ChannelFileDialog::ChannelFileDialog(bool save) : m_save(save) {}

FileDialogSetup ChannelFileDialog::setup() const
{
    FileDialogSetup setup;
    setup.save = m_save;
    setup.title = m_save ? QStringLiteral("保存") : QStringLiteral("打开");
    setup.filter = ProductNames::ChannelFile + QStringLiteral("  文件 (*.r07)");
    if (m_lastFile.isEmpty()) {
        setup.folder = programFolder();
    } else {
        const QFileInfo last(m_lastFile);
        setup.folder = last.absolutePath();
        setup.name = last.fileName();
    }
    return setup;
}

QString ChannelFileDialog::exec(QWidget *parent)
{
    QString file = m_runner ? m_runner(parent, setup()) : QString();
    if (file.isEmpty())
        return {};
    if (m_save)
        file = withChannelFileExtension(file);
    m_lastFile = file;
    return file;
}

ChannelFileCommands::ChannelFileCommands(RadioData *data, Window window)
    : m_data(data), m_window(std::move(window))
{}

bool ChannelFileCommands::save()
{
    if (m_window.commitEdit && !m_window.commitEdit())
        return false;
    const QString path = m_saveDialog.exec(m_window.parent);
    if (path.isEmpty())
        return false;
    const ChannelFileResult result = saveChannelFile(path, *m_data);
    report(result.ok, result.message, result.warnings);
    return result.ok;
}

QString ChannelFileCommands::chooseFileToOpen()
{
    return m_openDialog.exec(m_window.parent);
}

bool ChannelFileCommands::openFile(const QString &path)
{
    const ChannelFileResult result = openChannelFile(path, *m_data);
    if (result.bandChosen && m_window.setCaption)
        m_window.setCaption(channelFileCaption(m_data->bands.list1_rx.chosenText()));
    report(result.ok, result.message, result.warnings);
    return result.ok;
}

void ChannelFileCommands::report(bool ok, const QString &message, const QStringList &warnings)
{
    if (!m_window.message)
        return;
    const QString details = warnings.join(QLatin1Char('\n'));
    if (!ok)
        m_window.message(MessageKind::Error,
                         details.isEmpty() ? message : message + QStringLiteral("\n\n") + details);
    else if (!details.isEmpty())
        m_window.message(MessageKind::Warning, details);
}
