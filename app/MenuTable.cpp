#include "MenuTable.h"

#include "designer/ShellNames.h"

namespace MenuTable {

const QList<MenuEntry> &entries()
{
    static const QList<MenuEntry> table = {
        {0, MenuItem::File, "文件(&F)", ""},
        {1, MenuItem::FileNew, "新建(&N)", "Ctrl+N"},
        {1, MenuItem::FileOpen, "打开(&O)", "Ctrl+O"},
        {1, MenuItem::FileClose, "关闭(&C)", ""},
        {1, MenuItem::FileLine0, "-", ""},
        {1, MenuItem::FileSave, "保存(&S)", "Ctrl+S"},
        {1, MenuItem::FileSaveAs, "另存为(&A)...", ""},
        {1, MenuItem::FileExport, "导出(&E)...", ""},
        {1, MenuItem::FileImport, "导入(&I)...", ""},
        {1, MenuItem::FileLine1, "-", ""},
        {1, MenuItem::FilePageSetup, "页面设置(&U)...", ""},
        {1, MenuItem::FilePreView, "打印预览(&V)", ""},
        {1, MenuItem::FileLine2, "-", ""},
        {1, MenuItem::FileMRU, "最近文件", "", -1, MenuEntry::Hidden},
        {1, MenuItem::FileLine3, "-", "", -1, MenuEntry::Hidden},
        {1, MenuItem::FileExit, "退出(&X)", ""},

        {0, MenuItem::Edit, "编辑(&E)", ""},
        {1, MenuItem::EditDel, "删除(&D)", "Del"},
        {1, MenuItem::EditLock, "锁定(&U)", "Ctrl+U", -1, MenuEntry::Checkable},
        {1, MenuItem::EditClone, "克隆(&C)", "Ctrl+C"},
        {1, MenuItem::EditLine0, "-", ""},
        {1, MenuItem::EditSelAll, "全选(&A)", "Ctrl+A"},
        {1, MenuItem::EditProp, "属性(&P)", "Ctrl+P"},

        {0, MenuItem::Draw, "绘制(&D)", ""},
        {1, MenuItem::DrawObj, "选区(&S)", "Ctrl+R", DrawTool::Select, MenuEntry::Checked},
        {1, MenuItem::DrawObj, "直线(&L)", "Ctrl+L", DrawTool::Line, MenuEntry::Checkable},
        {1, MenuItem::DrawObj, "文字(&T)", "Ctrl+T", DrawTool::Text, MenuEntry::Checkable},
        {1, MenuItem::DrawObj, "图形(&I)", "Ctrl+I", DrawTool::Picture, MenuEntry::Checkable},

        {0, MenuItem::Format, "格式(&F)", ""},
        {1, MenuItem::FormatLeft, "左对齐(&L)", ""},
        {1, MenuItem::FormatHCenter, "水平居中(&C)", ""},
        {1, MenuItem::FormatRight, "右对齐(&R)", ""},
        {1, MenuItem::FormatLine0, "-", ""},
        {1, MenuItem::FormatTop, "顶对齐(&T)", ""},
        {1, MenuItem::FormatVCenter, "垂直居中(&M)", ""},
        {1, MenuItem::FormatBottom, "底对齐(&B)", ""},
        {1, MenuItem::FormatLine1, "-", ""},
        {1, MenuItem::FormatWidth, "相同宽度(&W)", ""},
        {1, MenuItem::FormatHeight, "相同高度(&H)", ""},
        {1, MenuItem::FormatSize, "相同尺寸(&S)", ""},

        {0, MenuItem::View, "视图(&V)", ""},
        {1, MenuItem::ViewZoomIn, "放大(&I)", "Ctrl+="},
        {1, MenuItem::ViewZoomOut, "缩小(&O)", "Ctrl+-"},
        {1, MenuItem::ViewZoomActual, "实际大小(&A)", "Ctrl+0"},
        {1, MenuItem::ViewLine0, "-", ""},
        {1, MenuItem::ViewGrid, "显示网格(&G)", "Ctrl+G", -1, MenuEntry::Checkable},
        {1, MenuItem::ViewGridSize, "网格间距(&S)", ""},
        {2, MenuItem::ViewGrid1, "1 毫米(&1)", "", -1, MenuEntry::Checkable},
        {2, MenuItem::ViewGrid2, "2 毫米(&2)", "", -1, MenuEntry::Checkable},
        {2, MenuItem::ViewGrid5, "5 毫米(&5)", "", -1, MenuEntry::Checked},
        {2, MenuItem::ViewGrid10, "10 毫米(&0)", "", -1, MenuEntry::Checkable},
        {1, MenuItem::ViewLine1, "-", ""},
        {1, MenuItem::ViewUnderlay, "显示底图(&U)", "", -1, MenuEntry::Checked},

        {0, MenuItem::Tool, "工具(&T)", ""},
        {1, MenuItem::ViewToolbar, "工具栏(&T)", "", -1, MenuEntry::Checked},
        {1, MenuItem::ViewStatusbar, "状态栏(&B)", "", -1, MenuEntry::Checked},
        {1, MenuItem::ToolLine, "-", ""},
        {1, MenuItem::ToolSystem, "系统选项", ""},
        {1, MenuItem::ToolCalibrate, "打印机校准(&P)...", ""},

        {0, MenuItem::Window, "窗口(&W)", ""},
        {1, MenuItem::WindowCascade, "层叠(&C)", ""},
        {1, MenuItem::WindowTileHorizontal, "横向平铺(&H)", ""},
        {1, MenuItem::WindowTileVertical, "纵向平铺(&V)", ""},
        {1, MenuItem::WindowArrangeIcons, "排列图标(&A)", ""},

        {0, MenuItem::Help, "帮助(&H)", ""},
        {1, MenuItem::HelpContents, "目录(&C)", ""},
        {1, MenuItem::About, "关于(&A)..", ""},

        {0, MenuItem::Right, "Right", "", -1, MenuEntry::Hidden},
        {1, MenuItem::ObjDraw, "选区", "", DrawTool::Select, MenuEntry::Checked},
        {1, MenuItem::ObjDraw, "直线", "", DrawTool::Line, MenuEntry::Checkable},
        {1, MenuItem::ObjDraw, "文字", "", DrawTool::Text, MenuEntry::Checkable},
        {1, MenuItem::ObjDraw, "图形", "", DrawTool::Picture, MenuEntry::Checkable},
        {1, MenuItem::Line0, "-", ""},
        {1, MenuItem::Align, "对齐", ""},
        {2, MenuItem::AlignLeft, "左对齐", ""},
        {2, MenuItem::AlignHCenter, "水平居中", ""},
        {2, MenuItem::AlignRight, "右对齐", ""},
        {2, MenuItem::Line1, "-", ""},
        {2, MenuItem::AlignTop, "顶对齐", ""},
        {2, MenuItem::AlignVCenter, "垂直居中", ""},
        {2, MenuItem::AlignBottom, "底对齐", ""},
        {1, MenuItem::SameSize, "统一尺寸", ""},
        {2, MenuItem::SameWidth, "相同宽度", ""},
        {2, MenuItem::SameHeight, "相同高度", ""},
        {2, MenuItem::SameAll, "相同尺寸", ""},
        {1, MenuItem::Line2, "-", ""},
        {1, MenuItem::Delete, "删除", ""},
        {1, MenuItem::Lock, "锁定", "", -1, MenuEntry::Checkable},
        {1, MenuItem::Clone, "克隆", ""},
        {1, MenuItem::Line3, "-", ""},
        {1, MenuItem::SelAll, "全选", ""},
        {1, MenuItem::ObjProp, "属性", ""},
    };
    return table;
}

} // namespace MenuTable
