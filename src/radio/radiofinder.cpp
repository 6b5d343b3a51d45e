#include "radio/radiofinder.h"

#include "model/radiodata.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"

#include <QElapsedTimer>

QString PortProbe::text() const
{
    switch (outcome) {
    case Outcome::Found:
        return QStringLiteral("%1: the radio answered").arg(device);
    case Outcome::NoRadio:
        return QStringLiteral("%1: %2").arg(device, detail);
    case Outcome::Skipped:
        return QStringLiteral("%1: skipped: %2").arg(device, problem.text());
    }
    return {};
}

PortProbe probePort(const QString &device)
{
    PortProbe probe;
    probe.device = device;
    QElapsedTimer clock;
    clock.start();

    SerialLink link;
    link.setPortName(device);
    if (!link.setPortOpen(true)) {
        probe.outcome = PortProbe::Outcome::Skipped;
        probe.problem = link.openProblem();
        probe.milliseconds = clock.elapsed();
        return probe;
    }
    // The run needs data to work on; identifying touches none of it.
    RadioData scratch;
    ProgrammingRun run(link, scratch);
    const ProgrammingResult result = run.identify();
    link.setPortOpen(false);

    if (result.outcome == ProgrammingResult::Outcome::Done && result.linkOk) {
        probe.outcome = PortProbe::Outcome::Found;
    } else {
        probe.outcome = PortProbe::Outcome::NoRadio;
        probe.detail = result.message;
    }
    probe.milliseconds = clock.elapsed();
    return probe;
}

QStringList findCandidates(const QStringList &extra, const QList<SerialPortDescription> &listed)
{
    QStringList devices;
    for (const SerialPortDescription &port : listed)
        devices << port.device;
    devices << extra;
    devices.removeAll(QString());
    devices.removeDuplicates();
    return devices;
}
