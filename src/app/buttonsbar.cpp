#include "app/buttonsbar.h"

#include <QAbstractButton>
#include <QLayout>

BarItem::BarItem(QWidget *parent) : QToolButton(parent)
{
    setProperty("barItem", true);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(32, 32));
    setFixedHeight(ButtonsBar::ItemHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, pal.color(QPalette::Link));
    setPalette(pal);
}

void BarItem::enterEvent(QEnterEvent *event)
{
    setUnderline(true);
    QToolButton::enterEvent(event);
}

void BarItem::leaveEvent(QEvent *event)
{
    setUnderline(false);
    QToolButton::leaveEvent(event);
}

void BarItem::setUnderline(bool on)
{
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

ButtonsBar::ButtonsBar(QWidget *parent) : QToolBox(parent)
{
    setFrameShape(QFrame::StyledPanel);
}

void ButtonsBar::itemInserted(int index)
{
    QToolBox::itemInserted(index);
    // The section buttons are internal to QToolBox; they get the bar's
    // fixed height here.
    for (QAbstractButton *button : findChildren<QAbstractButton *>(
             QStringLiteral("qt_toolbox_toolboxbutton"), Qt::FindDirectChildrenOnly))
        button->setFixedHeight(SectionHeight);
}

QToolButton *ButtonsBar::barItem(int section, int index) const
{
    QWidget *page = widget(section);
    if (!page || !page->layout() || index < 0)
        return nullptr;
    QLayoutItem *entry = page->layout()->itemAt(index);
    return entry ? qobject_cast<QToolButton *>(entry->widget()) : nullptr;
}

int ButtonsBar::barItemCount(int section) const
{
    QWidget *page = widget(section);
    return page && page->layout() ? page->layout()->count() - 1 : 0;
}
