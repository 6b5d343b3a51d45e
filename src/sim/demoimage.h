#pragma once

#include <QByteArray>

// The memory of a radio as a user might have set it up, for the demo mode
// and for trying the command line without hardware: twelve channels around
// 446 MHz and 438 MHz with a few CTCSS tones and DCS codes, one of them
// receive-only and one on low power and narrow band, a function settings
// block, the two band edge blocks for 400-470 MHz and the identification
// block. 64 KiB, 0xFF everywhere else.
//
// The bytes are laid out here from the radio's memory map, field by field;
// nothing of the program's own encoding is used, so a read of this image
// tests the program rather than repeating it.
QByteArray demoMemoryImage();
