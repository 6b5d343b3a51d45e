#include "app/porttexts.h"

#include "app/windowtexts.h"
#include "i18n/messageslots.h"
#include "radio/portproblem.h"
#include "radio/radiofinder.h"

QString portProblemText(const PortProblem &problem, const MessageSlots &m)
{
    using Kind = PortProblem::Kind;
    switch (problem.kind) {
    case Kind::Missing: {
        const QString plugged =
            problem.pluggedIn.isEmpty()
                ? textOr(m.nothingPluggedInText, 239)
                : textOr(m.pluggedInText, 238).arg(problem.pluggedIn.join(QStringLiteral(", ")));
        return textOr(m.portMissingText, 237).arg(problem.device) + QLatin1Char('\n') + plugged;
    }
    case Kind::PermissionDenied:
        if (problem.group.isEmpty())
            return textOr(m.noPermissionText, 234).arg(problem.device);
        return textOr(problem.memberAfterLogin ? m.loginAgainText : m.notInGroupText,
                      problem.memberAfterLogin ? 233 : 232)
            .arg(problem.device, problem.group);
    case Kind::Busy:
        if (problem.pid > 0)
            return textOr(m.portBusyByText, 236)
                .arg(problem.device,
                     problem.processName.isEmpty() ? QStringLiteral("?") : problem.processName,
                     QString::number(problem.pid));
        return textOr(m.portBusyText, 235).arg(problem.device);
    case Kind::None:
        return {};
    case Kind::NoPortChosen:
    case Kind::AlreadyOpen:
    case Kind::NotSerialPort:
    case Kind::Other:
        break;
    }
    return problem.message();
}

QString portProbeText(const PortProbe &probe, const MessageSlots &m)
{
    switch (probe.outcome) {
    case PortProbe::Outcome::Found:
        return textOr(m.radioAnsweredText, 230).arg(probe.device);
    case PortProbe::Outcome::NoRadio:
        return probe.device + QStringLiteral(": ") + textOr(m.noRadioText, 231);
    case PortProbe::Outcome::Skipped:
        return portProblemText(probe.problem, m);
    }
    return {};
}
