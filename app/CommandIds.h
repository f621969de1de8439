#pragma once

// Command ids of menus, toolbars and status-pane double-clicks.
namespace cmd {

// Standard commands.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileMru1 = 57616;  // the recent files take FileMru1 … FileMru1 + 3
inline constexpr int FileMru2 = 57617;
inline constexpr int FileMru3 = 57618;
inline constexpr int FileMru4 = 57619;
inline constexpr int EditClear = 57632;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTileHorz = 57651;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;

// The program's own commands.
inline constexpr int ShameiInput = 32771;
inline constexpr int Hyoshi = 32788;
inline constexpr int TankaEdit = 32789;
inline constexpr int GyomuEdit = 32790;
inline constexpr int HenkaritsuEdit = 32791;
inline constexpr int BukakeEdit = 32792;
inline constexpr int ShokeihiEdit = 32793;
inline constexpr int MasterDataSetting = 32794;
inline constexpr int ToolBarMenu = 32795;
inline constexpr int KenmeiInput = 32797;
inline constexpr int TekiyoEdit = 32798;
inline constexpr int NameEdit = 32799;
// Master-data updates, imports and the consistency check (the pop-up menu of master-data maintenance).
inline constexpr int BukakeUpdate = 32809;
inline constexpr int HenkaritsuUpdate = 32810;
inline constexpr int TankaUpdate = 32811;
inline constexpr int CheckConsistency = 32812;
inline constexpr int BukakeImportManual = 32813;
inline constexpr int HenkaritsuImportManual = 32814;
inline constexpr int TankaImportManual = 32815;
inline constexpr int ZairyoTankaUpdate = 32823;
inline constexpr int ZairyoTankaImportManual = 32824;
inline constexpr int AutoFileVersionUp = 32825;
inline constexpr int KukakuSeiriImport = 32829;
inline constexpr int ImportOldUserBukake = 32830;
inline constexpr int CarryOverZairyoTanka = 32832;
inline constexpr int MoveUp = 32800;
inline constexpr int MoveDown = 32801;
inline constexpr int Recalc = 32802;
inline constexpr int TankaSelect = 32803;
inline constexpr int ProgramKingakuEdit = 32804;
inline constexpr int Help = 32807;
inline constexpr int ZairyoTankaSetting = 32816;
inline constexpr int SokatsuPrintRows = 32819;
inline constexpr int ZairyoTankaEdit = 32820;
inline constexpr int PrintFormSetting = 32822;
inline constexpr int Option = 32828;
inline constexpr int EnableBukken = 32831;
inline constexpr int TableWidth = 32833;
inline constexpr int SupportInfo = 32834;
inline constexpr int TechInfo = 32835;
inline constexpr int CheckUpdate = 32836;
inline constexpr int CheckNotice = 32837;
inline constexpr int ShowFormManager = 32808;

// The estimate view's row commands (the work toolbar) and the items of its popup menu.
inline constexpr int GyomuSelect = 32772;
inline constexpr int KoshuSelect = 32773;
inline constexpr int ShubetsuSelect = 32774;
inline constexpr int KeisanKubun = 32775;
inline constexpr int Suryo = 32776;
inline constexpr int Henkaritsu = 32777;
inline constexpr int InsatsuUmu = 32778;
inline constexpr int KoshuKei = 32779;
inline constexpr int Juryo = 32780;
inline constexpr int DaikaNo = 32781;
inline constexpr int Tani = 32782;
inline constexpr int Kingaku = 32783;
inline constexpr int Ritsu = 32784;
inline constexpr int Marume = 32785;
inline constexpr int Seido = 32786;
inline constexpr int Denshi = 32787;
inline constexpr int ProgramKingaku = 32805;
inline constexpr int DaikaPrintPreview = 32821;
inline constexpr int RowBukakeEdit = 32827;

}  // namespace cmd
