#pragma once

#include "designer/DrawTool.h"

// The names of the main window's menu items and the keys of its toolbar
// buttons, declared once: the menu and toolbar tables, the shell the
// designer talks to, the command routing and the tests all use these.
namespace MenuItem {

inline constexpr char File[] = "mun_File";
inline constexpr char FileNew[] = "mun_FileNew";
inline constexpr char FileOpen[] = "mun_FileOpen";
inline constexpr char FileClose[] = "mun_FileClose";
inline constexpr char FileLine0[] = "mun_FileLine0";
inline constexpr char FileSave[] = "mun_FileSave";
inline constexpr char FileSaveAs[] = "mun_FileSaveAs";
inline constexpr char FileExport[] = "mun_FileExport";
inline constexpr char FileImport[] = "mun_FileImport";
inline constexpr char FileLine1[] = "mun_FileLine1";
inline constexpr char FilePageSetup[] = "mun_FilePageSetup";
inline constexpr char FilePreView[] = "mun_FilePreView";
inline constexpr char FileLine2[] = "mun_FileLine2";
inline constexpr char FileMRU[] = "mun_FileMRU";
inline constexpr char FileLine3[] = "mun_FileLine3";
inline constexpr char FileExit[] = "mnu_FileExit";

inline constexpr char Edit[] = "mun_Edit";
inline constexpr char EditUndo[] = "mun_EditUndo";
inline constexpr char EditRedo[] = "mun_EditRedo";
inline constexpr char EditLineUndo[] = "mun_EditLineUndo";
inline constexpr char EditDel[] = "mun_EditDel";
inline constexpr char EditLock[] = "mun_EditLock";
inline constexpr char EditClone[] = "mun_EditClone";
inline constexpr char EditLine0[] = "mun_EditLine0";
inline constexpr char EditSelAll[] = "mun_EditSelAll";
inline constexpr char EditProp[] = "mun_EditProp";

inline constexpr char Draw[] = "mun_Draw";
// Item arrays indexed by DrawTool::Code.
inline constexpr char DrawObj[] = "mun_DrawObj";

inline constexpr char Format[] = "mun_Format";
inline constexpr char FormatLeft[] = "mun_FormatLeft";
inline constexpr char FormatHCenter[] = "mun_FormatHCenter";
inline constexpr char FormatRight[] = "mun_FormatRight";
inline constexpr char FormatLine0[] = "mun_FormatLine0";
inline constexpr char FormatTop[] = "mun_FormatTop";
inline constexpr char FormatVCenter[] = "mun_FormatVCenter";
inline constexpr char FormatBottom[] = "mun_FormatBottom";
inline constexpr char FormatLine1[] = "mun_FormatLine1";
inline constexpr char FormatWidth[] = "mun_FormatWidth";
inline constexpr char FormatHeight[] = "mun_FormatHeight";
inline constexpr char FormatSize[] = "mun_FormatSize";

inline constexpr char View[] = "mun_View";
inline constexpr char ViewZoomIn[] = "mun_ViewZoomIn";
inline constexpr char ViewZoomOut[] = "mun_ViewZoomOut";
inline constexpr char ViewZoomActual[] = "mun_ViewZoomActual";
inline constexpr char ViewLine0[] = "mun_ViewLine0";
inline constexpr char ViewGrid[] = "mun_ViewGrid";
inline constexpr char ViewGridSize[] = "mun_ViewGridSize";
inline constexpr char ViewGrid1[] = "mun_ViewGrid1";
inline constexpr char ViewGrid2[] = "mun_ViewGrid2";
inline constexpr char ViewGrid5[] = "mun_ViewGrid5";
inline constexpr char ViewGrid10[] = "mun_ViewGrid10";
inline constexpr char ViewLine1[] = "mun_ViewLine1";
inline constexpr char ViewUnderlay[] = "mun_ViewUnderlay";

inline constexpr char Tool[] = "mun_Tool";
inline constexpr char ViewToolbar[] = "mun_ViewToolbar";
inline constexpr char ViewStatusbar[] = "mun_ViewStatusbar";
inline constexpr char ToolLine[] = "mun_ToolLine";
inline constexpr char ToolSystem[] = "mun_ToolSystem";
inline constexpr char ToolCalibrate[] = "mun_ToolCalibrate";

inline constexpr char Window[] = "mun_Window";
inline constexpr char WindowCascade[] = "mnu_WindowCascade";
inline constexpr char WindowTileHorizontal[] = "mnu_WindowTileHorizontal";
inline constexpr char WindowTileVertical[] = "mnu_WindowTileVertical";
inline constexpr char WindowArrangeIcons[] = "mnu_WindowArrangeIcons";

inline constexpr char Help[] = "mun_Help";
inline constexpr char HelpContents[] = "mnu_HelpContents";
inline constexpr char About[] = "mun_About";

// The context menu of the designer, hidden in the menu bar.
inline constexpr char Right[] = "mun_Right";
inline constexpr char ObjDraw[] = "mun_ObjDraw";
inline constexpr char Line0[] = "mun_Line0";
inline constexpr char Align[] = "mun_Align";
inline constexpr char AlignLeft[] = "mun_AlignLeft";
inline constexpr char AlignHCenter[] = "mun_AlignHCenter";
inline constexpr char AlignRight[] = "mun_AlignRight";
inline constexpr char Line1[] = "mun_line1";
inline constexpr char AlignTop[] = "mun_AlignTop";
inline constexpr char AlignVCenter[] = "mun_AlignVCenter";
inline constexpr char AlignBottom[] = "mun_AlignBottom";
inline constexpr char SameSize[] = "mun_SameSize";
inline constexpr char SameWidth[] = "mun_SameWidth";
inline constexpr char SameHeight[] = "mun_SameHeight";
inline constexpr char SameAll[] = "mun_SameAll";
inline constexpr char Line2[] = "mun_Line2";
inline constexpr char Delete[] = "mun_Delete";
inline constexpr char Lock[] = "mun_Lock";
inline constexpr char Clone[] = "mun_Clone";
inline constexpr char Line3[] = "mun_Line3";
inline constexpr char SelAll[] = "mun_SelAll";
inline constexpr char ObjProp[] = "mun_ObjProp";

} // namespace MenuItem

namespace ToolbarKey {

inline constexpr char New[] = "New";
inline constexpr char Open[] = "Open";
inline constexpr char Save[] = "Save";
inline constexpr char SaveAs[] = "SaveAs";
inline constexpr char SelAll[] = "SelAll";
inline constexpr char Undo[] = "Undo";
inline constexpr char Redo[] = "Redo";
inline constexpr char Delete[] = "Delete";
inline constexpr char Clone[] = "Clone";
inline constexpr char Prop[] = "Prop";
inline constexpr char Locked[] = "Locked";
inline constexpr char DrawSel[] = "DrawSel";
inline constexpr char DrawLine[] = "DrawLine";
inline constexpr char DrawText[] = "DrawText";
inline constexpr char DrawImg[] = "DrawImg";
inline constexpr char Left[] = "Left";
inline constexpr char HCenter[] = "HCenter";
inline constexpr char Right[] = "Right";
inline constexpr char Top[] = "Top";
inline constexpr char VCenter[] = "VCenter";
inline constexpr char Bottom[] = "Bottom";
inline constexpr char Width[] = "Width";
inline constexpr char Height[] = "Height";
inline constexpr char SizeAll[] = "SizeAll";
inline constexpr char PageSetup[] = "PageSetup";
inline constexpr char View[] = "View";
inline constexpr char Exit[] = "Exit";
inline constexpr char ZoomOut[] = "ZoomOut";
inline constexpr char Zoom[] = "Zoom";
inline constexpr char ZoomIn[] = "ZoomIn";
inline constexpr char Grid[] = "Grid";
inline constexpr char Underlay[] = "Underlay";

// The tool button of each drawing tool, indexed by DrawTool::Code.
inline constexpr const char *ForTool[DrawTool::Count] = {DrawSel, DrawLine, DrawText, DrawImg};

} // namespace ToolbarKey
