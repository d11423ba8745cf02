#pragma once
// The command ids of the menu resource and the framework, by name. Menus,
// accelerators and the side bar all carry these ids through the command table.

// File menu and framework document commands.
constexpr int kIdFileNew = 57600;
constexpr int kIdFileOpen = 57601;
constexpr int kIdFileSave = 57603;
constexpr int kIdFileSaveAs = 57604;  // "保存当前图像"
constexpr int kIdFilePageSetup = 57606;
constexpr int kIdFilePrint = 57607;
constexpr int kIdFilePrintDirect = 57608;
constexpr int kIdFilePrintPreview = 57609;
constexpr int kIdFileMruFirst = 57616;  // "最近文件" and then the recent files
constexpr int kRecentFileCount = 4;
constexpr int kIdAppAbout = 57664;
constexpr int kIdAppExit = 57665;
constexpr int kIdEditCopy = 57634;
constexpr int kIdEditCut = 57635;
constexpr int kIdEditPaste = 57637;
constexpr int kIdEditUndo = 57643;
constexpr int kIdNextPane = 57680;
constexpr int kIdPrevPane = 57681;
constexpr int kIdViewToolbar = 59392;
constexpr int kIdViewStatusBar = 59393;

// Geographic information.
constexpr int kIdTitle = 32787;
constexpr int kIdGrid = 32788;
constexpr int kIdMap = 32789;
constexpr int kIdProvinces = 32790;
constexpr int kIdCities = 32791;  // "主要城市": no handler

// Display.
constexpr int kIdActualSize = 32772;
constexpr int kIdFullScreen = 32774;
constexpr int kIdZoomInFirst = 32811;  // "2:1"; factor = id - 32809
constexpr int kIdZoomInLast = 32825;   // "16:1"
constexpr int kZoomInBase = 32809;
constexpr int kIdZoomOutFirst = 32826;  // "1:2"; divisor = id - 32824
constexpr int kIdZoomOutLast = 32840;   // "1:16"
constexpr int kZoomOutBase = 32824;
constexpr int kIdFitWindow = 32895;  // "适合窗口": the largest zoom that shows it whole (added)

// Image.
constexpr int kIdBrightness = 32841;
constexpr int kIdContrast = 32842;
constexpr int kIdNegate = 32843;
constexpr int kIdHistogramStretch = 32844;
constexpr int kIdRestoreFirst = 32803;
constexpr int kIdBlur = 32854;
constexpr int kIdSharpen = 32856;
constexpr int kIdMedian = 32857;
constexpr int kIdMean = 32858;
constexpr int kIdNoise = 32859;
constexpr int kIdDespeckle = 32860;  // no handler
constexpr int kIdEmboss = 32861;
constexpr int kIdMosaic = 32862;  // no handler
constexpr int kIdEdgeDetect = 32863;

// Palettes (one range, 32845-32853) and applications.
constexpr int kIdPaletteFirst = 32845;
constexpr int kIdPaletteLast = 32853;
constexpr int kIdIsotherms = 32785;
constexpr int kIdShowPrecipitation = 32775;
constexpr int kIdHidePrecipitation = 32786;

// NWP overlays: the selection dialog for data classes 1-6 and the manager.
constexpr int kIdNwpClassFirst = 32793;
constexpr int kIdNwpClassLast = 32798;
constexpr int kIdNwpManager = 32799;

// Convection ("对流"): cold-cloud cells, their tracks, cloud-top cooling,
// the table of cells and the settings (ids 32880-32889 are theirs).
constexpr int kIdShowCells = 32880;
constexpr int kIdShowTracks = 32881;
constexpr int kIdShowCooling = 32882;
constexpr int kIdCellTable = 32883;
constexpr int kIdConvectionSettings = 32884;

// Channels together ("通道组合", added): the two differences, then one item
// per RGB recipe, as many as there are recipes up to the last id.
constexpr int kIdSplitWindow = 32940;
constexpr int kIdWaterVapourDifference = 32941;
constexpr int kIdRgbRecipeFirst = 32942;
constexpr int kIdRgbRecipeLast = 32957;

// View menu, settings and help.
constexpr int kIdFileInfo = 32801;
constexpr int kIdColourLegend = 32870;   // "色标": the colour legend strip (added item)
constexpr int kIdExportLoop = 32890;     // "导出动画...": the loop on screen as a GIF (added)
constexpr int kIdExportGeoTiff = 32891;  // "导出GeoTIFF...": the product's values (added)
constexpr int kIdExportNetCdf = 32892;   // "导出NetCDF...": the loop's frames' values (added)
constexpr int kIdCatalogueFolder = 32804;

// The loop on screen from the keyboard (added; the animation pane drives it).
constexpr int kIdLoopPlayPause = 32900;
constexpr int kIdLoopPrevious = 32901;
constexpr int kIdLoopNext = 32902;
constexpr int kIdLoopFirst = 32903;
constexpr int kIdLoopLast = 32904;
constexpr int kIdLoopFaster = 32905;
constexpr int kIdLoopSlower = 32906;

// The analyst's tools (added): the ruler and area modes of the view and a
// point's values through the loop.
constexpr int kIdRuler = 32907;
constexpr int kIdAreaStatistics = 32908;
constexpr int kIdPointSeries = 32909;
constexpr int kIdHelpTopics = 32807;  // no handler
