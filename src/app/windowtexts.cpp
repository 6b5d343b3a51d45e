#include "app/windowtexts.h"

#include "app/buttonsbar.h"
#include "app/linklabel.h"
#include "i18n/languagetable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <iterator>
#include <utility>

namespace {

// The first child of the window with this name and of this kind; names
// repeat within a window only for a menu and its own action.
template <typename T> T *named(QWidget *window, const char *name, bool (*accept)(T *) = nullptr)
{
    const QList<T *> found = window->findChildren<T *>(QString::fromLatin1(name));
    for (T *candidate : found)
        if (!accept || accept(candidate))
            return candidate;
    return nullptr;
}

QTabWidget *tabWidgetOf(QWidget *page)
{
    for (QWidget *w = page ? page->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            return tabs;
    return nullptr;
}

bool isLabel(QWidget *w)
{
    return qobject_cast<QLabel *>(w) || qobject_cast<LinkLabel *>(w);
}

bool isPlainAction(QAction *a)
{
    return !a->menu() && !a->isSeparator();
}

// The same texts as the Chinese library's, by number.
const std::pair<int, const char *> OwnBuiltInTexts[] = {
    {201, "打开电台映像(&I)..."},
    {202, "导入 CSV(&M)..."},
    {203, "导出 CSV(&X)..."},
    {204, "写入后校验(&V)"},
    {205, "正在校验…"},
    {206, "校验通过：电台中的数据与写入的一致。"},
    {207, "电台中的数据与写入的不一致："},
    {208, "写入后未能读回电台："},
    {209, "已备份：%1"},
    {210, "未能保存备份："},
    {211, "电台映像"},
    {212, "CSV 信道表"},
    {213, "所有文件"},
    {214, "已导入 %1 个信道。"},
    {215, "已导出 %1 个信道。"},
    {216, "警告"},
    {220, "串口设置(&P)..."},
    {221, "串口设置"},
    {222, "设备"},
    {223, "描述"},
    {224, "制造商"},
    {225, "USB ID"},
    {226, "序列号"},
    {227, "（未连接）"},
    {228, "查找电台(&F)"},
    {229, "正在 %1 上查找电台…"},
    {230, "电台在 %1 上应答。"},
    {231, "没有电台应答。"},
    {232, "无权使用 %1：它属于 %2 组，而您不在该组中。请运行\n    sudo usermod -aG %2 "
          "$USER\n然后注销并重新登录。"},
    {233, "暂时无权使用 %1：您是在登录之后才加入 %2 组的。请注销并重新登录。"},
    {234, "无权使用 %1：它的权限不允许您读写。"},
    {235, "%1 正被其他程序占用。"},
    {236, "%1 正被 %2（进程 %3）占用。"},
    {237, "%1 不存在。"},
    {238, "已连接的串口：%1"},
    {239, "没有连接任何串口。"},
    {240, "撤销(&U) %1"},
    {241, "重做(&E) %1"},
    {242, "剪切行(&T)"},
    {243, "复制行(&C)"},
    {244, "粘贴行(&P)"},
    {245, "最近的文件(&R)"},
    {246, "保存更改？"},
    {247, "信道或设置自上次打开或保存以来已更改。是否保存更改？"},
    {248, "编辑单元格"},
    {249, "移动"},
    {250, "设置"},
    {251, "打开文件"},
    {252, "打开电台映像"},
    {253, "导入 CSV"},
    {254, "读取电台"},
    {255, "粘贴行"},
    {256, "剪切行"},
    {257, "已粘贴 %1 个信道。"},
    {258, "不保存(&D)"},
    {259, "取消"},
    {260, "取消"},
    {261, "打印(&P)..."},
    {262, "导出 PDF(&D)..."},
    {263, "写入前备份电台(&B)"},
    {264, "（演示）虚拟电台接在 COM1"},
    {265, "超出频段 %1"},
    {266, "超出频段"},
    {267, "以下频率超出电台的频段："},
    {268, "%1 接收 %2 MHz（%3）"},
    {269, "%1 发射 %2 MHz（%3）"},
    {270, "……另有 %1 项。"},
    {271, "仍然写入电台吗？"},
    {272, "PDF 文件"},
    {273, "已导出 PDF：%1"},
    {274, "信道列表"},
    {275, "功能设置"},
    {276, "正在备份电台…"},
    {277, "未向电台写入任何数据。"},
    {278, "无法在打印机上打印。"},
};

} // namespace

QWidget *LanguageWindows::window(LanguageWindow which) const
{
    switch (which) {
    case LanguageWindow::MainWindow:
        return main;
    case LanguageWindow::AboutBox:
        return about;
    case LanguageWindow::ProgrammingDialog:
        return programming;
    case LanguageWindow::ConfirmationDialog:
        return confirmation;
    case LanguageWindow::SerialPortDialog:
        return serialPorts;
    }
    return nullptr;
}

QObject *findTextTarget(const LanguageWindows &windows, const TextTarget &target)
{
    QWidget *window = windows.window(target.window);
    if (!window)
        return nullptr;
    switch (target.kind) {
    case TextTargetKind::WindowCaption:
        return window;
    case TextTargetKind::StatusPanel:
        return named<QLabel>(window, target.objectName);
    case TextTargetKind::Menu:
        return named<QMenu>(window, target.objectName);
    case TextTargetKind::MenuItem:
        return named<QAction>(window, target.objectName, isPlainAction);
    case TextTargetKind::Page: {
        QWidget *page = named<QWidget>(window, target.objectName);
        return tabWidgetOf(page) ? page : nullptr;
    }
    case TextTargetKind::Group:
        return named<QGroupBox>(window, target.objectName);
    case TextTargetKind::Label:
        return named<QWidget>(window, target.objectName, isLabel);
    case TextTargetKind::Button:
        return named<QAbstractButton>(window, target.objectName);
    case TextTargetKind::ButtonBarSection: {
        auto *bar = named<ButtonsBar>(window, target.objectName);
        return bar && target.index >= 0 && target.index < bar->count() ? bar : nullptr;
    }
    case TextTargetKind::ButtonBarItem: {
        auto *bar = named<ButtonsBar>(window, target.objectName);
        return bar ? bar->barItem(target.index, target.item) : nullptr;
    }
    case TextTargetKind::ListHeading: {
        auto *table = named<QTableWidget>(window, target.objectName);
        return table && target.index >= 0 && target.index < table->columnCount() ? table : nullptr;
    }
    case TextTargetKind::GridHeading:
        return nullptr;
    }
    return nullptr;
}

bool setTargetText(const LanguageWindows &windows, const TextTarget &target, const QString &text)
{
    QObject *object = findTextTarget(windows, target);
    if (!object)
        return false;
    switch (target.kind) {
    case TextTargetKind::WindowCaption:
        static_cast<QWidget *>(object)->setWindowTitle(text);
        break;
    case TextTargetKind::Menu:
        static_cast<QMenu *>(object)->setTitle(text);
        break;
    case TextTargetKind::MenuItem:
        static_cast<QAction *>(object)->setText(text);
        break;
    case TextTargetKind::Page: {
        auto *page = static_cast<QWidget *>(object);
        QTabWidget *tabs = tabWidgetOf(page);
        tabs->setTabText(tabs->indexOf(page), text);
        break;
    }
    case TextTargetKind::Group:
        static_cast<QGroupBox *>(object)->setTitle(text);
        break;
    case TextTargetKind::ButtonBarSection:
        static_cast<ButtonsBar *>(object)->setItemText(target.index, text);
        break;
    case TextTargetKind::StatusPanel:
    case TextTargetKind::Label:
    case TextTargetKind::Button:
    case TextTargetKind::ButtonBarItem:
        // QLabel, LinkLabel and the buttons all carry a "text" property.
        object->setProperty("text", text);
        if (object->property("sizesToText").toBool())
            static_cast<QWidget *>(object)->adjustSize();
        break;
    case TextTargetKind::ListHeading: {
        auto *table = static_cast<QTableWidget *>(object);
        if (QTableWidgetItem *heading = table->horizontalHeaderItem(target.index))
            heading->setText(text);
        else
            table->setHorizontalHeaderItem(target.index, new QTableWidgetItem(text));
        break;
    }
    case TextTargetKind::GridHeading:
        return false;
    }
    return true;
}

QString builtInText(int number)
{
    if (!LanguageTable::isOwnNumber(number))
        return {};
    for (const auto &[own, text] : OwnBuiltInTexts)
        if (own == number)
            return QString::fromUtf8(text);
    return {};
}

QString textOr(const QString &text, int number)
{
    return text.isEmpty() ? builtInText(number) : text;
}
