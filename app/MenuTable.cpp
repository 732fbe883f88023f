#include "MenuTable.h"

namespace MenuTable {

const QList<MenuEntry> &entries()
{
    static const QList<MenuEntry> table = {
        {0, "mun_File", "文件(&F)", ""},
        {1, "mun_FileNew", "新建(&N)", "Ctrl+N"},
        {1, "mun_FileOpen", "打开(&O)", "Ctrl+O"},
        {1, "mun_FileClose", "关闭(&C)", ""},
        {1, "mun_FileLine0", "-", ""},
        {1, "mun_FileSave", "保存(&S)", "Ctrl+S"},
        {1, "mun_FileSaveAs", "另存为(&A)...", ""},
        {1, "mun_FileLine1", "-", ""},
        {1, "mun_FilePageSetup", "页面设置(&U)...", ""},
        {1, "mun_FilePreView", "打印预览(&V)", ""},
        {1, "mun_FileLine2", "-", ""},
        {1, "mun_FileMRU", "最近文件", "", -1, MenuEntry::Hidden},
        {1, "mun_FileLine3", "-", "", -1, MenuEntry::Hidden},
        {1, "mnu_FileExit", "退出(&X)", ""},

        {0, "mun_Edit", "编辑(&E)", ""},
        {1, "mun_EditDel", "删除(&D)", "Del"},
        {1, "mun_EditLock", "锁定(&U)", "Ctrl+U", -1, MenuEntry::Checkable},
        {1, "mun_EditClone", "克隆(&C)", "Ctrl+C"},
        {1, "mun_EditLine0", "-", ""},
        {1, "mun_EditSelAll", "全选(&A)", "Ctrl+A"},
        {1, "mun_EditProp", "属性(&P)", "Ctrl+P"},

        {0, "mun_Draw", "绘制(&D)", ""},
        {1, "mun_DrawObj", "选区(&S)", "Ctrl+R", 0, MenuEntry::Checked},
        {1, "mun_DrawObj", "直线(&L)", "Ctrl+L", 1, MenuEntry::Checkable},
        {1, "mun_DrawObj", "文字(&T)", "Ctrl+T", 2, MenuEntry::Checkable},
        {1, "mun_DrawObj", "图形(&I)", "Ctrl+I", 3, MenuEntry::Checkable},

        {0, "mun_Format", "格式(&F)", ""},
        {1, "mun_FormatLeft", "左对齐(&L)", ""},
        {1, "mun_FormatHCenter", "水平居中(&C)", ""},
        {1, "mun_FormatRight", "右对齐(&R)", ""},
        {1, "mun_FormatLine0", "-", ""},
        {1, "mun_FormatTop", "顶对齐(&T)", ""},
        {1, "mun_FormatVCenter", "垂直居中(&M)", ""},
        {1, "mun_FormatBottom", "底对齐(&B)", ""},
        {1, "mun_FormatLine1", "-", ""},
        {1, "mun_FormatWidth", "相同宽度(&W)", ""},
        {1, "mun_FormatHeight", "相同高度(&H)", ""},
        {1, "mun_FormatSize", "相同尺寸(&S)", ""},

        {0, "mun_Tool", "工具(&T)", ""},
        {1, "mun_ViewToolbar", "工具栏(&T)", "", -1, MenuEntry::Checked},
        {1, "mun_ViewStatusbar", "状态栏(&B)", "", -1, MenuEntry::Checked},
        {1, "mun_ToolLine", "-", ""},
        {1, "mun_ToolSystem", "系统选项", ""},

        {0, "mun_Window", "窗口(&W)", ""},
        {1, "mnu_WindowCascade", "层叠(&C)", ""},
        {1, "mnu_WindowTileHorizontal", "横向平铺(&H)", ""},
        {1, "mnu_WindowTileVertical", "纵向平铺(&V)", ""},
        {1, "mnu_WindowArrangeIcons", "排列图标(&A)", ""},

        {0, "mun_Help", "帮助(&H)", ""},
        {1, "mnu_HelpContents", "目录(&C)", ""},
        {1, "mun_About", "关于(&A)..", ""},

        {0, "mun_Right", "Right", "", -1, MenuEntry::Hidden},
        {1, "mun_ObjDraw", "选区", "", 0, MenuEntry::Checked},
        {1, "mun_ObjDraw", "直线", "", 1, MenuEntry::Checkable},
        {1, "mun_ObjDraw", "文字", "", 2, MenuEntry::Checkable},
        {1, "mun_ObjDraw", "图形", "", 3, MenuEntry::Checkable},
        {1, "mun_Line0", "-", ""},
        {1, "mun_Align", "对齐", ""},
        {2, "mun_AlignLeft", "左对齐", ""},
        {2, "mun_AlignHCenter", "水平居中", ""},
        {2, "mun_AlignRight", "右对齐", ""},
        {2, "mun_line1", "-", ""},
        {2, "mun_AlignTop", "顶对齐", ""},
        {2, "mun_AlignVCenter", "垂直居中", ""},
        {2, "mun_AlignBottom", "底对齐", ""},
        {1, "mun_SameSize", "统一尺寸", ""},
        {2, "mun_SameWidth", "相同宽度", ""},
        {2, "mun_SameHeight", "相同高度", ""},
        {2, "mun_SameAll", "相同尺寸", ""},
        {1, "mun_Line2", "-", ""},
        {1, "mun_Delete", "删除", ""},
        {1, "mun_Lock", "锁定", "", -1, MenuEntry::Checkable},
        {1, "mun_Clone", "克隆", ""},
        {1, "mun_Line3", "-", ""},
        {1, "mun_SelAll", "全选", ""},
        {1, "mun_ObjProp", "属性", ""},
    };
    return table;
}

} // namespace MenuTable
