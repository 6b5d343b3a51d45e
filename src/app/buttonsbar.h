#pragma once

#include <QToolBox>
#include <QToolButton>

// A column of section buttons; one section at a time shows its items below
// its button. Each section is a page with its items (BarItem) in a column
// layout that ends in a stretch, as the main window's form describes them.
class ButtonsBar : public QToolBox
{
    Q_OBJECT

public:
    static constexpr int SectionHeight = 25;
    static constexpr int ItemHeight = 60;

    explicit ButtonsBar(QWidget *parent = nullptr);

    // Item number `index` (0-based) of a section, nullptr if there is none.
    QToolButton *barItem(int section, int index) const;
    int barItemCount(int section) const;

protected:
    void itemInserted(int index) override;
};

// An item of the bar: a tall button with a 32 x 32 icon above its text,
// link-coloured, underlined under the mouse; the keyboard passes it by.
class BarItem : public QToolButton
{
public:
    explicit BarItem(QWidget *parent = nullptr);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setUnderline(bool on);
};
