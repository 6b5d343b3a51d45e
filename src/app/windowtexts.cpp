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
#include <QToolButton>

#include <iterator>

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

// The same texts as the Chinese library's.
const char *const OwnBuiltInTexts[] = {
    "打开电台映像(&I)...",                  // 201
    "导入 CSV(&M)...",                      // 202
    "导出 CSV(&X)...",                      // 203
    "写入后校验(&V)",                       // 204
    "正在校验…",                            // 205
    "校验通过：电台中的数据与写入的一致。", // 206
    "电台中的数据与写入的不一致：",         // 207
    "写入后未能读回电台：",                 // 208
    "已备份：%1",                           // 209
    "未能保存备份：",                       // 210
    "电台映像",                             // 211
    "CSV 信道表",                           // 212
    "所有文件",                             // 213
    "已导入 %1 个信道。",                   // 214
    "已导出 %1 个信道。",                   // 215
    "警告",                                 // 216
};
static_assert(std::size(OwnBuiltInTexts) == 216 - LanguageTable::FirstOwnNumber + 1);

// 240-257, the same texts as the Chinese library's.
const char *const OwnBuiltInEditTexts[] = {
    "撤销(&U) %1",                                          // 240
    "重做(&R) %1",                                          // 241
    "剪切行(&T)",                                           // 242
    "复制行(&C)",                                           // 243
    "粘贴行(&P)",                                           // 244
    "最近的文件(&R)",                                       // 245
    "保存更改？",                                           // 246
    "信道或设置自上次打开或保存以来已更改。是否保存更改？", // 247
    "编辑单元格",                                           // 248
    "移动",                                                 // 249
    "设置",                                                 // 250
    "打开文件",                                             // 251
    "打开电台映像",                                         // 252
    "导入 CSV",                                             // 253
    "读取电台",                                             // 254
    "粘贴行",                                               // 255
    "剪切行",                                               // 256
    "已粘贴 %1 个信道。",                                   // 257
};
static_assert(std::size(OwnBuiltInEditTexts) == LanguageTable::LastOwnNumber - 240 + 1);

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
    case TextTargetKind::GridHeading:
        return false;
    }
    return true;
}

QString builtInText(int number)
{
    if (!LanguageTable::isOwnNumber(number))
        return {};
    if (number >= 240)
        return QString::fromUtf8(OwnBuiltInEditTexts[number - 240]);
    return QString::fromUtf8(OwnBuiltInTexts[number - LanguageTable::FirstOwnNumber]);
}

QString textOr(const QString &text, int number)
{
    return text.isEmpty() ? builtInText(number) : text;
}
