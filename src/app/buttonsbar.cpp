#include "app/buttonsbar.h"

#include <QAbstractButton>
#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// An item of the bar: link-coloured text, underlined under the mouse.
class BarItem : public QToolButton
{
public:
    explicit BarItem(QWidget *parent) : QToolButton(parent)
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

protected:
    void enterEvent(QEnterEvent *event) override
    {
        setUnderline(true);
        QToolButton::enterEvent(event);
    }
    void leaveEvent(QEvent *event) override
    {
        setUnderline(false);
        QToolButton::leaveEvent(event);
    }

private:
    void setUnderline(bool on)
    {
        QFont f = font();
        f.setUnderline(on);
        setFont(f);
    }
};

} // namespace

ButtonsBar::ButtonsBar(QWidget *parent) : QToolBox(parent)
{
    setObjectName(QStringLiteral("buttonsBar"));
    setFrameShape(QFrame::StyledPanel);
}

int ButtonsBar::addSection(const QString &objectName, const QString &title)
{
    auto *page = new QWidget;
    page->setObjectName(objectName);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addStretch(1);
    const int section = QToolBox::addItem(page, title);
    // The section buttons are internal to QToolBox; they get the bar's
    // fixed height here.
    for (QAbstractButton *button : findChildren<QAbstractButton *>(
             QStringLiteral("qt_toolbox_toolboxbutton"), Qt::FindDirectChildrenOnly))
        button->setFixedHeight(SectionHeight);
    return section;
}

QToolButton *ButtonsBar::addBarItem(int section, const QString &objectName, const QIcon &icon,
                                    const QString &text)
{
    QWidget *page = widget(section);
    if (!page)
        return nullptr;
    auto *button = new BarItem(page);
    button->setObjectName(objectName);
    button->setIcon(icon);
    button->setText(text);
    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->insertWidget(layout->count() - 1, button);
    return button;
}

QToolButton *ButtonsBar::barItem(int section, int index) const
{
    QWidget *page = widget(section);
    if (!page || index < 0)
        return nullptr;
    QLayoutItem *entry = page->layout()->itemAt(index);
    return entry ? qobject_cast<QToolButton *>(entry->widget()) : nullptr;
}

int ButtonsBar::barItemCount(int section) const
{
    QWidget *page = widget(section);
    return page ? page->layout()->count() - 1 : 0;
}
