#pragma once

#include <QList>
#include <QString>

#include <optional>

// One misbehaviour the virtual radio can be told to show, so that tests and
// the command line can see how a program copes with a faulty radio.
//
// Text form (case-insensitive, addresses in hexadecimal with or without a
// "0x" prefix, 0x0000-0xFFFF; several faults separated by commas):
//
//   silent               never sends a byte: no handshake, no session
//   wrong-ident          answers the handshake with 0x06 0x20 "TORVEN"
//   ident-extra          answers the handshake with the right 8 bytes and one
//                        more byte 0x00 (9 bytes)
//   stop-after:ADDR      the first block read or write of ADDR gets no reply,
//                        is not stored, and from then on the radio answers
//                        nothing at all until its faults are set again
//   nak:ADDR             a write of the block at ADDR is answered 0x15 and
//                        not stored
//   short:ADDR[:N]       the reply to a read of the block at ADDR has only its
//                        first N bytes (0-11, default 6)
//   garbage[:ADDR]       replies are replaced by pseudo-random bytes of the
//                        same length (a fixed seed, so runs repeat; never equal
//                        to the true reply): every reply, or with ADDR only the
//                        reply to a block read or write of ADDR, which is still
//                        stored
//   store-wrong:ADDR     a write of the block at ADDR is acknowledged 0x06 but
//                        stored with the lowest bit of its first byte inverted
//
// Example: "nak:0x0C80,short:0x0010:4".
struct RadioFault
{
    enum Kind {
        Silent,
        WrongIdent,
        IdentExtra,
        StopAfter,
        Nak,
        Short,
        Garbage,
        StoreWrong,
    };

    static constexpr int DefaultShortLength = 6;

    Kind kind = Silent;
    // The block address the fault applies to; -1 means every request (only
    // garbage may have it; the other address faults require an address).
    int address = -1;
    // Short replies only: how many bytes of the 12-byte reply are sent.
    int length = DefaultShortLength;

    // Parses one fault in the text form above; on failure returns nothing
    // and sets *error to a message naming the bad text.
    static std::optional<RadioFault> parse(const QString &text, QString *error = nullptr);
    // Parses a comma-separated list; an empty text gives an empty list.
    static std::optional<QList<RadioFault>> parseList(const QString &text,
                                                      QString *error = nullptr);

    // The canonical text form, e.g. "nak:0x0C80"; parse() takes it back.
    QString toString() const;

    // True when this fault concerns a request for the block at addr.
    bool appliesTo(quint16 addr) const { return address < 0 || address == addr; }

    friend bool operator==(const RadioFault &, const RadioFault &) = default;
};
