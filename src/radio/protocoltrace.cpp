#include "radio/protocoltrace.h"

#include "storage/atomicwrite.h"

#include <QFileDevice>
#include <QIODevice>

ProtocolTrace::ProtocolTrace(QIODevice *out, QObject *parent)
    : QObject(parent), m_out([out](const QByteArray &line, QString *error) {
          if (!writeAll(out, line, error))
              return false;
          auto *file = qobject_cast<QFileDevice *>(out);
          if (file && !file->flush()) {
              *error = file->errorString();
              return false;
          }
          return true;
      })
{
    m_clock.start();
}

ProtocolTrace::ProtocolTrace(AtomicFile *file, QObject *parent)
    : QObject(parent), m_out([file](const QByteArray &line, QString *error) {
          if (file->write(line))
              return true;
          *error = file->errorString();
          return false;
      })
{
    m_clock.start();
}

void ProtocolTrace::attach(SerialLink &link)
{
    connect(&link, &SerialLink::traffic, this, &ProtocolTrace::write);
}

QString ProtocolTrace::formatLine(qint64 milliseconds, SerialLink::Direction direction,
                                  const QByteArray &bytes)
{
    // Whole numbers only: no locale and no rounding in the time stamp.
    const QString time = QStringLiteral("%1.%2")
                             .arg(milliseconds / 1000)
                             .arg(milliseconds % 1000, 3, 10, QLatin1Char('0'));
    return time.rightJustified(9) +
           (direction == SerialLink::Direction::ToRadio ? QStringLiteral(" > ")
                                                        : QStringLiteral(" < ")) +
           QString::fromLatin1(bytes.toHex(' ').toUpper());
}

void ProtocolTrace::write(SerialLink::Direction direction, const QByteArray &bytes)
{
    if (!m_ok || bytes.isEmpty())
        return;
    const QByteArray line = formatLine(m_clock.elapsed(), direction, bytes).toLatin1() + '\n';
    if (!m_out(line, &m_error))
        m_ok = false;
}
