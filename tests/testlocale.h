#pragma once

// The check each test of frequency texts makes first: that its CTest run
// really runs under the locale the run names (cmake/QbTest.cmake), so a
// run under a comma or an Arabic locale cannot pass by running under C.
//
//   QB_EXPECT_SEPARATOR=comma    the locale's decimal separator is ','
//   QB_EXPECT_NATIVE_DIGITS=1    the locale writes numbers in digits of its
//                                own (Arabic, Persian); frequency texts keep
//                                ASCII digits and '.' all the same

#include "model/frequency.h"

#include <QLocale>
#include <QtTest>

inline void verifyLocaleOfRun()
{
    if (qgetenv("QB_EXPECT_SEPARATOR") == "comma")
        QCOMPARE(frequencySeparator(), QLatin1Char(','));
    else
        QCOMPARE(frequencySeparator(), QLatin1Char('.'));
    if (qgetenv("QB_EXPECT_NATIVE_DIGITS") == "1")
        QVERIFY2(QLocale::system().zeroDigit() != QLatin1String("0"),
                 qPrintable(QLocale::system().name()));
}
