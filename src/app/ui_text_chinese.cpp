// The Simplified Chinese texts of the windows, keyed by their English texts
// (padding aside). An English text with an accelerator ("&Save") keeps the
// same letter in its twin, written the Chinese way: "保存(&S)".
#include "app/ui_text.h"

namespace kestrone {

namespace {

constexpr UiTextPair kTexts[] = {
    // Toolbar, tray menu and the common boxes.
    {"Scan", "扫描"},
    {"Process", "进程"},
    {"Tools", "工具"},
    {"Immunity", "免疫"},
    {"FixSystem", "系统修复"},
    {"Settings", "设置"},
    {"Update", "更新"},
    {"About", "关于"},
    {"History", "历史"},
    {"Display main window", "显示主窗口"},
    {"Unlock USB disk", "解锁 U 盘"},
    {"Open drive safely", "安全打开驱动器"},
    {"Website", "官方网站"},
    {"Quit", "退出"},
    {"Prompt", "提示"},
    {"Confirm", "确认"},
    {"Kestrone is activated", "Kestrone 已启动"},
    {"Real-time system protection is actived", "实时系统防护已开启"},
    {"Kestrone is already running,you can find it in the tray.",
     "Kestrone 已在运行，您可以在系统托盘中找到它。"},
    {"&OK", "确定(&O)"},
    {"&Cancel", "取消(&C)"},
    {"Don't show this again.", "不再显示此提示。"},
    {"Always trust this stick", "始终信任此 U 盘"},
    {"Trusted sticks", "受信任的 U 盘"},
    {"Trusted sticks (not allowed by policy)", "受信任的 U 盘（策略不允许）"},
    {"Serial", "序列号"},
    {"Label", "卷标"},
    {"&Remove", "移除(&R)"},
    {"Select a stick to remove.", "请选择要移除的 U 盘。"},

    // Scan page.
    {"Scan targets:", "扫描目标："},
    {"Operating Memory", "内存"},
    {"Local Drives", "本地磁盘"},
    {"Removable Media", "可移动磁盘"},
    {"Start", "开始"},
    {"Stop", "停止"},
    {"Scan Virus", "扫描病毒"},
    {"Scanning", "正在扫描"},
    {"Scan completed successfully", "扫描完成"},
    {"Scan completed, but not every threat was removed", "扫描完成，但仍有威胁未能清除"},
    {"Repeat the scan with administrator rights?", "是否以管理员权限重新扫描？"},

    // Process page.
    {"Process Name", "进程名"},
    {"Status", "状态"},
    {"Path", "路径"},
    {"&Close", "关闭(&C)"},
    {"&Trust", "信任(&T)"},
    {"Trust selected process", "信任选中的进程"},
    {"Open containing folder", "打开所在文件夹"},
    {"Close", "关闭"},
    {"Inquire", "在线查询"},
    {"System process", "系统进程"},
    {"Trusted process", "可信进程"},
    {"UnKnow process", "未知进程"},
    {"Close the process successfully", "已成功关闭进程"},
    {"Unable to close the process", "无法关闭进程"},

    // Tools page and the unlock.
    {"UnLock USB Devices", "解锁 USB 设备"},
    {"When you want to remove your USB disk, sometimes \r\n"
     "the disk may be locked by application,and system will\r\n"
     "give you a message:The device 'Generic volume'can't be\r\n"
     "stopped right now.You can try to click UnLock to solve.",
     "拔出 U 盘时，U 盘有时会被程序占用，系统会提示\r\n"
     "“现在无法停止‘通用卷’设备”。\r\n"
     "此时可单击“解锁”来解决。"},
    {"Unlock", "解锁"},
    {"USB Devices Security", "USB 设备安全"},
    {"This function can prevent theft of information", "此功能可以防止信息被窃取"},
    {"Disable usage of any usb storage devices", "禁止使用任何 USB 存储设备"},
    {"Disable writing data to the usb storage devices", "禁止向 USB 存储设备写入数据"},
    {"Apply", "应用"},
    {"Status:", "状态："},
    {"USB device not found", "未发现 USB 设备"},
    {"Kestrone will exit programs using USB disk ,\r\n"
     "please save your important data and click ok to continue.",
     "Kestrone 将关闭正在使用 U 盘的程序，\r\n请先保存重要数据，然后单击“确定”继续。"},
    {"Unlock usb device successfully ,you can remove it now.", "U 盘已成功解锁，现在可以拔出了。"},
    {"Since antivirus need for the temporary closure of Explorer,\r\n"
     "and it will cause the temporary lost of desktop.",
     "杀毒需要暂时关闭资源管理器，\r\n这会使桌面暂时消失。"},
    {"These programs are using the USB disk. Save your work in them, then choose the ones to "
     "close:",
     "以下程序正在使用 U 盘。请先保存其中的工作，再勾选要关闭的程序："},
    {"C&lose selected", "关闭所选(&L)"},
    {"Program", "程序"},
    {"Using", "占用"},
    {"Program file", "程序文件"},

    // Immunity page.
    {"Immunity Settings", "免疫设置"},
    {"Disable AUTORUN of USB drive", "禁止 U 盘自动运行"},
    {"Immunize", "免疫"},
    {"USB Drive", "U 盘"},
    {"Manual Selection", "手动选择"},
    {"Local Disk", "本地磁盘"},
    {"&Apply", "应用(&A)"},
    {"To prevent most of viruses infection on usb devices", "可防止大多数病毒通过 U 盘传播"},
    {"Immunity successfully!", "免疫成功！"},
    {"Cancel immunity successfully!", "已成功取消免疫！"},

    // System repair page.
    {"&Check All", "全选(&C)"},
    {"&Uncheck All", "全不选(&U)"},
    {"Please select section you want to repair first!", "请先选择要修复的项目！"},
    {"Repair registry successfully,some of repair may take effect after reboot!",
     "注册表修复成功，部分修复需要重启后才能生效！"},

    // Settings page.
    {"General", "常规"},
    {"Display alert window when a threat is detected", "发现威胁时显示警告窗口"},
    {"Run Pellmark when Windows starts", "Windows 启动时运行 Pellmark"},
    {"Guard attached USB drives against new worms", "防止已插入的 U 盘被新的蠕虫感染"},
    {"Available actions when a threat is detected", "发现威胁时的处理方式"},
    {"Clean infected files only", "仅清除感染文件"},
    {"Open usb drive safely only", "仅安全打开 U 盘"},
    {"Clean infected files and open usb drive safely", "清除感染文件并安全打开 U 盘"},
    {"&Save", "保存(&S)"},
    {"Set by your administrator", "由管理员设置"},
    {"Settings Saved", "设置已保存"},
    {"Settings saved", "设置已保存"},
    {"Language:", "语言："},
    {"Automatic", "自动"},
    {"After a restart", "重启后生效"},

    // The threat question.
    {"Threat is detected in usb drive, select an action", "U 盘中发现威胁，请选择处理方式"},
    {"Available actions", "处理方式"},
    {"Open usb drive safely", "安全打开 U 盘"},

    // History page.
    {"File", "文件"},
    {"Reason", "原因"},
    {"Time", "时间"},
    {"Copy", "副本"},
    {"&Restore", "恢复(&R)"},
    {"&Delete", "删除(&D)"},
    {"Action", "操作"},
    {"Result", "结果"},
    {"&Undo", "撤销(&U)"},
    {"&Export...", "导出(&E)..."},
    {"Delete the selected entry and its copy for good?", "要永久删除所选条目及其副本吗？"},
    {"Select a line that ends in (undo N) to put that change back.",
     "请选择以 (undo N) 结尾的一行来撤销该更改。"},
    {"Put back what was there before this change?", "要恢复此更改之前的状态吗？"},
    {"Popup", "弹窗"},
    {"Quarantine", "隔离区"},

    // About page.
    {"Email:", "邮箱："},
    {"Home:", "主页："},
    {"Database:", "数据库："},
    {"Definitions:", "病毒库："},
    {"&Help", "帮助(&H)"},

    // Administrator rights.
    {"Administrator rights were not given, so nothing was changed.",
     "未获得管理员权限，未做任何更改。"},
    {"Kestrone could not start with administrator rights, so nothing was changed.",
     "Kestrone 无法以管理员权限启动，未做任何更改。"},
};

}  // namespace

std::span<const UiTextPair> ChineseUiTexts() {
    return kTexts;
}

}  // namespace kestrone
