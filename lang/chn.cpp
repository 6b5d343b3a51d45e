// The Chinese texts, by language string number. The program's windows are
// designed with these texts; 55-60 must stay exactly as they are, because
// the language switch recognises channel cells by them.

#include "stringtable.h"

namespace {

// clang-format off
const LanguageString strings[] = {
    // Main window: status panel, link labels, port group
    {1, "     Dravik Torven 对讲机编程软件"},
    {2, "读频"},
    {3, "写频"},
    {4, "退出"},
    {5, "通信端口"},

    // Main menu
    {6, "文件(&F)"},
    {7, "新建(&N)"},
    {8, "打开(&O)"},
    {9, "保存(&S)"},
    {10, "退出(&E)"},
    {11, "编辑(&P)"},
    {12, "频率读出(&R)"},
    {13, "频率写入(&W)"},
    {14, "信道编辑(&E)"},
    {15, "功能选项(&Y)"},
    {16, "其它功能(&T)"},
    {17, "选项"},
    {18, "通信端口(&C)"},
    {19, "皮肤(&S)"},
    {20, "蓝色一族"},
    {21, "钢板"},
    {22, "咖啡"},
    {23, "语言"},
    {24, "中文"},
    {25, "英文"},
    {26, "帮助(&H)"},
    {27, "帮助(&H)..."},
    // The About menu item and the about box caption share this text, so it
    // carries no accelerator.
    {28, "关于..."},

    // Button bar: sections and their items
    {29, "文件"},
    {30, "新建"},
    {31, "打开"},
    {32, "保存"},
    {33, "编辑"},
    {34, "频率读出"},
    {35, "频率写入"},
    {36, "信道编辑"},
    {37, "功能选项"},
    {38, "退出"},
    {39, "退出"},

    // Channel page: tab, buttons under the grid, grid headings
    {40, "信道编辑"},
    {41, "自动添加"},
    {42, "清除信道"},
    {43, "信道上移"},
    {44, "信道下移"},
    {45, "删除信道"},
    {46, "信道"},
    {47, "接收频率"},
    {48, "QT/DQT解码"},
    {49, "发射频率"},
    {50, "QT/DQT编码"},
    {51, "发射功率"},
    {52, "宽/窄带"},
    {53, "扫描"},
    {54, "繁忙锁定"},

    // Value texts of the channel cells and the on/off lists
    {55, "禁用"},
    {56, "启用"},
    {57, "高功率"},
    {58, "低功率"},
    {59, "宽带"},
    {60, "窄带"},

    // Function-options page: tab and labels
    {61, "功能选项"},
    {62, "APO功能"},
    {63, "按键音开关"},
    {64, "电池省电"},
    {65, "扫描恢复方法"},
    {66, "扰频功能"},
    {67, "VFO/ MR"},
    {68, "MR freq./ MR CH"},
    {69, "静噪等级(SQL)"},
    {70, "声控等级(VOX)"},
    {71, "超时定时器(TOT)"},
    {72, "按键锁定"},
    {73, "解除[up][down]的锁定"},
    {74, "倒频"},
    {75, "按键扩频功能"},
    // Also the stem of the band choices: "频段2", "频段1".
    {76, "频段"},
    {77, "频率步进"},
    {78, "发射LED的颜色"},
    {79, "接收LED的颜色"},
    {80, "宽/窄带"},
    // Minute unit of the time-out choices: "1分钟" ... "7分钟".
    {81, "分钟"},

    // Hidden band range panel
    {83, "频段一"},
    {84, "频段二"},
    {85, "接收"},
    {86, "发射"},

    // Programming dialog, about box, confirmation dialog and messages
    {95, "频率读出"},
    {96, "频率写入"},
    // Close button of the programming dialog (the confirmation dialog's
    // Cancel is 260).
    {97, "关闭"},
    {98, "Dravik"},
    {99, "QB-380 对讲机编程软件"},
    {100, "版本：" QB_VERSION},
    {101, "版权所有 © 2026 Dravik"},
    {102, "Dravik"},
    {103, "错误"},
    {104, "对讲机没有响应。请检查编程线和通信端口，并确认对讲机已开机。"},
    // OK buttons of the confirmation dialog and of the about box.
    {105, "确定"},
    {106, "无法打开通信端口：端口不存在，或正被其他程序占用。"},
    {107, "警告"},
    {108, "确认"},
    {109, "新建空白信道表？当前的全部信道和功能选项都将丢失。"},
    {110, "清除全部信道？信道表中的所有信道都将被删除。"},

    // LED colours, numbered as on the radio
    {111, "1"},
    {112, "2"},
    {113, "3"},
    {114, "4"},
    {115, "5"},
    {116, "6"},
    {117, "7"},
    {118, "8"},

    // The program's own numbers, beyond those every library shares.
    // File and Options menu items
    {201, "打开电台映像(&I)..."},
    {202, "导入 CSV(&M)..."},
    {203, "导出 CSV(&X)..."},
    {204, "写入后校验(&V)"},
    // Programming dialog: read-back after a write, backups after a read
    {205, "正在校验…"},
    {206, "校验通过：电台中的数据与写入的一致。"},
    {207, "电台中的数据与写入的不一致："},
    {208, "写入后未能读回电台："},
    {209, "已备份：%1"},
    {210, "未能保存备份："},
    // File dialog filters, notes of the CSV commands, warning caption
    {211, "电台映像"},
    {212, "CSV 信道表"},
    {213, "所有文件"},
    {214, "已导入 %1 个信道。"},
    {215, "已导出 %1 个信道。"},
    {216, "警告"},
    // Serial port dialog (Options menu item, caption, list headings, mark,
    // find button and messages) and why a port cannot be opened
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
    {232, "无权使用 %1：它属于 %2 组，而您不在该组中。请运行\n    sudo usermod -aG %2 $USER\n然后注销并重新登录。"},
    {233, "暂时无权使用 %1：您是在登录之后才加入 %2 组的。请注销并重新登录。"},
    {234, "无权使用 %1：它的权限不允许您读写。"},
    {235, "%1 正被其他程序占用。"},
    {236, "%1 正被 %2（进程 %3）占用。"},
    {237, "%1 不存在。"},
    {238, "已连接的串口：%1"},
    {239, "没有连接任何串口。"},
    // Edit menu: undo and redo (%1 names the step), the row clipboard;
    // File menu: recent files
    {240, "撤销(&U) %1"},
    {241, "重做(&E) %1"},
    {242, "剪切行(&T)"},
    {243, "复制行(&C)"},
    {244, "粘贴行(&P)"},
    {245, "最近的文件(&R)"},
    // The question before unsaved changes are discarded
    {246, "保存更改？"},
    {247, "信道或设置自上次打开或保存以来已更改。是否保存更改？"},
    // Undo step names, the note of a paste
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
    // 未保存更改的提问中除“保存”外的按钮
    {258, "不保存(&D)"},
    {259, "取消"},
    // Cancel of the confirmation dialog (97 is the programming dialog's
    // Close); Print, Export PDF, Back up before writing
    {260, "取消"},
    {261, "打印(&P)..."},
    {262, "导出 PDF(&D)..."},
    {263, "写入前备份电台(&B)"},
    // Demo mode in the status bar; the band check of the grid and before a
    // write
    {264, "（演示）虚拟电台接在 COM1"},
    {265, "超出频段 %1"},
    {266, "超出频段"},
    {267, "以下频率超出电台的频段："},
    {268, "%1 接收 %2 MHz（%3）"},
    {269, "%1 发射 %2 MHz（%3）"},
    {270, "……另有 %1 项。"},
    {271, "仍然写入电台吗？"},
    // Printing and PDF
    {272, "PDF 文件"},
    {273, "已导出 PDF：%1"},
    {274, "信道列表"},
    {275, "功能设置"},
    // Backing up before a write
    {276, "正在备份电台…"},
    {277, "未向电台写入任何数据。"},
    // The printer refused the printout
    {278, "无法在打印机上打印。"},
};
// clang-format on

} // namespace

extern "C" QB_LANG_EXPORT const char *qb380_string(int number)
{
    return findLanguageString(strings, number);
}
