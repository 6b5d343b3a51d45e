#include "editor/conversionmessage.h"

#include <QMessageBox>

void showConversionMessage(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("QB-380"), message, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("conversionMessage"));
    box.exec();
}
