#include "editor/conversionmessage.h"

#include "model/productnames.h"

#include <QMessageBox>

void showConversionMessage(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, ProductNames::Program, message, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("conversionMessage"));
    box.exec();
}
