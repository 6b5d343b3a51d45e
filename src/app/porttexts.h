#pragma once

#include <QString>

struct MessageSlots;
struct PortProbe;
struct PortProblem;

// Why a port cannot be opened, in the words of the language loaded
// (232-239; the built-in Chinese texts where the library has none): a
// missing device names the serial ports there are, a permission problem the
// group to join and how. A device that is no serial port, or a failure the
// language has no words for, gets PortProblem::message() (English).
QString portProblemText(const PortProblem &problem, const MessageSlots &messages);

// One line of the find results: the radio answered (230), no radio (231)
// after the device, or why the port was skipped (portProblemText).
QString portProbeText(const PortProbe &probe, const MessageSlots &messages);
