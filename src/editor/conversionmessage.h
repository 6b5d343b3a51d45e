#pragma once

class QString;
class QWidget;

// Shows the message of a text that could not be read as a number ("'%s' is
// not a valid floating point value") in a message box titled "QB-380", and
// waits until the user has read it.
void showConversionMessage(QWidget *parent, const QString &message);
