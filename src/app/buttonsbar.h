#pragma once

#include <QToolBox>

class QToolButton;

// A column of section buttons; one section at a time shows its items below
// its button. Items are tall buttons with a 32 x 32 icon above the text,
// drawn like web links.
class ButtonsBar : public QToolBox
{
    Q_OBJECT

public:
    static constexpr int SectionHeight = 25;
    static constexpr int ItemHeight = 60;

    explicit ButtonsBar(QWidget *parent = nullptr);

    // Adds a section at the end and returns its index; objectName names the
    // section's page.
    int addSection(const QString &objectName, const QString &title);
    // Adds an item at the end of a section.
    QToolButton *addBarItem(int section, const QString &objectName, const QIcon &icon,
                            const QString &text);
    // Item number `index` (0-based) of a section, nullptr if there is none.
    QToolButton *barItem(int section, int index) const;
    int barItemCount(int section) const;
};
