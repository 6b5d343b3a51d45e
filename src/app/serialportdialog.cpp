#include "app/serialportdialog.h"

#include "ui_serialportdialog.h"

#include "app/porttexts.h"
#include "app/windowtexts.h"
#include "i18n/messageslots.h"
#include "radio/radiofinder.h"
#include "radio/seriallink.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>

namespace {

// The columns of the port list, in the order of its headings.
enum Column { DeviceColumn, DescriptionColumn, ManufacturerColumn, UsbIdColumn, SerialColumn };

const MessageSlots &noTexts()
{
    static const MessageSlots empty;
    return empty;
}

} // namespace

SerialPortDialog::SerialPortDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SerialPortDialog>()),
      m_lister(&availableSerialPorts)
{
    m_ui->setupUi(this);
    m_radios = {m_ui->entry1Radio, m_ui->entry2Radio, m_ui->entry3Radio, m_ui->entry4Radio};
    m_devices = {m_ui->entry1Device, m_ui->entry2Device, m_ui->entry3Device, m_ui->entry4Device};
    m_markers = {m_ui->entry1Marker, m_ui->entry2Marker, m_ui->entry3Marker, m_ui->entry4Marker};
    setWindowModality(Qt::ApplicationModal);
    m_ui->portList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ui->portList->horizontalHeader()->setStretchLastSection(true);

    for (int port = 1; port <= PortCount; ++port) {
        QComboBox *box = m_devices[port - 1];
        // The default device shows through an empty entry.
        box->lineEdit()->setPlaceholderText(portDeviceName(port));
        box->lineEdit()->setClearButtonEnabled(true);
        connect(box, &QComboBox::currentTextChanged, this, [this] { updateMarkers(); });
    }
    connect(m_ui->portList, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { useListedPort(row); });
    connect(m_ui->findButton, &QPushButton::clicked, this, [this] { findRadio(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &SerialPortDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &SerialPortDialog::reject);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &SerialPortDialog::refresh);
}

SerialPortDialog::~SerialPortDialog() = default;

QTableWidget *SerialPortDialog::portList() const
{
    return m_ui->portList;
}

QPushButton *SerialPortDialog::findButton() const
{
    return m_ui->findButton;
}

QLabel *SerialPortDialog::findStatus() const
{
    return m_ui->findStatus;
}

void SerialPortDialog::setPortLister(PortLister lister)
{
    m_lister = std::move(lister);
    refresh();
}

void SerialPortDialog::setChoice(const SerialPortChoice &choice)
{
    m_ui->findStatus->clear();
    refresh();
    for (int port = 1; port <= PortCount; ++port)
        m_devices[port - 1]->setEditText(choice.devices[port - 1]);
    const int chosen = qBound(1, choice.port, PortCount);
    m_radios[chosen - 1]->setChecked(true);
    updateMarkers();
}

SerialPortChoice SerialPortDialog::choice() const
{
    SerialPortChoice choice;
    for (int port = 1; port <= PortCount; ++port) {
        choice.devices[port - 1] = m_devices[port - 1]->currentText().trimmed();
        if (m_radios[port - 1]->isChecked())
            choice.port = port;
    }
    return choice;
}

void SerialPortDialog::refresh()
{
    const QList<SerialPortDescription> ports =
        m_lister ? m_lister() : QList<SerialPortDescription>();
    if (ports == m_listed && m_ui->portList->rowCount() == ports.size()) {
        updateMarkers();
        return;
    }
    m_listed = ports;

    // The selected port stays selected while it is there.
    const QTableWidgetItem *current = m_ui->portList->item(m_ui->portList->currentRow(), 0);
    const QString selected = current ? current->text() : QString();
    QTableWidget *list = m_ui->portList;
    list->setRowCount(int(ports.size()));
    for (int row = 0; row < ports.size(); ++row) {
        const SerialPortDescription &port = ports.at(row);
        const QString cells[] = {port.device, port.description, port.manufacturer, port.usbId(),
                                 port.serialNumber};
        for (int column = DeviceColumn; column <= SerialColumn; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            list->setItem(row, column, item);
        }
        if (port.device == selected)
            list->selectRow(row);
    }

    // Each entry offers the listed devices; what it holds stays.
    QStringList devices;
    for (const SerialPortDescription &port : ports)
        devices << port.device;
    for (QComboBox *box : m_devices) {
        const QString text = box->currentText();
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(devices);
        box->setEditText(text);
    }
    updateMarkers();
}

QString SerialPortDialog::effectiveDevice(int port) const
{
    return portDeviceName(port, m_devices[port - 1]->currentText().trimmed());
}

bool SerialPortDialog::isMarkedMissing(int port) const
{
    return !m_markers[port - 1]->text().isEmpty();
}

void SerialPortDialog::updateMarkers()
{
    const MessageSlots &texts = m_messages ? *m_messages : noTexts();
    for (int port = 1; port <= PortCount; ++port) {
        const QString device = effectiveDevice(port);
        bool there = false;
        for (const SerialPortDescription &listed : std::as_const(m_listed))
            there = there || listed.device == device;
#ifdef Q_OS_UNIX
        // A pseudo-terminal (the virtual radio's) is there without being
        // listed.
        there = there || QFileInfo::exists(device);
#endif
        m_markers[port - 1]->setText(there ? QString() : textOr(texts.notPluggedInText, 227));
    }
}

void SerialPortDialog::useListedPort(int row)
{
    const QTableWidgetItem *item = m_ui->portList->item(row, DeviceColumn);
    if (!item)
        return;
    for (int port = 1; port <= PortCount; ++port)
        if (m_radios[port - 1]->isChecked())
            m_devices[port - 1]->setEditText(item->text());
}

QList<PortProbe> SerialPortDialog::findRadio()
{
    QList<PortProbe> probes;
    if (m_finding)
        return probes;
    const MessageSlots &texts = m_messages ? *m_messages : noTexts();
    refresh();
    QStringList entryDevices;
    for (int port = 1; port <= PortCount; ++port)
        entryDevices << effectiveDevice(port);
    const QStringList candidates = findCandidates(entryDevices, m_listed);

    showFinding(true);
    const PortProbe *found = nullptr;
    for (const QString &device : candidates) {
        m_ui->findStatus->setText(textOr(texts.lookingText, 229).arg(device));
        probes << probePort(device);
        if (probes.last().found())
            break;
    }
    showFinding(false);

    QStringList lines;
    for (const PortProbe &probe : std::as_const(probes)) {
        if (probe.found())
            found = &probe;
        else
            lines << portProbeText(probe, texts);
    }
    if (found) {
        // The entry that holds the device, else the chosen one, gets it.
        int chosen = 0;
        for (int port = 1; port <= PortCount && !chosen; ++port)
            if (effectiveDevice(port) == found->device)
                chosen = port;
        if (!chosen) {
            for (int port = 1; port <= PortCount; ++port)
                if (m_radios[port - 1]->isChecked())
                    chosen = port;
            m_devices[chosen - 1]->setEditText(found->device);
        }
        m_radios[chosen - 1]->setChecked(true);
        lines = QStringList{portProbeText(*found, texts)};
    } else {
        lines.prepend(textOr(texts.noRadioText, 231));
    }
    m_ui->findStatus->setText(lines.join(QLatin1Char('\n')));
    updateMarkers();
    return probes;
}

void SerialPortDialog::showFinding(bool finding)
{
    m_finding = finding;
    for (QWidget *w :
         {static_cast<QWidget *>(m_ui->findButton), static_cast<QWidget *>(m_ui->okButton),
          static_cast<QWidget *>(m_ui->cancelButton), static_cast<QWidget *>(m_ui->portList)})
        w->setEnabled(!finding);
    for (int port = 1; port <= PortCount; ++port) {
        m_radios[port - 1]->setEnabled(!finding);
        m_devices[port - 1]->setEnabled(!finding);
    }
    if (finding)
        m_refreshTimer->stop();
    else if (isVisible())
        m_refreshTimer->start();
}

void SerialPortDialog::reject()
{
    if (m_finding)
        return;
    QDialog::reject();
}

void SerialPortDialog::accept()
{
    if (m_finding)
        return;
    QDialog::accept();
}

void SerialPortDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_finding)
        m_refreshTimer->start();
}

void SerialPortDialog::hideEvent(QHideEvent *event)
{
    m_refreshTimer->stop();
    QDialog::hideEvent(event);
}
